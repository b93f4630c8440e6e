#include "lan/server_enumeration.h"

#include "lan/server_lines.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/launch.h"
#include "toolkit/system_library.h"

#include <winsock2.h>
#include <lm.h>

#include <algorithm>
#include <cwchar>

namespace {

constexpr DWORD serverInfoLevel = 101;
constexpr int maxNameCharacters = 255;
constexpr int nameBufferSize = 512;

bool EntriesCanBeRead(uint32_t result)
{
    return result == NERR_Success || result == ERROR_MORE_DATA;
}

// The name in the ANSI code page. Converts up to and including its
// terminator, at most 255 characters, so nothing behind the name is read.
std::string AnsiName(const wchar_t* name)
{
    if (!name)
        return {};
    const int count = static_cast<int>(std::min<size_t>(std::wcslen(name) + 1, maxNameCharacters));
    char converted[nameBufferSize] = {};
    WideCharToMultiByte(CP_ACP, 0, name, count, converted, nameBufferSize - 1, nullptr, nullptr);
    return converted;
}

} // namespace

uint32_t BrowseServers(BYTE** buffer, DWORD* entriesRead)
{
    static const auto netServerEnum = SYSTEM_FUNCTION("netapi32.dll", NetServerEnum);
    if (!netServerEnum)
        return ERROR_NOT_SUPPORTED;  // shown as "Failed", like any refusal
    DWORD totalEntries = 0;
    DWORD resumeHandle = 0;
    return netServerEnum(nullptr, serverInfoLevel, buffer, MAX_PREFERRED_LENGTH, entriesRead,
                         &totalEntries, SV_TYPE_ALL, nullptr, &resumeHandle);
}

void ReleaseBrowseBuffer(void* buffer)
{
    static const auto bufferFree = SYSTEM_FUNCTION("netapi32.dll", NetApiBufferFree);
    if (bufferFree)
        bufferFree(buffer);
}

const hostent* FindHost(const char* name)
{
    static const auto findHost = SYSTEM_FUNCTION("wsock32.dll", gethostbyname);
    return findHost ? findHost(name) : nullptr;
}

void ShowInfo(std::string_view text)
{
    ShowMessage("Info", text, MB_OK);
}

std::string ResolveName(std::string_view name, const LanServices& services)
{
    // Started anew on every lookup; the end of the program shuts it down once.
    if (!services.startNetwork()) {
        services.showInfo("Network can't be initialized");
        return {};
    }
    const hostent* host = services.findHost(std::string(name).c_str());
    if (!host)
        return std::string(unresolvedNameText);
    if (host->h_addrtype != AF_INET) {
        services.showInfo("A non-IP address was returned");
        return {};
    }
    return LastDottedTextFromAddressList(host->h_addr_list);
}

void EnumerateServers(const ServerLineSink& showLine, const LanServices& services)
{
    // Wine's browse service stub fails without touching its output
    // arguments: only a buffer that was really handed out is read or freed.
    BYTE* buffer = nullptr;
    DWORD entriesRead = 0;
    const uint32_t result = services.browseServers(&buffer, &entriesRead);
    if (!EntriesCanBeRead(result)) {
        services.showInfo("Failed");
    } else if (buffer) {
        const auto* servers = reinterpret_cast<const SERVER_INFO_101*>(buffer);
        for (DWORD index = 0; index < entriesRead; ++index) {
            const std::string name = AnsiName(servers[index].sv101_name);
            const std::string address = ResolveName(name, services);
            showLine(ServerLine(static_cast<int>(index) + 1, name, address));
        }
    }
    if (buffer)
        services.releaseBuffer(buffer);
}
