// Public IP pages of arbitrary bytes: what is cut out is either nothing or
// four numbers 0 to 255 that the IP field shows as they stand on the page.
#include "fuzz_input.h"
#include "sysinfo/public_ip_page.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    const std::string address = PublicAddressFromPage(page);
    if (address.empty())
        return 0;
    FUZZ_CHECK(IsPageAddress(address));
    FUZZ_CHECK(address.find('<') == std::string::npos);
    FUZZ_CHECK(page.find(address) != std::string_view::npos);
    // The page's own digits come back: no carry, no wrap, no sign.
    const std::array<int32_t, 4> numbers = AddressNumbersFromText(address);
    std::string dotted;
    for (int32_t number : numbers) {
        FUZZ_CHECK(number >= 0 && number <= 255);
        dotted += (dotted.empty() ? "" : ".") + DecimalText(number);
    }
    FUZZ_CHECK(AddressNumbersFromText(dotted) == numbers);
    const uint32_t packed = PackAddressNetworkOrder(numbers);
    for (int index = 0; index < 4; ++index)
        FUZZ_CHECK(static_cast<int32_t>((packed >> (8 * index)) & 0xFF) == numbers[static_cast<size_t>(index)]);
    return 0;
}
