// One start of wendelkamm.exe (or of its start-up twin) under Wine, watched
// from outside for the start-up benchmark. All times are milliseconds after
// the CreateProcess call, on the performance counter.
//
// The program's children show up in the system's process list; a handle to
// each tells the moment it ends, which is the moment the program's own wait
// for it returns. Their creation times come from the wineserver. The
// wineserver records a creation when the new process has been set up, near
// the end of the CreateProcess call in the parent, so the time from a
// launch being asked for to that moment includes Wine's spawning of the
// process.
#pragma once

#include "process_watch.h"

#include <windows.h>

#include <string>
#include <vector>

struct WatchedChild {
    DWORD processId = 0;
    DWORD parentId = 0;
    std::string name;
    HANDLE handle = nullptr;
    double created = -1;    // as the wineserver recorded it
    double ended = -1;      // its handle was signalled
    double exitStamp = -1;  // the exit time the wineserver recorded
    double started = -1;    // stand-in cmd only: its main() began (log tick)
    double finished = -1;   // stand-in cmd only: about to return (log tick)
};

struct StartupTimes {
    double call = -1;       // CreateProcess returned
    double created = -1;    // the process's creation time at the wineserver
    double window = -1;     // main window visible with its title
    double text = -1;       // its last label filled
    double idle = -1;       // WaitForInputIdle returned after that
    double answered = -1;   // its loop answered a sent WM_NULL
    double exited = -1;     // twin only: it ended
    double twinMain = -1;   // twin only: its main() began
    double twinLaunches[2][2] = {{-1, -1}, {-1, -1}};  // twin: each launch asked / returned
    std::vector<WatchedChild> children;
    std::vector<double> listCosts;  // ms per process-list query
    // The two commands (children named cmd.exe), in the order they started.
    std::vector<const WatchedChild*> Commands() const;
};

struct IdleUse {
    double windowsCpuMs = -1;  // from the process list
    long long linuxTicks = -1; // utime + stime from /proc, 10 ms each
    long long wakeUps = -1;    // context switches of its Linux threads
    long long wakeUpsForOneMessage = -1;  // the same after one sent message
};

// The program; its twin, which only starts and makes the two launches; and
// the bare twin, which then also builds the same main window and waits.
enum class Subject { Program, Twin, Bare };

class StartupWatch {
public:
    // Prepares C:\wk-e2e\<pid>-start<number>\ with prog\ (the exe) and the
    // start folder Work\; the stand-in plays the system folder's cmd.exe.
    StartupWatch(int number, Subject subject, bool watchChildren);
    ~StartupWatch();
    StartupWatch(const StartupWatch&) = delete;
    StartupWatch& operator=(const StartupWatch&) = delete;

    // Starts the exe and follows it until its loop waits for input (the
    // program and the bare twin) or until it ends (the twin). False on
    // failure or time-out.
    bool Run();
    // CPU time and wake-ups of the idle program over `milliseconds`.
    IdleUse MeasureIdle(DWORD milliseconds) const;
    const StartupTimes& Times() const { return times_; }

private:
    double Now() const { return Milliseconds() - start_; }
    bool FollowProgram();
    bool FollowTwin();
    void AddNewChildren();
    WatchedChild* Find(DWORD processId);
    bool Watched(DWORD processId) const;
    bool CommandsEnded() const;
    void WaitForChildren();
    void ReadChildTimes();
    void ReadLaunchLog();
    void ReadTwinLog();
    LONGLONG WindowsCpu() const;

    Subject subject_;
    bool watch_;
    std::string root_, exe_;
    ClockMap clocks_;
    double start_ = 0;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    StartupTimes times_;
};
