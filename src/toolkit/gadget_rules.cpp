#include "toolkit/gadget_rules.h"

namespace {
constexpr uint32_t EditFixedStyle = 0x50030080;   // child, visible, group, tab stop, auto h-scroll
constexpr uint32_t LabelFixedStyle = 0x50020000;  // child, visible, group
constexpr uint32_t ListFixedStyle = 0x50010041;   // child, visible, tab stop, report, shared images
constexpr uint32_t ListSingleSelection = 0x4;     // LVS_SINGLESEL

struct ExtendedListFlag {
    uint32_t flag;
    uint32_t extendedStyle;
};
constexpr ExtendedListFlag ExtendedListFlags[] = {
    {0x10000, 0x1},        // LVS_EX_GRIDLINES
    {0x40000000, 0x20},    // LVS_EX_FULLROWSELECT
    {0x10000000, 0x10},    // LVS_EX_HEADERDRAGDROP
    {0x1, 0x4},            // LVS_EX_CHECKBOXES
};
} // namespace

uint32_t EditStyleFromFlags(uint32_t flags)
{
    return flags | EditFixedStyle;
}

uint32_t EditExtendedStyleFromFlags(uint32_t flags)
{
    return (flags & BorderFlag) ? 0 : ClientEdgeStyle;
}

uint32_t LabelStyleFromFlags(uint32_t flags)
{
    return flags | LabelFixedStyle;
}

uint32_t LabelExtendedStyleFromFlags(uint32_t flags)
{
    return (flags & BorderFlag) ? ClientEdgeStyle : 0;
}

uint32_t ListStyleFromFlags(uint32_t flags)
{
    return (flags | ListFixedStyle) ^ ListSingleSelection;
}

uint32_t ListExtendedStyleFromFlags(uint32_t flags)
{
    uint32_t extended = 0;
    for (const ExtendedListFlag& entry : ExtendedListFlags)
        if (flags & entry.flag)
            extended |= entry.extendedStyle;
    return extended;
}

std::vector<std::string> SplitRowText(std::string_view text)
{
    std::vector<std::string> cells;
    size_t begin = 0;
    for (;;) {
        const size_t lineFeed = text.find('\n', begin);
        if (lineFeed == std::string_view::npos) {
            // What follows the last line feed is a cell only when it is not
            // empty; the first cell always exists.
            if (cells.empty() || begin < text.size())
                cells.emplace_back(text.substr(begin));
            return cells;
        }
        cells.emplace_back(text.substr(begin, lineFeed - begin));
        begin = lineFeed + 1;
    }
}
