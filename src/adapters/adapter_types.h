// What the adapter window lists: one entry per IPv4 address of each network
// adapter, and the names of the adapter types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AdapterEntry {
    std::string description;  // the adapter's description as the platform reports it
    std::string address;      // dotted IPv4 text; 0.0.0.0 for an adapter without one
    uint32_t typeCode = 0;    // the adapter's interface type as the platform reports it
    std::string typeName;     // AdapterTypeName(typeCode)
};

// The entries of one enumeration in the order found: all addresses of the
// first adapter, then those of the next. It grows as needed, so a machine
// with many addresses gets a row for each of them.
using AdapterTable = std::vector<AdapterEntry>;

// "Ethernet Adapter", "Token Ring Adapter", ... or "Unknown Adapter".
std::string AdapterTypeName(uint32_t code);
