#include "adapters/adapter_types.h"
#include "adapters/echo_probe.h"
#include "lan/server_lines.h"
#include "toolkit/ipv4_address.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(ServerLine(12, "SERVER-02", "10.0.0.200"), "No : 12  SERVER-02 --> 10.0.0.200");
    EXPECT_EQ(ServerLine(3, "GHOST", unresolvedNameText), "No : 3  GHOST --> Unable to resolve domain name");
    EXPECT_EQ(ServerLine(4, "V6ONLY", ""), "No : 4  V6ONLY --> ");
}
