#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <climits>

TEST(FindText, FindsFirstOccurrenceAtOrAfterStart)
{
    struct Case { const char* text; const char* key; int start; int expected; };
    const Case cases[] = {
        {"abcabc", "c", 4, 6}, {"abc", "x", 1, 0},   {"abc", "c", 0, 3},
        {"abc", "c", -5, 3},   {"abc", "c", 4, 0},   {"abc", "abcd", 1, 0},
        {"", "a", 1, 0},       {"aaa", "aa", 2, 2},  {"Abc", "a", 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindText(c.text, c.key, c.start), c.expected) << c.text << " / " << c.key;
}

TEST(MidText, TakesAtMostCountFromStart)
{
    EXPECT_EQ(MidText("abcdef", 3, 2), "cd");
    EXPECT_EQ(MidText("abc", 0, 2), "ab");
    EXPECT_EQ(MidText("abc", 5, 2), "");
    EXPECT_EQ(MidText("abc", 2, 0), "");
    EXPECT_EQ(MidText("abc", 2, -1), "");
    EXPECT_EQ(MidText("abc", 2, 100), "bc");
}

TEST(FieldOf, SplitsAtFirstCharacterOfSeparator)
{
    EXPECT_EQ(FieldOf("a.b..c", 3, "."), "");
    EXPECT_EQ(FieldOf("a.b..c", 4, "."), "c");
    EXPECT_EQ(FieldOf("a.b..c", 5, "."), "");
    EXPECT_EQ(FieldOf("abc", 2, "."), "");
    EXPECT_EQ(FieldOf("abc", 0, "."), "abc");
    EXPECT_EQ(FieldOf("a<b", 1, "<x"), "a");
    EXPECT_EQ(FieldOf("a.b", 2, ""), "a.b");
    EXPECT_EQ(FieldOf("", 1, "."), "");
    EXPECT_EQ(FieldOf("a.", 2, "."), "");
}

TEST(RemoveAll, SkipsEveryNonOverlappingOccurrence)
{
    EXPECT_EQ(RemoveAll(" 1 2  3 ", " "), "123");
    EXPECT_EQ(RemoveAll("aaa", "aa"), "a");
    EXPECT_EQ(RemoveAll("", " "), "");
    EXPECT_EQ(RemoveAll("abc", ""), "abc");
}

TEST(ParseInteger, ReadsLeadingSignedDecimal)
{
    struct Case { const char* text; int32_t expected; };
    const Case cases[] = {
        {"  -12x", -12}, {" +7", 7}, {"x1", 0}, {"", 0}, {"\t5", 0}, {"--5", 0},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        // 32-bit arithmetic wraps instead of overflowing.
        {"2147483648", INT32_MIN}, {"4294967296", 0}, {"4294967297", 1},
        {"99999999999999999999", static_cast<int32_t>(0x630FFFFFu)},
        {"007", 7}, {"12 34", 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(SmallTextOperations, BehaveAsDocumented)
{
    EXPECT_EQ(CharCode(""), 0);
    EXPECT_EQ(CharCode("\xFC"), 0xFC);
    EXPECT_EQ(CharText(0x141), "A");
    EXPECT_EQ(Blanks(3), "   ");
    EXPECT_EQ(Blanks(-1), "");
    EXPECT_EQ(TextEquals("0.0.0.0", "0.0.0.0"), 1);
    EXPECT_EQ(TextEquals("a", "A"), 0);
    EXPECT_EQ(TextEquals({}, ""), 1);
    EXPECT_EQ(DecimalText(-42), "-42");
    EXPECT_EQ(DecimalText(INT32_MIN), "-2147483648");
    EXPECT_EQ(UnsignedText(0x12345678, NumberWidth::Byte), "120");
    EXPECT_EQ(UnsignedText(0x12345678, NumberWidth::Word), "22136");
    EXPECT_EQ(UnsignedText(0xFFFFFFFF, NumberWidth::Long), "4294967295");
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(PackAddress, PutsFirstNumberInLowestByteAndWraps)
{
    EXPECT_EQ(PackAddress(192, 168, 0, 1), 0x0100A8C0u);
    EXPECT_EQ(PackAddress(1, 2, 256, 4), PackAddress(1, 2, 0, 5));
    EXPECT_EQ(PackAddress(0, 0, 0, 256), 0u);
    EXPECT_EQ(PackAddress(-1, 0, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PackAddress(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX), 0x7EFEFEFFu);
}

TEST(AddressNumbersFromText, FillsMissingPartsWithZero)
{
    EXPECT_EQ(AddressNumbersFromText("10.1"), (std::array<int32_t, 4>{10, 1, 0, 0}));
    EXPECT_EQ(AddressNumbersFromText("1.2.3.4.5"), (std::array<int32_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(AddressNumbersFromText(""), (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(AddressNumbersFromText("84.12.3.4   "), (std::array<int32_t, 4>{84, 12, 3, 4}));
}
