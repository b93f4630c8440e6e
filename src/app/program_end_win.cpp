#include "app/program_end.h"

#include "app/private_heap.h"
#include "toolkit/toolkit.h"

#include <windows.h>

void EndProgram()
{
    ToolkitEnd();
    PrivateHeapDestroy();
    ExitProcess(0);
}
