#include "toolkit/gadget_rules.h"

#include <gtest/gtest.h>

TEST(ListExtendedStyleFromFlags, PicksEachExtendedStyle)
{
    struct Case { uint32_t flags; uint32_t extended; };
    const Case cases[] = {
        {0, 0}, {4, 0}, {0x8, 0},
        {0x10000, 0x1}, {0x40000000, 0x20}, {0x10000000, 0x10}, {0x1, 0x4},
        {0x40010008, 0x21}, {0x50010001, 0x35},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListExtendedStyleFromFlags(c.flags), c.extended) << std::hex << c.flags;
}

TEST(IpFieldValue, ByteOrderReversesAndReadsAsDottedText)
{
    // 192.168.0.1: toolkit value 0x0100A8C0, control value 0xC0A80001.
    struct Case { uint32_t toolkit, control; const char* text; };
    const Case cases[] = {
        {0x0100A8C0u, 0xC0A80001u, "192.168.0.1"}, {0x0100000Au, 0x0A000001u, "10.0.0.1"},
        {0u, 0u, "0.0.0.0"}, {0xFFFFFFFFu, 0xFFFFFFFFu, "255.255.255.255"},
        {0x78563412u, 0x12345678u, "18.52.86.120"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReverseByteOrder(c.toolkit), c.control) << c.text;
        EXPECT_EQ(ReverseByteOrder(c.control), c.toolkit) << c.text;
        EXPECT_EQ(DottedAddressText(c.control), c.text);
    }
}

TEST(SplitRowText, CellsAtLineFeeds)
{
    using Cells = std::vector<std::string>;
    struct Case { const char* text; Cells cells; };
    const Case cases[] = {
        {"a\n\nc", {"a", "", "c"}},
        {"a", {"a"}},
        {"", {""}},
        {"a\n", {"a"}},          // a trailing line feed adds nothing
        {"a\n\n", {"a", ""}},
        {"\n", {""}},
        {"\nb", {"", "b"}},
        {"1.2.3.4\neth0\nEthernet", {"1.2.3.4", "eth0", "Ethernet"}},
        {"a\r\nb", {"a\r", "b"}},  // only line feeds separate
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitRowText(c.text), c.cells) << c.text;
}
