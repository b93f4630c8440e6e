// Wendelkamm: network diagnostics for a workstation behind one small window.
#include "app/main_window.h"
#include "app/private_heap.h"
#include "app/startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    PrivateHeapCreate();
    StartUp(instance);
    RunMainWindow();
}
