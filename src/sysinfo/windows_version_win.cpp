#include "sysinfo/windows_version.h"

#include "toolkit/text.h"

#include <windows.h>

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
