// The system's own folders, and DLLs loaded from the system folder by full
// path when a feature first needs them. Apart from KERNEL32, USER32, GDI32,
// ADVAPI32, SHELL32 and the C runtime the exe imports nothing statically:
// a DLL that is not a "known DLL" would otherwise be taken from the folder
// the program was started from (a download folder, a USB stick, a share)
// before the system folder.
#pragma once

#include <windows.h>

#include <string>

// Keeps every later DLL load of the process, also those the system's own
// DLLs make on its behalf, out of the program's folder and the current
// directory, as far as this Windows can. Called first thing in WinMain.
void RestrictDllSearch();

// GetSystemDirectoryA and the shared Windows folder, without a trailing
// backslash; empty when they cannot be read.
std::string SystemFolder();
std::string WindowsFolder();

// `fileName` ("icmp.dll") loaded from the system folder, once for the life
// of the program; null when it cannot be loaded.
HMODULE SystemLibrary(const char* fileName);

// A function of a system-folder DLL typed from its declaration in the
// Windows headers, or null when the DLL or the function is missing.
template <typename Pointer>
Pointer SystemFunction(const char* library, const char* name)
{
    const HMODULE module = SystemLibrary(library);
    return module ? reinterpret_cast<Pointer>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// SYSTEM_FUNCTION("icmp.dll", IcmpSendEcho): the function's name and type
// both come from the one declaration, so they cannot disagree.
#define SYSTEM_FUNCTION(library, function) \
    SystemFunction<decltype(&function)>(library, #function)
