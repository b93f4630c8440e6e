#include "toolkit/system_library.h"

#include <cstring>
#include <map>

namespace {

// DLLs whose functions are partly forwarders to another DLL. The loader
// resolves a forwarder at GetProcAddress time through the default search,
// which on old Windows starts in the program's folder; loading the target
// from the system folder first makes that search find it already loaded.
// (Wine's icmp.dll forwards everything to iphlpapi.dll.)
const std::pair<const char*, const char*> forwardTargets[] = {
    {"icmp.dll", "iphlpapi.dll"},
    {"wsock32.dll", "ws2_32.dll"},
};

std::string FolderFrom(UINT (WINAPI* query)(LPSTR, UINT))
{
    char folder[MAX_PATH] = {};
    const UINT length = query(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string result(folder, length);
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    return result;
}

} // namespace

void RestrictDllSearch()
{
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel)
        return;
    // SetDefaultDllDirectories: Windows 8 on, and Vista/7 with the 2011
    // loader update. SetDllDirectoryW(L""): XP SP1 on, takes the current
    // directory out of the search. Neither exists on NT 4 or 2000.
    using SetDefaultCall = BOOL(WINAPI*)(DWORD);
    using SetDirectoryCall = BOOL(WINAPI*)(LPCWSTR);
    if (auto setDefault = reinterpret_cast<SetDefaultCall>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (auto setDirectory = reinterpret_cast<SetDirectoryCall>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW"))))
        setDirectory(L"");
}

std::string SystemFolder()
{
    return FolderFrom(GetSystemDirectoryA);
}

std::string WindowsFolder()
{
    // On a terminal server GetWindowsDirectoryA names a folder of the user's
    // own; the shared one comes from GetSystemWindowsDirectoryA, which NT 4
    // lacks.
    using FolderCall = UINT(WINAPI*)(LPSTR, UINT);
    static const auto shared = reinterpret_cast<FolderCall>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemWindowsDirectoryA")));
    return FolderFrom(shared ? shared : GetWindowsDirectoryA);
}

HMODULE SystemLibrary(const char* fileName)
{
    static std::map<std::string, HMODULE> loaded;
    const auto known = loaded.find(fileName);
    if (known != loaded.end())
        return known->second;
    for (const auto& [library, target] : forwardTargets)
        if (_stricmp(library, fileName) == 0)
            SystemLibrary(target);
    HMODULE module = nullptr;
    const std::string folder = SystemFolder();
    // A plain LoadLibrary of a full path would still look for the DLL's own
    // imports in the program's folder first; the altered search path starts
    // them in the DLL's folder, the system folder.
    if (!folder.empty())
        module = LoadLibraryExA((folder + '\\' + fileName).c_str(), nullptr,
                                LOAD_WITH_ALTERED_SEARCH_PATH);
    loaded.emplace(fileName, module);
    return module;
}
