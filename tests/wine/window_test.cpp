// Numbered windows, the shared window procedure and the event pump, on real
// windows.
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int TestWindow = 7;

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareToolkit(); }
    void TearDown() override
    {
        WindowHookSet(nullptr);
        WindowCloseAll();
        DrainEvents();
    }
};

RECT ClientRect(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

RECT OuterRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool ClassRegistered(const char* name)
{
    WNDCLASSA info{};
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &info) != FALSE;
}

} // namespace

TEST_F(WindowTest, MainWindowFlagsGiveExactClientAreaCentredOnScreen)
{
    HWND window = WindowOpen(TestWindow, 279, 160, 350, 175, 0x00CC0001, "Test");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowHandle(TestWindow), window);
    EXPECT_EQ(WindowCurrent(), window);

    const RECT client = ClientRect(window);
    EXPECT_EQ(client.right, 350);
    EXPECT_EQ(client.bottom, 175);
    EXPECT_EQ(WindowClientWidth(), 350);
    EXPECT_EQ(WindowClientHeight(), 175);

    const RECT outer = OuterRect(window);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
    EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);

    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(IsWindowVisible(window));

    char title[20] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Test");
    char className[40] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "WindowClass_7");
}

TEST_F(WindowTest, GivenPositionPlacesTheOuterWindowUnlessLargerThanTheScreen)
{
    struct Case { int x, y, width, height; uint32_t flags; LONG left, top; bool minimizeBox; };
    const Case cases[] = {
        {40, 30, 200, 100, 0x00CE0000, 40, 30, true},  // the adapter window
        {500, 500, 3000, 2000, 0x00CC0001, 0, 0, false},
    };
    for (const Case& c : cases) {
        HWND window = WindowOpen(TestWindow, c.x, c.y, c.width, c.height, c.flags, "Placed");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(OuterRect(window).left, c.left) << c.width;
        EXPECT_EQ(OuterRect(window).top, c.top) << c.width;
        EXPECT_EQ((GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZEBOX) != 0, c.minimizeBox) << c.width;
    }
}

TEST_F(WindowTest, CentringOnActiveWindowUsesItsRectangleAndNeverGoesNegative)
{
    HWND anchor = WindowOpen(1, 300, 200, 400, 300, 0x00C00000, "Anchor");
    ASSERT_NE(anchor, nullptr);
    SetActiveWindow(anchor);
    const RECT area = OuterRect(anchor);
    // Wide enough that the platform's minimum window width does not apply.
    HWND child = WindowOpen(2, 0, 0, 200, 60, 0x00C00003, "Centred");
    ASSERT_NE(child, nullptr);
    const RECT outer = OuterRect(child);
    ASSERT_EQ(ClientRect(child).right, 200);
    EXPECT_EQ(outer.left, area.left + (area.right - area.left) / 2 - (outer.right - outer.left) / 2);
    EXPECT_EQ(outer.top, area.top + (area.bottom - area.top) / 2 - (outer.bottom - outer.top) / 2);

    // A large window over a small one in the corner starts at zero.
    HWND small = WindowOpen(1, 0, 0, 100, 50, 0x00C00000, "Small");
    SetActiveWindow(small);
    ASSERT_EQ(GetActiveWindow(), small);
    HWND big = WindowOpen(2, 600, 600, 400, 300, 0x00C00002, "Big");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(OuterRect(big).left, 0);
    EXPECT_EQ(OuterRect(big).top, 0);
}

TEST_F(WindowTest, StartHiddenFlagAloneGivesHiddenCaptionedWindow)
{
    HWND window = WindowOpen(TestWindow, 10, 10, 100, 50, 0x10000000, "Hidden");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
}

TEST_F(WindowTest, ReopeningNumberDestroysOldWindowAndRegistersClassAfresh)
{
    HWND first = WindowOpen(TestWindow, 0, 0, 100, 50, 0x00CC0001, "One");
    ASSERT_NE(first, nullptr);
    HWND second = WindowOpen(TestWindow, 0, 0, 100, 50, 0x00CC0001, "Two");
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(WindowHandle(TestWindow), second);
    EXPECT_TRUE(ClassRegistered("WindowClass_7"));

    WindowClose(TestWindow);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(WindowHandle(TestWindow), nullptr);
    EXPECT_FALSE(ClassRegistered("WindowClass_7"));
    // The current window still names the closed window.
    EXPECT_EQ(WindowCurrent(), second);
    EXPECT_TRUE(ClassRegistered("TemplateClass"));
}

TEST_F(WindowTest, NumbersWithoutWindowDoNothingAndCloseAllClosesEveryNumber)
{
    WindowClose(12345);
    WindowClose(-1);
    EXPECT_EQ(WindowHandle(12345), nullptr);
    EXPECT_EQ(WindowHandle(-3), nullptr);
    EXPECT_EQ(WindowOpen(-1, 0, 0, 10, 10, 0, "x"), nullptr);

    HWND low = WindowOpen(0, 0, 0, 50, 50, 0, "a");
    HWND high = WindowOpen(250, 0, 0, 50, 50, 0, "b");
    ASSERT_TRUE(low && high);
    WindowCloseAll();
    EXPECT_FALSE(IsWindow(low));
    EXPECT_FALSE(IsWindow(high));
    EXPECT_EQ(WindowHandle(250), nullptr);
}

TEST_F(WindowTest, ClientHeightCountsTheMenuBar)
{
    HWND window = WindowOpen(TestWindow, 0, 0, 200, 120, 0x00CC0001, "Menu");
    ASSERT_NE(window, nullptr);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "Datei");
    SetMenu(window, menu);
    EXPECT_EQ(WindowClientHeight(), ClientRect(window).bottom + GetSystemMetrics(SM_CYMENU));
}

TEST_F(WindowTest, CloseRequestsRaiseCloseEventAndKeepTheWindow)
{
    HWND window = WindowOpen(TestWindow, 0, 0, 200, 100, 0x00CC0001, "Close");
    ASSERT_NE(window, nullptr);
    DrainEvents();

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(PumpUntil(EventCloseWindow), EventCloseWindow);
    EXPECT_TRUE(IsWindow(window));

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(PumpUntil(EventCloseWindow), EventCloseWindow);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowTest, ButtonClickAndComboChoiceBecomeGadgetEvents)
{
    HWND window = WindowOpen(TestWindow, 0, 0, 300, 200, 0x00CC0001, "Events");
    GadgetParentSet(window);
    HWND button = ButtonCreate(21, 10, 10, 80, 25, "Ende");
    HWND combo = ComboCreate(22, 10, 50, 150, 200);
    GadgetAddItem(22, -1, "Erster");
    GadgetAddItem(22, -1, "Zweiter");
    DrainEvents();

    PostMessageA(button, BM_CLICK, 0, 0);
    ASSERT_EQ(PumpUntil(EventGadget), EventGadget);
    EXPECT_EQ(EventSource(), 21);
    EXPECT_EQ(EventKind(), 0);

    SetFocus(combo);
    DrainEvents();
    PostMessageA(combo, WM_KEYDOWN, VK_DOWN, 1);
    int kind = -2;
    while (PumpUntil(EventGadget) == EventGadget) {
        EXPECT_EQ(EventSource(), 22);
        kind = EventKind();
        if (kind == CBN_SELCHANGE)
            break;
    }
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(GadgetGetState(22), 0);
}

TEST_F(WindowTest, MessageWithoutEventGivesItsOwnNumberAndNoKind)
{
    HWND window = WindowOpen(TestWindow, 0, 0, 100, 50, 0x00CC0001, "Plain");
    DrainEvents();
    PostMessageA(window, WM_USER + 9, 0, 0);
    EXPECT_EQ(PumpUntil(WM_USER + 9), WM_USER + 9);
    EXPECT_EQ(EventKind(), -1);
}

// The single pending-event slot: an event raised while the program itself
// calls the platform is returned by the next EventWait, which has already
// reset the kind.
TEST_F(WindowTest, EventRaisedDuringProgramCallWaitsForNextEventWait)
{
    HWND window = WindowOpen(TestWindow, 0, 0, 200, 100, 0x00CC0001, "Pending");
    GadgetParentSet(window);
    EditCreate(23, 5, 5, 100, 20, "", 0);
    EditCreate(25, 5, 30, 100, 20, "", 0);
    DrainEvents();

    // Setting the text makes the edit field notify its parent at once; of
    // two such events the last one recorded wins.
    GadgetSetText(25, "def");
    GadgetSetText(23, "abc");
    PostMessageA(window, WM_NULL, 0, 0);
    EXPECT_EQ(EventWait(), EventGadget);
    EXPECT_EQ(EventSource(), 23);
    EXPECT_EQ(EventKind(), -1);
    // The slot is empty again.
    EXPECT_NE(PumpUntil(EventGadget), EventGadget);

    // Raised during EventWait's own dispatch (typing), the kind is kept.
    PostMessageA(GadgetHandle(23), WM_CHAR, 'x', 1);
    EXPECT_EQ(PumpUntil(EventGadget), EventGadget);
    EXPECT_EQ(EventSource(), 23);
    EXPECT_EQ(EventKind(), EN_CHANGE);
}

namespace {
std::vector<UINT> hookMessages;
LRESULT hookAnswer = HookDefault;
UINT hookedMessage = 0;

LRESULT RecordingHook(HWND, UINT message, WPARAM, LPARAM)
{
    hookMessages.push_back(message);
    return message == hookedMessage ? hookAnswer : HookDefault;
}
} // namespace

TEST_F(WindowTest, HookSeesMessagesFirstAndItsAnswerSuppressesTheEvent)
{
    HWND window = WindowOpen(TestWindow, 0, 0, 200, 100, 0x00CC0001, "Hook");
    GadgetParentSet(window);
    HWND button = ButtonCreate(24, 10, 10, 80, 25, "Klick");
    DrainEvents();
    hookMessages.clear();
    hookedMessage = WM_USER + 5;
    hookAnswer = 1234;
    WindowHookSet(RecordingHook);

    EXPECT_EQ(SendMessageA(window, WM_USER + 5, 0, 0), 1234);
    ASSERT_FALSE(hookMessages.empty());
    EXPECT_EQ(hookMessages.back(), static_cast<UINT>(WM_USER + 5));

    // Handing the message back lets the toolkit raise the event.
    hookedMessage = WM_COMMAND;
    hookAnswer = HookDefault;
    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(PumpUntil(EventGadget), EventGadget);

    // A real answer to WM_COMMAND swallows the click.
    hookAnswer = 0;
    hookMessages.clear();
    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_NE(PumpUntil(EventGadget), EventGadget);
    EXPECT_NE(std::find(hookMessages.begin(), hookMessages.end(), static_cast<UINT>(WM_COMMAND)),
              hookMessages.end());

    WindowHookSet(nullptr);
    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(PumpUntil(EventGadget), EventGadget);
}
