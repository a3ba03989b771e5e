#include "client/status/StatisticPage.h"

#include "adapter/driver/DriverRequest.h"
#include "machine/wlan/WlanService.h"
#include "platform/ui/automation/Actions.h"
#include "platform/wlan/WlanApi.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/statspages/PageFixture.h"

#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

namespace mp = machine::miniport;

constexpr DWORD kResetCounters = 0xFF8C000C;

const int kCounters[] = {IDC_STAT_TX_SUCCESS,  IDC_STAT_TX_NO_RETRY,  IDC_STAT_TX_RETRY,
                         IDC_STAT_TX_ACK_FAIL, IDC_STAT_RTS_SUCCESS,  IDC_STAT_RTS_FAIL,
                         IDC_STAT_RX_SUCCESS,  IDC_STAT_RX_CRC_ERROR, IDC_STAT_RX_NO_RESOURCE,
                         IDC_STAT_RX_DUPLICATE};

class StatisticPageTest : public statspages_test::PageFixture<CStatisticPage>
{
protected:
    // A counter of the driver's statistics record, which the service's PHY counters show.
    void Plant(size_t nDriverOffset, ULONGLONG value)
    {
        mp::ChangeAdapterState(machine(), m_id,
                               [&](mp::AdapterState& a)
                               { a.setU64(mp::oid::Statistics, value, nDriverOffset); });
    }

    WLAN_PHY_FRAME_STATISTICS ServiceCounters() const
    {
        auto stats = machine::wlan::LinkStatistics(machine(), m_id);
        WLAN_PHY_FRAME_STATISTICS phy;
        std::memset(&phy, 0, sizeof(phy));
        if (stats)
            std::memcpy(&phy, stats->phyRecord.data(),
                        std::min(sizeof(phy), stats->phyRecord.size()));
        return phy;
    }

    std::vector<std::string> Counters() const
    {
        std::vector<std::string> texts;
        for (int id : kCounters)
            texts.push_back(Text(id));
        return texts;
    }
};

TEST_F(StatisticPageTest, ShowsEmptyCountersUntilTheFirstTickThenTheServicesCounters)
{
    ConnectOpen("Harbor Guest");
    // Distinct values, so that a counter read from the wrong field shows; more retries than
    // transmitted fragments, and a received count past 32 bits.
    Plant(8, 1000);
    Plant(32, 5000000);
    Plant(24, 3000001);
    Plant(48, 3000002);
    Plant(56, 3000003);
    Plant(80, 0x100000000ull + 7);
    Plant(96, 3000005);
    Plant(72, 3000006);
    mp::ChangeAdapterState(machine(), m_id,
                           [](mp::AdapterState& a) { a.setU32(mp::oid::ReceiveNoBuffer, 4242); });

    OpenPage();
    EXPECT_EQ(Text(IDC_STAT_TX_NO_RETRY_LABEL), "Frames Transmitted Successfully  Without Retry");
    EXPECT_EQ(Text(IDC_STAT_RX_GROUP), "Receive Statistics");
    EXPECT_EQ(Text(IDC_STAT_RESET), "Reset Counter");
    platform::AdvanceClock(1999);
    EXPECT_EQ(Counters(), std::vector<std::string>(10, ""));

    platform::AdvanceClock(1);
    const WLAN_PHY_FRAME_STATISTICS phy = ServiceCounters();
    ASSERT_GT(phy.ullRetryCount, phy.ullTransmittedFragmentCount);
    auto s64 = [](ULONGLONG v) { return std::to_string(static_cast<long long>(v)); };
    const std::vector<std::string> expected = {
        s64(phy.ullTransmittedFragmentCount),
        s64(phy.ullTransmittedFragmentCount - phy.ullRetryCount),
        s64(phy.ullRetryCount),
        s64(phy.ullFailedCount),
        s64(phy.ullRTSSuccessCount),
        s64(phy.ullRTSFailureCount),
        std::to_string(static_cast<UINT>(phy.ullReceivedFrameCount)),
        s64(phy.ullFCSErrorCount),
        "4242",
        s64(phy.ullFrameDuplicateCount),
    };
    EXPECT_EQ(Counters(), expected);
    EXPECT_EQ(Text(IDC_STAT_TX_NO_RETRY)[0], '-');
    EXPECT_LT(phy.ullReceivedFrameCount - 0x100000000ull, 1000000u);

    // A failed drop-count query shows 0.
    mp::InjectRequestFault(machine(), m_id, mp::oid::ReceiveNoBuffer, -1, mp::Direction::Query);
    platform::AdvanceClock(2000);
    EXPECT_EQ(Text(IDC_STAT_RX_NO_RESOURCE), "0");
}

TEST_F(StatisticPageTest, ResetZeroesTheDriverAndTheServiceAndShowsZeroAtOnce)
{
    ConnectOpen("Harbor Guest");
    OpenPage();
    platform::AdvanceClock(2000);
    ASSERT_NE(Text(IDC_STAT_TX_SUCCESS), "0");
    clearRequests();

    ASSERT_TRUE(platform::automation::Click(m_pPage->m_hWnd, "Reset Counter"));
    EXPECT_EQ(Counters(), std::vector<std::string>(10, "0"));
    auto log = requests();
    ASSERT_EQ(countCode(log, kResetCounters), 1u);
    EXPECT_EQ(log.back().length, 0u);
    EXPECT_EQ(ServiceCounters().ullTransmittedFragmentCount, 0u);
    EXPECT_EQ(mp::LoadAdapterState(machine(), m_id).u32(mp::oid::ReceiveNoBuffer), 0u);

    // The next tick shows what the service counted since.
    platform::AdvanceClock(2000);
    const WLAN_PHY_FRAME_STATISTICS phy = ServiceCounters();
    EXPECT_EQ(Text(IDC_STAT_TX_SUCCESS), std::to_string(phy.ullTransmittedFragmentCount));
    EXPECT_LT(phy.ullTransmittedFragmentCount, 2u * mp::kFramesPerSecond + 1);
}

TEST_F(StatisticPageTest, AFailedResetStillShowsZeroAndIsRetried)
{
    ConnectOpen("Harbor Guest");
    OpenPage();
    platform::AdvanceClock(2000);
    mp::InjectRequestFault(machine(), m_id, kResetCounters, 1, mp::Direction::Set);

    ASSERT_TRUE(platform::automation::Click(m_pPage->m_hWnd, "Reset Counter"));
    EXPECT_EQ(Counters(), std::vector<std::string>(10, "0"));
    EXPECT_EQ(RetryQueue.GetSize(), 1);
    EXPECT_NE(ServiceCounters().ullTransmittedFragmentCount, 0u);

    // The retry goes through within the next tick.
    platform::AdvanceClock(600);
    EXPECT_EQ(countCode(requests(), kResetCounters), 2u);
    EXPECT_EQ(RetryQueue.GetSize(), 0);
}

TEST_F(StatisticPageTest, CountersRefreshOnlyWhileThePageIsShown)
{
    ConnectOpen("Harbor Guest");
    OpenPage();
    ASSERT_TRUE(platform::automation::Click(m_pPage->m_hWnd, "Reset Counter"));
    LeavePage();
    platform::AdvanceClock(6000);
    EXPECT_EQ(Text(IDC_STAT_TX_SUCCESS), "0");

    ReturnToPage();
    platform::AdvanceClock(2000);
    EXPECT_NE(Text(IDC_STAT_TX_SUCCESS), "0");
}

} // namespace
