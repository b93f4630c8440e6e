// How an adapter entry becomes a row of the adapter list.
#pragma once

#include "adapters/adapter_types.h"

#include <string>
#include <string_view>

// The row's four cells, separated by line feeds: address, description,
// type name, alive mark.
std::string AdapterRowText(const AdapterEntry& entry, std::string_view aliveMark);
