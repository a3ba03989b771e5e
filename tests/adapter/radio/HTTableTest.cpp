#include "adapter/radio/HTTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <type_traits>

static_assert(std::has_virtual_destructor_v<CHTTable>);

namespace
{

// The 802.11n rates as the pages show them, written out key by key.
const std::map<std::string, double> kExpectedHtRates = {
    {"20,800,0", 6.5},     {"20,800,1", 13.0},     {"20,800,2", 19.5},    {"20,800,3", 26.0},
    {"20,800,4", 39.0},    {"20,800,5", 52.0},     {"20,800,6", 58.5},    {"20,800,7", 65.0},
    {"20,800,8", 13.0},    {"20,800,9", 26.0},     {"20,800,10", 39.0},   {"20,800,11", 52.0},
    {"20,800,12", 78.0},   {"20,800,13", 104.0},   {"20,800,14", 117.0},  {"20,800,15", 130.0},
    {"20,400,0", 7.2},     {"20,400,1", 14.4},     {"20,400,2", 21.7},    {"20,400,3", 28.9},
    {"20,400,4", 43.3},    {"20,400,5", 57.8},     {"20,400,6", 65.0},    {"20,400,7", 72.2},
    {"20,400,8", 14.444},  {"20,400,9", 28.889},   {"20,400,10", 43.333}, {"20,400,11", 57.778},
    {"20,400,12", 86.667}, {"20,400,13", 115.556}, {"20,400,14", 130.0},  {"20,400,15", 144.444},
    {"40,800,0", 13.5},    {"40,800,1", 27.0},     {"40,800,2", 40.5},    {"40,800,3", 54.0},
    {"40,800,4", 81.0},    {"40,800,5", 108.0},    {"40,800,6", 121.5},   {"40,800,7", 135.0},
    {"40,800,8", 27.0},    {"40,800,9", 54.0},     {"40,800,10", 81.0},   {"40,800,11", 108.0},
    {"40,800,12", 162.0},  {"40,800,13", 216.0},   {"40,800,14", 243.0},  {"40,800,15", 270.0},
    {"40,400,0", 15.0},    {"40,400,1", 30.0},     {"40,400,2", 45.0},    {"40,400,3", 60.0},
    {"40,400,4", 90.0},    {"40,400,5", 120.0},    {"40,400,6", 135.0},   {"40,400,7", 150.0},
    {"40,400,8", 30.0},    {"40,400,9", 60.0},     {"40,400,10", 90.0},   {"40,400,11", 120.0},
    {"40,400,12", 180.0},  {"40,400,13", 240.0},   {"40,400,14", 270.0},  {"40,400,15", 300.0},
    {"40,800,32", 6.0},    {"40,400,32", 6.7},     {"40,800,33", 39.0},   {"40,400,33", 43.3}};

struct HtCase
{
    int is40MHz;
    int shortGi;
    int mcs;
    bool found;
    double rate;
};

class HTTableTest : public ::testing::Test
{
protected:
    void SetUp() override { table.BuildTables(); }
    CHTTable table;
};

TEST(HTTableUnbuiltTest, EveryLookupFailsBeforeBuildTables)
{
    CHTTable table;
    double rate = -1;
    int width = -1;
    EXPECT_FALSE(table.LookupRateByIndex(0, rate, width));
    EXPECT_FALSE(table.LookupHtRate(0, 0, 0, rate));
    EXPECT_EQ(rate, -1);
    EXPECT_EQ(width, -1);
}

TEST_F(HTTableTest, HtMapHoldsExactlyTheRateKeysWithTheirRoundedValues)
{
    ASSERT_EQ(kExpectedHtRates.size(), 68u);
    const std::map<CString, double>& map = table.GetHtRateMap();
    ASSERT_EQ(map.size(), kExpectedHtRates.size());
    for (const auto& [key, value] : map)
    {
        auto it = kExpectedHtRates.find(std::string(key.GetString()));
        ASSERT_NE(it, kExpectedHtRates.end()) << "unexpected key " << key;
        EXPECT_EQ(value, it->second) << key;
    }
}

TEST_F(HTTableTest, LookupHtRateFindsEveryKeyByItsFields)
{
    for (const auto& [key, value] : kExpectedHtRates)
    {
        int width = 0, guard = 0, mcs = 0;
        ASSERT_EQ(std::sscanf(key.c_str(), "%d,%d,%d", &width, &guard, &mcs), 3);
        double rate = 0;
        ASSERT_TRUE(table.LookupHtRate(width == 40, guard == 400 ? 1 : 0, mcs, rate)) << key;
        EXPECT_EQ(rate, value) << key;
    }
}

TEST_F(HTTableTest, LookupHtRateEdgeCases)
{
    const HtCase cases[] = {
        {0, 0, 32, false, 0}, // MCS 32 exists at 40 MHz only
        {0, 1, 32, false, 0},
        {1, 1, 32, true, 6.7},
        {1, 0, 33, true, 39.0},
        {1, 1, 33, true, 43.3},
        {0, 0, 33, false, 0},
        {0, 2, 7, true, 65.0}, // a guard argument other than 1 reads the long-guard key
        {0, -1, 9, true, 26.0},
        {5, 0, 0, true, 13.5}, // any non-zero width is 40 MHz
        {0, 0, 16, false, 0},
        {1, 1, 16, false, 0},
        {1, 1, 34, false, 0},
        {0, 0, -1, false, 0},
        {1, 1, 15, true, 300.0},
        {0, 1, 15, true, 144.444},
        {0, 1, 2, true, 21.7},
    };
    for (const HtCase& c : cases)
    {
        double rate = -1;
        BOOL found = table.LookupHtRate(c.is40MHz, c.shortGi, c.mcs, rate);
        EXPECT_EQ(found != FALSE, c.found) << c.is40MHz << "," << c.shortGi << "," << c.mcs;
        EXPECT_EQ(rate, c.found ? c.rate : -1) << c.is40MHz << "," << c.shortGi << "," << c.mcs;
    }
}

TEST_F(HTTableTest, RateIndexTableHasFifteenRowsAsText)
{
    const std::map<int, CString> expected = {
        {0, "54.0,20"},   {1, "81.0,20"},   {2, "108.0,20"},  {3, "121.5,20"},  {4, "135.0,20"},
        {5, "54.0,20"},   {6, "81.0,20"},   {7, "108.0,20"},  {8, "121.5,20"},  {9, "135.0,20"},
        {10, "108.0,40"}, {11, "162.0,40"}, {12, "216.0,40"}, {13, "243.0,40"}, {14, "270.0,40"}};
    EXPECT_EQ(table.GetRateIndexTable(), expected);
    for (const auto& [index, text] : expected)
    {
        double rate = 0;
        int width = 0;
        ASSERT_TRUE(table.LookupRateByIndex(index, rate, width)) << index;
        EXPECT_EQ(rate, std::atof(text.Left(text.Find(','))));
        EXPECT_EQ(width, index >= 10 ? 40 : 20);
    }
}

TEST_F(HTTableTest, LookupRateByIndexRangeAndOutValues)
{
    double rate = 0;
    int width = 0;
    ASSERT_TRUE(table.LookupRateByIndex(3, rate, width));
    EXPECT_EQ(rate, 121.5);
    EXPECT_EQ(width, 20);
    ASSERT_TRUE(table.LookupRateByIndex(14, rate, width));
    EXPECT_EQ(rate, 270.0);
    EXPECT_EQ(width, 40);
    for (int index : {15, -1, 100, INT_MIN})
    {
        rate = -2;
        width = -2;
        EXPECT_FALSE(table.LookupRateByIndex(index, rate, width)) << index;
        EXPECT_EQ(rate, -2);
        EXPECT_EQ(width, -2);
    }
}

TEST_F(HTTableTest, BuildingTwiceKeepsTheSameTables)
{
    std::map<CString, double> before = table.GetHtRateMap();
    table.BuildTables();
    EXPECT_EQ(table.GetHtRateMap(), before);
    EXPECT_EQ(table.GetRateIndexTable().size(), 15u);
}

} // namespace
