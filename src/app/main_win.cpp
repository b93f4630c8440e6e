// Wendelkamm: network diagnostics for a workstation behind one small window.
#include "app/main_window.h"
#include "app/private_heap.h"
#include "app/startup.h"
#include "toolkit/system_library.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
    PrivateHeapCreate();
    StartUp(instance);
    RunMainWindow();
}
