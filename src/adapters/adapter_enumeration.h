// The machine's network adapters and their IPv4 addresses, as the IP Helper
// reports them.
#pragma once

#include "adapters/adapter_types.h"

#include <windows.h>
#include <iphlpapi.h>

#include <cstdint>
#include <functional>

// The table of the latest enumeration and its count: the number of entries,
// or -1 when the adapter query failed. Both stay until the next opening of
// the adapter window empties them.
extern AdapterTable adapterTable;
extern int32_t adapterCount;

// Empty table, count 0: the state before every enumeration.
void AdapterTableReset();

// Fills adapterTable and sets adapterCount from the IP Helper.
void EnumerateAdapters();

// The IP Helper calls the enumeration makes, replaceable so that tests can
// feed it adapter records of their own.
struct AdapterQueries {
    std::function<DWORD(FIXED_INFO* buffer, ULONG* size)> networkParams;
    std::function<DWORD(IP_ADAPTER_INFO* buffer, ULONG* size)> adaptersInfo;
};
void EnumerateAdapters(const AdapterQueries& queries);
