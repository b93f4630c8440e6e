// "Internet IP (auch hinter Router)" of the shipped exe against the test web
// server. Needs the network namespace of tests/wine/public_ip_e2e.sh, where
// the exe's page host resolves to that server (WK_PAGE_DIR names the
// server's folder, WK_CLIENT_ADDRESS our address there); elsewhere it skips.
#include "driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int commandMenuId = 2;
constexpr int ipFieldId = 3;

// Menu positions; both entries come before the XP-only ones.
constexpr int eigeneIpEntry = 4;
constexpr int internetIpEntry = 15;

} // namespace

TEST(PublicIpEndToEnd, MenuEntryShowsTheServedAddressAndEigeneIpTheOwnOneAgain)
{
    const char* pageDir = std::getenv("WK_PAGE_DIR");
    const char* client = std::getenv("WK_CLIENT_ADDRESS");
    if (!pageDir || !client)
        GTEST_SKIP() << "needs the test namespace of public_ip_e2e.sh";
    SessionOptions options;
    options.environment = {{"WK_FAKE_ADDRESS", "192.168.10.20"}};
    Session session(options);
    ASSERT_TRUE(session.Main());
    HWND field = session.Control(ipFieldId);
    ASSERT_EQ(IpFieldText(field), "192.168.10.20");
    const std::string log = WindowsPathOf(std::string(pageDir) + "/requests.log");
    const std::string logBefore = ReadFileText(log);
    const size_t launchesBefore = session.Launches().size();

    HWND menu = session.Control(commandMenuId);
    ASSERT_EQ(ComboEntries(menu).at(internetIpEntry), "Internet IP (auch hinter Router)");
    ASSERT_EQ(ComboEntries(menu).at(eigeneIpEntry), "Eigene IP");
    Choose(menu, internetIpEntry);
    EXPECT_TRUE(WaitUntil([&] { return IpFieldText(field) == client; })) << IpFieldText(field);
    EXPECT_EQ(ReadFileText(log).substr(logBefore.size()),
              "GET /public/stuff/showIP.php\tMozilla/4.0 (compatible; ST)\n");
    EXPECT_EQ(WaitForMessageBox(session.ProcessId(), "Info", 300), nullptr);

    Choose(menu, eigeneIpEntry);
    EXPECT_TRUE(WaitUntil([&] { return IpFieldText(field) == "192.168.10.20"; })) << IpFieldText(field);
    EXPECT_EQ(session.Launches().size(), launchesBefore);  // neither entry starts a program
    EXPECT_EQ(session.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
}
