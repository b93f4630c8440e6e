#include "toolkit/tab_order.h"

namespace {

std::optional<size_t> ChooseForward(const std::vector<TabWindow>& windows,
                                    std::optional<size_t> start)
{
    std::optional<size_t> first;
    bool startSeen = false;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (!windows[i].isTabStop)
            continue;
        if (!first)
            first = i;
        if (startSeen)
            return i;
        if (start == i)
            startSeen = true;
    }
    // No start, or the start was the last tab stop: wrap to the first.
    if (!start || startSeen)
        return first;
    return std::nullopt;
}

std::optional<size_t> ChooseBackward(const std::vector<TabWindow>& windows,
                                     std::optional<size_t> start)
{
    std::optional<size_t> previous;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (!windows[i].isTabStop)
            continue;
        if (start == i && previous)
            return previous;
        previous = i;
    }
    return previous;  // the last tab stop, if any
}

} // namespace

std::optional<size_t> NavigationStart(const std::vector<TabWindow>& windows,
                                      std::optional<size_t> focused)
{
    if (!focused || *focused >= windows.size())
        return std::nullopt;
    std::optional<size_t> current = focused;
    // The step limit guards against a parent chain that loops.
    for (size_t steps = 0; current && *current < windows.size() && steps <= windows.size();
         ++steps) {
        if (windows[*current].isTabStop)
            return current;
        current = windows[*current].parent;
    }
    return focused;
}

std::optional<size_t> ChooseTabStop(const std::vector<TabWindow>& windows,
                                    std::optional<size_t> start, TabDirection direction)
{
    return direction == TabDirection::Forward ? ChooseForward(windows, start)
                                              : ChooseBackward(windows, start);
}
