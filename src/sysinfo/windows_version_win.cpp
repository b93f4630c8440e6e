#include "sysinfo/windows_version.h"

#include "toolkit/text.h"

#include <windows.h>

// The portable rules keep the platform ids as plain numbers.
static_assert(PlatformWindows9x == VER_PLATFORM_WIN32_WINDOWS && PlatformNt == VER_PLATFORM_WIN32_NT);

namespace {

bool QueryVersion(OSVERSIONINFOA& info)
{
    info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    return GetVersionExA(&info) != FALSE;
}

} // namespace

int OsVersionCode()
{
    OSVERSIONINFOA info;
    if (!QueryVersion(info))
        return OsCodeUnknown;
    return OsVersionCodeFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

std::string WindowsName()
{
    return WindowsNameFor(OsVersionCode());
}

std::string ServicePackText()
{
    OSVERSIONINFOA info;
    if (!QueryVersion(info))
        return "Unable.";
    return FieldText(info.szCSDVersion);
}
