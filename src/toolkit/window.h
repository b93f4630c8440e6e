// Numbered top-level windows and the event pump.
#pragma once

#include "toolkit/window_placement.h"  // the flag word's own bits

#include <windows.h>

#include <cstdint>
#include <string_view>

// Event codes that EventWait returns; any other value is the number of a
// message that raised no event.
constexpr int EventGadget = 13100;
constexpr int EventCloseWindow = WM_CLOSE;

// The program's window callback sees every message of every window first.
// Returning HookDefault hands the message back to the toolkit; any other
// value is the message's result.
constexpr LRESULT HookDefault = static_cast<int32_t>(0xE0E0E0E1u);
using WindowHook = LRESULT (*)(HWND window, UINT message, WPARAM first, LPARAM second);

void WindowsInit(HINSTANCE instance);

// Opens window `number` (closing one already open under it) with a client
// area of width x height; returns its handle or 0.
HWND WindowOpen(int number, int x, int y, int width, int height, uint32_t flags,
                std::string_view title);
void WindowClose(int number);
void WindowCloseAll();
HWND WindowHandle(int number);
HWND WindowCurrent();
int WindowClientWidth();
int WindowClientHeight();
void WindowHookSet(WindowHook hook);

int EventWait();
int EventSource();
int EventKind();
