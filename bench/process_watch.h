// Watching other processes from outside under Wine, for the benchmarks: a
// common clock, the system's process list, and the Linux side of a Wine
// process (its CPU ticks and how often its threads woke up).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Milliseconds on the performance counter, the one clock under Wine that is
// both fine-grained and current. GetTickCount lags by up to ~16 ms: Wine
// moves it only when the wineserver handles a request.
double Milliseconds();

// A FILETIME as one 64-bit count of 100 ns steps.
LONGLONG FileTimeValue(const FILETIME& time);

// Turns the other clocks' readings into Milliseconds(): the system time
// (process creation times) and GetTickCount (the stand-in's launch log).
class ClockMap {
public:
    ClockMap();  // samples both clocks against the performance counter
    double FromFileTime(LONGLONG fileTime) const;
    // A tick reading maps to the start of its millisecond; as the tick lags,
    // the real moment may be later by up to ~16 ms.
    double FromTick(unsigned long tick) const;

private:
    double fileTimeOffset_ = 0;  // system milliseconds minus Milliseconds()
    double tickOffset_ = 0;      // ticks minus Milliseconds()
};

struct ProcessEntry {
    DWORD processId = 0;
    DWORD parentId = 0;
    std::string name;        // image name, e.g. "cmd.exe"
    LONGLONG cpuTime = 0;    // user + kernel, 100 ns units
};

// The system's process list (NtQuerySystemInformation). Under Wine this is
// the only way to read another process's CPU time: GetProcessTimes on
// another process returns the caller's own times. (Its creation times are
// not used: for a process still being set up they are garbage.)
std::vector<ProcessEntry> ProcessList();

// A Wine process as Linux sees it, found by a piece of its command line
// (Wine shows the Windows path of the exe there).
struct LinuxProcessStats {
    long long cpuTicks = -1;        // utime + stime, in clock ticks (1/100 s)
    long long wakeUps = -1;         // context switches of all its threads
    int threads = 0;
};
int LinuxProcessIdOf(const std::string& commandLinePiece);  // 0 if none
LinuxProcessStats LinuxStatsOf(int linuxProcessId);

double Median(std::vector<double> values);
