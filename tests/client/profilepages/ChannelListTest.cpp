#include "adapter/driver/DriverRequest.h"
#include "client/access/AdapterState.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/SysConfigPage.h"
#include "machine/miniport/DriverFaults.h"
#include "tests/client/profilepages/PageHost.h"
#include "tests/support/SelectedAdapter.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{

using Channels = std::vector<int>;

Channels Range(int first, int last)
{
    Channels c;
    for (int i = first; i <= last; i++)
        c.push_back(i);
    return c;
}

Channels Join(Channels a, const Channels& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Channels kA0 = {36, 40, 44, 48, 52, 56, 60, 64, 149, 153, 157, 161, 165};
const Channels kA10 = {34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64};

Channels List(int nNetworkType, int nWirelessMode, int nAdhocMode)
{
    BYTE buffer[REGION_CHANNEL_LIST_SIZE] = {};
    int nCount = 99;
    GetRegionChannelList(nNetworkType, nWirelessMode, nAdhocMode, buffer, &nCount);
    return Channels(buffer, buffer + nCount);
}

struct ChannelCase
{
    const char* what;
    int chipType;
    int region; // the country-region word
    int networkType;
    int wirelessMode;
    int adhocMode;
    Channels expected;
};

class ChannelListTest : public profilepages::PageTest
{
};

TEST_F(ChannelListTest, ListsFollowRegionModeAndChipType)
{
    const ChannelCase cases[] = {
        {"region 0, first column", 0, 0x00, 1, 0, 1, Range(1, 11)},
        {"region 1, first column", 1, 0x01, 1, 0, 1, Range(1, 11)},
        {"region 1, second column", 4, 0x01, 1, 0, 1, Range(1, 13)},
        {"region 2, first column", 0, 0x02, 1, 0, 1, Range(1, 13)},
        {"region 2, second column", 8, 0x02, 1, 0, 1, {10, 11}},
        {"region 4, first column", 0, 0x04, 1, 0, 1, Range(10, 13)},
        {"region 4, second column", 6, 0x04, 1, 0, 1, {14}},
        {"region 7, first column", 1, 0x07, 1, 0, 1, Range(3, 9)},
        {"region 8, first column", 0, 0x08, 1, 0, 1, Range(5, 13)},
        {"region 8 is the default in the second column", 5, 0x08, 1, 0, 1, Range(1, 11)},
        {"unknown 2.4 GHz region", 0, 0x33, 1, 0, 1, Range(1, 11)},
        {"chip types 2 and 3 have no 2.4 GHz channels", 2, 0x00, 1, 0, 1, {}},
        {"an unknown chip type neither", 9, 0x00, 1, 4, 1, {}},
        {"A/B/G mixed, regions 0/0", 0, 0x0000, 1, 3, 1, Join(Range(1, 11), kA0)},
        {"A only", 8, 0x0000, 1, 2, 1, kA0},
        {"A/B/G/N mixed", 8, 0x0100, 1, 5, 1,
         Join(Range(1, 11), {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, 124, 128,
                             132, 136, 140})},
        {"infrastructure ignores the ad-hoc mode", 8, 0x0000, 1, 0, 3, Range(1, 11)},
        {"5 GHz region 10", 8, 0x0A00, 1, 2, 1, kA10},
        {"5 GHz region above 10", 8, 0x0B00, 1, 2, 1, kA0},
        {"ad hoc A only", 8, 0x0000, 0, 0, 3, kA0},
        {"ad hoc A/B/G mixed", 8, 0x0300, 0, 0, 4,
         Join(Range(1, 11), {52, 56, 60, 64, 149, 153, 157, 161})},
        {"ad hoc A/B/G/N mixed", 8, 0x0000, 0, 0, 5, Join(Range(1, 11), kA0)},
        {"ad hoc ignores the wireless mode", 8, 0x0000, 0, 2, 1, Range(1, 11)},
        {"ad hoc N only", 8, 0x0000, 0, 0, 6, Range(1, 11)},
        {"chip type 3 in ad hoc, 5 GHz", 3, 0x0000, 0, 0, 4, kA0},
        {"chip type 2 in ad hoc, 2.4 GHz", 2, 0x0000, 0, 0, 1, {}},
    };
    for (const ChannelCase& c : cases)
    {
        g_nChipType = c.chipType;
        g_nCountryRegion = c.region;
        EXPECT_EQ(List(c.networkType, c.wirelessMode, c.adhocMode), c.expected) << c.what;
    }
}

TEST_F(ChannelListTest, AdhocModeComesFromTheAdvancedRecord)
{
    testing_support::SelectDefaultAdapter(m_machine.machine());
    DWORD record[8] = {1, 0, 0, 1, 4, 0, 0, 0};
    DWORD dwReturned = 0;
    ASSERT_TRUE(OidSetInformation(0x0D710111, record, sizeof(record), &dwReturned, 1));

    int nAdhocMode = 1;
    QueryAdhocMode(&nAdhocMode);
    EXPECT_EQ(nAdhocMode, 4);

    // A failed query keeps what the caller had.
    machine::miniport::InjectRequestFault(m_machine.machine(), std::string(g_strNetCfgInstanceId),
                                          0x0D710111, -1);
    nAdhocMode = 7;
    QueryAdhocMode(&nAdhocMode);
    EXPECT_EQ(nAdhocMode, 7);
}

} // namespace
