#include "toolkit/network.h"

#include "toolkit/system_library.h"

#include <winsock2.h>

namespace {
bool lastStartSucceeded = false;
}

bool NetworkStart()
{
    // A missing library fails like a refused start.
    static const auto start = SYSTEM_FUNCTION("wsock32.dll", WSAStartup);
    WSADATA data;
    lastStartSucceeded = start && start(MAKEWORD(1, 1), &data) == 0;
    return lastStartSucceeded;
}

void NetworkEnd()
{
    if (!lastStartSucceeded)
        return;  // nothing to shut down, and no library to load for it
    if (const auto cleanup = SYSTEM_FUNCTION("wsock32.dll", WSACleanup))
        cleanup();
    lastStartSucceeded = false;
}
