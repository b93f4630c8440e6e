// Tab and Shift+Tab: which descendant of the active window gets the focus.
// The windows are given in the order in which the platform enumerates the
// active window's descendants.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

struct TabWindow {
    bool isTabStop;  // enabled, visible and with WS_TABSTOP
    // Index of the parent in the same list; none when the parent is the
    // active window itself.
    std::optional<size_t> parent;
};

enum class TabDirection { Forward, Backward };

// Where navigation starts: the focused window when it is a tab stop or lies
// inside none; otherwise its nearest ancestor that is a tab stop, so that the
// caret in a compound control (the IP field's inner edit boxes) does not
// trap the keyboard user.
std::optional<size_t> NavigationStart(const std::vector<TabWindow>& windows,
                                      std::optional<size_t> focused);

// The window that gets the focus, or none when the focus stays.
// Forward: the first tab stop after the start, wrapping to the first; with
// no start the first. A start that is not a tab stop moves nothing.
// Backward: the tab stop before the start; when the start is the first tab
// stop, or was not met, the last.
std::optional<size_t> ChooseTabStop(const std::vector<TabWindow>& windows,
                                    std::optional<size_t> start, TabDirection direction);
