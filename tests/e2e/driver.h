// Drives wendelkamm.exe from another process, as a user would: finds its
// windows, reads its controls, clicks and chooses. Runs under Wine.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// One recorded start of the stand-in command interpreter.
struct Launch {
    unsigned long tick = 0;
    int show = -1;             // wShowWindow it was started with (0 = hidden), -1 if none
    std::string folder;        // its current directory
    std::string module;        // its own path (cmd.exe or command.exe)
    std::string commandLine;   // as GetCommandLineA gave it
    unsigned long endTick = 0; // when it ended; 0 while it runs
};

struct SessionOptions {
    std::string startFolderName = "Work";  // folder the program is started from
    bool fakeCmd = true;                   // put the stand-in cmd.exe beside the exe
    std::string exeName = "wendelkamm.exe";
    // Windows version Wine reports to this exe ("nt40", "winxp", ...): set
    // per exe name under HKCU\Software\Wine\AppDefaults.
    std::string windowsVersion;
    std::map<std::string, std::string> environment;  // e.g. WK_FAKE_LANGUAGE=en
};

// One run of wendelkamm.exe from a fresh program folder
// (C:\wk-e2e\<n>\prog\) and a start folder beside it.
class Session {
public:
    explicit Session(const SessionOptions& options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool Started() const { return process_ != nullptr; }
    // The main window, waited for (up to 20 s) until its gadgets are filled.
    HWND Main();
    HWND Control(int id);  // a gadget of the main window
    DWORD ProcessId() const { return processId_; }
    DWORD ThreadId() const { return threadId_; }
    // Exit code after waiting up to `milliseconds`; STILL_ACTIVE if running.
    DWORD WaitForExit(DWORD milliseconds);
    std::vector<Launch> Launches() const;
    // Lines "paged\t<path>\t<content>" written by the stand-in viewer.
    std::vector<std::string> PagedCaptures() const;

    std::string programFolder;  // ends in a backslash
    std::string startFolder;    // no trailing backslash
    std::string logPath;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    HWND main_ = nullptr;
};

// Converts a Unix path to the Z: drive path Wine maps it to.
std::string WindowsPathOf(const std::string& unixPath);
std::string ReadFileText(const std::string& path);
bool FileExists(const std::string& path);
std::string Environment(const char* name);  // "" when unset
bool EndsWith(const std::string& text, const std::string& tail);
// A path in lower case without a trailing backslash, to compare folders.
std::string LowerPath(std::string path);

// A visible top-level window of the process with exactly this title,
// waited for up to `milliseconds`; nullptr if none appeared.
HWND WaitForWindow(DWORD processId, const std::string& title, DWORD milliseconds = 10000);
// The visible top-level window of the process with this title, or nullptr.
HWND VisibleWindow(DWORD processId, const std::string& title);
// All top-level windows of the process (visible or not).
std::vector<HWND> TopLevelWindows(DWORD processId);
// The text of the message box with this title (its static text), or "" when
// none is open; CloseMessageBox presses its OK button.
HWND WaitForMessageBox(DWORD processId, const std::string& title, DWORD milliseconds = 10000);
std::string MessageBoxText(HWND box);
void CloseMessageBox(HWND box);

std::string TextOf(HWND window);
std::string ClassNameOf(HWND window);
// Posted, not sent: a sent click is handled inside the program's own
// GetMessage and the event waits for the next posted message.
void Click(HWND button);
void PressCloseBox(HWND window);  // as the title bar's close box does
std::vector<std::string> ComboEntries(HWND combo);
// Selects entry `index` and notifies the parent as a user's choice does.
void Choose(HWND combo, int index);
int ComboSelection(HWND combo);
// The IP field's four inner edit boxes joined with "." (its own address
// message cannot be read across processes).
std::string IpFieldText(HWND ipField);
// Types into the IP field's inner edits: four parts, empty parts left empty.
void SetIpFieldParts(HWND ipField, const std::vector<std::string>& parts);

// Client rectangle size and screen position of a window.
SIZE ClientSize(HWND window);
RECT ScreenRect(HWND window);
// A child's place in its parent's client area as "x,y widthxheight".
std::string PlaceText(HWND parent, HWND child);

// The window with the keyboard focus in the given GUI thread.
HWND FocusOf(DWORD threadId);
// Presses and releases a key (with Shift when asked) in the foreground.
void PressKey(HWND foreground, WORD key, bool shift = false);
// Moves the real pointer (screen coordinates) and clicks/release there.
void MovePointer(int x, int y);
void LeftClickAt(int x, int y);

// List-view access across processes (buffers inside the target).
int ListRowCount(HWND list);
std::string ListCell(HWND list, int row, int column);
struct ListColumn { std::string title; int width; };
std::vector<ListColumn> ListColumns(HWND list);
// Clicks (real pointer) into the middle of a row's first cell.
void ClickListRow(HWND list, int row);

// Waits until `predicate` holds, checking every 20 ms; false on time-out.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD milliseconds = 10000)
{
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(20);
    }
    return true;
}
