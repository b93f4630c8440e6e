#include "adapters/adapter_types.h"

#include <array>

namespace {

struct NamedType {
    uint32_t code;
    const char* name;
};

// The interface-type numbers the IP Helper really reports in an adapter's
// Type field. It reports dial-up PPP and PPPoE connections alike as 23, so
// the earlier "PPP Adapter" always wins and "PPPoE Adapter" is never given.
// The table keeps it anyway to keep the order in which codes are tried.
constexpr std::array<NamedType, 7> namedTypes{{
    {6, "Ethernet Adapter"},
    {9, "Token Ring Adapter"},
    {15, "FDDI Adapter"},
    {23, "PPP Adapter"},
    {24, "Loopback Adapter"},
    {28, "Slip Adapter"},
    {23, "PPPoE Adapter"},
}};

} // namespace

std::string AdapterTypeName(uint32_t code)
{
    for (const NamedType& type : namedTypes)
        if (type.code == code)
            return type.name;
    return "Unknown Adapter";
}
