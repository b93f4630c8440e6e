#include "toolkit/event_translation.h"
#include "toolkit/gadget_rules.h"
#include "toolkit/line_reader.h"
#include "toolkit/program_location.h"
#include "toolkit/tab_order.h"
#include "toolkit/text.h"
#include "toolkit/window_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

TEST(TextOperations, PositionsCountsSeparatorsAndNumbersAtTheirEdges)
{
    const std::pair<int32_t, int32_t> numbers[] = {
        {FindText("abcabc", "c", 4), 6}, {FindText("abc", "x", 1), 0}, {FindText("abc", "c", 0), 3},
        {FindText("abc", "c", -5), 3}, {FindText("abc", "c", 4), 0}, {FindText("abc", "abcd", 1), 0},
        {FindText("", "a", 1), 0}, {FindText("aaa", "aa", 2), 2}, {FindText("Abc", "a", 1), 0},
        {ParseInteger("  -12x"), -12}, {ParseInteger(" +7"), 7}, {ParseInteger("x1"), 0},
        {ParseInteger(""), 0}, {ParseInteger("\t5"), 0}, {ParseInteger("--5"), 0}, {ParseInteger("007"), 7},
        {ParseInteger("12 34"), 12}, {ParseInteger("2147483647"), INT32_MAX},
        {ParseInteger("-2147483648"), INT32_MIN}, {ParseInteger("2147483648"), INT32_MIN},  // wraps mod 2^32
        {ParseInteger("4294967296"), 0}, {ParseInteger("4294967297"), 1},
        {ParseInteger("99999999999999999999"), static_cast<int32_t>(0x630FFFFFu)},
    };
    for (size_t row = 0; row < std::size(numbers); ++row)
        EXPECT_EQ(numbers[row].first, numbers[row].second) << "number row " << row;
    const std::pair<std::string, const char*> texts[] = {
        {MidText("abcdef", 3, 2), "cd"}, {MidText("abc", 0, 2), "ab"}, {MidText("abc", 5, 2), ""},
        {MidText("abc", 2, 0), ""}, {MidText("abc", 2, -1), ""}, {MidText("abc", 2, 100), "bc"},
        {FieldOf("a.b..c", 3, "."), ""}, {FieldOf("a.b..c", 4, "."), "c"}, {FieldOf("a.b..c", 5, "."), ""},
        {FieldOf("abc", 2, "."), ""}, {FieldOf("abc", 0, "."), "abc"}, {FieldOf("a<b", 1, "<x"), "a"},
        {FieldOf("a.b", 2, ""), "a.b"}, {FieldOf("", 1, "."), ""}, {FieldOf("a.", 2, "."), ""},
        {RemoveAll(" 1 2  3 ", " "), "123"}, {RemoveAll("aaa", "aa"), "a"}, {RemoveAll("", " "), ""},
        {RemoveAll("abc", ""), "abc"},
    };
    for (size_t row = 0; row < std::size(texts); ++row)
        EXPECT_EQ(texts[row].first, texts[row].second) << "text row " << row;
}

TEST(LineReader, SplitsAtEveryLineEndingWhateverTheReadSizeAndDetectsTheEnd)
{
    using Lines = std::vector<std::string>;
    // A line longer than the work area is cut there; the rest of it, up to its ending, is skipped.
    const std::string full(longestLine, 'x'), over = full + "y";
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\n\nb", {"a", "", "b"}}, {"last", {"last"}}, {"", {""}},
        {std::string("a\0b", 3), {"a", "b"}}, {"\xFC\x84\n", {"\xFC\x84"}},
        // A lone CR ends its line and keeps the next byte.
        {"a\rb\nc", {"a", "b", "c"}}, {"a\r\rb", {"a", "", "b"}}, {"a\r", {"a"}},
        {full + "\nb", {full, "b"}}, {over + "\nb", {full, "b"}}, {over, {full}},
        {std::string(200000, 'z') + "\r\nshort\r\n", {std::string(longestLine, 'z'), "short"}},
        {full + "\rb", {full, "b"}}, {over + "yy\rb\n", {full, "b"}}, {over + "\r\r\nb", {full, "", "b"}},
        {over + std::string("\0z", 2), {full, "z"}}, {"a\n" + over + "\n", {"a", full}},
    };
    for (const auto& [data, expected] : cases)
        for (size_t piece : {size_t{4096}, size_t{1}}) {  // byte by byte splits CR LF too
            size_t position = 0;
            LineReader reader([&position, &bytes = data, piece](char* buffer, size_t size) {
                const size_t count = bytes.copy(buffer, piece < size ? piece : size, position);
                position += count;
                return count;  // 0 at the end, as after a failed read
            });
            EXPECT_EQ(reader.AtEnd(), data.empty());
            Lines lines;
            do
                lines.push_back(reader.ReadLine());
            while (!reader.AtEnd());
            EXPECT_EQ(lines, expected) << "piece " << piece << ": " << data.substr(0, 20);
            EXPECT_EQ(reader.ReadLine(), "");
        }
}

TEST(LineReader, CaptureOfManyMegabytesWithoutLineBreakIsWalkedOverNotHeld)
{
    // The reader is fed from a generator: nothing of this size is ever stored by the test.
    constexpr size_t filler = size_t{64} << 20;
    const std::string tail = "\r\nArbeitsstationsdom\x84ne  GRUPPE\r\n";
    size_t fed = 0;
    LineReader reader([&](char* buffer, size_t size) {
        const size_t count = fed < filler ? std::min(size, filler - fed)
                                          : tail.copy(buffer, size, std::min(fed - filler, tail.size()));
        if (fed < filler)
            std::memset(buffer, 'x', count);
        fed += count;
        return count;
    });
    const std::string first = reader.ReadLine();
    EXPECT_EQ(first.size(), longestLine);
    EXPECT_LE(first.capacity(), 2 * longestLine);
    EXPECT_EQ(reader.ReadLine(), "Arbeitsstationsdom\x84ne  GRUPPE");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(WindowPlacement, FlagsChoosePlacementAndStyleAndCentringClampsAtZero)
{
    using P = WindowPlacement;
    constexpr uint32_t Visible = 0x10000000, Caption = 0x00C00000;
    struct Case { uint32_t flags; P placement; uint32_t style; };
    const Case cases[] = {
        {0, P::AtGivenPosition, Caption | Visible}, {0x10000000, P::AtGivenPosition, Caption},  // hidden
        {0x1, P::CentredOnScreen, Caption | Visible}, {0x2, P::CentredOnActiveWindow, Caption | Visible},
        {0x3, P::CentredOnActiveWindow, Caption | Visible}, {0x10000001, P::CentredOnScreen, Caption},
        {0x00CC0001, P::CentredOnScreen, 0x00CC0000 | Visible},
        {0x00CE0000, P::AtGivenPosition, 0x00CE0000 | Visible},
        // Any other style bits suppress the caption.
        {0x00080000, P::AtGivenPosition, 0x00080000 | Visible}, {0x10080000, P::AtGivenPosition, 0x00080000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::pair(DecodeWindowFlags(c.flags).placement, DecodeWindowFlags(c.flags).style),
                  std::pair(c.placement, c.style)) << std::hex << c.flags;
    const std::pair<int, int> edges[] = {
        {CentreOnScreen(356, 1024), 334}, {CentreOnScreen(201, 768), 284}, {CentreOnScreen(3000, 1024), 0},
        {CentreOnScreen(1024, 1024), 0}, {CentreOnSpan(100, 500, 200), 200}, {CentreOnSpan(0, 100, 600), 0},
        {CentreOnSpan(101, 502, 201), 201}, {CentreOnSpan(900, 1100, 100), 950},
        {CentreOnSpan(INT32_MAX - 10, INT32_MAX, 0), INT32_MAX - 5}, {CentreOnSpan(-50, 50, 10), 0},
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
        {0x00000001, true, A::GadgetEvent, 1, 0}, {0x00010002, true, A::GadgetEvent, 2, 1},
        {0x0300000F, true, A::GadgetEvent, 15, 0x300}, {0xFFFF00C8, true, A::GadgetEvent, 200, 0xFFFF},
        {0x000104BC, true, A::GadgetEvent, 1212, 1}, {0x000104BC, false, A::TabForward, 0, 0},
        {0x000104BD, false, A::TabBackward, 0, 0}, {0x000104BE, false, A::None, 0, 0},
        {0x00000001, false, A::None, 0, 0},
    };
    for (const Case& c : cases) {
        const CommandTranslation t = TranslateCommand(c.first, c.fromControl);
        EXPECT_EQ(t.action, c.action) << std::hex << c.first;
        if (c.action == A::GadgetEvent)
            EXPECT_EQ(std::pair(t.source, t.kind), std::pair(c.source, c.kind)) << std::hex << c.first;
    }
    // NM_CLICK, NM_RCLICK, NM_DBLCLK, LVN_ITEMACTIVATE, NM_RDBLCLK, LVN_ITEMCHANGED, then no events.
    const std::pair<int, std::optional<int>> kinds[] = {
        {-2, 0}, {-5, 1}, {-3, 2}, {-114, 2}, {-6, 3}, {-101, -1}, {-100, {}}, {-12, {}}, {0, {}}, {-7, {}}};
    for (const auto& [code, kind] : kinds)
        EXPECT_EQ(ListViewNotifyKind(code), kind) << code;
    EXPECT_TRUE(IsListViewClassName("SysListView32") && !IsListViewClassName("SysIPAddress32"));
}

TEST(TabOrder, MovesOnWrapsAndStartsFromTheTabStopHoldingTheFocus)
{
    constexpr std::optional<size_t> None;
    constexpr TabDirection Forward = TabDirection::Forward, Backward = TabDirection::Backward;
    // 0 button, 1 label (no tab stop), 2 IP field with its inner edits 3..6, 7 combo.
    const std::vector<TabWindow> windows = {{true, None}, {false, None}, {true, None}, {false, 2u},
                                            {false, 2u}, {false, 2u}, {false, 2u}, {true, None}};
    struct Case { std::optional<size_t> focused; TabDirection direction; std::optional<size_t> expected; };
    const Case cases[] = {
        {0, Forward, 2}, {2, Forward, 7}, {7, Forward, 0}, {None, Forward, 0},
        {7, Backward, 2}, {2, Backward, 0}, {0, Backward, 7}, {None, Backward, 7},
        {1, Forward, None}, {1, Backward, 7},  // a start that is no tab stop
        {3, Forward, 7}, {6, Backward, 0},      // the caret inside the IP field
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseTabStop(windows, NavigationStart(windows, c.focused), c.direction), c.expected)
            << "from " << c.focused.value_or(99) << " dir " << static_cast<int>(c.direction);
    EXPECT_EQ(ChooseTabStop({{false, None}}, None, Forward), None);
    EXPECT_EQ(ChooseTabStop({{true, None}}, 0u, Backward), 0u);
}

TEST(GadgetRules, ExtendedStylesFromFlags)
{
    // Flag 0x20000 means "border" on a label but "no border" on an edit field.
    struct Case { uint32_t flags, list, edit, label; };
    for (const Case& c : {Case{0, 0, 0x200, 0}, Case{0x4, 0, 0x200, 0}, Case{0x20000, 0, 0, 0x200},
                          Case{0x10000, 0x1, 0x200, 0}, Case{0x40000000, 0x20, 0x200, 0},
                          Case{0x40010008, 0x21, 0x200, 0}, Case{0x50010001, 0x35, 0x200, 0}})
        EXPECT_EQ((std::array{ListExtendedStyleFromFlags(c.flags), EditExtendedStyleFromFlags(c.flags),
                              LabelExtendedStyleFromFlags(c.flags)}),
                  (std::array{c.list, c.edit, c.label})) << std::hex << c.flags;
}

// Programs are looked for only in the system's folders (S, W) and where the
// system registers them, never by a bare name that the program's folder
// could answer.
TEST(ProgramLocation, EveryNameOnlyInTheSystemFoldersAndTheRegisteredPath)
{
    using Paths = std::vector<std::string>;
    const struct { const char* program; Paths candidates; const char* registered; } rows[] = {
        {"cmd", {"S\\cmd.exe"}, ""},
        {"command", {"S\\command.com", "S\\command.exe", "W\\command.com", "W\\command.exe"}, ""},
        {"winver", {"S\\winver.exe"}, ""},
        {"control", {"S\\control.exe"}, ""},
        {"hh.exe", {"W\\hh.exe", "S\\hh.exe"}, ""},
        {"msinfo32.exe", {"S\\msinfo32.exe"}, "msinfo32.exe"},
        {"msconfig", {"S\\msconfig.exe"}, "msconfig.exe"},
        {"MSConfig.EXE", {"S\\msconfig.exe"}, "msconfig.exe"},
        {"notepad.exe", {"S\\notepad.exe"}, ""},
        {"C:\\tools\\x.exe", {"C:\\tools\\x.exe"}, ""},
        {"", {}, ""},
    };
    for (const auto& row : rows) {
        const ProgramSearch search = ProgramSearchFor(row.program, "S", "W\\");
        EXPECT_EQ(search.candidates, row.candidates) << row.program;
        EXPECT_EQ(search.registeredName, row.registered) << row.program;
    }
    // The first candidate that exists, else the registered path if it exists.
    const auto find = [](const char* program, Paths existing, const char* registered) {
        return FindProgram(ProgramSearchFor(program, "S", "W"),
                           [&](const std::string& path) {
                               return std::find(existing.begin(), existing.end(), path) != existing.end();
                           },
                           [&](const std::string& name) { return name == "msinfo32.exe" ? registered : ""; });
    };
    EXPECT_EQ(find("command", {"W\\command.com", "W\\command.exe"}, ""), "W\\command.com");
    EXPECT_EQ(find("hh.exe", {"S\\hh.exe"}, ""), "S\\hh.exe");
    EXPECT_EQ(find("cmd", {}, ""), "") << "found nowhere: not started";
    EXPECT_EQ(find("msinfo32.exe", {"C:\\P F\\msinfo32.exe"}, " \"C:\\P F\\msinfo32.exe\" "),
              "C:\\P F\\msinfo32.exe");
    EXPECT_EQ(find("msinfo32.exe", {"S\\msinfo32.exe", "R"}, "R"), "S\\msinfo32.exe");
    EXPECT_EQ(find("msinfo32.exe", {}, "C:\\gone.exe"), "") << "a registered path that does not exist";
    EXPECT_EQ(find("msinfo32.exe", {""}, "\"\""), "") << "an empty registered path";
    EXPECT_EQ(find("msinfo32.exe", {"msinfo32.exe"}, "msinfo32.exe"), "") << "a registered path without a folder";
    // A folder that could not be read gives no candidate: a bare name would be found in the current directory.
    EXPECT_EQ(ProgramSearchFor("cmd", "", "W").candidates, Paths{});
    EXPECT_EQ(ProgramSearchFor("hh.exe", "", "W").candidates, Paths{"W\\hh.exe"});
    EXPECT_EQ(ProgramSearchFor("command", "S", "").candidates, (Paths{"S\\command.com", "S\\command.exe"}));
}
