#include "adapters/adapter_rows.h"

std::string AdapterRowText(const AdapterEntry& entry, std::string_view aliveMark)
{
    std::string row = entry.address;
    row += '\n';
    row += entry.description;
    row += '\n';
    row += entry.typeName;
    row += '\n';
    row += aliveMark;
    return row;
}
