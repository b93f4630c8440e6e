#include "toolkit/gadget_rules.h"

namespace {
struct ExtendedListFlag {
    uint32_t flag;
    uint32_t extendedStyle;
};
constexpr ExtendedListFlag ExtendedListFlags[] = {
    {ListGridLinesFlag, GridLinesListStyle},
    {ListFullRowSelectFlag, FullRowSelectListStyle},
    {ListHeaderDragDropFlag, HeaderDragDropListStyle},
    {ListCheckBoxesFlag, CheckBoxesListStyle},
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
