// The file-system and registry side of finding a program.
#include "toolkit/program_location.h"

#include "toolkit/launch.h"
#include "toolkit/system_library.h"

#include <windows.h>

namespace {

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The default value of HKLM\...\App Paths\NAME, with environment names
// expanded where the value says so; "" when there is none.
std::string AppPathOf(const std::string& name)
{
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return {};
    char value[MAX_PATH] = {};
    DWORD type = 0, size = sizeof value - 1;
    const LONG result = RegQueryValueExA(handle, nullptr, nullptr, &type,
                                         reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    if (type == REG_SZ)
        return value;
    char expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsA(value, expanded, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? expanded : "";
}

} // namespace

std::string ProgramPath(std::string_view program)
{
    return FindProgram(ProgramSearchFor(program, SystemFolder(), WindowsFolder()), IsFile, AppPathOf);
}
