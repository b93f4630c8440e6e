#include "toolkit/network.h"

#include <winsock2.h>

namespace {
bool lastStartSucceeded = false;
}

bool NetworkStart()
{
    WSADATA data;
    lastStartSucceeded = WSAStartup(0x0101, &data) == 0;
    return lastStartSucceeded;
}

void NetworkEnd()
{
    if (lastStartSucceeded)
        WSACleanup();
    lastStartSucceeded = false;
}
