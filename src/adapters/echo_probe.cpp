#include "adapters/echo_probe.h"

#include "toolkit/gadget_rules.h"
#include "toolkit/text.h"

uint32_t AddressFromText(std::string_view dotted)
{
    return PackAddress(AddressNumbersFromText(dotted));
}

uint32_t SwapAddressBytes(uint32_t value)
{
    return ReverseByteOrder(value);
}

std::string EchoPayload()
{
    return "Hello there " + Blanks(20);
}

std::string ProbeRange(std::string_view first, std::string_view last, const EchoSender& send)
{
    const uint32_t from = SwapAddressBytes(AddressFromText(first));
    const uint32_t to = SwapAddressBytes(AddressFromText(last));
    std::string_view mark = AliveMarkNo;
    // Counted in 64 bits so that a range ending at 255.255.255.255 ends.
    for (uint64_t numeric = from; numeric <= to; ++numeric) {
        const std::string payload = EchoPayload();
        const uint32_t destination = SwapAddressBytes(static_cast<uint32_t>(numeric));
        mark = send(destination, payload) != 0 ? AliveMarkYes : AliveMarkNo;
    }
    return std::string(mark);
}
