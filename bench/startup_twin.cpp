// Stands in for wendelkamm.exe in the start-up benchmark, as a yardstick:
// it imports the same system DLLs, so Wine's loader does the same work,
// and then starts the same two hidden commands the same way (ShellExecuteExA
// of "cmd" from the program's folder, hidden, waited for) and nothing else.
// It stamps each step on the performance counter, which under Wine is one
// clock for every process, so the benchmark can tell Wine's share of the
// program's start-up from the program's own.
// Environment:
//   WK_TWIN_LOG   file to write the stamps to: "main\t<ms>", then one
//                 "launch\t<ms called>\t<ms returned>" line per command
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <lm.h>
#include <shellapi.h>
#include <wininet.h>
#include <winsock.h>

#include <cstdio>
#include <string>

namespace {

double Milliseconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One function of each DLL that wendelkamm.exe imports, so that the loader
// maps and initialises the same set. Never called.
void* const importedDlls[] = {
    reinterpret_cast<void*>(&GetUserNameA),       reinterpret_cast<void*>(&InitCommonControls),
    reinterpret_cast<void*>(&CreateFontA),        reinterpret_cast<void*>(&GetAdaptersInfo),
    reinterpret_cast<void*>(&NetServerEnum),      reinterpret_cast<void*>(&ShellExecuteExA),
    reinterpret_cast<void*>(&MessageBoxA),        reinterpret_cast<void*>(&InternetOpenA),
    reinterpret_cast<void*>(&gethostbyname),
};

std::string Environment(const char* name)
{
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// What LaunchProgram does for a hidden, waited-for command.
void LaunchHiddenAndWait(const std::string& programFolder, const std::string& parameters)
{
    SetCurrentDirectoryA(programFolder.c_str());
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "Open";
    info.lpFile = "cmd";
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (ShellExecuteExA(&info) && info.hProcess) {
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hProcess);
    }
}

} // namespace

int main()
{
    const double mainStamp = Milliseconds();
    volatile const void* keep = importedDlls;
    (void)keep;

    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string programFolder(module);
    programFolder.resize(programFolder.rfind('\\') + 1);
    char startFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof startFolder, startFolder);
    const std::string start(startFolder);

    double stamps[4];
    stamps[0] = Milliseconds();
    LaunchHiddenAndWait(programFolder, " /c Net config workstation > \"" + start + "\\2345.txt\"");
    stamps[1] = Milliseconds();
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    stamps[2] = Milliseconds();
    LaunchHiddenAndWait(programFolder,
                        " /c Ping -n 1 \"" + std::string(computer) + "\" > \"" + start + "\\123.txt\"");
    stamps[3] = Milliseconds();

    FILE* log = std::fopen(Environment("WK_TWIN_LOG").c_str(), "w");
    if (!log)
        return 1;
    std::fprintf(log, "main\t%.3f\nlaunch\t%.3f\t%.3f\nlaunch\t%.3f\t%.3f\n", mainStamp, stamps[0],
                 stamps[1], stamps[2], stamps[3]);
    std::fclose(log);
    return 0;
}
