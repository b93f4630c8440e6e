// Drives wendelkamm.exe from another process, as a user would. Runs under Wine.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD milliseconds = 10000)
{
    for (const DWORD start = GetTickCount(); !predicate(); Sleep(20))
        if (GetTickCount() - start > milliseconds)
            return false;
    return true;
}

inline std::string Environment(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }
inline std::string WindowsPathOf(std::string path)  // Wine's Z: drive
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}
inline std::string ReadFileText(const std::string& path)  // to the end: procfs files report a size of 0
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

inline std::string TextOf(HWND window)
{
    std::string text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(SendMessageA(window, WM_GETTEXT, text.size(), (LPARAM)text.data())));
    return text;
}

std::vector<HWND> TopLevelWindows(DWORD processId);
// A visible top-level window of the process with this title, also a message box (MessageBoxText
// reads it, CloseMessageBox presses OK); 0 ms looks once more after 20 ms.
inline HWND WaitForWindow(DWORD processId, const std::string& title, DWORD milliseconds = 10000)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindows(processId))
            if (IsWindowVisible(window) && TextOf(window) == title)
                return (found = window) != nullptr;
        return false;
    }, milliseconds);
    return found;
}
inline std::string MessageBoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }
inline void CloseMessageBox(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, (LPARAM)GetDlgItem(box, IDOK)); }

// One start recorded by the stand-in fake_cmd.exe.
struct Launch {
    unsigned long tick = 0, endTick = 0;  // endTick 0 while it runs
    int show = -1;                        // wShowWindow, 0 = hidden
    std::string folder, module, commandLine;
};

// fake_cmd.exe as cmd.exe, winver.exe, control.exe, msconfig.exe, msinfo32.exe and hh.exe in the prefix's
// system folders (system32, and syswow64 for a 32-bit exe) and as the Windows folder's hh.exe, once per
// run, with Wine told to start them instead of its own built-ins (the prefix's DllOverrides: Wine takes
// a child's WINEDLLOVERRIDES from its own start, not from the parent). At the end of the run Wine's own
// files and settings come back.
void PlaceStandIns();
// Puts the stand-ins in place, or Wine's own programs back, while the run goes on.
void UseStandIns(bool on);
// Where the programs of the exe's system folder lie: C:\windows\system32, or syswow64 for a 32-bit exe,
// whose system32 (so GetSystemDirectoryA names it) is redirected there.
std::string ProductSystemFolder();

// One run of wendelkamm.exe from a fresh C:\wk-e2e\<n>\prog\, with fake_cmd.exe playing every program in
// the system folders and recorders planted beside the exe (fake_cmd.exe as cmd.exe, net.exe, ping.exe,
// ...; the recorder DLL as comctl32.dll, wininet.dll, ...), and a start folder beside it. windowsVersion
// ("winxp", ...) goes to Wine's AppDefaults, and so does the order that makes the exe prefer DLLs
// beside it (as Windows does for these) to Wine's own.
class Session {
public:
    explicit Session(const std::string& startFolderName = "Work", const std::string& windowsVersion = "",
                     const std::map<std::string, std::string>& environment = {});
    ~Session()
    {
        if (WaitForExit(0) == STILL_ACTIVE)
            TerminateProcess(info_.hProcess, 99), WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
    }
    HWND Main()  // waited for until its gadgets are filled: the last text is set just before the loop
    {
        if (!main_ && (main_ = WaitForWindow(ProcessId(), "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ", 20000)))
            WaitUntil([this] { return !TextOf(GetDlgItem(main_, 16)).empty(); }, 20000),
                WaitForInputIdle(info_.hProcess, 5000);
        return main_;
    }
    HWND Control(int id) { return GetDlgItem(Main(), id); }
    DWORD ProcessId() const { return info_.dwProcessId; }
    DWORD WaitForExit(DWORD milliseconds)  // STILL_ACTIVE while it runs
    {
        DWORD code = STILL_ACTIVE;
        return WaitForSingleObject(info_.hProcess, milliseconds) ? code
                                                                 : (GetExitCodeProcess(info_.hProcess, &code), code);
    }
    std::vector<Launch> Launches() const;
    // What the recorders planted beside the exe logged: their launches and loads, one per line.
    std::string Planted() const;
    std::string programFolder, startFolder, logPath;

private:
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};

inline std::string ClassNameOf(HWND window) { char name[64] = {}; GetClassNameA(window, name, 64); return name; }
inline RECT ScreenRect(HWND window) { RECT r{}; GetWindowRect(window, &r); return r; }
inline std::string SizeText(const RECT& r)
{
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}
inline std::string ClientSize(HWND window) { RECT r{}; GetClientRect(window, &r); return SizeText(r); }
inline std::string PlaceText(HWND parent, HWND child)  // "x,y widthxheight" in the parent
{
    RECT r = ScreenRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + SizeText(r);
}
inline HWND FocusOf(HWND window)  // in the window's thread
{
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Posted: a sent click is handled inside the program's own GetMessage and
// its event waits for the next posted message.
inline void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }
inline void PressCloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }
inline void Choose(HWND combo, int index)  // selects and notifies as a user's choice does
{
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), (LPARAM)combo);
}
inline void LeftClickAt(int x, int y)  // with the real pointer
{
    SetCursorPos(x, y), mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0), mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
// Types into the IP field's inner edits ("192..." leaves three empty). The
// field's own text gives the four parts, empty ones as 0.
void SetIpField(HWND ipField, const std::string& dotted);

inline int ListRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
// List views, read through buffers inside the program: "title:width|..." and then "cell|cell|..." per row.
std::vector<std::string> ListTable(HWND list);
void ClickListRow(HWND list, int row);
