#include "sysinfo/windows_version.h"

int OsVersionCodeFor(uint32_t platformId, uint32_t major, uint32_t minor)
{
    if (platformId == PlatformWindows9x) {
        // The 9x line is told apart by its minor number alone.
        switch (minor) {
        case 0: return 10;
        case 10: return 30;
        case 90: return 40;
        default: return OsCodeUnknown;
        }
    }
    if (platformId == PlatformNt) {
        if (major == 3)
            return 5;
        if (major == 4)
            return 20;
        if (major == 5 && minor == 0)
            return 50;
        if (major == 5 && minor == 1)
            return OsCodeWindowsXp;
    }
    return OsCodeUnknown;
}

const char* WindowsNameFor(int osVersionCode)
{
    switch (osVersionCode) {
    case 5: return "Windows NT 3.51";
    case 10: return "Windows 95";
    case 20: return "Windows NT 4";
    case 30: return "Windows 98";
    case 40: return "Windows ME";
    case 50: return "Windows 2000";
    case 60: return "Windows XP";
    default: return "Windows Future";
    }
}
