#include "lan/server_lines.h"

#include <gtest/gtest.h>

TEST(ServerLine, NumberTwoBlanksNameArrowAddress)
{
    struct Case { int number; const char* name; const char* address; const char* expected; };
    const Case cases[] = {
        {1, "PC1", "192.168.0.2", "No : 1  PC1 --> 192.168.0.2"},
        {12, "SERVER-02", "10.0.0.200", "No : 12  SERVER-02 --> 10.0.0.200"},
        {3, "GHOST", "Unable to resolve domain name", "No : 3  GHOST --> Unable to resolve domain name"},
        {4, "V6ONLY", "", "No : 4  V6ONLY --> "},
        {5, "M\xFC" "ller", "10.0.0.5", "No : 5  M\xFC" "ller --> 10.0.0.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ServerLine(c.number, c.name, c.address), c.expected);
}

TEST(DottedAddress, BytesAsUnsignedDecimalsWithoutLeadingZeros)
{
    struct Case { unsigned char bytes[4]; const char* expected; };
    const Case cases[] = {
        {{10, 0, 0, 200}, "10.0.0.200"},
        {{192, 168, 0, 2}, "192.168.0.2"},
        {{255, 255, 255, 255}, "255.255.255.255"},
        {{0, 0, 0, 0}, "0.0.0.0"},
        {{127, 0, 0, 1}, "127.0.0.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DottedAddress(c.bytes), c.expected);
}

TEST(LastDottedAddress, LastAddressOfTheListWins)
{
    const char first[] = {10, 0, 0, 1};
    const char second[] = {static_cast<char>(192), static_cast<char>(168), 1, static_cast<char>(254)};
    const char* const two[] = {first, second, nullptr};
    const char* const one[] = {first, nullptr};
    const char* const none[] = {nullptr};
    EXPECT_EQ(LastDottedAddress(two), "192.168.1.254");
    EXPECT_EQ(LastDottedAddress(one), "10.0.0.1");
    EXPECT_EQ(LastDottedAddress(none), "");
    EXPECT_EQ(LastDottedAddress(nullptr), "");
}
