#include "sysinfo/capture_parsing.h"

#include "toolkit/text.h"

namespace {

// Only the first 18 characters of the German key word are compared: the
// umlaut that follows is written in the console's code page.
constexpr std::string_view workgroupKeys[] = {"Arbeitsstationsdom", "Workstation domain"};

} // namespace

bool WorkgroupFromLine(std::string_view line, std::string& workgroup)
{
    const std::string trimmed = TrimBlanks(line);
    for (std::string_view key : workgroupKeys) {
        // At the start of the line only: "DNS-Name der Arbeitsstationsdomäne"
        // names the DNS domain, not the workgroup.
        if (FindText(trimmed, key, 1) != 1)
            continue;
        // Skip the rest of the key word ("äne"), then take the value.
        size_t valueStart = trimmed.find(' ', key.size());
        workgroup = valueStart == std::string::npos
                        ? std::string()
                        : TrimBlanks(std::string_view(trimmed).substr(valueStart));
        return true;
    }
    return false;
}

PingBracket OwnAddressFromLine(std::string_view line, std::string& address)
{
    const std::string compact = RemoveAll(line, " ");
    const int open = FindText(compact, "[", 1);
    const int close = FindText(compact, "]", 1);
    if (open == 0)
        return PingBracket::None;
    address = MidText(compact, open + 1, close - open - 1);
    if (address.find(':') == std::string::npos)
        return PingBracket::Ipv4;
    address.clear();
    return PingBracket::Ipv6;
}
