// The main window as a user meets it.
#include "driver.h"

#include <psapi.h>

#include <cmath>
#include <cpuid.h>

// The workstation listing has two workgroup lines (the last one counts) and an umlaut in the console's
// code page; both captures start with 48 MB without a line break, which the program cuts at 64000
// bytes and skips: it finds what follows, its memory stays far below their size, and it deletes them.
TEST(MainWindow, ShowsTheFactsFromHugeCapturesWithItsTitleSizeGadgetsAndMenu)
{
    Session session("Work & Co", "", {{"WK_FAKE_WORKGROUP", "B\xDCRO"}, {"WK_FAKE_EARLIER_WORKGROUP", "FRUEHER"},
                                      {"WK_FAKE_FILLER_BYTES", std::to_string(48u << 20)}});
    HWND main = session.Main();
    ASSERT_TRUE(main) << "exit code " << session.WaitForExit(0);
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    EXPECT_TRUE(GetProcessMemoryInfo(session.Process(), &memory, sizeof memory));
    // Wine keeps no private-bytes count; the working set shows what reading the captures took.
    EXPECT_LT(memory.PeakWorkingSetSize, memory.WorkingSetSize + (8u << 20)) << "after start-up " << memory.WorkingSetSize;
    EXPECT_EQ(PlaceText(main, main), "0,0 350x175");  // the title: Main() waits for the window by it
    unsigned int brand[13] = {};  // the processor's, from leaves 0x80000002-4
    for (unsigned int leaf = 0; leaf < 3; ++leaf)
        __get_cpuid(0x80000002 + leaf, &brand[leaf * 4], &brand[leaf * 4 + 1], &brand[leaf * 4 + 2], &brand[leaf * 4 + 3]);
    // Installed memory in whole megabytes as this build is told it, ties to even: the 32-bit build is not
    // large-address aware and is told at most 2,147,483,647 bytes (under Wine with more than 2 GiB also for
    // the available memory, so only the 64-bit run can tell "available" from "installed").
    MEMORYSTATUS status{sizeof status};
    GlobalMemoryStatus(&status);
    const long megabytes = static_cast<long>(std::nearbyint(static_cast<float>(status.dwTotalPhys) / 1024.0f / 1024.0f));
    RECT list{}, field{};  // the closed field's height comes from the font
    GetWindowRect(session.Control(2), &field);
    // Class, place in the main window, text. (WM_GETFONT answers 0 across processes under Wine: the fonts are
    // checked in the program's own process.)
    const std::pair<int, std::string> gadgets[] = {
        {1, "Button 300,135 40x20 Ende"},
        {30, "Button 245,135 50x20 Adapter"},
        {31, "Button 200,135 40x20  Lan"},
        {2, "ComboBox 140,75 180x" + std::to_string(field.bottom - field.top) + " "},
        {3, "SysIPAddress32 20,75 100x20 10.0.0.7"},  // from the ping capture
        {4, "Static 180,57 100x16 Befehlsauswahl"},
        {5, "Static 20,57 100x16 IP Adresse"},
        {6, "Static 260,158 120x20 Wendelkamm V4.0"},
        {10, "Static 10,12 100x16 Benutzername"},
        {11, "Static 125,12 100x16 Computername"},
        {12, "Static 240,12 100x16 Arbeitsgruppe"},
        {7, "Static 10,30 100x16 " + Environment("USERNAME")},
        {8, "Static 125,30 100x16 " + Environment("COMPUTERNAME")},
        {9, "Static 240,30 100x16 B\xDCRO"},  // from the workstation capture
        {13, "Static 20,108 300x16 CPU-Name = " + std::string(reinterpret_cast<const char*>(brand))},
        {14, "Static 20,123 180x16 Memory      =  " + std::to_string(megabytes) + " MB RAM"},
        {15, "Static 20,138 180x16 OS Version = Windows Future"},
        {16, "Static 20,153 180x16 Other   = Service Pack 1"},
    };
    for (const auto& [id, expected] : gadgets) {
        HWND window = GetDlgItem(main, id);
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        EXPECT_EQ(className + (" " + PlaceText(main, window)) + " " + TextOf(window), expected);
    }
    // The opened list: the program asks for 300 pixels with the closed field; the list gets the rest,
    // rounded down to whole rows (its left and width are the field's, checked above).
    SendMessageA(session.Control(2), CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
    const int rowHeight = static_cast<int>(SendMessageA(session.Control(2), CB_GETITEMHEIGHT, 0, 0)), listAsked = 300 - (field.bottom - field.top);
    EXPECT_LE(list.bottom - list.top, listAsked);
    EXPECT_GT(list.bottom - list.top, listAsked - rowHeight) << "rows of " << rowHeight;
}

// The name and service pack of each Windows version, and the menu as the user sees it: the four entries
// at its end only on XP.
TEST(MainWindow, NamesTheWindowsItRunsOnAndListsItsMenu)
{
    // The menu as Windows XP shows it; every other Windows shows the first 18.
    const std::vector<std::string> menuLabels = {
        "ipconfig -all", "Ping IP", "Ping IP -t   (endlos Ping)", "Ping Localhost", "Eigene IP", "Net config workstation",
        "Net config server", "Tracert IP", "Netstat", "Msinfo32.exe", "DHCP ipconfig /release", "DHCP ipconfig /renew",
        "Windows Version", "Netzwerkeigenschaften", "Systemeigenschaften", "Internet IP (auch hinter Router)",
        "Freigaben anzeigen", "Net Session (Besucher)", "msconfig  XP", "netsh diag Gui  XP", "Systeminfo XP", "Befehlsreferenz   XP"};
    struct Row { const char* version; const char* name; const char* other; long entries; };
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
        std::vector<std::string> labels;
        wchar_t label[256] = {};  // Wine hands an ANSI program's items over as UTF-16 only; these are ASCII
        for (int index = 0; SendMessageW(session.Control(2), CB_GETLBTEXT, index, (LPARAM)label) != CB_ERR; ++index)
            labels.emplace_back(label, label + wcslen(label));
        EXPECT_EQ(labels, std::vector<std::string>(menuLabels.begin(), menuLabels.begin() + row.entries)) << row.version;
    }
}

// Text is not anti-aliased on Xvfb: pure red and blue pixels can be counted. A start-up ping answered
// over IPv6 whose IPv4 ping names no IPv4 address either leaves 0.0.0.0 in the IP field.
TEST(MainWindow, TabAndShiftTabWalkTheTabStopsAndWrapAndTheInfoLinkTurnsRedUnderThePointerAndOpensTheInfoBox)
{
    Session session("Work", "", {{"WK_FAKE_ADDRESS6", "fe80::1c2b:4d5e:6f70:8192%11"}, {"WK_FAKE_ADDRESS", "::1"}});
    HWND main = session.Main();
    EXPECT_EQ(TextOf(session.Control(3)), "0.0.0.0");
    const int order[] = {1, 30, 31, 2, 3};  // Ende, Adapter, " Lan", the menu, the IP field
    auto focused = [&] {  // the IP field passes the focus to an inner edit
        HWND focus = FocusOf(main);
        return GetDlgCtrlID(GetParent(focus) == main ? focus : GetParent(focus));
    };
    auto pressTab = [&](bool shift) {
        SetForegroundWindow(main);
        keybd_event(VK_SHIFT, 0, shift ? 0 : KEYEVENTF_KEYUP, 0);
        keybd_event(VK_TAB, 0, 0, 0);
        keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
        keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
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
    RECT link{}, area{}, visible{};
    GetWindowRect(session.Control(6), &link);
    GetWindowRect(main, &area);
    IntersectRect(&visible, &link, &area);
    auto linkTurns = [&](COLORREF shown, COLORREF gone) {  // in the link's visible part
        return WaitUntil([&] {
            std::map<COLORREF, int> pixels;
            HDC screen = GetDC(nullptr);
            for (int y = visible.top; y < visible.bottom; ++y)
                for (int x = visible.left; x < visible.right; ++x)
                    ++pixels[GetPixel(screen, x, y)];
            ReleaseDC(nullptr, screen);
            return pixels[shown] > 20 && pixels[gone] == 0;
        }, 5000);
    };
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    SetCursorPos(area.left + 20, area.top + 60);
    EXPECT_TRUE(linkTurns(blue, red)) << "not blue at first";
    SetCursorPos(link.left + 15, link.top + 6);
    EXPECT_TRUE(linkTurns(red, blue)) << "not red under the pointer";
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    const std::string info = Answer(WaitForWindow(session.ProcessId(), "Info"));
    EXPECT_TRUE(info.starts_with("Wendelkamm 4.0\n")) << info;
    EXPECT_EQ(info.find('\r'), std::string::npos);
    SetCursorPos(area.left + 20, area.top + 60);
    EXPECT_TRUE(linkTurns(blue, red)) << "not blue again";
}
