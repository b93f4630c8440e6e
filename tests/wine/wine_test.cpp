// What only real Win32 shows: numbered windows and their gadgets, system DLLs, the adapter
// query's outcomes, echo probes, the LAN window's search and the public address lookup. Pages
// are fetched only inside namespaces_e2e.sh's namespaces, from its test server.
#include "adapters/adapter_enumeration.h"
#include "adapters/echo_probe.h"
#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/ip_field.h"
#include "lan/lan_window.h"
#include "toolkit/gadget.h"
#include "toolkit/launch.h"
#include "toolkit/system_library.h"
#include "toolkit/toolkit.h"
#include "toolkit/window.h"
#include <winsock2.h>
#include <commctrl.h>
#include <lm.h>
#include <gtest/gtest.h>
#include <fstream>
#include <map>

// The LAN window, and the main window with the IP field, the parent of new gadgets. A message
// box, never wanted, blocks until the script's time-out.
struct Windows : ::testing::Test {
    void SetUp() override
    {
        ToolkitInit(GetModuleHandleA(nullptr));
        ASSERT_NE(OpenLanWindow(), nullptr);
        ASSERT_NE(GadgetParentSet(WindowOpen(MainWindowNumber, 100, 100, 350, 175, 0x00CC0001, "IP")), nullptr);
        ASSERT_NE(IpFieldCreate(GadgetIpField, 20, 75, 100, 20), nullptr);
    }
    void TearDown() override { WindowCloseAll(); }
};

std::string Env(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }
// Has the test server answer "page", "empty" (no body), "nokey" (a page without "IP: ") or
// "silent" to a lookup; returns what the IP field, which showed another address, then shows.
std::string LookUp(const char* answer)
{
    ShowAddressInIpField("192.168.7.7");  // e.g. "Eigene IP" before it
    std::ofstream("Z:" + Env("WK_PAGE_DIR") + "/mode") << answer;
    ShowPublicAddress();
    return GadgetGetText(GadgetIpField);
}

// A window opened under a taken number replaces it, and the old window's gadgets are forgotten:
// a later operation on their ids must not reach whatever reuses a handle. Other windows' stay.
// Close requests, also the close box, are events; the program closes its windows itself.
TEST_F(Windows, OpenedUnderATakenNumberReplacesItForgettingItsGadgetsAndCloseRequestsAreEvents)
{
    HWND first = WindowHandle(MainWindowNumber);
    HWND second = WindowOpen(MainWindowNumber, 0, 0, 100, 50, 0x00CC0001, "Two");
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(WindowHandle(MainWindowNumber), second);
    EXPECT_EQ(GadgetHandle(GadgetIpField), nullptr);
    EXPECT_NE(GadgetHandle(LanListGadget), nullptr);
    PostMessageA(second, WM_CLOSE, 0, 0);
    PostMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    // EventWait only while messages wait, so that it never blocks.
    MSG message;
    int closes = 0;
    for (int i = 0; i < 200 && PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); ++i)
        closes += EventWait() == EventCloseWindow ? 1 : 0;
    EXPECT_EQ(closes, 2) << "none, or the first request closed the window";
}

// Every creator gives the stock GUI font (WM_GETFONT does not cross processes under Wine; the IP
// field gets it too, but Wine's keeps a font of its own and does not answer); a list with the
// adapter window's flags has grid lines and full-row select; an edit's text reads back cut at
// 31,999 characters.
TEST_F(Windows, GadgetsGetTheStockFontAndEditTextReadsBackUpTo31999Characters)
{
    HWND list = ListCreate(52, 0, 30, 200, 100, "IP", 80, 0x40010008);
    const HWND gadgets[] = {ButtonCreate(56, 0, 0, 50, 20, "Ende"), ComboCreate(53, 0, 30, 100, 200), list,
                            EditCreate(55, 0, 60, 100, 50, "", 0x200844), LabelCreate(54, 0, 150, 100, 20, "Text")};
    const LRESULT stockFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const HWND& gadget : gadgets)
        EXPECT_EQ(SendMessageA(gadget, WM_GETFONT, 0, 0), stockFont) << &gadget - gadgets;
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x21);
    const std::string text = std::string(31990, 'x') + "0123456789abcdef";
    GadgetSetText(55, text);
    EXPECT_EQ(GadgetGetText(55), text.substr(0, 31999));
}

// DLLs come from the system folder only, never by bare name from beside the exe, where the
// recorder DLL lies, and each is looked for once; the echo probe (icmp) and the name lookup
// (wsock32) work with them. A program found nowhere does not start (where "command" is looked for
// is a native test).
TEST(SystemFolder, LibrariesComeFromItOnceEchoAndLookupWorkAndProgramsFoundNowhereDoNotStart)
{
    const std::string planted = "planted" + std::to_string(sizeof(void*) * 8) + ".dll";
    const std::string inSystem = SystemFolder() + "\\" + planted;
    DeleteFileA(inSystem.c_str());  // left by a run that failed
    EXPECT_EQ(SystemLibrary(planted.c_str()), nullptr) << "taken from beside the exe";
    ASSERT_TRUE(CopyFileA(("Z:" WK_STAND_IN_DIR "/" + planted).c_str(), inSystem.c_str(), FALSE));
    EXPECT_EQ(SystemLibrary(planted.c_str()), nullptr) << "looked for a second time";
    DeleteFileA(inSystem.c_str());
    EXPECT_EQ(SystemFunction<FARPROC>("icmp.dll", "WkNoSuchFunction"), nullptr);
    EXPECT_EQ(ProbeRange("127.0.0.1", "127.0.0.1"), " alive");
    EXPECT_EQ(ProbeRange("0.0.0.0", "0.0.0.0"), " no");
    EXPECT_EQ(ResolveName("localhost"), "127.0.0.1");
    EXPECT_FALSE(LaunchProgram("wk-nowhere", "", "", 0));
}

// GetAdaptersInfo's two-call sizing; the fetch leaves the zeroed record it is given: one adapter
// with one address. A failed size query (232: no adapters) counts -1; one that fits at once still
// fetches; a failed fetch (an adapter came up in between) leaves an empty table.
TEST(EnumerateAdapters, SizeQueryAndFetchOutcomes)
{
    struct Case { DWORD params, sizeQuery, fetch; int count; };
    const Case cases[] = {
        {ERROR_BUFFER_OVERFLOW, 232, NO_ERROR, -1}, {ERROR_BUFFER_OVERFLOW, ERROR_NOT_SUPPORTED, NO_ERROR, -1},
        {ERROR_NOT_SUPPORTED, ERROR_BUFFER_OVERFLOW, NO_ERROR, -1}, {232, NO_ERROR, NO_ERROR, -1},
        {NO_ERROR, NO_ERROR, NO_ERROR, 1}, {ERROR_BUFFER_OVERFLOW, ERROR_BUFFER_OVERFLOW, 111, 0}};
    for (const Case& c : cases) {
        AdapterTableReset();
        EnumerateAdapters({[&](FIXED_INFO*, ULONG*) { return c.params; }, [&](IP_ADAPTER_INFO* buffer, ULONG* size) {
            *size = sizeof *buffer;
            return buffer ? c.fetch : c.sizeQuery;
        }});
        EXPECT_EQ(adapterCount, c.count) << &c - cases;
        EXPECT_EQ(adapterTable.size(), c.count == 1 ? 1u : 0u) << &c - cases;
    }
}

// The LAN window's search against a fake browse service, which hands out the first `count` of
// ZETA, GHOST, TWOHOMES and IPV6, and one name service, where GHOST is unknown, TWOHOMES has two
// addresses (the last one is shown; ZETA's bytes above 127 read unsigned) and IPV6 answers with another
// address family. Per scenario: the list's lines, then
// the lookups ("?NAME") and boxes in their order; the buffer is released once, also when empty.
TEST_F(Windows, LanSearchPassShowsServersTheirAddressesAndBoxesAndReleasesTheBrowseBuffer)
{
    ULONG ip[] = {inet_addr("192.168.0.9"), inet_addr("10.0.0.1"), inet_addr("10.0.0.2")};
    char* lists[][3] = {{reinterpret_cast<char*>(ip)}, {reinterpret_cast<char*>(ip + 1), reinterpret_cast<char*>(ip + 2)}};
    std::map<std::string, hostent> hosts = {{"ZETA", {nullptr, nullptr, AF_INET, 4, lists[0]}},
        {"TWOHOMES", {nullptr, nullptr, AF_INET, 4, lists[1]}}, {"IPV6", {nullptr, nullptr, 23, 4, lists[0]}}};
    wchar_t names[][9] = {L"ZETA", L"GHOST", L"TWOHOMES", L"IPV6"};
    SERVER_INFO_101 servers[] = {{0, names[0], 0, 0, 0, nullptr}, {0, names[1], 0, 0, 0, nullptr},
                                 {0, names[2], 0, 0, 0, nullptr}, {0, names[3], 0, 0, 0, nullptr}};
    struct Scenario { DWORD result, count; std::vector<std::string> lines, calls; bool down{}; };
    // 6118: the browse service refuses; Wine's own stub, which then hands out nothing, is met end to end.
    const Scenario scenarios[] = {
        {NERR_Success, 0, {}, {}}, {6118, 1, {}, {"Failed"}},
        {ERROR_MORE_DATA, 4, {"No : 1  ZETA --> 192.168.0.9", "No : 2  GHOST --> Unable to resolve domain name",
         "No : 3  TWOHOMES --> 10.0.0.2", "No : 4  IPV6 --> "},
         {"?ZETA", "?GHOST", "?TWOHOMES", "?IPV6", "A non-IP address was returned"}},
        {NERR_Success, 2, {"No : 1  ZETA --> ", "No : 2  GHOST --> "},
         {"Network can't be initialized", "Network can't be initialized"}, true}};  // sockets down
    for (const Scenario& s : scenarios) {
        std::vector<std::string> calls;
        std::vector<void*> released;
        LanServices services;
        services.browseServers = [&](BYTE** buffer, DWORD* count) {
            *buffer = reinterpret_cast<BYTE*>(servers);
            *count = s.count;
            return s.result;
        };
        services.releaseBuffer = [&](void* buffer) { released.push_back(buffer); };
        services.startNetwork = [&] { return !s.down; };
        services.findHost = [&](const char* name) {
            calls.push_back(std::string("?") + name);
            return hosts.count(name) ? &hosts[name] : nullptr;
        };
        services.showInfo = [&](std::string_view text) { calls.emplace_back(text); };
        GadgetSetText(LanListGadget, "");
        LanSearchPass(services);
        std::string expected = "\r\nSuche im Netzwerk, bitte warten !";
        for (const std::string& line : s.lines)
            expected += "\r\n" + line;
        EXPECT_EQ(GadgetGetText(LanListGadget), expected + "\r\nEnde der Liste") << &s - scenarios;
        EXPECT_EQ(calls, s.calls) << expected;
        EXPECT_EQ(released, std::vector<void*>{servers}) << expected;
    }
}

// Inserted at the end, not set anew from the text read back, which is cut at 31,999 characters
// (what the lines look like and their order is checked above).
TEST_F(Windows, LanAppendLineKeepsEveryLineBeyond31999Characters)
{
    // About 45,000 characters; long lines as Wine inserts slowly.
    const std::string line = "No : 1  " + std::string(200, 'X') + " --> 10.0.7.1";
    for (int number = 1; number <= 200; ++number)
        AppendLine(line);
    EXPECT_EQ(GetWindowTextLengthA(GadgetHandle(LanListGadget)), 200 * static_cast<int>(2 + line.size()));
}

// (The served address, its request and "Eigene IP" after it are checked end to end.) Last, the
// server accepts the connection and says nothing for 30 s, then serves the page: the lookup gives
// up before, after its 10 s time-out, as if there were no network, and the address before is gone.
TEST_F(Windows, PublicIpServedFieldKeepsTheLastAddressOnAnEmptyAnswerReadsAPageWithoutKeyAndGivesUpOnSilence)
{
    if (Env("WK_PAGE_DIR").empty())
        GTEST_SKIP() << "needs the test server of namespaces_e2e.sh";
    EXPECT_EQ(LookUp("empty"), "0.0.0.0") << "an empty answer before any address";
    ASSERT_EQ(LookUp("page"), Env("WK_CLIENT_ADDRESS"));
    EXPECT_EQ(LookUp("empty"), Env("WK_CLIENT_ADDRESS"));
    EXPECT_EQ(LookUp("nokey"), "10.9.8.7");  // "at 10.9.8.7<br>": read from its fourth character
    EXPECT_EQ(LookUp("silent"), "0.0.0.0");
}

TEST_F(Windows, PublicIpWithoutServerFieldShowsZerosAndNoMessage)
{
    if (Env("WK_PAGE_SERVER_DOWN").empty())
        GTEST_SKIP() << "needs the namespace of namespaces_e2e.sh with its server stopped";
    appState.PublicAddressText = "84.12.3.4";  // an earlier lookup's
    EXPECT_EQ(LookUp("page"), "0.0.0.0");
}
