// The LAN window: the computers of the local network with their addresses,
// and a "Refresh" button that searches again.
#pragma once

#include "lan/server_enumeration.h"

#include <windows.h>

#include <string_view>

// The window's number and its gadgets' numbers.
constexpr int LanWindowNumber = 100;
constexpr int LanRefreshButton = 111;
constexpr int LanListGadget = 200;

// Opens the window, searches once and runs the window's loop until any
// window of the program is asked to close. The window is still open when
// this returns; the caller closes it.
void RunLanWindow(const LanServices& services = {});

// Opens the window with the "Refresh" button and the list; returns the
// window, or 0 when it could not be opened.
HWND OpenLanWindow();
// The search message, the server lines and "Ende der Liste".
void LanSearchPass(const LanServices& services = {});
// Adds CR LF and `line` at the end of the list and scrolls to its end.
void AppendLine(std::string_view line);
