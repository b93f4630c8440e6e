#include "process_watch.h"

#include "driver.h"

#include <winternl.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

using QuerySystemInformation = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
constexpr NTSTATUS infoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

LONGLONG SystemFileTime()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FileTimeValue(now);
}

std::string Narrow(const UNICODE_STRING& text)
{
    std::string narrow;
    for (USHORT index = 0; index < text.Length / sizeof(WCHAR); ++index)
        narrow += static_cast<char>(text.Buffer[index] < 128 ? text.Buffer[index] : '?');
    return narrow;
}

// Linux files under Wine's Z: drive. procfs reports a size of 0; the
// driver's reader reads until the end rather than by size.
std::string ReadLinuxFile(const std::string& path)
{
    return ReadFileText(WindowsPathOf(path));
}

std::vector<std::string> LinuxFolderEntries(const std::string& path)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WindowsPathOf(path) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (found.cFileName[0] >= '0' && found.cFileName[0] <= '9')
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

long long StatusValue(const std::string& status, const std::string& key)
{
    const size_t at = status.find(key + ":");
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + key.size() + 1);
}

} // namespace

LONGLONG FileTimeValue(const FILETIME& time)
{
    return static_cast<LONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

double Milliseconds()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

ClockMap::ClockMap()
{
    const double before = Milliseconds();
    const LONGLONG fileTime = SystemFileTime();
    const double after = Milliseconds();
    fileTimeOffset_ = static_cast<double>(fileTime) / 10000.0 - (before + after) / 2;

    // Catch the tick just as it moves: only then does it show the current
    // millisecond rather than the one of the wineserver's last request.
    // A wait of zero on our own process is a cheap wineserver request, and
    // each request lets the server bring the tick up to date.
    const DWORD first = GetTickCount();
    const double start = Milliseconds();
    DWORD tick = first;
    while ((tick = GetTickCount()) == first && Milliseconds() - start < 100)
        WaitForSingleObject(GetCurrentProcess(), 0);
    tickOffset_ = static_cast<double>(tick) - Milliseconds();
}

double ClockMap::FromFileTime(LONGLONG fileTime) const
{
    return static_cast<double>(fileTime) / 10000.0 - fileTimeOffset_;
}

double ClockMap::FromTick(unsigned long tick) const
{
    return static_cast<double>(tick) - tickOffset_;
}

std::vector<ProcessEntry> ProcessList()
{
    static const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    static std::vector<char> buffer(256 * 1024);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == infoLengthMismatch)
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    std::vector<ProcessEntry> list;
    if (status != 0)
        return list;
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        ProcessEntry process;
        process.processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId));
        process.parentId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->InheritedFromUniqueProcessId));
        process.name = Narrow(entry->ImageName);
        process.cpuTime = entry->UserTime.QuadPart + entry->KernelTime.QuadPart;
        list.push_back(process);
        if (entry->NextEntryOffset == 0)
            return list;
        offset += entry->NextEntryOffset;
    }
}

int LinuxProcessIdOf(const std::string& commandLinePiece)
{
    for (const std::string& name : LinuxFolderEntries("\\proc")) {
        std::string commandLine = ReadLinuxFile("\\proc\\" + name + "\\cmdline");
        std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
        if (commandLine.find(commandLinePiece) != std::string::npos)
            return std::atoi(name.c_str());
    }
    return 0;
}

LinuxProcessStats LinuxStatsOf(int linuxProcessId)
{
    LinuxProcessStats stats;
    const std::string folder = "\\proc\\" + std::to_string(linuxProcessId);
    // Fields after the ")" that closes the name: utime and stime are the
    // 12th and 13th of them.
    const std::string stat = ReadLinuxFile(folder + "\\stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return stats;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long long userTicks = 0, systemTicks = 0;
    for (int index = 1; index <= 13 && fields >> field; ++index) {
        if (index == 12)
            userTicks = std::atoll(field.c_str());
        if (index == 13)
            systemTicks = std::atoll(field.c_str());
    }
    stats.cpuTicks = userTicks + systemTicks;
    stats.wakeUps = 0;
    for (const std::string& task : LinuxFolderEntries(folder + "\\task")) {
        const std::string status = ReadLinuxFile(folder + "\\task\\" + task + "\\status");
        stats.wakeUps += StatusValue(status, "voluntary_ctxt_switches") +
                         StatusValue(status, "nonvoluntary_ctxt_switches");
        ++stats.threads;
    }
    return stats;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
