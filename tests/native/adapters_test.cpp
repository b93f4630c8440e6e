#include "adapters/adapter_rows.h"
#include "adapters/adapter_types.h"
#include "adapters/echo_probe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The address's four numbers as they lie in memory, lowest byte first.
std::vector<int> BytesLowestFirst(uint32_t value)
{
    return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>((value >> 16) & 0xFF), static_cast<int>(value >> 24)};
}

// Records every destination it is asked to probe and answers for those in
// `answering`.
struct FakeEchoSender {
    std::vector<uint32_t> answering;
    std::vector<uint32_t> sent;
    std::vector<std::string> payloads;

    EchoSender AsSender()
    {
        return [this](uint32_t destination, std::string_view payload) -> uint32_t {
            sent.push_back(destination);
            payloads.emplace_back(payload);
            for (uint32_t address : answering)
                if (address == destination)
                    return 1;
            return 0;
        };
    }
};

} // namespace

TEST(AddressFromText, PacksLeftmostNumberIntoLowestByte)
{
    struct Case { const char* text; std::vector<int> bytes; };
    const Case cases[] = {
        {"192.168.0.5", {192, 168, 0, 5}},
        {"10.1", {10, 1, 0, 0}},
        {"1.2.3.4.5", {1, 2, 3, 4}},
        {"", {0, 0, 0, 0}},
        {"1.2.256.4", {1, 2, 0, 5}},  // 256 carries into the fourth byte
        {"abc.x.1.2", {0, 0, 1, 2}},
        {"255.255.255.255", {255, 255, 255, 255}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BytesLowestFirst(AddressFromText(c.text)), c.bytes) << c.text;
}

TEST(SwapAddressBytes, ReversesByteOrderAndUndoesItself)
{
    const uint32_t packed = AddressFromText("192.168.0.5");
    const uint32_t numeric = SwapAddressBytes(packed);
    EXPECT_EQ(BytesLowestFirst(numeric), (std::vector<int>{5, 0, 168, 192}));
    EXPECT_EQ(numeric, 192u * 16777216u + 168u * 65536u + 0u * 256u + 5u);
    EXPECT_EQ(SwapAddressBytes(numeric), packed);
    EXPECT_EQ(SwapAddressBytes(0x01020304u), 0x04030201u);
}

TEST(EchoPayload, IsHelloThereAndTwentyBlanksWithoutTerminator)
{
    EXPECT_EQ(EchoPayload(), std::string("Hello there                     ", 32));
}

TEST(ProbeRange, ProbesEachAddressInAscendingOrderAndReportsTheLastOnly)
{
    using Texts = std::vector<const char*>;
    struct Case {
        const char* first;
        const char* last;
        Texts answering;
        Texts sent;
        const char* mark;
    };
    const Case cases[] = {
        {"10.0.0.1", "10.0.0.3", {"10.0.0.3"}, {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, " alive"},
        // Only the last address's answer counts.
        {"10.0.0.1", "10.0.0.3", {"10.0.0.1", "10.0.0.2"}, {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, " no"},
        {"192.168.0.5", "192.168.0.5", {"192.168.0.5"}, {"192.168.0.5"}, " alive"},
        {"0.0.0.0", "0.0.0.0", {}, {"0.0.0.0"}, " no"},
        // Counting is numeric, across byte boundaries.
        {"10.0.0.255", "10.0.1.1", {}, {"10.0.0.255", "10.0.1.0", "10.0.1.1"}, " no"},
        // A range ending at the very last address stops there.
        {"255.255.255.254", "255.255.255.255", {}, {"255.255.255.254", "255.255.255.255"}, " no"},
        {"10.0.0.3", "10.0.0.1", {"10.0.0.3"}, {}, " no"},
    };
    for (const Case& c : cases) {
        FakeEchoSender fake;
        for (const char* address : c.answering)
            fake.answering.push_back(AddressFromText(address));
        std::vector<uint32_t> sent;
        for (const char* address : c.sent)
            sent.push_back(AddressFromText(address));
        EXPECT_EQ(ProbeRange(c.first, c.last, fake.AsSender()), c.mark) << c.first << " - " << c.last;
        EXPECT_EQ(fake.sent, sent) << c.first << " - " << c.last;
        for (const std::string& payload : fake.payloads)
            EXPECT_EQ(payload, EchoPayload());
    }
}

TEST(AdapterTypeName, NamesThePlatformsInterfaceTypes)
{
    struct Case { uint32_t code; const char* name; };
    const Case cases[] = {
        {6, "Ethernet Adapter"},  {9, "Token Ring Adapter"}, {15, "FDDI Adapter"},
        {23, "PPP Adapter"},      {24, "Loopback Adapter"},  {28, "Slip Adapter"},
        {0, "Unknown Adapter"},   {1, "Unknown Adapter"},    {71, "Unknown Adapter"},
        {0xFFFFFFFFu, "Unknown Adapter"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdapterTypeName(c.code), c.name) << c.code;
}

TEST(AdapterRowText, JoinsTheFourCellsWithLineFeeds)
{
    const AdapterEntry entry{"Intel(R) PRO/1000", "192.168.0.5", 6, "Ethernet Adapter"};
    EXPECT_EQ(AdapterRowText(entry, " alive"),
              "192.168.0.5\nIntel(R) PRO/1000\nEthernet Adapter\n alive");
    EXPECT_EQ(AdapterRowText(AdapterEntry{}, " no"), "\n\n\n no");
}
