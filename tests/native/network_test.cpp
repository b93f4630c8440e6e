#include "adapters/adapter_types.h"
#include "adapters/echo_probe.h"
#include "lan/server_lines.h"

#include <gtest/gtest.h>

TEST(Adapters, AddressFromTextPacksLeftmostNumberIntoLowestByte)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"192.168.0.5", 0x0500A8C0u}, {"10.1", 0x0000010Au}, {"1.2.3.4.5", 0x04030201u}, {"", 0u},
        {"abc.x.1.2", 0x02010000u}, {"255.255.255.255", 0xFFFFFFFFu}, {"1.2.256.4", 0x05000201u},  // carry
    };
    for (const auto& [text, packed] : cases)
        EXPECT_EQ(AddressFromText(text), packed) << text;
    EXPECT_EQ(SwapAddressBytes(0x0500A8C0u), 192u * 16777216u + 168u * 65536u + 5u);
    EXPECT_EQ(SwapAddressBytes(SwapAddressBytes(0x0500A8C0u)), 0x0500A8C0u);
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
            expected.push_back(AddressFromText(address));
        const std::string mark = ProbeRange(c.first, c.last, [&](uint32_t to, std::string_view payload) {
            sent.push_back(to);
            EXPECT_EQ(payload, "Hello there                     ");  // 32 bytes, no terminator
            return (to >> 24) & 1u;
        });
        EXPECT_EQ(mark, c.mark) << c.first << " - " << c.last;
        EXPECT_EQ(sent, expected) << c.first << " - " << c.last;
    }
}

TEST(Adapters, TypeNames)
{
    const std::pair<uint32_t, const char*> cases[] = {
        {6, "Ethernet Adapter"}, {9, "Token Ring Adapter"}, {15, "FDDI Adapter"}, {23, "PPP Adapter"},
        {24, "Loopback Adapter"}, {28, "Slip Adapter"}, {0, "Unknown Adapter"}, {71, "Unknown Adapter"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(AdapterTypeName(code), name) << code;
}

TEST(ServerLines, NumberNameAndTheResolveOutcome)
{
    const unsigned char server[] = {10, 0, 0, 200};
    const char first[] = {10, 0, 0, 1}, second[] = {'\xC0', '\xA8', 1, '\xFE'};
    const char* const two[] = {first, second, nullptr};
    const char* const none[] = {nullptr};
    EXPECT_EQ(ServerLine(12, "SERVER-02", DottedAddress(server)), "No : 12  SERVER-02 --> 10.0.0.200");
    EXPECT_EQ(ServerLine(3, "GHOST", unresolvedNameText), "No : 3  GHOST --> Unable to resolve domain name");
    EXPECT_EQ(ServerLine(4, "V6ONLY", ""), "No : 4  V6ONLY --> ");
    EXPECT_EQ(LastDottedAddress(two), "192.168.1.254");  // the last address wins, bytes unsigned
    EXPECT_EQ(LastDottedAddress(none), "");
    EXPECT_EQ(LastDottedAddress(nullptr), "");
}
