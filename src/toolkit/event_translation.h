// Which toolkit event a control's notification becomes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Commands that a window's accelerator table sends for Tab and Shift+Tab.
constexpr int TabForwardCommand = 1212;
constexpr int TabBackwardCommand = 1213;

// List-view notification codes (negative numbers in the platform headers,
// held against them in win32_constants_win.cpp).
constexpr int ClickCode = -2;             // NM_CLICK
constexpr int DoubleClickCode = -3;       // NM_DBLCLK
constexpr int RightClickCode = -5;        // NM_RCLICK
constexpr int RightDoubleClickCode = -6;  // NM_RDBLCLK
constexpr int ItemChangedCode = -101;     // LVN_ITEMCHANGED
constexpr int ItemActivateCode = -114;    // LVN_ITEMACTIVATE

// A WM_NOTIFY sender counts as a list view when its class name starts with
// "SysL".
bool IsListViewClassName(std::string_view className);

// The event kind that a list view's notification code raises, or none when
// the code raises no event. LVN_ITEMCHANGED raises an event of kind -1.
std::optional<int> ListViewNotifyKind(int code);

enum class CommandRoute { None, GadgetEvent, TabForward, TabBackward };

struct CommandTranslation {
    CommandRoute action;
    int source;  // the control's identity, for GadgetEvent
    int kind;    // the control's notification code, for GadgetEvent
};

// WM_COMMAND: `first` is the message's first parameter; `fromControl` tells
// whether a control handle came with it (otherwise an accelerator sent it).
CommandTranslation TranslateCommand(uint64_t first, bool fromControl);
