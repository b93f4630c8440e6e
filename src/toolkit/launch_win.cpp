#include "toolkit/launch.h"

#include "toolkit/system_library.h"

#include <windows.h>
#include <shellapi.h>

namespace {
std::string programFolder;
}

void ProgramFolderSet(std::string_view folder)
{
    programFolder = folder;
}

const std::string& ProgramFolder()
{
    return programFolder;
}

bool LaunchProgram(std::string_view program, std::string_view parameters,
                   std::string_view folder, RunMode mode)
{
    const std::string file = ProgramPath(program);
    if (file.empty())
        return false;
    const std::string arguments(parameters);
    // cmd looks for ipconfig, ping, net and the others in its current
    // directory before the PATH (until Vista, always): it must be the
    // system folder, never the program's.
    const std::string workingFolder = folder.empty() ? SystemFolder() : std::string(folder);

    SetCurrentDirectoryA(programFolder.c_str());

    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "Open";
    info.lpFile = file.c_str();
    info.lpParameters = arguments.c_str();
    info.lpDirectory = workingFolder.empty() ? nullptr : workingFolder.c_str();
    info.nShow = (mode & RunHidden) ? SW_HIDE : SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info))
        return false;
    if (info.hProcess) {
        if (mode & RunWait)
            WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hProcess);
    }
    return true;
}

int ShowMessage(std::string_view title, std::string_view message, unsigned flags)
{
    HWND owner = GetForegroundWindow();
    DWORD ownerProcess = 0;
    if (owner)
        GetWindowThreadProcessId(owner, &ownerProcess);
    if (ownerProcess != GetCurrentProcessId())
        owner = nullptr;
    const std::string titleText(title), messageText(message);
    return MessageBoxA(owner, messageText.c_str(), titleText.c_str(), flags);
}

void Pause(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
}
