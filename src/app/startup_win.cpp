#include "app/startup.h"

#include "app/app_state.h"
#include "app/info_link_caption.h"
#include "app/ip_field.h"
#include "app/startup_rules.h"
#include "sysinfo/capture_reading.h"
#include "sysinfo/windows_version.h"
#include "toolkit/launch.h"
#include "toolkit/system_facts.h"
#include "toolkit/text.h"
#include "toolkit/toolkit.h"

AppState appState;

namespace {

std::string ModuleFolder(HINSTANCE instance)
{
    char path[500] = {};
    GetModuleFileNameA(instance, path, sizeof path);
    return ProgramFolderFromModulePath(path);
}

std::string CurrentFolder()
{
    // GetCurrentDirectoryA writes nothing when it fails or the folder does
    // not fit; the start folder is then empty rather than a row of blanks.
    std::string folder = Blanks(1000);
    DWORD length = GetCurrentDirectoryA(1000, folder.data());
    if (length == 0 || length >= 1000)
        return {};
    folder.resize(length);
    return folder;
}

std::string TempFolder()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof path, path);
    if (length == 0 || length >= sizeof path)
        return {};
    return std::string(path, length);
}

std::string InstalledMegabytes()
{
#ifdef _WIN64
    // A 64-bit process sees the real amount, far above 2 GB.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    return DecimalText(MegabytesFromBytes(static_cast<float>(status.ullTotalPhys)));
#else
    // Not large-address aware: Windows reports at most 2,147,483,647 bytes,
    // read as a signed 32-bit number.
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return DecimalText(MegabytesFromBytes(static_cast<float>(static_cast<int32_t>(status.dwTotalPhys))));
#endif
}

// Keeps the address the capture names, if any; true when the ping answered
// over IPv6.
bool TakePingCapture()
{
    const PingReading reading = ReadPingCapture(appState.PingCapturePath);
    if (reading.named)
        appState.OwnAddressText = reading.address;
    return reading.overIpv6;
}

} // namespace

void StartUp(HINSTANCE instance)
{
    appState.ProgramFolder = ModuleFolder(instance);
    ProgramFolderSet(appState.ProgramFolder);
    ToolkitInit(instance);

    appState.StartFolder = CurrentFolder();
    const CapturePaths paths = CapturePathsFor(CaptureFolderFor(appState.StartFolder, TempFolder()));
    appState.WorkstationCapturePath = paths.workstation;
    appState.SessionCapturePath = paths.session;
    appState.PingCapturePath = paths.ping;

    LaunchProgram("cmd", WorkstationCaptureParameters(appState.WorkstationCapturePath), "",
                  RunWait | RunHidden);

    appState.StartComputerName = ComputerName();
    const std::string pingParameters =
        PingCaptureParameters(appState.StartComputerName, appState.PingCapturePath);
    // Systems without cmd have the older interpreter.
    if (!LaunchProgram("cmd", pingParameters, "", RunWait | RunHidden))
        LaunchProgram("command", pingParameters, "", RunWait | RunHidden);

    appState.MemoryMegabytes = InstalledMegabytes();
    appState.ServicePackText = ServicePackText();
    appState.InfoLinkCaption = UnscrambleCaption(storedInfoLinkCaption);
    appState.WindowsName = WindowsName();
    appState.WorkgroupName = ReadWorkgroup(appState.WorkstationCapturePath);
}

void ReadStartAddress()
{
    // Vista and later answer a ping of the own name over IPv6.
    if (TakePingCapture()) {
        LaunchProgram("cmd", PingIpv4CaptureParameters(appState.StartComputerName, appState.PingCapturePath), "",
                      RunWait | RunHidden);
        TakePingCapture();
    }
    ShowAddressInIpField(appState.OwnAddressText);
}
