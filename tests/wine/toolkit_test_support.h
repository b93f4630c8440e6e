// Helpers for the toolkit's real-window tests: start the toolkit once and
// pump its event loop without ever blocking on an empty queue.
#pragma once

#include "toolkit/toolkit.h"
#include "toolkit/window.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

inline void PrepareToolkit()
{
    static bool prepared = false;
    if (prepared)
        return;
    ToolkitInit(GetModuleHandleA(nullptr));
    prepared = true;
}

inline bool MessageWaiting()
{
    MSG message;
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

// Runs EventWait while messages are waiting; returns `wanted` as soon as
// EventWait gives it, else the last result (0 when nothing was waiting).
inline int PumpUntil(int wanted, int limit = 200)
{
    int last = 0;
    for (int i = 0; i < limit && MessageWaiting(); ++i) {
        last = EventWait();
        if (last == wanted)
            return last;
    }
    return last;
}

inline void DrainEvents()
{
    PumpUntil(-1);
}

// Presses `key` on the focused window as the keyboard would, with Shift held
// when asked. Posted key messages do not change the key state, so Shift is
// set in the thread's keyboard state for the accelerator check.
inline void PressKey(HWND target, WPARAM key, bool shift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PumpUntil(-1);
    keys[VK_SHIFT] = 0;
    keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys);
}

inline std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A whole small file (up to 64 KiB), shared with writers; "" when missing.
inline std::string ReadAll(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string content(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
    CloseHandle(file);
    content.resize(got);
    return content;
}

inline void WriteAll(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

// A path in lower case without a trailing backslash (a drive root keeps
// its own), for comparing folders as Windows does.
inline std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    if (text.size() > 3 && text.back() == '\\')
        text.pop_back();
    return text;
}
