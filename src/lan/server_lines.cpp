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

std::string DottedAddress(const unsigned char* bytes)
{
    std::string text;
    for (int index = 0; index < 4; ++index) {
        if (index > 0)
            text += '.';
        text += UnsignedText(bytes[index], NumberWidth::Byte);
    }
    return text;
}

std::string LastDottedAddress(const char* const* addressList)
{
    std::string text;
    if (!addressList)
        return text;
    // The host entry's address length is not consulted: IPv4 has four bytes.
    for (; *addressList; ++addressList)
        text = DottedAddress(reinterpret_cast<const unsigned char*>(*addressList));
    return text;
}
