#include "toolkit/ipv4_address.h"

#include "toolkit/text.h"

std::array<int32_t, 4> AddressNumbersFromText(std::string_view dotted)
{
    std::array<int32_t, 4> numbers{};
    for (int index = 1; index <= 4; ++index)
        numbers[static_cast<size_t>(index - 1)] = ParseInteger(FieldOf(dotted, index, "."));
    return numbers;
}

uint32_t PackAddressNetworkOrder(int32_t a, int32_t b, int32_t c, int32_t d)
{
    return static_cast<uint32_t>(a) + 256u * static_cast<uint32_t>(b) +
           65536u * static_cast<uint32_t>(c) + 16777216u * static_cast<uint32_t>(d);
}

uint32_t PackAddressNetworkOrder(const std::array<int32_t, 4>& numbers)
{
    return PackAddressNetworkOrder(numbers[0], numbers[1], numbers[2], numbers[3]);
}

uint32_t AddressFromTextNetworkOrder(std::string_view dotted)
{
    return PackAddressNetworkOrder(AddressNumbersFromText(dotted));
}

namespace {

uint32_t ReverseBytes(uint32_t value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

} // namespace

uint32_t HostOrderFromNetworkOrder(uint32_t networkOrder)
{
    return ReverseBytes(networkOrder);
}

uint32_t NetworkOrderFromHostOrder(uint32_t hostOrder)
{
    return ReverseBytes(hostOrder);
}

std::string DottedTextFromHostOrder(uint32_t hostOrder)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text += '.';
        text += std::to_string((hostOrder >> shift) & 0xFF);
    }
    return text;
}

std::string DottedTextFromNetworkBytes(const unsigned char* bytes)
{
    std::string text;
    for (int index = 0; index < 4; ++index) {
        if (index > 0)
            text += '.';
        text += UnsignedText(bytes[index], NumberWidth::Byte);
    }
    return text;
}

std::string LastDottedTextFromAddressList(const char* const* addressList)
{
    std::string text;
    if (!addressList)
        return text;
    // The host entry's address length is not consulted: IPv4 has four bytes.
    for (; *addressList; ++addressList)
        text = DottedTextFromNetworkBytes(reinterpret_cast<const unsigned char*>(*addressList));
    return text;
}
