#include "adapters/adapter_types.h"
#include "adapters/echo_probe.h"
#include "toolkit/ipv4_address.h"

#include <gtest/gtest.h>

// Network order holds the leftmost number in the lowest byte (host order, in the highest, is
// checked by the probe's walk over a byte boundary below).
TEST(Ipv4Address, TextPacksLeftmostNumberIntoLowestByte)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"192.168.0.5", 0x0500A8C0u}, {"10.1", 0x0000010Au}, {"1.2.3.4.5", 0x04030201u}, {"", 0u},
        {"abc.x.1.2", 0x02010000u}, {"255.255.255.255", 0xFFFFFFFFu}, {"1.2.256.4", 0x05000201u},  // carry
        {" -1", 0xFFFFFFFFu}, {"4294967297. +2", 0x00000201u},  // numbers wrap modulo 2^32
    };
    for (const auto& [text, packed] : cases)
        EXPECT_EQ(AddressFromTextNetworkOrder(text), packed) << text;
}

TEST(Adapters, ProbeRangeSendsEachAddressInAscendingOrderAndReportsTheLast)
{
    struct Case { const char* first; const char* last; std::vector<const char*> sent; const char* mark; };
    const Case cases[] = {  // addresses ending in an odd number answer
        {"10.0.0.1", "10.0.0.3", {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, " alive"},
        {"10.0.0.1", "10.0.0.2", {"10.0.0.1", "10.0.0.2"}, " no"},
        {"10.0.0.255", "10.0.1.1", {"10.0.0.255", "10.0.1.0", "10.0.1.1"}, " alive"},
        {"255.255.255.254", "255.255.255.255", {"255.255.255.254", "255.255.255.255"}, " alive"},
        {"10.0.0.3", "10.0.0.1", {}, " no"},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> sent, expected;
        for (const char* address : c.sent)
            expected.push_back(AddressFromTextNetworkOrder(address));
        const std::string mark = ProbeRange(c.first, c.last, [&](uint32_t to, std::string_view payload) {
            sent.push_back(to);
            EXPECT_EQ(payload, "Hello there                     ");  // 32 bytes, no terminator
            return (to >> 24) & 1u;
        });
        EXPECT_EQ(mark, c.mark) << c.first << " - " << c.last;
        EXPECT_EQ(sent, expected) << c.first << " - " << c.last;
    }
}

// The type names the adapter list shows (Ethernet is seen end to end); the dial-up code 23 is "PPP",
// never "PPPoE", which the platform reports alike. (The LAN window's lines are checked with its search.)
TEST(Adapters, TypeNames)
{
    for (const auto& [code, name] : {std::pair(9u, "Token Ring"), std::pair(15u, "FDDI"), std::pair(23u, "PPP"),
                                     std::pair(24u, "Loopback"), std::pair(28u, "Slip"), std::pair(71u, "Unknown")})
        EXPECT_EQ(AdapterTypeName(code), std::string(name) + " Adapter") << code;
}
