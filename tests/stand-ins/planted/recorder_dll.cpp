// Planted in the program's folder under the names of the system DLLs the
// program uses (comctl32.dll, wininet.dll, ...): appends "loaded\t<this
// file>\t<process exe>" to WK_LAUNCH_LOG when any process loads it. Built
// for both processors, so that either exe would take it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    char log[MAX_PATH] = {}, self[MAX_PATH] = {}, process[MAX_PATH] = {}, line[3 * MAX_PATH + 16];
    // A log path too long for the buffer leaves it empty, and CreateFileA then fails.
    if (reason != DLL_PROCESS_ATTACH || !GetEnvironmentVariableA("WK_LAUNCH_LOG", log, MAX_PATH))
        return TRUE;
    GetModuleFileNameA(instance, self, MAX_PATH);
    GetModuleFileNameA(nullptr, process, MAX_PATH);
    const int size = wsprintfA(line, "loaded\t%s\t%s\r\n", self, process);
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return TRUE;
}
