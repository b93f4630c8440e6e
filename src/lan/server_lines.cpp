#include "lan/server_lines.h"

#include "toolkit/text.h"

std::string ServerLine(int number, std::string_view name, std::string_view address)
{
    std::string line = "No : " + DecimalText(number) + "  ";
    line += name;
    line += " --> ";
    line += address;
    return line;
}
