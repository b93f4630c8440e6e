// Start-up: folders, capture commands and the facts the main window shows.
#pragma once

#include <windows.h>

void StartUp(HINSTANCE instance);
