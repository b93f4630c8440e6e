#include "toolkit/event_translation.h"
#include "toolkit/tab_order.h"
#include "toolkit/window_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
constexpr uint32_t Visible = 0x10000000;
constexpr uint32_t Caption = 0x00C00000;
} // namespace

TEST(DecodeWindowFlags, ChoosesPlacementAndStyle)
{
    struct Case {
        uint32_t flags;
        WindowPlacement placement;
        uint32_t style;
    };
    const Case cases[] = {
        // Nothing asked for: a visible captioned window at the given place.
        {0, WindowPlacement::AtGivenPosition, Caption | Visible},
        // Only "start hidden": still gets a caption, and is not visible.
        {0x10000000, WindowPlacement::AtGivenPosition, Caption},
        // Bits 0 and 1 alone leave nothing else, so a caption is added.
        {0x1, WindowPlacement::CentredOnScreen, Caption | Visible},
        {0x2, WindowPlacement::CentredOnActiveWindow, Caption | Visible},
        {0x3, WindowPlacement::CentredOnActiveWindow, Caption | Visible},
        {0x10000001, WindowPlacement::CentredOnScreen, Caption},
        // The main and LAN windows, and the adapter window.
        {0x00CC0001, WindowPlacement::CentredOnScreen, 0x00CC0000 | Visible},
        {0x00CE0000, WindowPlacement::AtGivenPosition, 0x00CE0000 | Visible},
        // Any other style bits suppress the caption.
        {0x00080000, WindowPlacement::AtGivenPosition, 0x00080000 | Visible},
        {0x10080000, WindowPlacement::AtGivenPosition, 0x00080000},
    };
    for (const Case& c : cases) {
        const DecodedWindowFlags decoded = DecodeWindowFlags(c.flags);
        EXPECT_EQ(decoded.placement, c.placement) << std::hex << c.flags;
        EXPECT_EQ(decoded.style, c.style) << std::hex << c.flags;
    }
}

TEST(CentreOnScreen, UsesIntegerHalvesAndStartsOversizedWindowsAtZero)
{
    EXPECT_EQ(CentreOnScreen(356, 1024), 334);   // 512 - 178
    EXPECT_EQ(CentreOnScreen(201, 768), 284);    // 384 - 100
    EXPECT_EQ(CentreOnScreen(1024, 1024), 0);
    EXPECT_EQ(CentreOnScreen(3000, 1024), 0);    // wider than the screen
    EXPECT_EQ(CentreOnScreen(1, 1), 0);
}

TEST(CentreOnSpan, CentresOnActiveWindowAndClampsAtZeroOnly)
{
    EXPECT_EQ(CentreOnSpan(100, 500, 200), 200);   // 100 + 200 - 100
    EXPECT_EQ(CentreOnSpan(101, 502, 201), 201);   // 101 + 200 - 100
    // A large window over a small one in the top-left corner.
    EXPECT_EQ(CentreOnSpan(0, 100, 600), 0);
    EXPECT_EQ(CentreOnSpan(-50, 50, 10), 0);
    // No clamping at the right or bottom edge.
    EXPECT_EQ(CentreOnSpan(900, 1100, 100), 950);
    // Absurd rectangles do not overflow.
    EXPECT_EQ(CentreOnSpan(INT_MAX - 10, INT_MAX, 0), INT_MAX - 5);
    EXPECT_EQ(CentreOnSpan(INT_MIN, INT_MIN + 10, INT_MAX), 0);
}

TEST(ListViewNotifyKind, MapsClicksActivationAndChanges)
{
    struct Case {
        int code;
        std::optional<int> kind;
    };
    const Case cases[] = {
        {-2, 0},     // NM_CLICK
        {-5, 1},     // NM_RCLICK
        {-3, 2},     // NM_DBLCLK
        {-114, 2},   // LVN_ITEMACTIVATE
        {-6, 3},     // NM_RDBLCLK
        {-101, -1},  // LVN_ITEMCHANGED: an event without kind
        {-100, std::nullopt}, {-12, std::nullopt}, {0, std::nullopt}, {-7, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListViewNotifyKind(c.code), c.kind) << c.code;
}

TEST(IsListViewClassName, LooksAtTheFirstFourCharacters)
{
    EXPECT_TRUE(IsListViewClassName("SysListView32"));
    EXPECT_TRUE(IsListViewClassName("SysL"));
    EXPECT_FALSE(IsListViewClassName("SysIPAddress32"));
    EXPECT_FALSE(IsListViewClassName("sysListView32"));
    EXPECT_FALSE(IsListViewClassName("Sys"));
    EXPECT_FALSE(IsListViewClassName(""));
}

TEST(TranslateCommand, ControlsRaiseEventsAcceleratorsNavigate)
{
    struct Case {
        uint64_t first;
        bool fromControl;
        CommandAction action;
        int source;
        int kind;
    };
    const Case cases[] = {
        {0x00000001, true, CommandAction::GadgetEvent, 1, 0},         // BN_CLICKED
        {0x00010002, true, CommandAction::GadgetEvent, 2, 1},         // CBN_SELCHANGE
        {0x0300000F, true, CommandAction::GadgetEvent, 15, 0x300},    // EN_CHANGE
        {0xFFFF00C8, true, CommandAction::GadgetEvent, 200, 0xFFFF},
        {0x000104BC, true, CommandAction::GadgetEvent, 1212, 1},      // a control numbered 1212
        {0x000104BC, false, CommandAction::TabForward, 0, -1},
        {0x000104BD, false, CommandAction::TabBackward, 0, -1},
        {0x000104BE, false, CommandAction::None, 0, -1},
        {0x00000001, false, CommandAction::None, 0, -1},
    };
    for (const Case& c : cases) {
        const CommandTranslation t = TranslateCommand(c.first, c.fromControl);
        EXPECT_EQ(t.action, c.action) << std::hex << c.first;
        if (c.action == CommandAction::GadgetEvent) {
            EXPECT_EQ(t.source, c.source) << std::hex << c.first;
            EXPECT_EQ(t.kind, c.kind) << std::hex << c.first;
        }
    }
}

namespace {
constexpr std::optional<size_t> None = std::nullopt;

// A flat window: buttons a, b, c are tab stops, the label in between is not.
//   0 a   1 label   2 b   3 c
std::vector<TabWindow> FlatWindow()
{
    return {{true, None}, {false, None}, {true, None}, {true, None}};
}

std::optional<size_t> Next(const std::vector<TabWindow>& windows, std::optional<size_t> focused,
                           TabDirection direction)
{
    return ChooseTabStop(windows, NavigationStart(windows, focused), direction);
}
} // namespace

TEST(ChooseTabStop, MovesOnWrapsAndStopsWhereTheRulesSay)
{
    const auto flat = FlatWindow();
    const std::vector<TabWindow> noStops = {{false, None}, {false, None}};
    const std::vector<TabWindow> single = {{true, None}};
    constexpr TabDirection Forward = TabDirection::Forward, Backward = TabDirection::Backward;
    struct Case {
        const std::vector<TabWindow>* windows;
        std::optional<size_t> focused;
        TabDirection direction;
        std::optional<size_t> expected;
    };
    const Case cases[] = {
        // Forward moves on and wraps to the first; no focus starts there.
        {&flat, 0, Forward, 2}, {&flat, 2, Forward, 3}, {&flat, 3, Forward, 0}, {&flat, None, Forward, 0},
        // Backward moves back and wraps to the last.
        {&flat, 3, Backward, 2}, {&flat, 2, Backward, 0}, {&flat, 0, Backward, 3}, {&flat, None, Backward, 3},
        // A start that is no tab stop stops forward but not backward.
        {&flat, 1, Forward, None}, {&flat, 1, Backward, 3},
        // No tab stops move nothing; a single one keeps the focus.
        {&noStops, None, Forward, None}, {&noStops, 0, Backward, None},
        {&single, 0, Forward, 0}, {&single, 0, Backward, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Next(*c.windows, c.focused, c.direction), c.expected)
            << c.windows->size() << " windows, from " << c.focused.value_or(99) << " dir "
            << static_cast<int>(c.direction);
    EXPECT_EQ(Next({}, None, Forward), None);
}

// The IP field is a tab stop whose four inner edit boxes are its children
// and are no tab stops themselves.
//   0 button   1 ip field   2..5 its edits   6 combo
TEST(NavigationStart, FocusInsideACompoundControlStartsFromThatControl)
{
    const std::vector<TabWindow> windows = {
        {true, None}, {true, None}, {false, 1u}, {false, 1u},
        {false, 1u},  {false, 1u},  {true, None},
    };
    for (size_t edit = 2; edit <= 5; ++edit) {
        EXPECT_EQ(NavigationStart(windows, edit), 1u) << edit;
        EXPECT_EQ(Next(windows, edit, TabDirection::Forward), 6u) << edit;
        EXPECT_EQ(Next(windows, edit, TabDirection::Backward), 0u) << edit;
    }
}

TEST(NavigationStart, UsesTheNearestTabStopAncestorAndOtherwiseTheFocus)
{
    // 0 group (tab stop)  1 panel (no tab stop, in 0)  2 edit (no tab stop, in 1)
    // 3 lone label (no tab stop, parent is the window)
    const std::vector<TabWindow> windows = {
        {true, None}, {false, 0u}, {false, 1u}, {false, None},
    };
    EXPECT_EQ(NavigationStart(windows, 2u), 0u);
    EXPECT_EQ(NavigationStart(windows, 0u), 0u);
    EXPECT_EQ(NavigationStart(windows, 3u), 3u);
    EXPECT_EQ(NavigationStart(windows, None), None);
    EXPECT_EQ(NavigationStart(windows, 9u), None);
}

TEST(NavigationStart, SurvivesAParentChainThatLoops)
{
    const std::vector<TabWindow> windows = {{false, 1u}, {false, 0u}, {true, None}};
    EXPECT_EQ(NavigationStart(windows, 0u), 0u);
}
