// Watching wendelkamm.exe and its twins from outside under Wine, for the
// benchmarks. Times are milliseconds on the performance counter, the one
// clock under Wine that is fine-grained, current and shared by all
// processes (GetTickCount lags by up to ~16 ms).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The process's top-level windows, newest first, found without asking the program.
std::vector<HWND> TopLevelWindows(DWORD processId);

double Milliseconds();
double Median(std::vector<double> values);

struct ProcessEntry {
    DWORD processId = 0;
    DWORD parentId = 0;
    std::string name;      // image name, e.g. "cmd.exe"
    LONGLONG cpuTime = 0;  // user + kernel, 100 ns units
};
// The system's process list. Under Wine it is the only way to read another
// process's CPU time: GetProcessTimes of another process gives the caller's.
std::vector<ProcessEntry> ProcessList();

// A window as its user meets it: one line for the window and one per child,
// each with class, id, place and size, styles and text; a combo box adds its
// entry count, a list view its columns. Of the children in `dataIds`, whose
// text comes from the system, only the text up to its '=' counts.
std::vector<std::string> Layout(HWND window, const std::vector<int>& dataIds = {});
// True when the two are the same; otherwise prints where they differ.
bool SameLayout(const std::vector<std::string>& program, const std::vector<std::string>& bare);

// The program, or its bare twin (startup_bare.exe).
enum class Subject { Program, Bare };

struct Command {
    DWORD processId = 0;
    HANDLE handle = nullptr;
    double created = -1;  // as the wineserver recorded it
    double ended = -1;    // the same
};

struct IdleUse {
    double windowsCpuMs = -1;          // from the process list
    double wakeUps = -1;               // context switches of its Linux threads
    double wakeUpsForOneMessage = -1;  // the same for one sent message: must be > 0
};

// One start of the subject from C:\wk-e2e\<pid>-start<number>\prog\, with
// the stand-in playing the system folder's cmd.exe. Times count from the
// CreateProcess call.
class StartWatch {
public:
    StartWatch(int number, Subject subject);
    ~StartWatch();
    StartWatch(const StartWatch&) = delete;
    StartWatch& operator=(const StartWatch&) = delete;

    // Starts the exe and follows it until its main window is filled and
    // idle. False on failure, time-out, or not two commands.
    bool Run();
    // CPU time and wake-ups of the idle program over `milliseconds`.
    IdleUse MeasureIdle(DWORD milliseconds) const;
    HWND MainWindow() const { return main_; }

    double idle = -1;        // WaitForInputIdle returned once the window was filled
    double twinMain = -1;    // bare twin: its main() began
    double firstAsked = -1;  // bare twin: its first launch was asked for
    std::vector<Command> commands;  // the two commands, in the order they started

private:
    double Now() const { return Milliseconds() - start_; }
    bool Done();
    void AddNewCommands();
    void ReadCommands();

    std::string root_;
    std::string exe_;
    double start_ = 0;
    double fileTimeOffset_ = 0;  // system time in ms less Milliseconds()
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};
