// Dotted-address text as the IP field, the adapter list and the echo probe
// read it: arbitrary text must give the packed value of its four numbers,
// and an address range must be probed in order, each address once.
#include "adapters/echo_probe.h"
#include "fuzz_input.h"
#include "sysinfo/public_ip_page.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

#include <vector>

namespace {

void CheckRange(std::string_view first, std::string_view last)
{
    const uint32_t from = __builtin_bswap32(AddressFromTextNetworkOrder(first));
    const uint32_t to = __builtin_bswap32(AddressFromTextNetworkOrder(last));
    if (to >= from && to - from > 300)
        return;  // long ranges are probed the same way, only slower
    std::vector<uint32_t> sent;
    const std::string mark = ProbeRange(first, last, [&](uint32_t destination, std::string_view payload) {
        FUZZ_CHECK(payload == "Hello there                     ");
        sent.push_back(destination);
        return __builtin_bswap32(destination) & 1u;
    });
    FUZZ_CHECK(sent.size() == (to >= from ? to - from + 1u : 0u));
    for (size_t index = 0; index < sent.size(); ++index)
        FUZZ_CHECK(__builtin_bswap32(sent[index]) == from + index);
    FUZZ_CHECK(mark == (!sent.empty() && (to & 1u) ? " alive" : " no"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const std::string_view first = input.Text();
    const std::string_view last = input.Text();

    const std::array<int32_t, 4> numbers = AddressNumbersFromText(first);
    const uint32_t packed = AddressFromTextNetworkOrder(first);
    FUZZ_CHECK(packed == PackAddressNetworkOrder(numbers));
    FUZZ_CHECK(HostOrderFromNetworkOrder(packed) == __builtin_bswap32(packed));
    FUZZ_CHECK(NetworkOrderFromHostOrder(HostOrderFromNetworkOrder(packed)) == packed);

    // The dotted text of a packed value reads back as the same value.
    unsigned char bytes[4];
    for (int index = 0; index < 4; ++index)
        bytes[index] = static_cast<unsigned char>(packed >> (8 * index));
    const std::string dotted = DottedTextFromNetworkBytes(bytes);
    FUZZ_CHECK(AddressFromTextNetworkOrder(dotted) == packed && IsPageAddress(dotted));
    if (IsPageAddress(first))
        FUZZ_CHECK(dotted == DecimalText(numbers[0]) + "." + DecimalText(numbers[1]) + "." +
                                 DecimalText(numbers[2]) + "." + DecimalText(numbers[3]));

    CheckRange(first, last);
    return 0;
}
