#include "toolkit/event_translation.h"
#include "toolkit/line_reader.h"
#include "toolkit/program_location.h"
#include "toolkit/tab_order.h"
#include "toolkit/window_placement.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(LineReader, EveryLineEndingInAnyReadSizeAndLongLinesCutWithoutBeingHeld)
{
    // A line longer than the limit is cut there; the rest of it, up to its ending, is skipped.
    const std::string full(longestLine, 'x');
    const std::string over = full + "y";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\n\nb", {"a", "", "b"}}, {"", {""}},
        {std::string("\x84\0b", 3), {"\x84", "b"}},  // an OEM umlaut comes back as stored
        {"a\rb\nc", {"a", "b", "c"}}, {"a\r\rb", {"a", "", "b"}}, {"a\r", {"a"}},  // a lone CR ends its line
        {full + "\nb", {full, "b"}}, {over + "\nb", {full, "b"}}, {over, {full}},
        {over + "\r\r\nb", {full, "", "b"}}, {over + std::string("\0z", 2), {full, "z"}},
        {std::string(200000, 'z') + "\r\nshort", {std::string(longestLine, 'z'), "short"}},
    };
    for (const auto& [data, expected] : cases)
        for (size_t piece : {size_t{65536}, size_t{1}}) {  // byte by byte splits CR LF too
            size_t position = 0;
            LineReader reader([&position, &bytes = data, piece](char* buffer, size_t size) {
                const size_t count = bytes.copy(buffer, std::min(piece, size), position);
                position += count;
                return count;  // 0 at the end, as after a failed read
            });
            EXPECT_EQ(reader.AtEnd(), data.empty());
            std::vector<std::string> lines;
            do {
                lines.push_back(reader.ReadLine());
                EXPECT_LE(lines.back().capacity(), 2 * longestLine) << "a long line was held whole";
            } while (!reader.AtEnd());
            EXPECT_EQ(lines, expected) << "piece " << piece << ": " << data.substr(0, 20);
            EXPECT_EQ(reader.ReadLine(), "");
        }
}

TEST(WindowPlacement, FlagsChoosePlacementAndStyleAndCentringClampsAtZero)
{
    using P = WindowPlacement;
    constexpr uint32_t Shown = CaptionStyle | VisibleStyle;
    struct Case { uint32_t flags; P placement; uint32_t style; };
    const Case cases[] = {
        {0, P::AtGivenPosition, Shown}, {0x10000000, P::AtGivenPosition, CaptionStyle},  // hidden
        {0x1, P::CentredOnScreen, Shown}, {0x3, P::CentredOnActiveWindow, Shown},
        {0x10000002, P::CentredOnActiveWindow, CaptionStyle},
        {0x00080000, P::AtGivenPosition, 0x00080000 | VisibleStyle},  // other style bits: no caption
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::pair(DecodeWindowFlags(c.flags).placement, DecodeWindowFlags(c.flags).style),
                  std::pair(c.placement, c.style)) << std::hex << c.flags;
    const std::pair<int, int> edges[] = {
        {CentreOnScreen(201, 768), 284}, {CentreOnScreen(3000, 1024), 0}, {CentreOnSpan(101, 502, 201), 201},
        {CentreOnSpan(0, 100, 600), 0}, {CentreOnSpan(INT32_MAX - 10, INT32_MAX, 0), INT32_MAX - 5},
        {CentreOnSpan(INT32_MIN, INT32_MIN + 10, INT32_MAX), 0},
    };
    for (size_t row = 0; row < std::size(edges); ++row)
        EXPECT_EQ(edges[row].first, edges[row].second) << "row " << row;
}

TEST(EventTranslation, CommandsAndListNotificationsBecomeEventsWithSourceAndKind)
{
    using A = CommandRoute;
    struct Case { uint64_t first; bool fromControl; A action; int source; int kind; };
    const Case cases[] = {
        {0x00010002, true, A::GadgetEvent, 2, 1}, {0xFFFF00C8, true, A::GadgetEvent, 200, 0xFFFF},
        {0x000104BC, true, A::GadgetEvent, 1212, 1}, {0x000104BC, false, A::TabForward, 0, 0},
        {0x000104BD, false, A::TabBackward, 0, 0}, {0x000104BE, false, A::None, 0, 0},
    };
    for (const Case& c : cases) {
        const CommandTranslation t = TranslateCommand(c.first, c.fromControl);
        EXPECT_EQ(t.action, c.action) << std::hex << c.first;
        if (c.action == A::GadgetEvent)
            EXPECT_EQ(std::pair(t.source, t.kind), std::pair(c.source, c.kind)) << std::hex << c.first;
    }
    // NM_CLICK, NM_RCLICK, NM_DBLCLK, LVN_ITEMACTIVATE, NM_RDBLCLK, LVN_ITEMCHANGED, then no events.
    const std::pair<int, std::optional<int>> kinds[] = {
        {-2, 0}, {-5, 1}, {-3, 2}, {-114, 2}, {-6, 3}, {-101, -1}, {-100, {}}, {-12, {}}, {0, {}}};
    for (const auto& [code, kind] : kinds)
        EXPECT_EQ(ListViewNotifyKind(code), kind) << code;
}

// The walk round the main window's tab stops is driven end to end; these are the starts it cannot reach.
TEST(TabOrder, WithoutAFocusedTabStopForwardGoesToTheFirstOrNowhere)
{
    const std::vector<TabWindow> windows = {{true, {}}, {false, {}}, {true, {}}};  // button, label, combo
    EXPECT_EQ(ChooseTabStop(windows, std::nullopt, TabDirection::Forward), 0u);
    EXPECT_EQ(ChooseTabStop(windows, NavigationStart(windows, 1u), TabDirection::Forward), std::nullopt);
}

// Programs are looked for only in the system's folders (S, W) and where the
// system registers them, never by a bare name that the program's folder could answer.
TEST(ProgramLocation, EveryNameOnlyInTheSystemFoldersAndTheRegisteredPath)
{
    using Paths = std::vector<std::string>;
    const struct { const char* program; Paths candidates; const char* registered; } rows[] = {
        {"cmd", {"S\\cmd.exe"}, ""}, {"x.exe", {"S\\x.exe"}, ""}, {"hh.exe", {"W\\hh.exe", "S\\hh.exe"}, ""},
        {"command", {"S\\command.com", "S\\command.exe", "W\\command.com", "W\\command.exe"}, ""},
        {"msinfo32.exe", {"S\\msinfo32.exe"}, "msinfo32.exe"},
        {"MSConfig.EXE", {"S\\msconfig.exe"}, "msconfig.exe"},
        {"C:\\tools\\x.exe", {"C:\\tools\\x.exe"}, ""}, {"", {}, ""},
    };
    for (const auto& row : rows) {
        const ProgramSearch search = ProgramSearchFor(row.program, "S", "W\\");
        EXPECT_EQ(search.candidates, row.candidates) << row.program;
        EXPECT_EQ(search.registeredName, row.registered) << row.program;
    }
    // A folder that could not be read gives no candidate: a bare name would be found in the current directory.
    EXPECT_EQ(ProgramSearchFor("cmd", "", "W").candidates, Paths{});
    // The first candidate that exists, else the registered path if it is a full path that exists.
    const auto find = [](const char* program, Paths existing, const char* registry) {
        const auto exists = [&](const std::string& path) { return std::ranges::count(existing, path) > 0; };
        return FindProgram(ProgramSearchFor(program, "S", "W"), exists, [&](auto&) { return registry; });
    };
    EXPECT_EQ(find("command", {"W\\command.com", "W\\command.exe"}, ""), "W\\command.com");
    EXPECT_EQ(find("msinfo32.exe", {"C:\\P F\\m.exe"}, " \"C:\\P F\\m.exe\" "), "C:\\P F\\m.exe");
    EXPECT_EQ(find("msinfo32.exe", {"S\\msinfo32.exe", "C:\\R"}, "C:\\R"), "S\\msinfo32.exe");
    EXPECT_EQ(find("msinfo32.exe", {}, "C:\\gone.exe"), "") << "found nowhere: not started";
    EXPECT_EQ(find("msinfo32.exe", {"m.exe"}, "\"m.exe\""), "") << "a registered path without a folder";
}
