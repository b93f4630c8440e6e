#include "sysinfo/public_ip_page.h"

#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// The page as the lookup sees it: the received bytes over a blank buffer.
std::string ReceivedPage(std::string_view body)
{
    std::string page = Blanks(publicIpPageSize);
    page.replace(0, body.size(), body);
    return page;
}

std::array<int32_t, 4> AddressOfPage(std::string_view body)
{
    return AddressNumbersFromText(PublicAddressFromPage(ReceivedPage(body)));
}

using Numbers = std::array<int32_t, 4>;

} // namespace

TEST(PublicAddressFromPage, CutsFromIpKeyToFirstTagOrFromTheFourthCharacter)
{
    struct Case { const char* page; const char* address; };
    const Case cases[] = {
        {"Your IP: 84.12.3.4<br>", "84.12.3.4"},
        {"<p>IP: 1.2.3.4</p><p>IP: 5.6.7.8</p>", "1.2.3.4"},
        {"IP: 10.0.0.1", "10.0.0.1"},
        // Without the key the text is read from the fourth character.
        {"ab 7.7.7.7<x", "7.7.7.7"}, {"IP:9.9.9.9", "9.9.9.9"}, {"ab", ""}, {"", ""},
        // The key needs its capitals and its blank.
        {"ip: 1.2.3.4<", " 1.2.3.4"}, {"xxIP:1.2.3.4<", "P:1.2.3.4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PublicAddressFromPage(c.page), c.address) << c.page;
}

TEST(PublicAddressFromPage, ReceivedPagesGiveTheServedAddress)
{
    struct Case { const char* body; Numbers expected; };
    const Case cases[] = {
        {"Your IP: 84.12.3.4<br>", {84, 12, 3, 4}},
        {"Your IP: 84.12.3.4<br>\r\n", {84, 12, 3, 4}},
        {"IP: 10.0.0.1", {10, 0, 0, 1}},           // no "<": up to the buffer's end
        {"IP: 10.0.0.1\r\n", {10, 0, 0, 1}},       // line end behind the last number
        {"IP:   10.200.0.2   <br>", {10, 200, 0, 2}},
        {"abc1.2.3.4", {1, 2, 3, 4}},              // no "IP: ": from the 4th character
        {"<html>Not Found</html>", {0, 0, 0, 0}},  // an error page reads as nothing
        {"", {0, 0, 0, 0}},                        // a failed request leaves blanks only
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddressOfPage(c.body), c.expected) << c.body;
}

TEST(PublicAddressFromPage, KeyAtTheVeryEndOfAFullPage)
{
    std::string body(publicIpPageSize, 'x');
    body.replace(body.size() - 13, 13, "IP: 5.6.7.8<b");
    EXPECT_EQ(AddressOfPage(body), (Numbers{5, 6, 7, 8}));

    std::string bare(publicIpPageSize, 'x');
    bare.replace(bare.size() - 4, 4, "IP: ");
    EXPECT_EQ(PublicAddressFromPage(bare), "");
}

TEST(PublicAddressFromPage, BlankBufferBehindTheAddressIsKeptButHarmless)
{
    const std::string text = PublicAddressFromPage(ReceivedPage("IP: 1.2.3.4"));
    EXPECT_EQ(text.size(), static_cast<size_t>(publicIpPageSize - 4));
    EXPECT_EQ(TrimBlanks(text), "1.2.3.4");
}
