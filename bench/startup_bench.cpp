// Start-up of wendelkamm.exe under Wine against its bare twin
// (startup_bare.exe), which makes the same launches, pauses and main window
// by straight Win32 calls: the platform's floor. Run by
// scripts/bench-startup, which takes the medians; skipped anywhere else.
//
// Each cycle starts the program and then the bare twin, as the end-to-end
// tests start the program: both as wendelkamm.exe, so Wine's settings for
// that name (the tests' DLL overrides) hold for both alike. A start's own time runs from process creation to
// the main window filled and idle, less the span from the first command's
// creation to the second one's end: the commands' own run time varies by
// tens of ms from start to start. The program's own time less the bare
// twin's is what the program adds to the platform. Then the program sits
// idle, and its threads must not wake at all.
#include "watch.h"

#include <winternl.h>

#include <cstring>
#include <string_view>

namespace {

const char mainTitle[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";
constexpr int lastLabelId = 16;  // its text is the last one set before the loop
constexpr double giveUpMs = 20000;
// Every poll asks the wineserver, which the watched process needs too. The
// process list (about 1 ms) is asked only every few polls, which still finds
// each command long before it ends: its creation and exit times come from
// the wineserver, not from the poll.
constexpr DWORD pollMs = 2;
constexpr int pollsPerListQuery = 5;
// Console hosts outlive their commands by a few hundred ms: no start should
// compete with the leftovers of the one before.
constexpr DWORD settleMs = 1000;

struct Figures {
    double ownMs = 0;
    long long idleWakeUps = -1;
    long long wakeUpsForOneMessage = -1;  // checks the counting: must be > 0
    std::vector<std::string> layout;
};

int Setting(const char* name, int fallback)
{
    const std::string value = Environment(name);
    return value.empty() ? fallback : std::atoi(value.c_str());
}

// A process's creation and exit, as the wineserver stamped them.
std::pair<double, double> Lifetime(HANDLE process)
{
    FILETIME times[4] = {};
    GetProcessTimes(process, &times[0], &times[1], &times[2], &times[3]);
    return {MillisecondsOf(times[0]), MillisecondsOf(times[1])};
}

// True once the process's main window has its last label filled. Asks the
// wineserver only: no message is sent, so this never waits for the program.
bool MainWindowFilled(DWORD processId)
{
    HWND window = FindWindowA(nullptr, mainTitle);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // Under Wine, GetWindowTextA of no window at all reads some other
    // window's text: the label must exist first.
    HWND label = owner == processId ? GetDlgItem(window, lastLabelId) : nullptr;
    char text[2] = {};
    if (label)
        GetWindowTextA(label, text, sizeof text);
    return text[0] != '\0';
}

// The start's children, until two have ended: the commands, and under Wine
// perhaps console hosts, told apart once all is over.
void AddChildren(DWORD parentId, std::map<DWORD, HANDLE>& children)
{
    const auto ended = [](const auto& child) { return WaitForSingleObject(child.second, 0) == WAIT_OBJECT_0; };
    if (std::count_if(children.begin(), children.end(), ended) >= 2)
        return;
    static std::vector<char> list(1024 * 1024);  // many times what a Wine session's list needs
    if (NtQuerySystemInformation(SystemProcessInformation, list.data(), static_cast<ULONG>(list.size()), nullptr))
        return;
    for (size_t offset = 0;;) {
        const auto* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(list.data() + offset);
        const auto id = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(process->UniqueProcessId));
        const auto parent = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(process->InheritedFromUniqueProcessId));
        if (parent == parentId && !children.contains(id))
            children[id] = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        if (process->NextEntryOffset == 0)
            return;
        offset += process->NextEntryOffset;
    }
}

// Of the children, the ended commands' lifetimes in start order. Asked while
// it was being set up, a process gives garbage for its name and times: both
// are read now that it has ended.
std::vector<std::pair<double, double>> Commands(const std::map<DWORD, HANDLE>& children)
{
    std::vector<std::pair<double, double>> commands;
    for (const auto& [id, child] : children) {
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        QueryFullProcessImageNameA(child, 0, image, &size);
        CharLowerA(image);
        if (std::string_view(image).ends_with("\\cmd.exe") && WaitForSingleObject(child, 0) == WAIT_OBJECT_0)
            commands.push_back(Lifetime(child));
        CloseHandle(child);
    }
    std::sort(commands.begin(), commands.end());
    return commands;
}

// The numbered entries of a Linux folder, read through Wine's Z: drive.
std::vector<std::string> NumberedEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WindowsPathOf(folder) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (found.cFileName[0] >= '0' && found.cFileName[0] <= '9')
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The Linux process of a Wine one, found by its command line, which shows
// the exe's Windows path.
std::string LinuxProcessOf(const std::string& commandLinePiece)
{
    for (const std::string& name : NumberedEntries("/proc")) {
        std::string commandLine = ReadFileText(WindowsPathOf("/proc/" + name + "/cmdline"));
        std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
        if (commandLine.find(commandLinePiece) != std::string::npos)
            return "/proc/" + name;
    }
    return "";
}

// How often the Linux process's threads have been woken so far: their
// context switches.
long long WakeUps(const std::string& linuxProcess)
{
    long long wakeUps = 0;
    for (const std::string& task : NumberedEntries(linuxProcess + "/task")) {
        const std::string status = ReadFileText(WindowsPathOf(linuxProcess + "/task/" + task + "/status"));
        for (const std::string key : {"\nvoluntary_ctxt_switches:", "\nnonvoluntary_ctxt_switches:"}) {
            const size_t at = status.find(key);
            if (at != std::string::npos)
                wakeUps += std::atoll(status.c_str() + at + key.size());
        }
    }
    return wakeUps;
}

// One start of the exe, followed until its main window is filled and idle;
// then, when `idleMs` is not 0, its wake-ups over that idle span and for one
// message after it; last its main window's layout.
void Start(const std::string& exe, DWORD idleMs, Figures& figures)
{
    Sleep(settleMs);
    _putenv(("WK_PRODUCT_EXE=" + exe).c_str());  // the exe a session starts
    Session session;
    const double created = Lifetime(session.Process()).first;
    std::map<DWORD, HANDLE> children;
    for (int poll = 0; !MainWindowFilled(session.ProcessId()); ++poll) {
        ASSERT_LT(Now() - created, giveUpMs) << exe << ": no main window filled";
        if (poll % pollsPerListQuery == 0)
            AddChildren(session.ProcessId(), children);
        Sleep(pollMs);
    }
    WaitForInputIdle(session.Process(), 5000);
    const double idle = Now();
    const std::vector<std::pair<double, double>> commands = Commands(children);
    ASSERT_EQ(commands.size(), 2u) << exe << ": not two commands";
    figures.ownMs = commands[0].first - created + idle - commands[1].second;

    HWND window = session.Main();
    if (idleMs) {
        const std::string exePath = session.programFolder + "wendelkamm.exe";
        const std::string linuxProcess = LinuxProcessOf(exePath.substr(std::strlen("C:\\wk-e2e\\")));
        ASSERT_FALSE(linuxProcess.empty()) << exe << ": no Linux process";
        const long long before = WakeUps(linuxProcess);
        Sleep(idleMs);
        const long long after = WakeUps(linuxProcess);
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
        figures.idleWakeUps = after - before;
        figures.wakeUpsForOneMessage = WakeUps(linuxProcess) - after;
    }
    figures.layout = Layout(window, mainDataIds);
}

} // namespace

TEST(StartupBench, OwnTimeOverBareTwinAndIdleWakeUps)
{
    if (Environment("WK_STARTUP_BENCH").empty())
        GTEST_SKIP() << "run by scripts/bench-startup";
    const std::string product = Environment("WK_PRODUCT_EXE");
    const std::string bareTwin = Environment("WK_STAND_IN_DIR") + "/startup_bare.exe";
    const int cycles = Setting("WK_BENCH_RUNS", 9);
    const auto idleMs = static_cast<DWORD>(Setting("WK_BENCH_IDLE_MS", 3000));
    Figures program;
    Figures bare;

    // The first starts in a prefix also warm Wine's caches: not counted.
    ASSERT_NO_FATAL_FAILURE(Start(product, 0, program));
    ASSERT_NO_FATAL_FAILURE(Start(bareTwin, 0, bare));
    const std::string drift = "LAYOUT DRIFT: the bare twin's main window is not the program's; fix startup_bare.cpp";
    ASSERT_EQ(program.layout.size(), bare.layout.size()) << drift;
    for (size_t line = 0; line < program.layout.size(); ++line)
        EXPECT_EQ(program.layout[line], bare.layout[line]) << drift;
    ASSERT_FALSE(HasFailure());

    for (int cycle = 1; cycle <= cycles; ++cycle) {
        ASSERT_NO_FATAL_FAILURE(Start(product, idleMs, program)) << "cycle " << cycle;
        ASSERT_NO_FATAL_FAILURE(Start(bareTwin, 0, bare)) << "cycle " << cycle;
        std::printf("figure\tover_bare\t%.1f\n", program.ownMs - bare.ownMs);
        std::printf("figure\tidle_wakeups\t%lld\n", program.idleWakeUps);
        std::printf("figure\twakeups_for_one_message\t%lld\n", program.wakeUpsForOneMessage);
        std::fflush(stdout);
    }
}
