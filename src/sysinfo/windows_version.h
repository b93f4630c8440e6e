// Which Windows the program runs on, as a code, a name and a service pack.
#pragma once

#include <cstdint>
#include <string>

// 5 NT 3.51, 10 Win95, 20 NT 4, 30 Win98, 40 ME, 50 Win2000, 60 XP,
// 100 anything else (also a failed query).
constexpr int OsCodeWindowsXp = 60;
constexpr int OsCodeUnknown = 100;

// The platform ids of GetVersionExA (held against their names in
// windows_version_win.cpp).
constexpr uint32_t PlatformWindows9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t PlatformNt = 2;         // VER_PLATFORM_WIN32_NT

int OsVersionCodeFor(uint32_t platformId, uint32_t major, uint32_t minor);
const char* WindowsNameFor(int osVersionCode);

// These ask the platform anew on every call.
int OsVersionCode();
std::string WindowsName();
std::string ServicePackText();  // "Unable." when the query fails
