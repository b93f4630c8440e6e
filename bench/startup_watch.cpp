#include "startup_watch.h"

#include "driver.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

const char mainTitle[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";
constexpr int lastLabelId = 16;  // its text is the last one set before the loop
constexpr double giveUpMs = 20000;
// Every poll asks the wineserver, which the watched processes need too. The
// process list is the costly question (about 1 ms): it is asked only every
// few polls, which still finds each command long before it ends; the
// creation time comes from the wineserver, not from the poll.
constexpr DWORD pollMs = 2;
constexpr int pollsPerListQuery = 5;

// The text Windows keeps for another process's window, read from the
// wineserver: no message is sent, so this never waits for the program.
std::string StoredText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND FindMainWindow(DWORD processId)
{
    for (HWND window : TopLevelWindows(processId))
        if (IsWindowVisible(window) && StoredText(window) == mainTitle)
            return window;
    return nullptr;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t'))
        fields.push_back(field);
    return fields;
}

} // namespace

std::vector<const WatchedChild*> StartupTimes::Commands() const
{
    std::vector<const WatchedChild*> commands;
    for (const WatchedChild& child : children)
        if (child.name == "cmd.exe")
            commands.push_back(&child);
    std::sort(commands.begin(), commands.end(),
              [](const WatchedChild* a, const WatchedChild* b) { return a->created < b->created; });
    return commands;
}

StartupWatch::StartupWatch(int number, Subject subject, bool watchChildren)
    : subject_(subject), watch_(watchChildren)
{
    root_ = "C:\\wk-e2e\\" + std::to_string(GetCurrentProcessId()) + "-start" + std::to_string(number) + "\\";
    CreateDirectoryA("C:\\wk-e2e", nullptr);
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA((root_ + "prog").c_str(), nullptr);
    CreateDirectoryA((root_ + "Work").c_str(), nullptr);
    const std::string standIns = Environment("WK_STAND_IN_DIR");
    const char* const names[] = {"wendelkamm.exe", "startup_twin.exe", "startup_bare.exe"};
    const char* name = names[static_cast<int>(subject)];
    const std::string source = subject == Subject::Program ? Environment("WK_PRODUCT_EXE")
                                                           : standIns + "/" + name;
    exe_ = root_ + "prog\\" + name;
    CopyFileA(WindowsPathOf(source).c_str(), exe_.c_str(), FALSE);
    // The stand-in plays the system's cmd.exe, where the program and its twins look for it.
    PlaceStandIns();
    // The process number repeats from one Wine session to the next, and so
    // does the folder: start with empty logs.
    DeleteFileA((root_ + "launches.log").c_str());
    DeleteFileA((root_ + "twin.log").c_str());
    SetEnvironmentVariableA("WK_LAUNCH_LOG", (root_ + "launches.log").c_str());
    SetEnvironmentVariableA("WK_TWIN_LOG", (root_ + "twin.log").c_str());
    for (const char* name : {"WK_FAKE_LANGUAGE", "WK_FAKE_WORKGROUP", "WK_FAKE_ADDRESS", "WK_FAKE_DELAY_MS"})
        SetEnvironmentVariableA(name, nullptr);
}

StartupWatch::~StartupWatch()
{
    for (WatchedChild& child : times_.children)
        if (child.handle)
            CloseHandle(child.handle);
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool StartupWatch::Run()
{
    std::string commandLine = "\"" + exe_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // The twin is a console program: detached, it has no console, as the
    // program has none, so its commands get console hosts of their own too.
    const DWORD flags = subject_ == Subject::Twin ? DETACHED_PROCESS : 0;
    start_ = Milliseconds();
    if (!CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        (root_ + "Work").c_str(), &startup, &process_))
        return false;
    times_.call = Now();
    if (!(subject_ == Subject::Twin ? FollowTwin() : FollowProgram()))
        return false;
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(process_.hProcess, &created, &exited, &kernel, &user))
        times_.created = clocks_.FromFileTime(FileTimeValue(created)) - start_;
    ReadChildTimes();
    ReadLaunchLog();
    if (subject_ != Subject::Program)
        ReadTwinLog();
    return true;
}

bool StartupWatch::FollowProgram()
{
    for (int poll = 0; times_.text < 0; ++poll) {
        if (Now() > giveUpMs)
            return false;
        if (watch_ && poll % pollsPerListQuery == 0 && !CommandsEnded())
            AddNewChildren();
        if (!main_ && (main_ = FindMainWindow(process_.dwProcessId)))
            times_.window = Now();
        // Under Wine, GetWindowTextA of no window at all reads some other
        // window's text: the label must exist first.
        HWND label = main_ ? GetDlgItem(main_, lastLabelId) : nullptr;
        if (label && !StoredText(label).empty())
            times_.text = Now();
        else
            WaitForChildren();
    }
    WaitForInputIdle(process_.hProcess, 5000);
    times_.idle = Now();
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    times_.answered = Now();
    return true;
}

bool StartupWatch::FollowTwin()
{
    for (int poll = 0; WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; ++poll) {
        if (Now() > giveUpMs)
            return false;
        if (watch_ && poll % pollsPerListQuery == 0 && !CommandsEnded())
            AddNewChildren();
        WaitForChildren();
    }
    times_.exited = Now();
    return true;
}

// Children of the exe and their children (the console hosts). A process
// still being set up is listed without its name, and asked for its creation
// time then, it gives garbage: that is read once it has ended.
void StartupWatch::AddNewChildren()
{
    const double before = Milliseconds();
    const std::vector<ProcessEntry> list = ProcessList();
    times_.listCosts.push_back(Milliseconds() - before);
    for (const ProcessEntry& entry : list) {
        if (!Watched(entry.parentId))
            continue;
        WatchedChild* child = Find(entry.processId);
        if (!child) {
            times_.children.push_back({});
            child = &times_.children.back();
            child->processId = entry.processId;
            child->parentId = entry.parentId;
            child->handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.processId);
        }
        if (child->name.empty())
            child->name = entry.name;
    }
}

WatchedChild* StartupWatch::Find(DWORD processId)
{
    for (WatchedChild& child : times_.children)
        if (child.processId == processId)
            return &child;
    return nullptr;
}

bool StartupWatch::Watched(DWORD processId) const
{
    if (processId == process_.dwProcessId)
        return true;
    for (const WatchedChild& child : times_.children)
        if (child.processId == processId)
            return true;
    return false;
}

bool StartupWatch::CommandsEnded() const
{
    int ended = 0;
    for (const WatchedChild& child : times_.children)
        if (child.parentId == process_.dwProcessId && child.ended >= 0)
            ++ended;
    return ended >= 2;
}

// Sleeps for one poll interval, or less when a watched child ends, so that
// its end is seen when the program's own wait sees it.
void StartupWatch::WaitForChildren()
{
    std::vector<HANDLE> running;
    for (const WatchedChild& child : times_.children)
        if (child.handle && child.ended < 0)
            running.push_back(child.handle);
    if (running.empty()) {
        Sleep(pollMs);
        return;
    }
    WaitForMultipleObjects(static_cast<DWORD>(running.size()), running.data(), FALSE, pollMs);
    const double now = Now();
    for (WatchedChild& child : times_.children)
        if (child.handle && child.ended < 0 && WaitForSingleObject(child.handle, 0) == WAIT_OBJECT_0)
            child.ended = now;
}

void StartupWatch::ReadChildTimes()
{
    for (WatchedChild& child : times_.children) {
        // A child that ended before any list showed its name: its image tells.
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (child.name.empty() && child.handle && QueryFullProcessImageNameA(child.handle, 0, image, &size)) {
            const std::string path(image, size);
            child.name = path.substr(path.find_last_of('\\') + 1);
            CharLowerA(child.name.data());
        }
        FILETIME created, exited, kernel, user;
        if (!child.handle || !GetProcessTimes(child.handle, &created, &exited, &kernel, &user))
            continue;
        child.created = clocks_.FromFileTime(FileTimeValue(created)) - start_;
        if (child.ended >= 0)
            child.exitStamp = clocks_.FromFileTime(FileTimeValue(exited)) - start_;
    }
}

// The stand-in cmd's "launch\t<tick>..." and "ended\t<tick>" lines, one
// pair per run, in the order the commands ran.
void StartupWatch::ReadLaunchLog()
{
    std::vector<WatchedChild*> order;
    for (const WatchedChild* command : times_.Commands())
        order.push_back(Find(command->processId));
    size_t launched = 0, ended = 0;
    std::istringstream lines(ReadFileText(root_ + "launches.log"));
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() < 2)
            continue;
        const double at = clocks_.FromTick(std::strtoul(fields[1].c_str(), nullptr, 10)) - start_;
        if (fields[0] == "launch" && launched < order.size())
            order[launched++]->started = at;
        else if (fields[0] == "ended" && ended < order.size())
            order[ended++]->finished = at;
    }
}

// "main\t<ms>" and "launch\t<asked>\t<returned>" on the performance counter.
void StartupWatch::ReadTwinLog()
{
    int launch = 0;
    std::istringstream lines(ReadFileText(root_ + "twin.log"));
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() >= 2 && fields[0] == "main")
            times_.twinMain = std::atof(fields[1].c_str()) - start_;
        if (fields.size() >= 3 && fields[0] == "launch" && launch < 2) {
            times_.twinLaunches[launch][0] = std::atof(fields[1].c_str()) - start_;
            times_.twinLaunches[launch][1] = std::atof(fields[2].c_str()) - start_;
            ++launch;
        }
    }
}

IdleUse StartupWatch::MeasureIdle(DWORD milliseconds) const
{
    IdleUse use;
    const int linuxId = LinuxProcessIdOf(exe_.substr(std::string("C:\\wk-e2e\\").size()));
    const LONGLONG windowsBefore = WindowsCpu();
    const LinuxProcessStats before = LinuxStatsOf(linuxId);
    Sleep(milliseconds);
    const LONGLONG windowsAfter = WindowsCpu();
    const LinuxProcessStats after = LinuxStatsOf(linuxId);
    // The counting itself is checked: one message must wake the program.
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    const LinuxProcessStats woken = LinuxStatsOf(linuxId);
    if (windowsBefore >= 0 && windowsAfter >= 0)
        use.windowsCpuMs = static_cast<double>(windowsAfter - windowsBefore) / 10000.0;
    if (linuxId && before.cpuTicks >= 0 && after.cpuTicks >= 0 && woken.cpuTicks >= 0) {
        use.linuxTicks = after.cpuTicks - before.cpuTicks;
        use.wakeUps = after.wakeUps - before.wakeUps;
        use.wakeUpsForOneMessage = woken.wakeUps - after.wakeUps;
    }
    return use;
}

LONGLONG StartupWatch::WindowsCpu() const
{
    for (const ProcessEntry& entry : ProcessList())
        if (entry.processId == process_.dwProcessId)
            return entry.cpuTime;
    return -1;
}
