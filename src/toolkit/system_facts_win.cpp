#include "toolkit/system_facts.h"

#include <windows.h>

std::string UserName()
{
    char name[256] = {};
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size))
        return {};
    return name;
}

std::string ComputerName()
{
    char name[255] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size))
        return {};
    return name;
}
