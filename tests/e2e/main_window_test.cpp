// The main window as a user meets it: start-up, layout, texts and the end.
#include "driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char mainTitle[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";

} // namespace

// Also from a start folder with blanks and an ampersand, with English output.
TEST(StartUp, RunsBothCapturesHiddenInOrderAndReadsThemFromTheStartFolder)
{
    struct Case { const char* folder; bool english; const char* workgroup; const char* address; };
    const Case cases[] = {{"Work", false, "ARBEITSGRUPPE", "10.0.0.7"},
                          {"Work Dir & Co", true, "MY GROUP", "192.168.10.20"}};
    for (const Case& c : cases) {
        SessionOptions options;
        options.startFolderName = c.folder;
        if (c.english)
            options.environment = {{"WK_FAKE_LANGUAGE", "en"}, {"WK_FAKE_WORKGROUP", c.workgroup},
                                   {"WK_FAKE_ADDRESS", c.address}};
        Session session(options);
        ASSERT_TRUE(session.Main()) << c.folder;
        const std::vector<Launch> launches = session.Launches();
        ASSERT_EQ(launches.size(), 2u) << c.folder;
        EXPECT_TRUE(EndsWith(launches[0].commandLine,
                             " /c Net config workstation > \"" + session.startFolder + "\\2345.txt\""))
            << launches[0].commandLine;
        EXPECT_NE(launches[1].commandLine.find(" /c Ping -n 1 \""), std::string::npos) << launches[1].commandLine;
        EXPECT_TRUE(EndsWith(launches[1].commandLine, "\" > \"" + session.startFolder + "\\123.txt\""))
            << launches[1].commandLine;
        for (const Launch& launch : launches) {
            EXPECT_EQ(launch.show, SW_HIDE);
            EXPECT_EQ(LowerPath(launch.folder), LowerPath(session.programFolder));
        }
        EXPECT_GE(launches[1].tick, launches[0].endTick) << "the ping started before the first capture ended";

        EXPECT_EQ(TextOf(session.Control(9)), c.workgroup);
        EXPECT_EQ(IpFieldText(session.Control(3)), c.address);
        EXPECT_FALSE(FileExists(session.startFolder + "\\2345.txt"));
        EXPECT_FALSE(FileExists(session.startFolder + "\\123.txt"));
    }
}

TEST(MainWindow, HasItsTitleSizeAndPlaceAndItsGadgetsWithTheirTexts)
{
    Session session;
    HWND main = session.Main();
    ASSERT_TRUE(main);
    EXPECT_EQ(TextOf(main), mainTitle);
    const SIZE client = ClientSize(main);
    EXPECT_EQ(client.cx, 350);
    EXPECT_EQ(client.cy, 175);
    const RECT outer = ScreenRect(main);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
    EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);
    const LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);

    struct Expected { int id; const char* className; const char* place; const char* text; };
    const Expected gadgets[] = {
        {1, "Button", "300,135 40x20", "Ende"},
        {30, "Button", "245,135 50x20", "Adapter"},
        {31, "Button", "200,135 40x20", " Lan"},
        {3, "SysIPAddress32", "20,75 100x20", nullptr},
        {4, "Static", "180,57 100x16", "Befehlsauswahl"},
        {5, "Static", "20,57 100x16", "IP Adresse"},
        {6, "Static", "260,158 120x20", "Wendelkamm V4.0"},
        {10, "Static", "10,12 100x16", "Benutzername"},
        {11, "Static", "125,12 100x16", "Computername"},
        {12, "Static", "240,12 100x16", "Arbeitsgruppe"},
        {7, "Static", "10,30 100x16", nullptr},
        {8, "Static", "125,30 100x16", nullptr},
        {9, "Static", "240,30 100x16", nullptr},
        {13, "Static", "20,108 300x16", nullptr},
        {14, "Static", "20,123 180x16", nullptr},
        {15, "Static", "20,138 180x16", "OS Version = Windows Future"},
        {16, "Static", "20,153 180x16", "Other   = Service Pack 1"},
    };
    for (const Expected& gadget : gadgets) {
        HWND control = GetDlgItem(main, gadget.id);
        ASSERT_TRUE(control) << gadget.id;
        EXPECT_EQ(ClassNameOf(control), gadget.className) << gadget.id;
        EXPECT_EQ(PlaceText(main, control), gadget.place) << gadget.id;
        if (gadget.text)
            EXPECT_EQ(TextOf(control), gadget.text) << gadget.id;
    }
    EXPECT_EQ(ClassNameOf(session.Control(2)), "ComboBox");
    EXPECT_EQ(ComboSelection(session.Control(2)), -1);

    char user[256] = {}, computer[256] = {};
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    size = sizeof computer;
    GetComputerNameA(computer, &size);
    EXPECT_EQ(TextOf(session.Control(7)), user);
    EXPECT_EQ(TextOf(session.Control(8)), computer);
    EXPECT_EQ(TextOf(session.Control(13)).rfind("CPU-Name = ", 0), 0u);
    const std::string memory = TextOf(session.Control(14));
    ASSERT_EQ(memory.rfind("Memory      =  ", 0), 0u) << memory;
    ASSERT_TRUE(EndsWith(memory, " MB RAM")) << memory;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    const long long megabytes = std::atoll(memory.substr(15).c_str());
    EXPECT_NEAR(megabytes, static_cast<double>(status.ullTotalPhys) / 1048576.0, 1.0);

    // Sunken borders on the three fact fields, centred headings.
    EXPECT_TRUE(GetWindowLongA(session.Control(7), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongA(session.Control(10), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    EXPECT_FALSE(GetWindowLongA(session.Control(13), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST(MainWindow, NamesEachWindowsVersionAndListsXpEntriesOnlyOnXp)
{
    struct Case { const char* version; const char* name; const char* servicePack; size_t entries; };
    const Case cases[] = {
        {"nt40", "Windows NT 4", "Service Pack 6a", 18},
        {"win2k", "Windows 2000", "Service Pack 4", 18},
        {"winxp", "Windows XP", "Service Pack 3", 22},
        {"win98", "Windows 98", " A ", 18},
        {"win10", "Windows Future", "", 18},
    };
    for (const Case& c : cases) {
        SessionOptions options;
        options.exeName = std::string("wk-") + c.version + ".exe";
        options.windowsVersion = c.version;
        Session session(options);
        ASSERT_TRUE(session.Main()) << c.version;
        EXPECT_EQ(TextOf(session.Control(15)), std::string("OS Version = ") + c.name);
        EXPECT_EQ(TextOf(session.Control(16)), std::string("Other   = ") + c.servicePack);
        const std::vector<std::string> entries = ComboEntries(session.Control(2));
        EXPECT_EQ(entries.size(), c.entries) << c.version;
        EXPECT_EQ(entries.at(17), "Net Session (Besucher)");
    }
}

TEST(MainWindow, EndeAndTheCloseBoxEndTheProgramWithExitCodeZero)
{
    for (bool closeBox : {false, true}) {
        Session session;
        ASSERT_TRUE(session.Main());
        closeBox ? PressCloseBox(session.Main()) : Click(session.Control(1));
        EXPECT_EQ(session.WaitForExit(10000), 0u) << (closeBox ? "close box" : "Ende");
    }
}

namespace {

// Counts pixels of exactly this colour in a window's visible screen area.
int PixelsOfColour(HWND window, COLORREF colour)
{
    RECT area = ScreenRect(window);
    RECT parent = ScreenRect(GetParent(window));
    IntersectRect(&area, &area, &parent);
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(screen, x, y) == colour)
                ++count;
    ReleaseDC(nullptr, screen);
    return count;
}

} // namespace

TEST(MainWindow, TabAndShiftTabWalkTheTabStopsAndWrap)
{
    Session session;
    HWND main = session.Main();
    ASSERT_TRUE(main);
    // Tab stops in creation order: Ende, Adapter, " Lan", the menu, the IP field.
    const int order[] = {1, 30, 31, 2, 3};
    auto focusedGadget = [&] {
        HWND focus = FocusOf(session.ThreadId());
        // The IP field passes its focus on to one of its inner edit boxes.
        while (focus && GetParent(focus) != main)
            focus = GetParent(focus);
        return focus ? GetDlgCtrlID(focus) : 0;
    };
    SetForegroundWindow(main);
    PressKey(main, VK_TAB, true);  // from wherever the focus starts
    ASSERT_TRUE(WaitUntil([&] { return focusedGadget() != 0; }, 3000));
    // Twelve Tabs forward, then seven Shift+Tabs back.
    for (int step = 0; step < 19; ++step) {
        const bool back = step >= 12;
        const int before = focusedGadget();
        const int position = static_cast<int>(std::find(order, order + 5, before) - order);
        ASSERT_LT(position, 5) << "focus on gadget " << before;
        PressKey(main, VK_TAB, back);
        const int expected = order[(position + (back ? 4 : 1)) % 5];
        EXPECT_TRUE(WaitUntil([&] { return focusedGadget() == expected; }, 3000))
            << (back ? "Shift+Tab" : "Tab") << " from " << before << " went to " << focusedGadget();
    }
}

TEST(MainWindow, InfoLinkTurnsRedUnderThePointerAndOpensTheInfoBox)
{
    Session session;
    HWND main = session.Main();
    ASSERT_TRUE(main);
    HWND link = session.Control(6);
    const RECT linkArea = ScreenRect(link);
    const RECT mainArea = ScreenRect(main);
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);

    MovePointer(mainArea.left + 20, mainArea.top + 60);
    ASSERT_TRUE(WaitUntil([&] { return PixelsOfColour(link, blue) > 20; }, 5000)) << "not blue at first";
    EXPECT_EQ(PixelsOfColour(link, red), 0);

    MovePointer(linkArea.left + 15, linkArea.top + 6);
    EXPECT_TRUE(WaitUntil([&] { return PixelsOfColour(link, red) > 20; }, 5000)) << "not red under the pointer";
    EXPECT_EQ(PixelsOfColour(link, blue), 0);

    LeftClickAt(linkArea.left + 15, linkArea.top + 6);
    HWND box = WaitForMessageBox(session.ProcessId(), "Info");
    ASSERT_TRUE(box);
    const std::string text = MessageBoxText(box);
    EXPECT_EQ(text.rfind("Wendelkamm 4.0\n", 0), 0u) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos);
    CloseMessageBox(box);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    MovePointer(mainArea.left + 20, mainArea.top + 60);
    EXPECT_TRUE(WaitUntil([&] { return PixelsOfColour(link, blue) > 20; }, 5000)) << "not blue again";
}
