#include "adapter/radio/ChannelFrequencyTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace
{

const std::pair<int, int> kExpectedRows[49] = {
    {1, 2412000},   {2, 2417000},   {3, 2422000},   {4, 2427000},   {5, 2432000},   {6, 2437000},
    {7, 2442000},   {8, 2447000},   {9, 2452000},   {10, 2457000},  {11, 2462000},  {12, 2467000},
    {13, 2472000},  {14, 2484000},  {34, 5170000},  {36, 5180000},  {38, 5190000},  {40, 5200000},
    {42, 5210000},  {44, 5220000},  {46, 5230000},  {48, 5240000},  {52, 5260000},  {56, 5280000},
    {60, 5300000},  {64, 5320000},  {100, 5500000}, {104, 5520000}, {108, 5540000}, {112, 5560000},
    {116, 5580000}, {120, 5600000}, {124, 5620000}, {128, 5640000}, {132, 5660000}, {136, 5680000},
    {140, 5700000}, {149, 5745000}, {153, 5765000}, {157, 5785000}, {161, 5805000}, {165, 5825000},
    {184, 4920000}, {188, 4940000}, {192, 4960000}, {196, 4980000}, {208, 5040000}, {212, 5060000},
    {216, 5080000}};

class ChannelFrequencyTableTest : public ::testing::Test
{
protected:
    void SetUp() override { CompleteChannelFrequencyTable(); }
};

TEST_F(ChannelFrequencyTableTest, HoldsFortyNineRowsInOrder)
{
    ASSERT_EQ(ChannelFrequencyTable.nCount, 49);
    for (int i = 0; i < 49; i++)
    {
        EXPECT_EQ(ChannelFrequencyTable.Rows[i].nChannel, kExpectedRows[i].first)
            << "row " << i + 1;
        EXPECT_EQ(ChannelFrequencyTable.Rows[i].nFrequency, kExpectedRows[i].second)
            << "row " << i + 1;
    }
}

TEST_F(ChannelFrequencyTableTest, EveryRowMapsBothWays)
{
    for (const auto& [channel, frequency] : kExpectedRows)
    {
        EXPECT_EQ(ChannelToFrequency(channel), frequency) << channel;
        EXPECT_EQ(FrequencyToChannel(frequency), channel) << frequency;
    }
}

TEST_F(ChannelFrequencyTableTest, LookupEdgeCases)
{
    EXPECT_EQ(FrequencyToChannel(2484000), 14);
    EXPECT_EQ(FrequencyToChannel(5040000), 208);
    EXPECT_EQ(ChannelToFrequency(196), 4980000);
    EXPECT_EQ(ChannelToFrequency(216), 5080000);

    // Nothing matches: 0, and the caller applies its own default.
    const int noFrequency[] = {2414000, 2477000, 5000000, 0, -1, 6000000};
    for (int frequency : noFrequency)
        EXPECT_EQ(FrequencyToChannel(frequency), 0) << frequency;
    const int noChannel[] = {0, 15, 35, 50, 144, 200, 8 + 200 + 1, -8};
    for (int channel : noChannel)
        EXPECT_EQ(ChannelToFrequency(channel), 0) << channel;
}

TEST_F(ChannelFrequencyTableTest, CompletingAgainChangesNothing)
{
    CHANNEL_FREQUENCY_TABLE before = ChannelFrequencyTable;
    CompleteChannelFrequencyTable();
    CompleteChannelFrequencyTable();
    EXPECT_EQ(std::memcmp(&before, &ChannelFrequencyTable, sizeof before), 0);
}

} // namespace
