// Tab and Shift+Tab through the accelerator table of the active window.
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "toolkit_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class TabNavigationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareToolkit(); }

    void SetUp() override
    {
        window = WindowOpen(8, 0, 0, 300, 200, 0x00CC0001, "Tab");
        ASSERT_NE(window, nullptr);
        GadgetParentSet(window);
        first = ButtonCreate(41, 10, 10, 80, 25, "Erster");
        LabelCreate(42, 10, 40, 80, 20, "kein Halt");
        ipField = IpFieldCreate(43, 10, 70, 150, 22);
        last = ComboCreate(44, 10, 100, 150, 100);
        ASSERT_TRUE(first && ipField && last);
        SetActiveWindow(window);
        ASSERT_EQ(GetActiveWindow(), window);
        DrainEvents();
    }

    void TearDown() override
    {
        WindowClose(8);
        DrainEvents();
    }

    void Press(bool shift) { PressKey(GetFocus(), VK_TAB, shift); }

    // The IP field hands its focus on to its first inner edit box.
    bool FocusInIpField() const
    {
        HWND focus = GetFocus();
        return focus == ipField || IsChild(ipField, focus);
    }

    HWND window = nullptr;
    HWND first = nullptr;
    HWND ipField = nullptr;
    HWND last = nullptr;
};

} // namespace

TEST_F(TabNavigationTest, TabAndShiftTabMoveOverTabStopsAndWrap)
{
    SetFocus(first);
    Press(false);
    EXPECT_TRUE(FocusInIpField());
    SetFocus(last);
    Press(false);
    EXPECT_EQ(GetFocus(), first);

    Press(true);
    EXPECT_EQ(GetFocus(), last);
    Press(true);
    EXPECT_TRUE(FocusInIpField());
}

TEST_F(TabNavigationTest, TabLeavesTheIpFieldFromAnInnerEditBox)
{
    HWND innerEdit = GetWindow(ipField, GW_CHILD);
    ASSERT_NE(innerEdit, nullptr);
    ASSERT_FALSE(GetWindowLongA(innerEdit, GWL_STYLE) & WS_TABSTOP);

    SetFocus(innerEdit);
    ASSERT_EQ(GetFocus(), innerEdit);
    Press(false);
    EXPECT_EQ(GetFocus(), last);

    SetFocus(innerEdit);
    Press(true);
    EXPECT_EQ(GetFocus(), first);
}

TEST_F(TabNavigationTest, HiddenAndDisabledControlsAreSkipped)
{
    EnableWindow(ipField, FALSE);
    SetFocus(first);
    Press(false);
    EXPECT_EQ(GetFocus(), last);

    EnableWindow(ipField, TRUE);
    ShowWindow(ipField, SW_HIDE);
    Press(true);
    EXPECT_EQ(GetFocus(), first);
}
