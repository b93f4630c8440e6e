// The adapter walk over hand-built IP Helper records, and real echo probes.
#include "adapters/adapter_enumeration.h"
#include "adapters/echo_probe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

constexpr DWORD noData = 232;  // ERROR_NO_DATA: a machine without adapters

// A chain of adapter records as GetAdaptersInfo would lay it out, with the
// size-query and fetch behaviour of the real call.
class FakeAdapters {
public:
    // Adds an adapter with the given addresses (at least one).
    IP_ADAPTER_INFO& Add(const char* description, UINT type, std::vector<const char*> addresses)
    {
        IP_ADAPTER_INFO adapter{};
        std::strncpy(adapter.Description, description, sizeof adapter.Description - 1);
        adapter.Type = type;
        std::strncpy(adapter.IpAddressList.IpAddress.String, addresses.front(), 15);
        IP_ADDR_STRING* last = nullptr;
        for (size_t index = 1; index < addresses.size(); ++index) {
            IP_ADDR_STRING& entry = extraAddresses_.emplace_back();
            std::strncpy(entry.IpAddress.String, addresses[index], 15);
            (last ? last->Next : adapter.IpAddressList.Next) = &entry;
            last = &entry;
        }
        return adapters_.emplace_back(adapter);
    }

    DWORD NetworkParamsResult = ERROR_BUFFER_OVERFLOW;
    DWORD SizeQueryResult = ERROR_BUFFER_OVERFLOW;
    DWORD FetchResult = NO_ERROR;
    int FetchCalls = 0;

    AdapterQueries Queries()
    {
        return {
            [this](FIXED_INFO*, ULONG* size) {
                *size = sizeof(FIXED_INFO);
                return NetworkParamsResult;
            },
            [this](IP_ADAPTER_INFO* buffer, ULONG* size) { return AdaptersInfo(buffer, size); },
        };
    }

private:
    DWORD AdaptersInfo(IP_ADAPTER_INFO* buffer, ULONG* size)
    {
        const ULONG needed = static_cast<ULONG>(adapters_.size() * sizeof(IP_ADAPTER_INFO));
        if (!buffer) {
            *size = needed;
            return SizeQueryResult;
        }
        ++FetchCalls;
        if (FetchResult != NO_ERROR)
            return FetchResult;
        EXPECT_GE(*size, needed);
        for (size_t index = 0; index < adapters_.size(); ++index) {
            buffer[index] = adapters_[index];
            buffer[index].Next = index + 1 < adapters_.size() ? &buffer[index + 1] : nullptr;
        }
        return NO_ERROR;
    }

    std::vector<IP_ADAPTER_INFO> adapters_;
    std::deque<IP_ADDR_STRING> extraAddresses_;  // stable addresses for the links
};

std::vector<std::string> Addresses()
{
    std::vector<std::string> addresses;
    for (const AdapterEntry& entry : adapterTable)
        addresses.push_back(entry.address);
    return addresses;
}

void Enumerate(FakeAdapters& fake)
{
    AdapterTableReset();
    EnumerateAdapters(fake.Queries());
}

} // namespace

TEST(EnumerateAdapters, GivesOneEntryPerAddressInPlatformOrder)
{
    FakeAdapters fake;
    fake.Add("Intel(R) PRO/1000", 6, {"10.0.0.5", "10.0.0.6"});
    fake.Add("WAN (PPP/SLIP) Interface", 23, {"0.0.0.0"});
    Enumerate(fake);

    ASSERT_EQ(adapterCount, 3);
    ASSERT_EQ(adapterTable.size(), 3u);
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"10.0.0.5", "10.0.0.6", "0.0.0.0"}));
    for (int index : {0, 1}) {
        EXPECT_EQ(adapterTable[index].description, "Intel(R) PRO/1000");
        EXPECT_EQ(adapterTable[index].typeCode, 6u);
        EXPECT_EQ(adapterTable[index].typeName, "Ethernet Adapter");
    }
    EXPECT_EQ(adapterTable[2].description, "WAN (PPP/SLIP) Interface");
    EXPECT_EQ(adapterTable[2].typeName, "PPP Adapter");
}

// A failed size query sets the count to -1 and fetches nothing; a size
// query that fits at once still fetches; a failed fetch (an adapter came up
// in between) leaves an empty table without error.
TEST(EnumerateAdapters, SizeQueryAndFetchOutcomes)
{
    struct Case { DWORD networkParams, adaptersInfo, fetch; int count, fetchCalls; };
    const Case cases[] = {
        {ERROR_BUFFER_OVERFLOW, noData, NO_ERROR, -1, 0},
        {ERROR_BUFFER_OVERFLOW, ERROR_NOT_SUPPORTED, NO_ERROR, -1, 0},
        {ERROR_NOT_SUPPORTED, ERROR_BUFFER_OVERFLOW, NO_ERROR, -1, 0},
        {noData, NO_ERROR, NO_ERROR, -1, 0},
        {NO_ERROR, NO_ERROR, NO_ERROR, 1, 1},
        {ERROR_BUFFER_OVERFLOW, ERROR_BUFFER_OVERFLOW, ERROR_BUFFER_OVERFLOW, 0, 1},
    };
    for (const Case& c : cases) {
        FakeAdapters fake;
        fake.Add("eth0", 6, {"10.200.0.1"});
        fake.NetworkParamsResult = c.networkParams;
        fake.SizeQueryResult = c.adaptersInfo;
        fake.FetchResult = c.fetch;
        Enumerate(fake);
        const std::string which = std::to_string(c.networkParams) + " / " + std::to_string(c.adaptersInfo);
        EXPECT_EQ(adapterCount, c.count) << which;
        EXPECT_EQ(Addresses(), c.count == 1 ? std::vector<std::string>{"10.200.0.1"}
                                            : std::vector<std::string>{})
            << which;
        EXPECT_EQ(fake.FetchCalls, c.fetchCalls) << which;
    }
}

TEST(EnumerateAdapters, KeepsEveryAddressBeyondEleven)
{
    FakeAdapters fake;
    std::vector<std::string> texts;
    for (int host = 1; host <= 12; ++host)
        texts.push_back("10.200.0." + std::to_string(host));
    std::vector<const char*> firstTexts, secondTexts;
    for (int index = 0; index < 9; ++index)
        firstTexts.push_back(texts[index].c_str());
    for (int index = 9; index < 12; ++index)
        secondTexts.push_back(texts[index].c_str());
    fake.Add("veth-a", 6, firstTexts);
    fake.Add("veth-b", 6, secondTexts);
    Enumerate(fake);
    EXPECT_EQ(adapterCount, 12);
    EXPECT_EQ(Addresses(), texts);
}

TEST(EnumerateAdapters, UnterminatedTextsAreCutAtTheirFields)
{
    FakeAdapters fake;
    IP_ADAPTER_INFO& adapter = fake.Add("", 71, {"10.200.0.1"});
    std::memset(adapter.Description, 'D', sizeof adapter.Description);
    std::memset(adapter.IpAddressList.IpAddress.String, '9', 16);
    Enumerate(fake);
    ASSERT_EQ(adapterCount, 1);
    EXPECT_EQ(adapterTable[0].description, std::string(sizeof adapter.Description, 'D'));
    EXPECT_EQ(adapterTable[0].address, std::string(16, '9'));
    EXPECT_EQ(adapterTable[0].typeName, "Unknown Adapter");
}

TEST(EnumerateAdapters, StartsFreshEachTime)
{
    FakeAdapters fake;
    fake.Add("eth0", 6, {"10.200.0.1", "10.200.0.2"});
    Enumerate(fake);
    Enumerate(fake);
    EXPECT_EQ(adapterCount, 2);
    EXPECT_EQ(adapterTable.size(), 2u);
}

TEST(EnumerateAdapters, RealQueryAnswersWithACountAndMatchingTable)
{
    AdapterTableReset();
    EnumerateAdapters();
    if (adapterCount == -1)
        EXPECT_TRUE(adapterTable.empty());
    else
        EXPECT_EQ(adapterTable.size(), static_cast<size_t>(adapterCount));
}

TEST(EchoProbe, LoopbackAnswersAndTheUnassignedAddressDoesNot)
{
    EXPECT_GT(EchoProbe(AddressFromText("127.0.0.1"), EchoPayload()), 0u);
    EXPECT_EQ(ProbeRange("127.0.0.1", "127.0.0.1"), " alive");
    EXPECT_EQ(EchoProbe(AddressFromText("0.0.0.0"), EchoPayload()), 0u);
    EXPECT_EQ(ProbeRange("0.0.0.0", "0.0.0.0"), " no");
    EXPECT_EQ(ProbeRange("", ""), " no");
}
