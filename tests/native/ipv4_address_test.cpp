#include "toolkit/ipv4_address.h"

#include <gtest/gtest.h>

TEST(Ipv4Address, TextPacksLeftmostNumberIntoLowestByte)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"192.168.0.5", 0x0500A8C0u}, {"10.1", 0x0000010Au}, {"1.2.3.4.5", 0x04030201u}, {"", 0u},
        {"abc.x.1.2", 0x02010000u}, {"255.255.255.255", 0xFFFFFFFFu}, {"1.2.256.4", 0x05000201u},  // carry
    };
    for (const auto& [text, packed] : cases)
        EXPECT_EQ(AddressFromTextNetworkOrder(text), packed) << text;
    EXPECT_EQ(HostOrderFromNetworkOrder(0x0500A8C0u), 192u * 16777216u + 168u * 65536u + 5u);
    EXPECT_EQ(NetworkOrderFromHostOrder(HostOrderFromNetworkOrder(0x0500A8C0u)), 0x0500A8C0u);
}

TEST(Ipv4Address, DottedTextOfAHostEntrysLastAddress)
{
    const unsigned char server[] = {10, 0, 0, 200};
    const char first[] = {10, 0, 0, 1}, second[] = {'\xC0', '\xA8', 1, '\xFE'};
    const char* const two[] = {first, second, nullptr};
    const char* const none[] = {nullptr};
    EXPECT_EQ(DottedTextFromNetworkBytes(server), "10.0.0.200");
    EXPECT_EQ(LastDottedTextFromAddressList(two), "192.168.1.254");  // the last address wins, bytes unsigned
    EXPECT_EQ(LastDottedTextFromAddressList(none), "");
    EXPECT_EQ(LastDottedTextFromAddressList(nullptr), "");
}
