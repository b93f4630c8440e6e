#include "toolkit/gadget_rules.h"

#include <gtest/gtest.h>

TEST(GadgetStyles, BorderFlagMeansBorderOnLabelsAndNoneOnEdits)
{
    EXPECT_EQ(EditStyleFromFlags(0), 0x50030080u);
    EXPECT_EQ(EditStyleFromFlags(0x200844), 0x502308C4u);  // the LAN window's list
    EXPECT_EQ(EditExtendedStyleFromFlags(0), 0x200u);
    EXPECT_EQ(EditExtendedStyleFromFlags(0x20000), 0u);

    EXPECT_EQ(LabelStyleFromFlags(0), 0x50020000u);
    EXPECT_EQ(LabelStyleFromFlags(1), 0x50020001u);
    EXPECT_EQ(LabelStyleFromFlags(0x20001), 0x50020001u);
    EXPECT_EQ(LabelExtendedStyleFromFlags(1), 0u);
    EXPECT_EQ(LabelExtendedStyleFromFlags(0x20001), 0x200u);
}

TEST(ListStyleFromFlags, InvertsSingleSelection)
{
    EXPECT_EQ(ListStyleFromFlags(0), 0x50010045u);
    EXPECT_EQ(ListStyleFromFlags(4), 0x50010041u);           // several rows selectable
    EXPECT_EQ(ListStyleFromFlags(0x40010008), 0x5001004Du);  // the adapter window
}

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

TEST(IpFieldValue, ByteOrderReversesBothWays)
{
    // 192.168.0.1: toolkit value 0x0100A8C0, control value 0xC0A80001.
    EXPECT_EQ(ReverseByteOrder(0x0100A8C0u), 0xC0A80001u);
    EXPECT_EQ(ReverseByteOrder(0xC0A80001u), 0x0100A8C0u);
    EXPECT_EQ(ReverseByteOrder(0u), 0u);
    EXPECT_EQ(ReverseByteOrder(0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(ReverseByteOrder(0x12345678u), 0x78563412u);
}

TEST(DottedAddressText, FirstFieldFromTheHighestByteWithoutLeadingZeros)
{
    EXPECT_EQ(DottedAddressText(0xC0A80001u), "192.168.0.1");
    EXPECT_EQ(DottedAddressText(0x0A000001u), "10.0.0.1");
    EXPECT_EQ(DottedAddressText(0u), "0.0.0.0");
    EXPECT_EQ(DottedAddressText(0xFFFFFFFFu), "255.255.255.255");
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
