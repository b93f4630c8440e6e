// The LAN window's list filled from hand-made browse results and host
// entries, with a real window and a real edit control; and the real
// browse service and name lookup of this machine.
#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "lan/lan_window.h"
#include "lan/server_enumeration.h"
#include "toolkit/gadget.h"
#include "toolkit/toolkit.h"
#include "toolkit_test_support.h"
#include "toolkit/window.h"

#include <winsock2.h>
#include <lm.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

using Address = std::array<unsigned char, 4>;

struct FakeHost {
    short family = AF_INET;
    std::vector<Address> addresses;
};

// A browse service and a name service that answer from tables, and a
// recorder for the "Info" boxes.
class FakeNetwork {
public:
    uint32_t result = NERR_Success;
    std::vector<std::wstring> names;
    bool handsOutBuffer = true;  // false: fail like Wine's stub, outputs untouched
    bool networkStarts = true;
    std::map<std::string, FakeHost> hosts;

    std::vector<std::string> boxes;
    std::vector<std::string> lookups;
    int browseCalls = 0;
    std::vector<void*> released;

    LanServices Services()
    {
        LanServices services;
        services.browseServers = [this](BYTE** buffer, DWORD* entriesRead) {
            ++browseCalls;
            if (handsOutBuffer) {
                entries_.clear();
                entries_.reserve(names.size() + 1);  // an empty list has a buffer too
                for (std::wstring& name : names)
                    entries_.push_back({PLATFORM_ID_NT, name.data(), 5, 1, SV_TYPE_WORKSTATION, nullptr});
                *buffer = reinterpret_cast<BYTE*>(entries_.data());
                *entriesRead = static_cast<DWORD>(entries_.size());
            }
            return result;
        };
        services.releaseBuffer = [this](void* buffer) { released.push_back(buffer); };
        services.startNetwork = [this] { return networkStarts; };
        services.findHost = [this](const char* name) -> const hostent* {
            lookups.push_back(name);
            const auto found = hosts.find(name);
            return found == hosts.end() ? nullptr : EntryFor(found->second);
        };
        services.showInfo = [this](std::string_view text) { boxes.emplace_back(text); };
        return services;
    }

    void* HandedOutBuffer() { return entries_.data(); }

private:
    const hostent* EntryFor(const FakeHost& host)
    {
        std::vector<char*>& list = addressLists_.emplace_back();
        for (const Address& address : host.addresses) {
            Address& stored = addressBytes_.emplace_back(address);
            list.push_back(reinterpret_cast<char*>(stored.data()));
        }
        list.push_back(nullptr);
        hostent& entry = hostEntries_.emplace_back();
        entry.h_addrtype = host.family;
        entry.h_length = 4;
        entry.h_addr_list = list.data();
        return &entry;
    }

    std::vector<SERVER_INFO_101> entries_;
    std::deque<std::vector<char*>> addressLists_;
    std::deque<Address> addressBytes_;
    std::deque<hostent> hostEntries_;
};

// The whole text of the LAN list, read without any length limit.
std::string ListText()
{
    HWND list = appState.LanListHandle;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(list)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(list, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string PassText(const std::vector<std::string>& serverLines)
{
    std::string text = "\r\nSuche im Netzwerk, bitte warten !";
    for (const std::string& line : serverLines)
        text += "\r\n" + line;
    return text + "\r\nEnde der Liste";
}

class LanWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareToolkit(); }

    void SetUp() override { ASSERT_NE(OpenLanWindow(), nullptr); }
    void TearDown() override { WindowClose(SecondaryWindowNumber); }

    FakeNetwork network;
};

} // namespace

// Title, size and gadget places are checked end to end on the shipped exe.
TEST_F(LanWindowTest, KeepsTheListHandleForAppendLine)
{
    EXPECT_EQ(appState.LanListHandle, GadgetHandle(GadgetSecondaryList));
}

// Each browse outcome and each name lookup outcome, one pass per case.
TEST_F(LanWindowTest, BrowseAndLookupOutcomesGiveTheirLinesAndBoxes)
{
    using Texts = std::vector<std::string>;
    struct Case {
        const char* what;
        void (*prepare)(FakeNetwork&);
        Texts lines;
        Texts boxes;
        bool releasesBuffer;
        bool looksUp;
    };
    const Case cases[] = {
        {"empty network", [](FakeNetwork&) {}, {}, {}, true, true},
        {"every lookup outcome",
         [](FakeNetwork& n) {
             n.names = {L"GHOST", L"TWOHOMES", L"V6ONLY", L"PLAIN"};
             n.hosts["TWOHOMES"] = {AF_INET, {{10, 0, 0, 1}, {10, 0, 0, 2}}};
             n.hosts["V6ONLY"] = {23, {{254, 128, 0, 0}}};
             n.hosts["PLAIN"] = {AF_INET, {{10, 1, 2, 3}}};
         },
         {"No : 1  GHOST --> Unable to resolve domain name", "No : 2  TWOHOMES --> 10.0.0.2",
          "No : 3  V6ONLY --> ", "No : 4  PLAIN --> 10.1.2.3"},
         // Only the other address family is worth a box; a missing name is not.
         {"A non-IP address was returned"}, true, true},
        {"socket library failing",
         [](FakeNetwork& n) {
             n.names = {L"ONE", L"TWO"};
             n.hosts["ONE"] = {AF_INET, {{10, 0, 0, 1}}};
             n.networkStarts = false;
         },
         {"No : 1  ONE --> ", "No : 2  TWO --> "},
         {"Network can't be initialized", "Network can't be initialized"}, true, false},
        {"more entries than returned",
         [](FakeNetwork& n) {
             n.result = ERROR_MORE_DATA;
             n.names = {L"FIRST", L"SECOND"};
             n.hosts["FIRST"] = {AF_INET, {{10, 0, 0, 1}}};
             n.hosts["SECOND"] = {AF_INET, {{10, 0, 0, 2}}};
         },
         {"No : 1  FIRST --> 10.0.0.1", "No : 2  SECOND --> 10.0.0.2"}, {}, true, true},
        {"browse failure without buffer: no unfilled buffer is touched",
         [](FakeNetwork& n) {
             n.result = 6118;  // no browse servers
             n.handsOutBuffer = false;
             n.names = {L"NEVER"};
         },
         {}, {"Failed"}, false, false},
        {"failure that hands out a buffer releases it unread",
         [](FakeNetwork& n) {
             n.result = ERROR_ACCESS_DENIED;
             n.names = {L"HIDDEN"};
         },
         {}, {"Failed"}, true, false},
        {"names arrive in the ANSI code page",
         [](FakeNetwork& n) {
             n.names = {L"M\u00fcller-PC"};
             n.hosts["M\xFCller-PC"] = {AF_INET, {{10, 0, 0, 7}}};
         },
         {"No : 1  M\xFCller-PC --> 10.0.0.7"}, {}, true, true},
    };
    for (const Case& c : cases) {
        FakeNetwork network;
        c.prepare(network);
        GadgetSetText(GadgetSecondaryList, "");
        LanSearchPass(network.Services());
        EXPECT_EQ(ListText(), PassText(c.lines)) << c.what;
        EXPECT_EQ(network.boxes, c.boxes) << c.what;
        EXPECT_EQ(network.released, c.releasesBuffer ? std::vector<void*>{network.HandedOutBuffer()}
                                                     : std::vector<void*>{})
            << c.what;
        EXPECT_EQ(network.lookups.size(), c.looksUp ? network.names.size() : 0u) << c.what;
    }
}

TEST_F(LanWindowTest, ServersAreNumberedFromOneInDeliveredOrderOnEveryPass)
{
    network.names = {L"ZETA", L"ALPHA", L"MIDDLE"};
    network.hosts["ZETA"] = {AF_INET, {{192, 168, 0, 9}}};
    network.hosts["ALPHA"] = {AF_INET, {{10, 0, 0, 200}}};
    network.hosts["MIDDLE"] = {AF_INET, {{172, 16, 255, 1}}};
    const std::string expected = PassText({
        "No : 1  ZETA --> 192.168.0.9",
        "No : 2  ALPHA --> 10.0.0.200",
        "No : 3  MIDDLE --> 172.16.255.1",
    });

    LanSearchPass(network.Services());
    EXPECT_EQ(ListText(), expected);

    // "Refresh" empties the list and searches again from number 1.
    GadgetSetText(GadgetSecondaryList, "");
    LanSearchPass(network.Services());
    EXPECT_EQ(ListText(), expected);
    EXPECT_TRUE(network.boxes.empty());
    EXPECT_EQ(network.released.size(), 2u);
}

TEST_F(LanWindowTest, LongListKeepsEveryLineAndShowsItsEnd)
{
    std::string expected;
    // Long names keep the number of insertions, which Wine's edit control
    // makes slow, small.
    const std::string padding(200, 'X');
    for (int number = 1; number <= 200; ++number) {
        const std::string line = "No : " + std::to_string(number) + "  " + padding +
                                 std::to_string(number) + " --> 10.0.7." + std::to_string(number % 256);
        AppendLine(line);
        expected += "\r\n" + line;
    }
    ASSERT_GT(expected.size(), 40000u);
    EXPECT_EQ(ListText(), expected);

    HWND list = appState.LanListHandle;
    const LRESULT lines = SendMessageA(list, EM_GETLINECOUNT, 0, 0);
    const LRESULT firstVisible = SendMessageA(list, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_EQ(lines, 201);
    EXPECT_GT(firstVisible, lines - 25);  // the last line is on screen
}

TEST_F(LanWindowTest, RefreshRepeatsThePassAndAnyCloseRequestEndsTheLoop)
{
    // Drives the loop from inside: thread timers fire while EventWait waits.
    struct Script {
        static void CALLBACK Step(HWND, UINT, UINT_PTR timer, DWORD)
        {
            static int step = 0;
            HWND window = WindowHandle(SecondaryWindowNumber);
            switch (step++) {
            case 0: PostMessageA(GadgetHandle(GadgetRefreshButton), BM_CLICK, 0, 0); break;
            case 1: PostMessageA(window, WM_CLOSE, 0, 0); break;
            default: KillTimer(nullptr, timer); step = 0; break;
            }
        }
    };
    WindowClose(SecondaryWindowNumber);
    network.names = {L"ONLY"};
    network.hosts["ONLY"] = {AF_INET, {{10, 0, 0, 3}}};

    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Script::Step);
    RunLanWindow(network.Services());
    KillTimer(nullptr, timer);

    EXPECT_EQ(network.browseCalls, 2);
    EXPECT_TRUE(IsWindow(WindowHandle(SecondaryWindowNumber)));  // the caller closes it
    EXPECT_EQ(ListText(), PassText({"No : 1  ONLY --> 10.0.0.3"}));
}

TEST(ResolveName, LocalhostGivesTheLoopbackAddress)
{
    EXPECT_EQ(ResolveName("localhost"), "127.0.0.1");
}

// Run by public_ip_e2e.sh inside a network namespace whose resolver knows
// nothing: outside one, an unknown name would be sent to the real DNS.
TEST(ResolveName, UnknownNameFailsQuicklyWithoutABox)
{
    if (!std::getenv("WK_TEST_NAMESPACE"))
        GTEST_SKIP() << "needs the test network namespace";
    LanServices services;
    std::vector<std::string> boxes;
    services.showInfo = [&](std::string_view text) { boxes.emplace_back(text); };
    const DWORD start = GetTickCount();
    EXPECT_EQ(ResolveName("no-such-host.wk-test", services), "Unable to resolve domain name");
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_TRUE(boxes.empty());
}
