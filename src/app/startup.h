// Start-up: folders, capture commands and the facts the main window shows.
#pragma once

#include <windows.h>

void StartUp(HINSTANCE instance);

// Reads the own address from the start-up ping's capture into the IP field,
// asking once more over IPv4 when the ping answered over IPv6.
void ReadStartAddress();
