// Where a new window goes and which style it gets: the toolkit's own reading
// of the WindowFlags word, kept apart from the platform calls.
#pragma once

#include <cstdint>

enum class WindowPlacement { AtGivenPosition, CentredOnScreen, CentredOnActiveWindow };

struct DecodedWindowFlags {
    WindowPlacement placement;
    uint32_t style;  // the window style handed to the platform
};

// Same values as the platform's WS_CAPTION and WS_VISIBLE (held against
// them in win32_constants_win.cpp; this file builds without its headers).
constexpr uint32_t CaptionStyle = 0x00C00000;
constexpr uint32_t VisibleStyle = 0x10000000;

// The flag word's own bits; its other bits are window styles (WS_*).
constexpr uint32_t CentreOnScreenFlag = 0x1;
constexpr uint32_t CentreOnActiveFlag = 0x2;
constexpr uint32_t StartHiddenFlag = 0x10000000;

// Bits 0 and 1 choose the placement (bit 1 wins) and are removed; a rest of
// 0 or exactly 0x10000000 gets a caption; bit 28 is then inverted, because
// in the flag word it means "start hidden" while in the style it means
// "visible".
DecodedWindowFlags DecodeWindowFlags(uint32_t flags);

// Left (or top) edge of a window `outer` pixels wide (or high) centred on a
// screen `screen` pixels wide: one too large for the screen starts at 0.
int CentreOnScreen(int outer, int screen);

// Left (or top) edge of a window `outer` pixels wide centred on the span
// [low, high] of the active window, never negative. There is no clamping at
// the far edge.
int CentreOnSpan(int low, int high, int outer);
