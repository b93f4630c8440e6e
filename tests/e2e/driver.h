// Drives wendelkamm.exe from another process, as a user would. Runs under Wine.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
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
inline std::string WindowsPathOf(const std::string& path) { return "Z:" + path; }  // Wine's Z: drive takes '/' too
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

// A visible top-level window of the process with exactly this title, message boxes too (the newest of
// several); 0 ms looks once more after 20 ms.
inline HWND WaitForWindow(DWORD processId, const std::string& title, DWORD milliseconds = 10000)
{
    HWND found = nullptr;
    WaitUntil([&] {
        DWORD owner = 0;
        do {  // FindWindowExA matches the title in any case, in every process
            found = FindWindowExA(nullptr, found, nullptr, title.c_str());
            GetWindowThreadProcessId(found, &owner);
        } while (found && !(owner == processId && IsWindowVisible(found) && TextOf(found) == title));
        return found != nullptr;
    }, milliseconds);
    return found;
}
// Presses a message box's OK and waits until it is gone; returns its text ("" without a box).
inline std::string Answer(HWND box)
{
    const std::string text = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, (LPARAM)GetDlgItem(box, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "box still open: " << text;
    return text;
}

// fake_cmd.exe as cmd.exe, winver.exe, control.exe, msconfig.exe, msinfo32.exe and hh.exe in the system
// folder and the Windows folder, with Wine told to start them instead of its own built-ins (the prefix's
// DllOverrides: a child takes them from the prefix, not from its parent's WINEDLLOVERRIDES).
// PlaceStandIns does it once per run; at the end of the run Wine's own files and settings come back.
void UseStandIns(bool on);
void PlaceStandIns();

// One start recorded by the stand-in fake_cmd.exe.
struct Launch {
    unsigned long tick = 0, endTick = 0;
    int show = -1;  // wShowWindow, 0 = hidden
    std::string folder, module, commandLine;
};

// One run of wendelkamm.exe from a fresh C:\wk-e2e\<n>\prog\, with recorders planted beside the exe
// (fake_cmd.exe as cmd.exe, net.exe, ping.exe, ...; the recorder DLL as comctl32.dll, wininet.dll, ...,
// which Wine's AppDefaults tell the exe to prefer, as Windows does) and a start folder beside it.
// windowsVersion ("winxp", ...) goes to the AppDefaults too; `environment` is the exe's only.
// A planted program that ran or a planted DLL that loaded fails the test at the end.
class Session {
public:
    explicit Session(const std::string& startFolderName = "Work", const std::string& windowsVersion = "",
                     const std::map<std::string, std::string>& environment = {});
    ~Session()
    {
        TerminateProcess(info_.hProcess, 99);  // fails if it has ended
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
        const std::string log = ReadFileText(logPath), planted = "\t" + programFolder;  // a file of there ran or loaded
        const auto sameLetter = [](char a, char b) { return std::tolower(a) == std::tolower(b); };
        EXPECT_EQ(std::search(log.begin(), log.end(), planted.begin(), planted.end(), sameLetter), log.end())
            << "a program or DLL planted beside the exe:\n" << log;
    }
    HWND Main()  // waited for until its gadgets are filled: the last text is set just before the loop
    {
        if (!main_)
            main_ = WaitForWindow(ProcessId(), "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ", 20000);
        WaitUntil([this] { return !main_ || !TextOf(GetDlgItem(main_, 16)).empty(); }, 20000);
        WaitForInputIdle(info_.hProcess, 5000);
        return main_;
    }
    HWND Control(int id) { return GetDlgItem(Main(), id); }
    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    DWORD WaitForExit(DWORD milliseconds)  // STILL_ACTIVE while it runs
    {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0)
            GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    std::vector<Launch> Launches() const;
    std::string programFolder, startFolder, logPath;

private:
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};

// "x,y widthxheight": the window in the parent's client area (nullptr: on the screen); parent == window: its client area.
inline std::string PlaceText(HWND parent, HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (parent == window)
        GetClientRect(window, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
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
// Types into the IP field's inner edits, which it creates from left to right ("192..." leaves three
// empty, which the field reads as 0).
inline void SetIpField(HWND ipField, const std::string& dotted)
{
    std::istringstream parts(dotted);
    std::string part;
    for (HWND edit = GetWindow(ipField, GW_CHILD); edit; edit = GetWindow(edit, GW_HWNDNEXT)) {
        std::getline(parts, part, '.');
        SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)part.c_str());
    }
}

// List views, read through buffers inside the program: "title:width|..." and then "cell|cell|..." per row.
std::vector<std::string> ListTable(HWND list);
void ClickListRow(HWND list, int row);
