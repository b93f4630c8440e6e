#include "adapters/adapter_enumeration.h"

#include "toolkit/system_library.h"
#include "toolkit/text.h"

#include <string>
#include <vector>

AdapterTable adapterTable;
int32_t adapterCount = 0;

namespace {

// A size query either fits (0) or names the size it needs (111); anything
// else, such as 232 on a machine without adapters, means no adapter info.
bool SizeQueryAnswered(DWORD result)
{
    return result == NO_ERROR || result == ERROR_BUFFER_OVERFLOW;
}

void AddAdapterEntries(const IP_ADAPTER_INFO& adapter)
{
    const std::string description = FieldText(adapter.Description);
    const std::string typeName = AdapterTypeName(adapter.Type);
    for (const IP_ADDR_STRING* entry = &adapter.IpAddressList; entry; entry = entry->Next) {
        adapterTable.push_back({description, FieldText(entry->IpAddress.String), adapter.Type,
                                typeName});
        ++adapterCount;
    }
}

} // namespace

void AdapterTableReset()
{
    adapterTable.clear();
    adapterCount = 0;
}

void EnumerateAdapters(const AdapterQueries& queries)
{
    // Only whether the network parameters can be queried matters here.
    ULONG size = 0;
    if (!SizeQueryAnswered(queries.networkParams(nullptr, &size))) {
        adapterCount = -1;
        return;
    }
    size = 0;
    if (!SizeQueryAnswered(queries.adaptersInfo(nullptr, &size))) {
        adapterCount = -1;
        return;
    }
    // Whole records, zero-filled, so the buffer is aligned for them.
    std::vector<IP_ADAPTER_INFO> buffer((size + sizeof(IP_ADAPTER_INFO) - 1) /
                                        sizeof(IP_ADAPTER_INFO));
    // A fetch that fails (the adapters changed since the size query, say)
    // leaves the list empty; the user sees no error for it.
    if (buffer.empty() || queries.adaptersInfo(buffer.data(), &size) != NO_ERROR)
        return;
    for (const IP_ADAPTER_INFO* adapter = buffer.data(); adapter; adapter = adapter->Next)
        AddAdapterEntries(*adapter);
}

void EnumerateAdapters()
{
    // Without the IP Helper the queries fail as they would on a machine
    // whose adapter information cannot be read.
    static const auto networkParams = SYSTEM_FUNCTION("iphlpapi.dll", GetNetworkParams);
    static const auto adaptersInfo = SYSTEM_FUNCTION("iphlpapi.dll", GetAdaptersInfo);
    EnumerateAdapters({[](FIXED_INFO* buffer, ULONG* size) {
                           return networkParams ? networkParams(buffer, size) : ERROR_NOT_SUPPORTED;
                       },
                       [](IP_ADAPTER_INFO* buffer, ULONG* size) {
                           return adaptersInfo ? adaptersInfo(buffer, size) : ERROR_NOT_SUPPORTED;
                       }});
}
