// Start-up time of wendelkamm.exe under Wine: from process creation until
// its main window is idle, split into what it has to wait for (its two
// hidden commands and the two 300 ms pauses) and the remainder, and its CPU
// use while it then sits idle. Run by scripts/bench-startup, which takes
// the medians; skipped anywhere else.
//
// Each cycle starts the program and then the bare twin (startup_bare.exe),
// which makes the same launches, pauses and main window by straight Win32
// calls. The program's time to idle less the bare twin's, commands left
// out, is what the program adds to the platform. The bare twin's main()
// stamp tells how long Wine takes to start an exe with these imports.
#include "watch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The labels the program fills from the system: only their text up to the
// '=' is the layout's.
const std::vector<int> dataIds{7, 8, 9, 13, 14, 15, 16};

int Setting(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

void Print(const char* key, double value)
{
    std::printf("figure\t%s\t%.1f\n", key, value);
}

// Waits until the last start's processes are gone (console hosts outlive
// their commands by a few hundred ms), so that no start competes with the
// leftovers of the one before for the cores and the wineserver.
void Settle()
{
    const double start = Milliseconds();
    const auto busy = [](const ProcessEntry& entry) {
        return entry.name == "conhost.exe" || entry.name == "cmd.exe" || entry.name == "wendelkamm.exe" ||
               entry.name == "startup_bare.exe";
    };
    while (Milliseconds() - start < 5000) {
        const std::vector<ProcessEntry> list = ProcessList();
        if (std::none_of(list.begin(), list.end(), busy))
            break;
        Sleep(20);
    }
    Sleep(100);
}

double TimedPauses()
{
    const double start = Milliseconds();
    Sleep(300);
    Sleep(300);
    return Milliseconds() - start;
}

} // namespace

TEST(StartupBench, TimeToIdleLessCommandsAndPauses)
{
    if (std::getenv("WK_STARTUP_BENCH") == nullptr)
        GTEST_SKIP() << "run by scripts/bench-startup";
    const int cycles = Setting("WK_BENCH_RUNS", 9);
    const DWORD idleMs = static_cast<DWORD>(Setting("WK_BENCH_IDLE_MS", 3000));

    {  // The first starts in a prefix also warm Wine's caches: not counted.
        StartWatch program(0, Subject::Program);
        ASSERT_TRUE(program.Run());
        StartWatch bare(1, Subject::Bare);
        ASSERT_TRUE(bare.Run());
        ASSERT_TRUE(SameLayout(Layout(program.MainWindow(), dataIds), Layout(bare.MainWindow(), dataIds)))
            << "the bare twin's main window has drifted from the program's: fix startup_bare.cpp first";
    }
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        Settle();
        StartWatch program(2 * cycle, Subject::Program);
        ASSERT_TRUE(program.Run()) << "cycle " << cycle;
        const IdleUse idle = program.MeasureIdle(idleMs);
        const double pauses = TimedPauses();
        Settle();
        StartWatch bare(2 * cycle + 1, Subject::Bare);
        ASSERT_TRUE(bare.Run()) << "cycle " << cycle;

        // The first launch's start cannot be seen in the program: it is
        // taken to be as far ahead of its command as in the bare twin.
        const double launchToCommand = bare.commands[0].created - bare.firstAsked;
        const double launches = program.commands[1].ended - program.commands[0].created + launchToCommand;
        const double remainder = program.idle - launches - pauses;
        const double bareLaunches = bare.commands[1].ended - bare.firstAsked;
        // The commands' own run time varies by tens of ms from start to
        // start: left out by comparing the spans before the first command
        // and after the second.
        const double startDifference = program.commands[0].created - bare.commands[0].created;
        const double windowDifference =
            (program.idle - program.commands[1].ended) - (bare.idle - bare.commands[1].ended);
        std::printf("cycle %d: idle at %.1f ms, bare twin at %.1f ms\n", cycle, program.idle, bare.idle);
        Print("total", program.idle);
        Print("waits", launches + pauses);
        Print("launches", launches);
        Print("pauses", pauses);
        Print("remainder", remainder);
        Print("wine_start", bare.twinMain);
        Print("remainder_less_wine_start", remainder - bare.twinMain);
        Print("bare_total", bare.idle);
        Print("bare_remainder", bare.idle - bareLaunches - pauses);
        Print("over_bare", startDifference + windowDifference);
        Print("idle_cpu_ms", idle.windowsCpuMs);
        Print("idle_wakeups", idle.wakeUps);
        Print("wakeups_for_one_message", idle.wakeUpsForOneMessage);
        std::fflush(stdout);
    }
}
