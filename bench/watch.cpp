#include "watch.h"

#include "driver.h"

#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace {

const char mainTitle[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";
constexpr int lastLabelId = 16;  // its text is the last one set before the loop
constexpr double giveUpMs = 20000;
// Every poll asks the wineserver, which the watched processes need too. The
// process list (about 1 ms) is asked only every few polls, which still finds
// each command long before it ends: its creation and exit times come from
// the wineserver, not from the poll.
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

double FileTimeMs(const FILETIME& time)
{
    const LONGLONG value = static_cast<LONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    return static_cast<double>(value) / 10000.0;
}

std::string ClassNameOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// One line of a window's layout.
std::string Describe(HWND parent, HWND window, bool dataText)
{
    std::string text = StoredText(window);
    if (dataText)
        text = text.substr(0, text.find('=') + 1);
    char line[400];
    std::snprintf(line, sizeof line, "%s id %d at %s style %08lx ex %08lx \"%s\"", ClassNameOf(window).c_str(),
                  GetDlgCtrlID(window), PlaceText(parent, window).c_str(),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), text.c_str());
    std::string described = line;
    if (ClassNameOf(window) == "ComboBox")
        described += " entries " + std::to_string(SendMessageA(window, CB_GETCOUNT, 0, 0));
    if (ClassNameOf(window) == WC_LISTVIEWA) {
        described += " columns " + ListTable(window)[0];
        described += " list style " + std::to_string(SendMessageA(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    }
    return described;
}

// The Linux side of a Wine process, read through Wine's Z: drive: found by
// its command line, which shows the exe's Windows path.
std::vector<std::string> LinuxNumberedEntries(const std::string& folder)
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

std::string LinuxProcessOf(const std::string& commandLinePiece)
{
    for (const std::string& name : LinuxNumberedEntries("/proc")) {
        std::string commandLine = ReadFileText(WindowsPathOf("/proc/" + name + "/cmdline"));
        std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
        if (commandLine.find(commandLinePiece) != std::string::npos)
            return "/proc/" + name;
    }
    return "";
}

long long StatusValue(const std::string& status, const std::string& key)
{
    const size_t at = status.find(key + ":");
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + key.size() + 1);
}

long long LinuxWakeUps(const std::string& folder)
{
    long long wakeUps = 0;
    for (const std::string& task : LinuxNumberedEntries(folder + "/task")) {
        const std::string status = ReadFileText(WindowsPathOf(folder + "/task/" + task + "/status"));
        wakeUps += StatusValue(status, "voluntary_ctxt_switches");
        wakeUps += StatusValue(status, "nonvoluntary_ctxt_switches");
    }
    return wakeUps;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            windows.push_back(window);
    }
    return windows;
}

double Milliseconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<ProcessEntry> ProcessList()
{
    using Query = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    static std::vector<char> buffer(1024 * 1024);  // many times what a Wine session's list needs
    std::vector<ProcessEntry> list;
    if (query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr) != 0)
        return list;
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        ProcessEntry process;
        process.processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId));
        process.parentId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->InheritedFromUniqueProcessId));
        for (USHORT index = 0; index < entry->ImageName.Length / sizeof(WCHAR); ++index)
            process.name += static_cast<char>(entry->ImageName.Buffer[index]);
        process.cpuTime = entry->UserTime.QuadPart + entry->KernelTime.QuadPart;
        list.push_back(process);
        if (entry->NextEntryOffset == 0)
            return list;
        offset += entry->NextEntryOffset;
    }
}

std::vector<std::string> Layout(HWND window, const std::vector<int>& dataIds)
{
    std::vector<std::string> lines{Describe(nullptr, window, false) + " client " + PlaceText(window, window)};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool data = std::find(dataIds.begin(), dataIds.end(), GetDlgCtrlID(child)) != dataIds.end();
        lines.push_back(Describe(window, child, data));
    }
    return lines;
}

bool SameLayout(const std::vector<std::string>& program, const std::vector<std::string>& bare)
{
    if (program == bare)
        return true;
    std::printf("LAYOUT DRIFT: the bare twin's window is not the program's\n");
    for (size_t line = 0; line < std::max(program.size(), bare.size()); ++line) {
        const std::string ours = line < program.size() ? program[line] : "(none)";
        const std::string twins = line < bare.size() ? bare[line] : "(none)";
        if (ours != twins)
            std::printf("  program:   %s\n  bare twin: %s\n", ours.c_str(), twins.c_str());
    }
    return false;
}

StartWatch::StartWatch(int number, Subject subject)
{
    root_ = "C:\\wk-e2e\\" + std::to_string(GetCurrentProcessId()) + "-start" + std::to_string(number) + "\\";
    for (const std::string& folder : {std::string("C:\\wk-e2e"), root_, root_ + "prog", root_ + "Work"})
        CreateDirectoryA(folder.c_str(), nullptr);
    const bool bare = subject == Subject::Bare;
    const std::string source =
        bare ? Environment("WK_STAND_IN_DIR") + "/startup_bare.exe" : Environment("WK_PRODUCT_EXE");
    exe_ = root_ + (bare ? "prog\\startup_bare.exe" : "prog\\wendelkamm.exe");
    CopyFileA(WindowsPathOf(source).c_str(), exe_.c_str(), FALSE);
    PlaceStandIns();
    // Process numbers, and so these folders, repeat from one Wine session to the next.
    DeleteFileA((root_ + "twin.log").c_str());
    SetEnvironmentVariableA("WK_TWIN_LOG", (root_ + "twin.log").c_str());
    for (const char* variable : {"WK_FAKE_WORKGROUP", "WK_FAKE_ADDRESS", "WK_FAKE_DELAY_MS"})
        SetEnvironmentVariableA(variable, nullptr);
    FILETIME now;
    const double before = Milliseconds();
    GetSystemTimeAsFileTime(&now);
    fileTimeOffset_ = FileTimeMs(now) - (before + Milliseconds()) / 2;
}

StartWatch::~StartWatch()
{
    for (const Command& command : commands)
        CloseHandle(command.handle);
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

bool StartWatch::Run()
{
    std::string commandLine = "\"" + exe_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    start_ = Milliseconds();
    if (!CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        (root_ + "Work").c_str(), &startup, &process_))
        return false;
    for (int poll = 0; !Done(); ++poll) {
        if (Now() > giveUpMs)
            return false;
        if (poll % pollsPerListQuery == 0)
            AddNewCommands();
        Sleep(pollMs);
    }
    WaitForInputIdle(process_.hProcess, 5000);
    idle = Now();
    ReadCommands();
    // The bare twin's "<main() began> <first launch asked>", on the performance counter.
    if (std::FILE* log = std::fopen((root_ + "twin.log").c_str(), "r")) {
        if (std::fscanf(log, "%lf %lf", &twinMain, &firstAsked) == 2) {
            twinMain -= start_;
            firstAsked -= start_;
        }
        std::fclose(log);
    }
    return commands.size() == 2;
}

bool StartWatch::Done()
{
    for (HWND window : TopLevelWindows(process_.dwProcessId))
        if (!main_ && IsWindowVisible(window) && StoredText(window) == mainTitle)
            main_ = window;
    // Under Wine, GetWindowTextA of no window at all reads some other
    // window's text: the label must exist first.
    HWND label = main_ ? GetDlgItem(main_, lastLabelId) : nullptr;
    return label && !StoredText(label).empty();
}

// The exe's children, until two have ended: the commands, and under Wine
// perhaps console hosts, told apart once all is over.
void StartWatch::AddNewCommands()
{
    const auto ended = [](const Command& command) { return WaitForSingleObject(command.handle, 0) == WAIT_OBJECT_0; };
    if (std::count_if(commands.begin(), commands.end(), ended) >= 2)
        return;
    for (const ProcessEntry& entry : ProcessList()) {
        const auto known = [&](const Command& command) { return command.processId == entry.processId; };
        if (entry.parentId != process_.dwProcessId || std::any_of(commands.begin(), commands.end(), known))
            continue;
        Command command;
        command.processId = entry.processId;
        command.handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.processId);
        commands.push_back(command);
    }
}

// Asked while it was being set up, a process gives garbage for its name and
// creation time: both are read now that it has ended. Its exit time, as the
// wineserver recorded it, is when the program's wait for it returned.
void StartWatch::ReadCommands()
{
    std::vector<Command> cmds;
    for (Command& command : commands) {
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        QueryFullProcessImageNameA(command.handle, 0, image, &size);
        CharLowerA(image);
        const bool isCmd = std::string_view(image, size).ends_with("\\cmd.exe");
        FILETIME created;
        FILETIME exited;
        FILETIME kernel;
        FILETIME user;
        if (!isCmd || WaitForSingleObject(command.handle, 0) != WAIT_OBJECT_0 ||
            !GetProcessTimes(command.handle, &created, &exited, &kernel, &user)) {
            CloseHandle(command.handle);
            continue;
        }
        command.created = FileTimeMs(created) - fileTimeOffset_ - start_;
        command.ended = FileTimeMs(exited) - fileTimeOffset_ - start_;
        cmds.push_back(command);
    }
    std::sort(cmds.begin(), cmds.end(), [](const Command& a, const Command& b) { return a.created < b.created; });
    commands = cmds;
}

IdleUse StartWatch::MeasureIdle(DWORD milliseconds) const
{
    const auto windowsCpu = [this] {
        for (const ProcessEntry& entry : ProcessList())
            if (entry.processId == process_.dwProcessId)
                return static_cast<double>(entry.cpuTime) / 10000.0;
        return -1.0;
    };
    IdleUse use;
    const std::string linux = LinuxProcessOf(exe_.substr(std::string("C:\\wk-e2e\\").size()));
    if (linux.empty())
        return use;
    const double windowsBefore = windowsCpu();
    const long long wakeUpsBefore = LinuxWakeUps(linux);
    Sleep(milliseconds);
    use.windowsCpuMs = windowsCpu() - windowsBefore;
    const long long wakeUpsAfter = LinuxWakeUps(linux);
    use.wakeUps = static_cast<double>(wakeUpsAfter - wakeUpsBefore);
    // The counting itself is checked: one message must wake the program.
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    use.wakeUpsForOneMessage = static_cast<double>(LinuxWakeUps(linux) - wakeUpsAfter);
    return use;
}
