#include "toolkit/toolkit.h"

#include "toolkit/gadget.h"
#include "toolkit/network.h"
#include "toolkit/text_file.h"
#include "toolkit/window.h"

void ToolkitInit(HINSTANCE instance)
{
    WindowsInit(instance);
    GadgetsInit();
    // The file table starts empty; closing every file empties it.
    TextFilesRelease();
    FontsInit();
}

void ToolkitEnd()
{
    TextFilesRelease();
    GadgetsRelease();
    NetworkEnd();
    WindowCloseAll();
}
