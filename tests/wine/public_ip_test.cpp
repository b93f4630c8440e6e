// The public address lookup over real sockets. Against a web server only
// inside the network namespaces that tests/wine/public_ip_e2e.sh builds:
// there the page host resolves to the test server and every other name
// fails at once. Outside them only loopback is used.
#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "sysinfo/capture_reading.h"
#include "sysinfo/public_ip.h"
#include "sysinfo/public_ip_page.h"
#include "toolkit/gadget.h"
#include "toolkit/text.h"
#include "toolkit/toolkit.h"
#include "toolkit_test_support.h"
#include "toolkit/window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A file in the folder that the test server shares with this process.
std::string PageDirFile(const char* name)
{
    return "Z:" + Environment("WK_PAGE_DIR") + "/" + name;
}

// How the test server answers the next requests: "page" (the shipped
// page), "empty" (no body at all) or "nokey" (a page without "IP: ").
void ServerAnswers(const std::string& mode)
{
    WriteAll(PageDirFile("mode"), mode);
}

std::vector<std::string> LoggedRequests()
{
    std::vector<std::string> lines;
    const std::string log = ReadAll(PageDirFile("requests.log"));
    size_t start = 0;
    for (size_t end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(log.substr(start, end - start));
    return lines;
}

// Message boxes of this thread, pressed away and recorded: a lookup must
// never show one, and a box must not hang the test run.
std::vector<std::string> boxesSeen;

BOOL CALLBACK CloseIfMessageBox(HWND window, LPARAM)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770") {
        char text[256] = {};
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        boxesSeen.emplace_back(text);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK WatchForMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseIfMessageBox, 0);
}

// A window with the IP field, as the main window has it.
class PublicIpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareToolkit(); }

    void SetUp() override
    {
        ASSERT_NE(WindowOpen(MainWindowNumber, 100, 100, 350, 175, 0x00CC0001, "IP field"), nullptr);
        GadgetParentSet(WindowCurrent());
        ASSERT_NE(IpFieldCreate(GadgetIpField, 20, 75, 100, 20), nullptr);
        appState.PublicAddressText.clear();
        boxesSeen.clear();
        watchdog_ = SetTimer(nullptr, 0, 100, WatchForMessageBoxes);
    }

    void TearDown() override
    {
        KillTimer(nullptr, watchdog_);
        EXPECT_TRUE(boxesSeen.empty()) << boxesSeen.front();
        WindowClose(MainWindowNumber);
    }

    static std::string Field() { return GadgetGetText(GadgetIpField); }

    UINT_PTR watchdog_ = 0;
};

class PublicIpServed : public PublicIpTest {
protected:
    void SetUp() override
    {
        if (Environment("WK_PAGE_DIR").empty())
            GTEST_SKIP() << "needs the test server of public_ip_e2e.sh";
        PublicIpTest::SetUp();
        ServerAnswers("page");
    }
};

class PublicIpWithoutServer : public PublicIpTest {
protected:
    void SetUp() override
    {
        if (Environment("WK_PAGE_SERVER_DOWN").empty())
            GTEST_SKIP() << "needs the test namespace of public_ip_e2e.sh with its server stopped";
        PublicIpTest::SetUp();
    }
};

} // namespace

TEST(FetchPage, RefusedConnectionOrNoUrlCountsMinusOneAndLeavesTheBuffer)
{
    // Port 9 of the loopback address: nothing listens there.
    for (const char* address : {"http://127.0.0.1:9/public/stuff/showIP.php", "not a url"}) {
        std::string page = Blanks(64);
        EXPECT_EQ(FetchPage(address, page.data(), 64), -1) << address;
        EXPECT_EQ(page, Blanks(64)) << address;
    }
}

TEST_F(PublicIpServed, FieldShowsTheAddressTheServerSawFromUs)
{
    ShowAddressInIpField("1.1.1.1");
    const size_t requestsBefore = LoggedRequests().size();

    PublicIpLookup();

    const std::string client = Environment("WK_CLIENT_ADDRESS");
    EXPECT_EQ(Field(), client);
    EXPECT_EQ(TrimBlanks(appState.PublicAddressText), client);
    const auto numbers = AddressNumbersFromText(client);
    EXPECT_EQ(appState.AddressNumbers, numbers);

    // Exactly one request, with the fixed path and user agent.
    const std::vector<std::string> requests = LoggedRequests();
    ASSERT_EQ(requests.size(), requestsBefore + 1);
    EXPECT_EQ(requests.back(), "GET /public/stuff/showIP.php\tMozilla/4.0 (compatible; ST)");
}

TEST_F(PublicIpServed, FetchPageCountsTheBytesOfTheSingleRead)
{
    std::string page = Blanks(publicIpPageSize);
    const int count = FetchPage(WK_PUBLIC_IP_URL, page.data(), publicIpPageSize);
    const std::string expected = "Your IP: " + Environment("WK_CLIENT_ADDRESS") + "<br>";
    EXPECT_EQ(count, static_cast<int>(expected.size()));
    EXPECT_EQ(page.substr(0, expected.size()), expected);
    EXPECT_EQ(page.find_first_not_of(' ', expected.size()), std::string::npos);
}

TEST_F(PublicIpServed, EmptyAnswerKeepsThePreviousAddressOrShowsZeros)
{
    ShowAddressInIpField("192.168.7.7");  // e.g. "Eigene IP" in between
    ServerAnswers("empty");
    PublicIpLookup();
    EXPECT_EQ(Field(), "0.0.0.0") << "before any address";

    ServerAnswers("page");
    PublicIpLookup();
    ASSERT_EQ(Field(), Environment("WK_CLIENT_ADDRESS"));
    ShowAddressInIpField("192.168.7.7");
    ServerAnswers("empty");
    PublicIpLookup();
    EXPECT_EQ(Field(), Environment("WK_CLIENT_ADDRESS"));
}

TEST_F(PublicIpServed, PageWithoutKeyIsReadFromItsFourthCharacter)
{
    ServerAnswers("nokey");  // "at 10.9.8.7<br>"
    PublicIpLookup();
    EXPECT_EQ(Field(), "10.9.8.7");
}

TEST_F(PublicIpServed, UnknownHostFailsQuicklyWithMinusOne)
{
    std::string page = Blanks(64);
    const DWORD start = GetTickCount();
    EXPECT_EQ(FetchPage("http://no-such-host.wk-test/public/stuff/showIP.php", page.data(), 64), -1);
    EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST_F(PublicIpWithoutServer, FieldShowsZerosAndNoMessage)
{
    appState.PublicAddressText = "84.12.3.4";  // an earlier lookup's result
    ShowAddressInIpField("192.168.7.7");

    PublicIpLookup();

    EXPECT_EQ(Field(), "0.0.0.0");
    EXPECT_EQ(TrimBlanks(appState.PublicAddressText), "");
}
