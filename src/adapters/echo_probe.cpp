#include "adapters/echo_probe.h"

#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

std::string EchoPayload()
{
    return "Hello there " + Blanks(20);
}

std::string ProbeRange(std::string_view first, std::string_view last, const EchoSender& send)
{
    const uint32_t from = HostOrderFromNetworkOrder(AddressFromTextNetworkOrder(first));
    const uint32_t to = HostOrderFromNetworkOrder(AddressFromTextNetworkOrder(last));
    std::string_view mark = AliveMarkNo;
    // Counted in 64 bits so that a range ending at 255.255.255.255 ends.
    for (uint64_t numeric = from; numeric <= to; ++numeric) {
        const std::string payload = EchoPayload();
        const uint32_t destination = NetworkOrderFromHostOrder(static_cast<uint32_t>(numeric));
        mark = send(destination, payload) != 0 ? AliveMarkYes : AliveMarkNo;
    }
    return std::string(mark);
}
