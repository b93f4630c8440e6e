#include "toolkit/toolkit.h"

#include "toolkit/network.h"
#include "toolkit/text_file.h"

void ToolkitInit(HINSTANCE)
{
}

void ToolkitEnd()
{
    TextFilesRelease();
    NetworkEnd();
}
