// The InfoLink: a label that behaves like a hyperlink. Blue; red with the
// hand cursor while the pointer is over it; releasing the left button over it
// opens the "Info" box.
#pragma once

#include <windows.h>

// The program's window callback: sees every message of every window first.
LRESULT InfoLinkHook(HWND window, UINT message, WPARAM first, LPARAM second);
