// The LAN search: the computers that the browse service knows in the
// own domain or workgroup, each with the address its name resolves to.
#pragma once

#include "toolkit/network.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct hostent;

// NetServerEnum at level 101 for every server type of the own domain, as
// much as the platform wants to allocate: result, buffer, entries read.
uint32_t BrowseServers(BYTE** buffer, DWORD* entriesRead);
void ReleaseBrowseBuffer(void* buffer);
// gethostbyname of the Windows Sockets 1.1 library.
const hostent* FindHost(const char* name);
// A message box titled "Info" with one OK button.
void ShowInfo(std::string_view text);

// The platform pieces that a search pass uses. Tests replace them to feed
// server lists and host entries and to record the message boxes.
struct LanServices {
    std::function<uint32_t(BYTE** buffer, DWORD* entriesRead)> browseServers = BrowseServers;
    std::function<void(void* buffer)> releaseBuffer = ReleaseBrowseBuffer;
    std::function<bool()> startNetwork = NetworkStart;
    std::function<const hostent*(const char* name)> findHost = FindHost;
    std::function<void(std::string_view text)> showInfo = ShowInfo;
};

// A dotted IPv4 address, "Unable to resolve domain name", or "" after an
// "Info" box about the socket library or another address family.
std::string ResolveName(std::string_view name, const LanServices& services = {});

// Hands over one numbered line per server, numbered from 1, each as soon as
// its name is resolved (so that the lines and the boxes keep their order),
// or shows the "Failed" box.
using ServerLineSink = std::function<void(std::string_view line)>;
void EnumerateServers(const ServerLineSink& showLine, const LanServices& services = {});
