// Start-up time of wendelkamm.exe under Wine: from process creation until
// its main window is idle, split into what it has to wait for (its two
// hidden commands and the two 300 ms pauses) and the remainder, and its CPU
// use while it then sits idle. Run by scripts/bench-startup; skipped
// anywhere else.
//
// Each cycle starts the program three ways from fresh folders: watched
// (children, window, idle CPU), quiet (only the window is looked for, to
// show what the watching costs) and its start-up twin (a stand-in with the
// same imports that makes the same two launches and stamps them), which
// tells what Wine's start of such an exe and the launches themselves cost.
// A fourth start, of the bare twin, makes the same launches, pauses and
// main window by straight Win32 calls: the program's time to idle less the
// bare twin's, in the same cycle, is what the program adds to the platform.
#include "process_watch.h"
#include "startup_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

int SettingNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// Each named figure over all rounds, printed as median, lowest and highest.
class Figures {
public:
    void Add(const std::string& key, double value) { values_[key].push_back(value); }
    double MedianOf(const std::string& key) const
    {
        auto found = values_.find(key);
        return found == values_.end() ? 0 : Median(found->second);
    }
    void Print(const std::string& key, const std::string& meaning) const
    {
        auto found = values_.find(key);
        if (found == values_.end() || found->second.empty())
            return;
        const auto [lowest, highest] = std::minmax_element(found->second.begin(), found->second.end());
        std::printf("figure\t%s\t%.1f\t%.1f\t%.1f\t%s\n", key.c_str(), Median(found->second), *lowest,
                    *highest, meaning.c_str());
    }

private:
    std::map<std::string, std::vector<double>> values_;
};

// Waits until the last round's processes are gone (console hosts outlive
// their commands by a few hundred ms), so that no round competes with the
// leftovers of the one before for the two cores and the wineserver.
void Settle()
{
    const double start = Milliseconds();
    for (;;) {
        bool busy = false;
        for (const ProcessEntry& entry : ProcessList())
            for (const char* name : {"conhost.exe", "cmd.exe", "wendelkamm.exe", "startup_twin.exe", "startup_bare.exe"})
                busy = busy || entry.name == name;
        if (!busy || Milliseconds() - start > 5000)
            break;
        Sleep(20);
    }
    Sleep(100);
}

double TimedPause()
{
    const double start = Milliseconds();
    Sleep(300);
    return Milliseconds() - start;
}

void AddCommand(Figures& figures, const std::string& key, const WatchedChild& command)
{
    figures.Add(key + "_lifetime", command.ended - command.created);
    if (command.exitStamp >= 0)
        figures.Add(key + "_signalled_after_exit", command.ended - command.exitStamp);
    if (command.started >= 0 && command.finished >= 0) {
        figures.Add(key + "_wine_start", command.started - command.created);
        figures.Add(key + "_own", command.finished - command.started);
        figures.Add(key + "_exit", command.ended - command.finished);
    }
}

void AddConsoleHosts(Figures& figures, const StartupTimes& times)
{
    for (const WatchedChild& child : times.children)
        if (child.name != "cmd.exe" && child.ended >= 0)
            figures.Add("console_host_lifetime", child.ended - child.created);
}

// What the program's watched start showed.
void AddProgramRound(Figures& figures, const StartupTimes& times, double pauses)
{
    const auto commands = times.Commands();
    const WatchedChild& first = *commands[0];
    const WatchedChild& second = *commands[1];
    figures.Add("total", times.idle);
    figures.Add("answered", times.answered);
    figures.Add("create_call", times.call);
    figures.Add("program_created", times.created);
    figures.Add("before_first_command", first.created);
    AddCommand(figures, "command1", first);
    figures.Add("between_commands", second.created - first.ended);
    AddCommand(figures, "command2", second);
    AddConsoleHosts(figures, times);
    figures.Add("window_after_commands", times.window - second.ended);
    figures.Add("window_less_pause", times.window - second.ended - pauses / 2);
    figures.Add("labels_less_pause", times.text - times.window - pauses / 2);
    figures.Add("idle_after_labels", times.idle - times.text);
    figures.Add("after_commands", times.idle - second.ended);
    figures.Add("pauses", pauses);
    figures.Add("after_commands_less_pauses", times.idle - second.ended - pauses);
    figures.Add("command_lifetimes", (first.ended - first.created) + (second.ended - second.created));
    figures.Add("remainder_counting_launch_work", times.idle - (first.ended - first.created) -
                                                      (second.ended - second.created) - pauses);
    figures.Add("process_list_query", Median(times.listCosts));
}

void AddTwinRound(Figures& figures, const StartupTimes& times)
{
    const auto commands = times.Commands();
    figures.Add("twin_create_call", times.call);
    figures.Add("twin_main", times.twinMain);
    for (int index = 0; index < 2; ++index) {
        const std::string key = "twin_launch" + std::to_string(index + 1);
        figures.Add(key, times.twinLaunches[index][1] - times.twinLaunches[index][0]);
        figures.Add(key + "_to_child", commands[index]->created - times.twinLaunches[index][0]);
        figures.Add(key + "_after_child", times.twinLaunches[index][1] - commands[index]->ended);
    }
}

// The commands' own run time varies by tens of milliseconds from start to
// start; it is left out by comparing the spans before the first command
// and after the second one.
void AddBareRound(Figures& figures, const StartupTimes& bare, const StartupTimes& program, double pauses)
{
    const auto bareCommands = bare.Commands();
    const auto programCommands = program.Commands();
    const double launches = (bareCommands[0]->ended - bare.twinLaunches[0][0]) +
                            (bareCommands[1]->ended - bareCommands[0]->ended);
    figures.Add("bare_total", bare.idle);
    figures.Add("bare_remainder", bare.idle - launches - pauses);
    const double startDifference = programCommands[0]->created - bareCommands[0]->created;
    const double windowDifference = (program.idle - programCommands[1]->ended) -
                                    (bare.idle - bareCommands[1]->ended);
    figures.Add("over_bare_start", startDifference);
    figures.Add("over_bare_window", windowDifference);
    figures.Add("over_bare", startDifference + windowDifference);
}

// The first launch's span in the program cannot be seen from outside: its
// start is the twin's typical time from asking to the command existing.
void AddEstimates(Figures& figures, const std::vector<StartupTimes>& programs,
                  const std::vector<double>& pauses)
{
    const double launchToChild = figures.MedianOf("twin_launch1_to_child");
    const double wineStart = figures.MedianOf("twin_main");
    for (size_t index = 0; index < programs.size(); ++index) {
        const auto commands = programs[index].Commands();
        const double firstAsked = commands[0]->created - launchToChild;
        const double launches = (commands[0]->ended - firstAsked) + (commands[1]->ended - commands[0]->ended);
        const double remainder = programs[index].idle - launches - pauses[index];
        figures.Add("launches", launches);
        figures.Add("waits", launches + pauses[index]);
        figures.Add("before_first_launch", firstAsked);
        figures.Add("own_before_first_launch", firstAsked - wineStart);
        figures.Add("remainder", remainder);
        figures.Add("remainder_less_wine_start", remainder - wineStart);
    }
}

void PrintFigures(const Figures& figures)
{
    const std::pair<const char*, const char*> lines[] = {
        {"total", "process creation -> main window idle (WaitForInputIdle)"},
        {"quiet_total", "the same in rounds that only look for the window"},
        {"answered", "process creation -> its loop answers a sent WM_NULL"},
        {"waits", "what the design waits for: the two launches and the two pauses"},
        {"launches", "  both LaunchProgram calls (the first one's start estimated)"},
        {"pauses", "  two Sleep(300), timed here"},
        {"remainder", "total - launches - pauses"},
        {"before_first_launch", "  process creation -> first LaunchProgram called (estimated)"},
        {"twin_main", "    of which Wine starting an exe with the same imports (twin)"},
        {"own_before_first_launch", "    of which the program's own start (the rest)"},
        {"after_commands_less_pauses", "  second command ended -> idle, less the pauses"},
        {"window_less_pause", "    ended -> main window visible, less a pause (capture read, window)"},
        {"labels_less_pause", "    window -> last label filled, less a pause (gadgets, capture, texts)"},
        {"idle_after_labels", "    last label filled -> idle (first messages and painting)"},
        {"remainder_less_wine_start", "remainder less Wine starting the exe"},
        {"bare_total", "bare twin: process creation -> the same main window idle"},
        {"bare_remainder", "  its total - launches - pauses (Wine's floor for this start-up)"},
        {"over_bare", "program less bare twin, same cycle, commands left out (what the program adds)"},
        {"over_bare_start", "  process creation -> first command created"},
        {"over_bare_window", "  second command ended -> idle"},
        {"remainder_counting_launch_work", "total - command lifetimes - pauses (launch work counted as ours)"},
        {"create_call", "CreateProcess of the program, in the starting process"},
        {"program_created", "process creation -> wineserver records the program as created"},
        {"before_first_command", "process creation -> first command recorded as created"},
        {"command1_lifetime", "first command: recorded as created -> ended (handle signalled)"},
        {"command1_wine_start", "  recorded as created -> its main() (log tick, up to ~16 ms late)"},
        {"command1_own", "  its main() -> its return (log ticks)"},
        {"command1_exit", "  its return -> handle signalled"},
        {"command1_signalled_after_exit", "  exit time the wineserver recorded -> handle signalled"},
        {"between_commands", "first command ended -> second recorded as created"},
        {"command2_lifetime", "second command: recorded as created -> ended"},
        {"command2_wine_start", "  recorded as created -> its main()"},
        {"command2_own", "  its main() -> its return"},
        {"command2_exit", "  its return -> handle signalled"},
        {"console_host_lifetime", "each command's console host: created -> ended"},
        {"after_commands", "second command ended -> idle"},
        {"twin_create_call", "twin: CreateProcess call"},
        {"twin_launch1", "twin: first launch, ShellExecuteExA called -> wait returned"},
        {"twin_launch1_to_child", "  called -> command recorded as created"},
        {"twin_launch1_after_child", "  command ended -> wait returned"},
        {"twin_launch2", "twin: second launch"},
        {"twin_launch2_to_child", "  called -> command recorded as created"},
        {"twin_launch2_after_child", "  command ended -> wait returned"},
        {"process_list_query", "one process-list query while watching"},
        {"idle_cpu_windows_ms", "CPU time over the idle span (process list, ms)"},
        {"idle_cpu_linux_ticks", "CPU over the idle span (/proc utime+stime, 10 ms ticks)"},
        {"idle_wakeups", "context switches of its Linux threads over the idle span"},
        {"wakeups_for_one_message", "  the same for one sent WM_NULL afterwards (check: > 0)"},
    };
    for (const auto& [key, meaning] : lines)
        figures.Print(key, meaning);
}

} // namespace

TEST(StartupBench, TimeToIdleLessCommandsAndPauses)
{
    if (std::getenv("WK_STARTUP_BENCH") == nullptr)
        GTEST_SKIP() << "run by scripts/bench-startup";
    const int cycles = SettingNumber("WK_BENCH_RUNS", 9);
    const DWORD idleMs = static_cast<DWORD>(SettingNumber("WK_BENCH_IDLE_MS", 3000));

    {  // The first starts in a prefix also warm Wine's caches: not counted.
        StartupWatch program(0, Subject::Program, true);
        ASSERT_TRUE(program.Run());
        StartupWatch twin(1, Subject::Twin, true);
        ASSERT_TRUE(twin.Run());
    }
    Figures figures;
    std::vector<StartupTimes> programs;
    std::vector<double> pauses;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const int number = 4 * cycle;
        Settle();
        {
            StartupWatch program(number, Subject::Program, true);
            ASSERT_TRUE(program.Run()) << "cycle " << cycle;
            ASSERT_EQ(program.Times().Commands().size(), 2u) << "cycle " << cycle;
            const IdleUse idle = program.MeasureIdle(idleMs);
            figures.Add("idle_cpu_windows_ms", idle.windowsCpuMs);
            figures.Add("idle_cpu_linux_ticks", static_cast<double>(idle.linuxTicks));
            figures.Add("idle_wakeups", static_cast<double>(idle.wakeUps));
            figures.Add("wakeups_for_one_message", static_cast<double>(idle.wakeUpsForOneMessage));
            programs.push_back(program.Times());
        }
        pauses.push_back(TimedPause() + TimedPause());
        AddProgramRound(figures, programs.back(), pauses.back());
        Settle();
        {
            StartupWatch quiet(number + 1, Subject::Program, false);
            ASSERT_TRUE(quiet.Run()) << "cycle " << cycle;
            figures.Add("quiet_total", quiet.Times().idle);
        }
        Settle();
        StartupWatch twin(number + 2, Subject::Twin, true);
        ASSERT_TRUE(twin.Run()) << "cycle " << cycle;
        ASSERT_EQ(twin.Times().Commands().size(), 2u) << "cycle " << cycle;
        AddTwinRound(figures, twin.Times());
        Settle();
        StartupWatch bare(number + 3, Subject::Bare, true);
        ASSERT_TRUE(bare.Run()) << "cycle " << cycle;
        ASSERT_EQ(bare.Times().Commands().size(), 2u) << "cycle " << cycle;
        AddBareRound(figures, bare.Times(), programs.back(), pauses.back());

        const auto commands = programs.back().Commands();
        std::printf("cycle %d: idle at %.1f ms, commands %.1f-%.1f and %.1f-%.1f ms, window at %.1f ms; "
                    "twin main() at %.1f ms\n",
                    cycle, programs.back().idle, commands[0]->created, commands[0]->ended,
                    commands[1]->created, commands[1]->ended, programs.back().window,
                    twin.Times().twinMain);
        std::fflush(stdout);
    }
    AddEstimates(figures, programs, pauses);
    PrintFigures(figures);
}
