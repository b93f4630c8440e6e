// The main window and its command menu as a user meets them.
#include "driver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cpuid.h>
#include <cstring>

namespace {

// The brand string of the processor's leaves 0x80000002-4, to its first zero byte.
std::string ProcessorBrand()
{
    unsigned int registers[12] = {};
    for (unsigned int leaf = 0; leaf < 3; ++leaf)
        __get_cpuid(0x80000002 + leaf, &registers[leaf * 4], &registers[leaf * 4 + 1], &registers[leaf * 4 + 2],
                    &registers[leaf * 4 + 3]);
    const char* brand = reinterpret_cast<const char*>(registers);
    return std::string(brand, strnlen(brand, sizeof registers));
}

// Installed memory in whole megabytes as this build is told it, ties to even. The 32-bit build is
// not large-address aware and is told at most 2,147,483,647 bytes; under Wine on a machine with
// more than 2 GiB that is also what it gets for the available memory, so only the 64-bit run can
// tell "available" from "installed".
std::string InstalledMegabytes()
{
#ifdef _WIN64
    MEMORYSTATUSEX status{sizeof status};
    GlobalMemoryStatusEx(&status);
    const float bytes = static_cast<float>(status.ullTotalPhys);
#else
    MEMORYSTATUS status{sizeof status};
    GlobalMemoryStatus(&status);
    const float bytes = static_cast<float>(static_cast<int32_t>(status.dwTotalPhys));
#endif
    return std::to_string(static_cast<long>(std::nearbyint(bytes / 1024.0f / 1024.0f)));
}

} // namespace

// The workstation listing has two workgroup lines (the last one counts) and an umlaut in the
// console's code page.
TEST(MainWindow, HasItsTitleSizeGadgetsAndEighteenMenuEntries)
{
    Session session("Work", "", {{"WK_FAKE_WORKGROUP", "B\xDCRO"}, {"WK_FAKE_EARLIER_WORKGROUP", "FRUEHER"}});
    HWND main = session.Main();
    ASSERT_TRUE(main);
    EXPECT_EQ(TextOf(main), "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ");
    EXPECT_EQ(ClientSize(main), "350x175");
    char user[256] = {}, computer[256] = {};
    DWORD userSize = sizeof user, computerSize = sizeof computer;
    GetUserNameA(user, &userSize), GetComputerNameA(computer, &computerSize);
    const std::pair<int, std::string> gadgets[] = {  // class, place in the main window, text
        {1, "Button 300,135 40x20 Ende"},
        {30, "Button 245,135 50x20 Adapter"},
        {31, "Button 200,135 40x20  Lan"},
        {2, "ComboBox 140,75 180x*"},  // the closed field's height comes from the font
        {3, "SysIPAddress32 20,75 100x20 10.0.0.7"},  // from the ping capture
        {4, "Static 180,57 100x16 Befehlsauswahl"},
        {5, "Static 20,57 100x16 IP Adresse"},
        {6, "Static 260,158 120x20 Wendelkamm V4.0"},
        {10, "Static 10,12 100x16 Benutzername"},
        {11, "Static 125,12 100x16 Computername"},
        {12, "Static 240,12 100x16 Arbeitsgruppe"},
        {7, "Static 10,30 100x16 " + std::string(user)},
        {8, "Static 125,30 100x16 " + std::string(computer)},
        {9, "Static 240,30 100x16 B\xDCRO"},  // from the workstation capture
        {13, "Static 20,108 300x16 CPU-Name = " + ProcessorBrand()},
        {14, "Static 20,123 180x16 Memory      =  " + InstalledMegabytes() + " MB RAM"},
        {15, "Static 20,138 180x16 OS Version = Windows Future"},
        {16, "Static 20,153 180x16 Other   = Service Pack 1"},
    };
    for (auto [id, expected] : gadgets) {  // "*": the text goes on as the machine has it
        HWND gadget = GetDlgItem(main, id);
        std::string actual = ClassNameOf(gadget) + " " + PlaceText(main, gadget) + " " + TextOf(gadget);
        if (expected.ends_with('*'))
            expected.pop_back(), actual.resize(std::min(actual.size(), expected.size()));
        EXPECT_EQ(actual, expected);
    }
    EXPECT_EQ(SendMessageA(session.Control(2), CB_GETCOUNT, 0, 0), 18);
    // The opened list: the program asks for 300 pixels with the closed field; the list gets the rest,
    // rounded down to whole rows.
    HWND menu = session.Control(2);
    RECT list{}, field = ScreenRect(menu);
    SendMessageA(menu, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
    const int rowHeight = static_cast<int>(SendMessageA(menu, CB_GETITEMHEIGHT, 0, 0));
    const int listAsked = 300 - (field.bottom - field.top);
    EXPECT_EQ(list.left, field.left);
    EXPECT_EQ(list.right - list.left, 180);
    EXPECT_LE(list.bottom - list.top, listAsked);
    EXPECT_GT(list.bottom - list.top, listAsked - rowHeight) << "rows of " << rowHeight;
}

// The name and service pack of each Windows version, and the four entries only Windows XP has.
TEST(MainWindow, NamesTheWindowsItRunsOn)
{
    struct Row { const char* version; const char* name; const char* other; LRESULT entries; };
    const Row rows[] = {
        {"nt40", "Windows NT 4", "Service Pack 6a", 18},
        {"win2k", "Windows 2000", "Service Pack 4", 18},
        {"winxp", "Windows XP", "Service Pack 3", 22},
        {"win98", "Windows 98", " A ", 18},
        {"win10", "Windows Future", "", 18},
    };
    for (const Row& row : rows) {
        Session session("Work", row.version);
        ASSERT_TRUE(session.Main()) << row.version;
        EXPECT_EQ(TextOf(session.Control(15)), std::string("OS Version = ") + row.name) << row.version;
        EXPECT_EQ(TextOf(session.Control(16)), std::string("Other   = ") + row.other) << row.version;
        EXPECT_EQ(SendMessageA(session.Control(2), CB_GETCOUNT, 0, 0), row.entries) << row.version;
    }
}

// From start-up on, in a folder with blanks and an ampersand. Every program comes from the system
// folder (hh.exe from the Windows folder) and starts there; none of those planted beside the exe runs,
// and none of the DLLs planted there loads.
TEST(CommandMenu, EveryLaunchHasItsProgramParametersShowStateAndFolder)
{
    Session session("Work Dir & Co", "winxp", {{"WK_FAKE_WORKGROUP", "MY GROUP"}, {"WK_FAKE_ADDRESS", "10.1.2.3"}});
    HWND menu = session.Control(2);
    EXPECT_EQ(SendMessageA(menu, CB_GETCOUNT, 0, 0), 22);
    EXPECT_EQ(TextOf(session.Control(9)), "MY GROUP");
    EXPECT_EQ(TextOf(session.Control(3)), "10.1.2.3");
    const std::string start = " > \"" + session.startFolder + "\\", bes = session.startFolder + "\\bes.txt\"";
    struct Row { int entry; const char* ip; const char* program; std::string parameters; int show; };
    const Row rows[] = {  // entry -1: the launch follows the one before
        {-1, nullptr, "cmd.exe", " /c Net config workstation" + start + "2345.txt\"", SW_HIDE},
        {-1, nullptr, "cmd.exe", " /c Ping -n 1 \"" + TextOf(session.Control(8)) + "\"" + start + "123.txt\"", SW_HIDE},
        {0, nullptr, "cmd.exe", " /k ipconfig -all", SW_SHOWNORMAL},
        {1, "10.0.0.0", "cmd.exe", " /k ping 10.0.0.0", SW_SHOWNORMAL},
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
    const std::string system = ProductSystemFolder();
    for (size_t index = 0; index < std::size(rows); ++index) {
        const Row& row = rows[index];
        if (row.ip)
            SetIpField(session.Control(3), row.ip);
        if (row.entry >= 0)
            Choose(menu, row.entry);
        ASSERT_TRUE(WaitUntil([&] { return session.Launches().size() > index; }, 8000)) << row.parameters;
        const std::vector<Launch> launches = session.Launches();
        const Launch& launch = launches[index];
        const std::string folder = row.program == std::string("hh.exe") ? "C:\\windows" : system;
        EXPECT_STRCASEEQ(launch.module.c_str(), (folder + "\\" + row.program).c_str());
        EXPECT_TRUE(launch.commandLine.ends_with(row.parameters)) << launch.commandLine;
        EXPECT_EQ(launch.show, row.show) << launch.commandLine;
        EXPECT_STRCASEEQ(launch.folder.c_str(), "C:\\windows\\system32");
        if (index > 0 && launches[index - 1].show == SW_HIDE)  // hidden ones are waited for
            EXPECT_GE(launch.tick, launches[index - 1].endTick) << launch.commandLine;
    }
    Sleep(500);
    EXPECT_EQ(session.Launches().size(), std::size(rows));
    // The viewer paged the session capture and deleted it; the start-up captures are gone too.
    EXPECT_TRUE(WaitUntil([&] { return ReadFileText(session.logPath).find("BUERO2") != std::string::npos; }));
    for (const char* capture : {"\\2345.txt", "\\123.txt", "\\bes.txt"})
        EXPECT_EQ(GetFileAttributesA((session.startFolder + capture).c_str()), INVALID_FILE_ATTRIBUTES) << capture;
    EXPECT_EQ(session.Planted(), "");
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
    EXPECT_EQ(session.Planted(), "");
    EXPECT_EQ(GetFileAttributesA((session.startFolder + "\\2345.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CommandMenu, AddressEntriesRefuseTheZeroAddressEigeneIpPutsTheOwnBackAndEndeEndsWithCodeZero)
{
    Session session;
    HWND ipField = session.Control(3);
    SetIpField(ipField, "...");
    ASSERT_EQ(TextOf(ipField), "0.0.0.0");
    for (int entry : {1, 2, 7}) {
        Choose(session.Control(2), entry);
        HWND box = WaitForWindow(session.ProcessId(), "Fehler!");
        EXPECT_EQ(MessageBoxText(box), "Keine g\xFCltige IP") << entry;
        CloseMessageBox(box);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }
    SetIpField(ipField, "1.2.3.4");
    Choose(session.Control(2), 4);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(ipField) == "10.0.0.7"; }, 3000)) << TextOf(ipField);
    Sleep(800);
    EXPECT_EQ(session.Launches().size(), 2u) << "more than the two start-up captures";
    Click(session.Control(1));  // "Ende"
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}

// Vista and later answer the start-up ping over IPv6: the same ping once more with -4 into the same
// capture, hidden and waited for, gives the field its IPv4 address; one that names none gives 0.0.0.0.
// (An IPv4 answer, as in every other test here, makes exactly one ping.)
TEST(StartUp, PingAnsweredOverIpv6IsAskedOnceMoreOverIpv4)
{
    const std::pair<const char*, const char*> cases[] = {  // the two answers -> the field
        {"2a02:2454:95ac:1600:b95:6f1f:d2dc:9710", "10.1.2.3"}, {"fe80::1c2b:4d5e:6f70:8192%11", "::1"}};
    for (const auto& [ipv6, ipv4] : cases) {
        Session session("Work", "", {{"WK_FAKE_ADDRESS6", ipv6}, {"WK_FAKE_ADDRESS", ipv4}});
        ASSERT_TRUE(session.Main());
        EXPECT_EQ(TextOf(session.Control(3)), ipv4 == std::string("::1") ? "0.0.0.0" : ipv4) << ipv6;
        const std::string ping = " \"" + TextOf(session.Control(8)) + "\" > \"" + session.startFolder + "\\123.txt\"";
        const std::vector<Launch> launches = session.Launches();
        ASSERT_EQ(launches.size(), 3u) << ipv6;
        EXPECT_TRUE(launches[1].commandLine.ends_with(" /c Ping -n 1" + ping)) << launches[1].commandLine;
        EXPECT_TRUE(launches[2].commandLine.ends_with(" /c Ping -4 -n 1" + ping)) << launches[2].commandLine;
        EXPECT_EQ(launches[2].show, SW_HIDE);
        EXPECT_GE(launches[2].tick, launches[1].endTick);
        EXPECT_NE(launches[2].endTick, 0u) << "the window came before the second ping ended";
        EXPECT_EQ(GetFileAttributesA((session.startFolder + "\\123.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(MainWindow, TabAndShiftTabWalkTheTabStopsAndWrapAndTheCloseBoxEndsWithCodeZero)
{
    Session session;
    HWND main = session.Main();
    const int order[] = {1, 30, 31, 2, 3};  // Ende, Adapter, " Lan", the menu, the IP field
    auto focused = [&] {  // the IP field passes the focus to an inner edit
        HWND focus = FocusOf(main);
        return GetDlgCtrlID(GetParent(focus) == main ? focus : GetParent(focus));
    };
    auto pressTab = [&](bool shift) {
        SetForegroundWindow(main);
        INPUT keys[4]{{INPUT_KEYBOARD}, {INPUT_KEYBOARD}, {INPUT_KEYBOARD}, {INPUT_KEYBOARD}};
        for (int key = 0; key < 4; ++key)  // Shift, Tab, Tab up, Shift up
            keys[key].ki.wVk = key % 3 ? VK_TAB : VK_SHIFT, keys[key].ki.dwFlags = key < 2 ? 0 : KEYEVENTF_KEYUP;
        shift ? SendInput(4, keys, sizeof(INPUT)) : SendInput(2, keys + 1, sizeof(INPUT));
    };
    pressTab(true);  // from wherever the focus starts
    ASSERT_TRUE(WaitUntil([&] { return focused() != 0; }, 3000));
    int at = static_cast<int>(std::find(order, order + 5, focused()) - order);
    ASSERT_LT(at, 5) << "focus on " << focused();
    for (int step = 0; step < 12; ++step) {  // seven Tabs, then five Shift+Tabs: each way round
        pressTab(step >= 7);
        at = (at + (step >= 7 ? 4 : 1)) % 5;
        EXPECT_TRUE(WaitUntil([&] { return focused() == order[at]; }, 3000)) << step << ": " << focused();
    }
    PressCloseBox(main);
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}

// Text is not anti-aliased on Xvfb: pure red and blue pixels can be counted.
TEST(MainWindow, InfoLinkTurnsRedUnderThePointerAndOpensTheInfoBox)
{
    Session session;
    RECT linkArea = ScreenRect(session.Control(6)), mainArea = ScreenRect(session.Main()), visible;
    IntersectRect(&visible, &linkArea, &mainArea);
    auto pointerAt = [&](const RECT& area, int x, int y, COLORREF shown, COLORREF gone) {
        SetCursorPos(area.left + x, area.top + y);
        return WaitUntil([&] {
            int counts[2] = {};
            HDC screen = GetDC(nullptr);
            for (int py = visible.top; py < visible.bottom; ++py)
                for (int px = visible.left; px < visible.right; ++px)
                    counts[0] += GetPixel(screen, px, py) == shown, counts[1] += GetPixel(screen, px, py) == gone;
            ReleaseDC(nullptr, screen);
            return counts[0] > 20 && counts[1] == 0;
        }, 5000);
    };
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    EXPECT_TRUE(pointerAt(mainArea, 20, 60, blue, red)) << "not blue at first";
    EXPECT_TRUE(pointerAt(linkArea, 15, 6, red, blue)) << "not red under the pointer";
    LeftClickAt(linkArea.left + 15, linkArea.top + 6);
    HWND box = WaitForWindow(session.ProcessId(), "Info");
    EXPECT_TRUE(MessageBoxText(box).starts_with("Wendelkamm 4.0\n")) << MessageBoxText(box);
    EXPECT_EQ(MessageBoxText(box).find('\r'), std::string::npos);
    CloseMessageBox(box);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(pointerAt(mainArea, 20, 60, blue, red)) << "not blue again";
}

// Needs the namespace of tests/wine/public_ip_e2e.sh, where the exe's page host
// resolves to the test server (WK_PAGE_DIR its folder, WK_CLIENT_ADDRESS our address).
TEST(PublicIpEndToEnd, MenuEntryShowsTheServedAddressAndEigeneIpTheOwnOneAgain)
{
    const std::string client = Environment("WK_CLIENT_ADDRESS"), log = Environment("WK_PAGE_DIR") + "/requests.log";
    if (client.empty() || Environment("WK_PAGE_DIR").empty())
        GTEST_SKIP() << "needs the test namespace of public_ip_e2e.sh";
    Session session("Work", "", {{"WK_FAKE_ADDRESS", "192.168.10.20"}});
    HWND field = session.Control(3), menu = session.Control(2);
    ASSERT_EQ(TextOf(field), "192.168.10.20");
    const std::string logBefore = ReadFileText(WindowsPathOf(log));
    ASSERT_EQ(SendMessageA(menu, CB_FINDSTRINGEXACT, -1, (LPARAM) "Internet IP (auch hinter Router)"), 15);
    ASSERT_EQ(SendMessageA(menu, CB_FINDSTRINGEXACT, -1, (LPARAM) "Eigene IP"), 4);
    Choose(menu, 15);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(field) == client; })) << TextOf(field);
    EXPECT_EQ(ReadFileText(WindowsPathOf(log)).substr(logBefore.size()),
              "GET /public/stuff/showIP.php\tMozilla/4.0 (compatible; ST)\n");
    EXPECT_EQ(WaitForWindow(session.ProcessId(), "Info", 300), nullptr);
    Choose(menu, 4);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(field) == "192.168.10.20"; })) << TextOf(field);
    EXPECT_EQ(session.Launches().size(), 2u);  // neither entry starts a program
    EXPECT_EQ(session.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(session.Planted(), "") << "WinINet or the socket library came from beside the exe";
}
