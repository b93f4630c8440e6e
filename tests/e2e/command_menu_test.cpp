// The command menu and the start-up commands, from the launches they make.
#include "driver.h"

// From a start folder with '%', which cmd would expand even inside quotes, the captures go to the
// temporary folder (here with a blank and an ampersand) and are deleted there; the start-up ping,
// answered over IPv6, is asked once more with -4. Every program comes from the system folder (hh.exe
// from the Windows folder) and starts there; hidden ones are waited for (each launch lasts 300 ms).
// The address entries refuse 0.0.0.0; "Ende" ends the program with code 0.
TEST(CommandMenu, EveryLaunchHasItsProgramParametersShowStateAndFolder)
{
    const std::string temp = "C:\\wk-e2e temp & co " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(temp.c_str(), nullptr);
    Session session("Work 100% %TEMP%", "winxp", {{"WK_FAKE_WORKGROUP", "MY GROUP"}, {"WK_FAKE_ADDRESS", "10.1.2.3"},
        {"WK_FAKE_ADDRESS6", "2a02:2454:95ac:1600:b95:6f1f:d2dc:9710"}, {"TMP", temp}, {"TEMP", temp},
        {"WK_FAKE_DELAY_MS", "300"}});
    HWND menu = session.Control(2);
    EXPECT_EQ(TextOf(session.Control(9)), "MY GROUP");
    EXPECT_EQ(TextOf(session.Control(3)), "10.1.2.3");
    const std::string ping = " -n 1 \"" + TextOf(session.Control(8)) + "\" > \"" + temp + "\\123.txt\"";
    const std::string bes = temp + "\\bes.txt\"";
    struct Row { int entry; const char* ip; const char* program; std::string parameters; int show; };
    const Row rows[] = {  // entry -1: the launch follows the one before
        {-1, nullptr, "cmd.exe", " /c Net config workstation > \"" + temp + "\\2345.txt\"", SW_HIDE},
        {-1, nullptr, "cmd.exe", " /c Ping" + ping, SW_HIDE},
        {-1, nullptr, "cmd.exe", " /c Ping -4" + ping, SW_HIDE},
        {0, nullptr, "cmd.exe", " /k ipconfig -all", SW_SHOWNORMAL},
        {1, "192...", "cmd.exe", " /k ping 192.0.0.0", SW_SHOWNORMAL},
        {2, "10.200.0.9", "cmd.exe", " /k ping -t 10.200.0.9", SW_SHOWNORMAL},
        {3, nullptr, "cmd.exe", " /k Ping 127.0.0.1", SW_SHOWNORMAL},
        {5, nullptr, "cmd.exe", " /k Net config workstation", SW_SHOWNORMAL},
        {6, nullptr, "cmd.exe", " /k Net config server", SW_SHOWNORMAL},
        {7, "127.0.0.1", "cmd.exe", " /k tracert 127.0.0.1", SW_SHOWNORMAL},
        {8, nullptr, "cmd.exe", " /k Netstat", SW_SHOWNORMAL},
        {9, nullptr, "msinfo32.exe", "", SW_SHOWNORMAL},
        {10, nullptr, "cmd.exe", " /k ipconfig -release", SW_SHOWNORMAL},
        {11, nullptr, "cmd.exe", " /k ipconfig -renew", SW_SHOWNORMAL},
        {12, nullptr, "winver.exe", "", SW_SHOWNORMAL},
        {13, nullptr, "control.exe", " ncpa.cpl", SW_SHOWNORMAL},
        {14, nullptr, "control.exe", " sysdm.cpl", SW_SHOWNORMAL},
        {16, nullptr, "cmd.exe", " /k net share", SW_SHOWNORMAL},
        {17, nullptr, "cmd.exe", " /c net session > \"" + bes, SW_HIDE},
        {-1, nullptr, "cmd.exe", " /K more < \"" + bes + " & del \"" + bes, SW_SHOWNORMAL},
        {18, nullptr, "msconfig.exe", "", SW_SHOWNORMAL},
        {19, nullptr, "cmd.exe", " /c netsh diag gui", SW_SHOWNORMAL},
        {20, nullptr, "cmd.exe", " /k systeminfo", SW_SHOWNORMAL},
        {21, nullptr, "hh.exe", " ntcmds.chm::/ntcmds.htm", SW_SHOWNORMAL},
    };
    const std::string system = sizeof(void*) == 4 ? "C:\\windows\\syswow64\\" : "C:\\windows\\system32\\";
    for (size_t index = 0; index < std::size(rows); ++index) {
        const Row& row = rows[index];
        if (row.ip)
            SetIpField(session.Control(3), row.ip);
        if (row.entry >= 0)
            Choose(menu, row.entry);
        ASSERT_TRUE(WaitUntil([&] { return session.Launches().size() > index; }, 8000)) << row.parameters;
        const std::vector<Launch> launches = session.Launches();
        const Launch& launch = launches[index];
        EXPECT_STRCASEEQ(launch.module.c_str(), ((row.program[0] == 'h' ? "C:\\windows\\" : system) + row.program).c_str());
        EXPECT_TRUE(launch.commandLine.ends_with(row.parameters)) << launch.commandLine;
        EXPECT_EQ(launch.show, row.show) << launch.commandLine;
        EXPECT_STRCASEEQ(launch.folder.c_str(), "C:\\windows\\system32");
        if (index > 0 && launches[index - 1].show == SW_HIDE)
            EXPECT_TRUE(launches[index - 1].endTick && launch.tick >= launches[index - 1].endTick) << launch.commandLine;
    }
    SetIpField(session.Control(3), "0.0.0.0");
    for (int entry : {1, 2, 7}) {  // refused: no launch
        Choose(menu, entry);
        EXPECT_EQ(Answer(WaitForWindow(session.ProcessId(), "Fehler!")), "Keine g\xFCltige IP") << entry;
    }
    Sleep(500);
    EXPECT_EQ(session.Launches().size(), std::size(rows));
    EXPECT_NE(ReadFileText(session.logPath).find("paged\t" + temp + "\\bes.txt\tComputer"), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::is_empty(temp); }, 3000)) << "captures left in " << temp;
    RemoveDirectoryA(temp.c_str());
    Click(session.Control(1));  // "Ende"
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}

// With Wine's own cmd, which looks for net and ping in its current directory before the PATH: the
// start-up captures run the system's tools, not the net.exe and ping.exe planted beside the exe.
TEST(CommandMenu, SystemCmdAtStartUpFindsTheSystemToolsNotThosePlantedBesideTheExe)
{
    PlaceStandIns();
    UseStandIns(false);
    Session session;
    const bool drawn = session.Main() != nullptr;
    UseStandIns(true);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(session.Launches().size(), 0u) << "a stand-in ran";
}

// The public address needs the namespace of tests/wine/namespaces_e2e.sh, where the exe's page host
// resolves to the test server (WK_PAGE_DIR its folder, WK_CLIENT_ADDRESS our address). The menu entry
// shows the address the page served (the field starts with the own one, checked at its end), after one
// request as asked, and no box; "Eigene IP" puts the own address back, and neither entry starts a program.
void ExpectPublicAddress(const std::string& shown)
{
    if (Environment("WK_CLIENT_ADDRESS").empty() || Environment("WK_PAGE_DIR").empty())
        GTEST_SKIP() << "needs the test namespace of namespaces_e2e.sh";
    Session session("Work", "", {{"WK_FAKE_ADDRESS", "192.168.10.20"}});
    const std::string log = WindowsPathOf(Environment("WK_PAGE_DIR") + "/requests.log");
    const size_t requestsBefore = ReadFileText(log).size();
    Choose(session.Control(2), 15);  // "Internet IP (auch hinter Router)"
    EXPECT_TRUE(WaitUntil([&] { return TextOf(session.Control(3)) == shown; })) << TextOf(session.Control(3));
    EXPECT_EQ(ReadFileText(log).substr(requestsBefore), "GET /public/stuff/showIP.php\tMozilla/4.0 (compatible; ST)\n");
    EXPECT_EQ(WaitForWindow(session.ProcessId(), "Info", 300), nullptr);
    Choose(session.Control(2), 4);  // "Eigene IP"
    EXPECT_TRUE(WaitUntil([&] { return TextOf(session.Control(3)) == "192.168.10.20"; })) << TextOf(session.Control(3));
    EXPECT_EQ(session.Launches().size(), 2u);  // the start-up captures
}

TEST(PublicIpEndToEnd, MenuEntryShowsTheServedAddressAndEigeneIpTheOwnOneAgain)
{
    ExpectPublicAddress(Environment("WK_CLIENT_ADDRESS"));
}

// With the server in "badaddress" mode: the page says "IP: 999.999.1.1".
TEST(HostilePublicIpPage, AddressThatIsNotFourNumbersUpTo255ShowsZeros)
{
    ExpectPublicAddress("0.0.0.0");
}
