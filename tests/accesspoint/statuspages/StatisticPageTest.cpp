#include "accesspoint/pages/StatisticPage.h"

#include "machine/miniport/OidTable.h"
#include "tests/accesspoint/support/ApPageFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

namespace mp = machine::miniport;

constexpr std::uint32_t kReset = 0x0DF10103;

const int kCounters[] = {IDC_STAT_TX_SUCCESS,  IDC_STAT_TX_NO_RETRY,  IDC_STAT_TX_RETRY,
                         IDC_STAT_TX_ACK_FAIL, IDC_STAT_RTS_SUCCESS,  IDC_STAT_RTS_FAIL,
                         IDC_STAT_RX_SUCCESS,  IDC_STAT_RX_CRC_ERROR, IDC_STAT_RX_NO_RESOURCE,
                         IDC_STAT_RX_DUPLICATE};

class ApStatisticPageTest : public ap_test::ApPageFixture<CStatisticPage>
{
protected:
    void Plant(size_t nOffset, std::uint64_t value) const
    {
        mp::ChangeAdapterState(machine(), m_id,
                               [&](mp::AdapterState& a)
                               { a.setU64(mp::oid::Statistics, value, nOffset); });
    }
    std::vector<std::string> Counters() const
    {
        std::vector<std::string> texts;
        for (int id : kCounters)
            texts.push_back(Text(id));
        return texts;
    }
};

TEST_F(ApStatisticPageTest, EachFieldShowsItsDriverCounterEveryTwoSeconds)
{
    // Distinct values, so that a counter read from the wrong offset shows; more retries than
    // transmitted fragments give a negative "Without Retry".
    const std::pair<size_t, std::uint64_t> planted[] = {
        {8, 1000}, {32, 5000000000ull}, {24, 31}, {48, 32}, {56, 33}, {96, 34}, {72, 35}};
    for (auto [offset, value] : planted)
        Plant(offset, value);
    mp::ChangeAdapterState(machine(), m_id,
                           [](mp::AdapterState& a)
                           {
                               a.setU32(mp::oid::FramesReceived, 4000000000u);
                               a.setU32(mp::oid::ReceiveNoBuffer, 4242);
                           });
    OpenPage();
    EXPECT_EQ(Text(IDC_STAT_TX_RETRY_LABEL), "Frames Transmitted Successfully After Retry");
    EXPECT_EQ(Text(IDC_STAT_TX_GROUP), "Transmit Statistics");
    EXPECT_EQ(Text(IDC_STAT_RESET), "RESET COUNTERS");
    platform::AdvanceClock(1999);
    EXPECT_EQ(Counters(), std::vector<std::string>(10, ""));
    platform::AdvanceClock(1);
    EXPECT_EQ(Counters(), (std::vector<std::string>{"1000", "-4999999000", "5000000000", "31", "32",
                                                    "33", "4000000000", "34", "4242", "35"}));
    EXPECT_EQ(trace().size(), 3u);
    EXPECT_EQ(trace()[0], "0D020212/176");
}

TEST_F(ApStatisticPageTest, FailedQueriesShowZeros)
{
    Plant(8, 1000);
    failRequests(mp::oid::Statistics);
    failRequests(mp::oid::ReceiveNoBuffer);
    OpenPage();
    platform::AdvanceClock(2000);
    std::vector<std::string> expected(10, "0");
    expected[6] = Text(IDC_STAT_RX_SUCCESS); // still answered
    EXPECT_EQ(Counters(), expected);
}

TEST_F(ApStatisticPageTest, ResetShowsZerosAndClearsTheDriverWithThreeAttempts)
{
    Plant(8, 1000);
    OpenPage();
    platform::AdvanceClock(2000);
    ASSERT_EQ(Text(IDC_STAT_TX_SUCCESS), "1000");
    failRequests(kReset, 2);
    clearRequests();
    Click(IDC_STAT_RESET);
    EXPECT_EQ(Counters(), std::vector<std::string>(10, "0"));
    // The first try and two retries 500 ms apart; the third goes through.
    platform::AdvanceClock(1000);
    EXPECT_EQ(sent(kReset), (std::vector<std::string>(3, "")));
    EXPECT_EQ(mp::LoadAdapterState(machine(), m_id).u64(mp::oid::Statistics, 8), 0u);
}

TEST_F(ApStatisticPageTest, CountersRefreshOnlyWhileThePageIsShown)
{
    OpenPage();
    LeavePage();
    clearRequests();
    Plant(8, 77);
    platform::AdvanceClock(6000);
    EXPECT_TRUE(requests().empty());
    ReturnToPage();
    platform::AdvanceClock(2000);
    EXPECT_EQ(Text(IDC_STAT_TX_SUCCESS), "77");
}

} // namespace
