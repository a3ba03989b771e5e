#include "client/access/OidAccessor.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "tests/support/HexBytes.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using machine::miniport::LogEntry;

using testing_support::HexBytes;

const BYTE kPeer[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 0x55};

struct AccessorCase
{
    const char* name;
    std::function<BOOL(OidAccessor&)> call;
    DWORD wire;
    std::string payload; // the bytes that reach the driver
};

std::vector<AccessorCase> Cases()
{
    const BYTE rates[] = {0x82, 0x84, 0x8B, 0x96};
    const BYTE extRates[] = {0x0C, 0x12};
    AggregationRequest aggregation = {1, 2, 3, 4, 5, 6, 7, 8};
    return {
        {"SetPhyMode", [](OidAccessor& a) { return a.SetPhyMode(9); }, 0xFF8C0002,
         HexBytes("09 00 00 00")},
        {"SetCountryRegion", [](OidAccessor& a) { return a.SetCountryRegion(0x0105); }, 0xFF8C0003,
         HexBytes("05 01 00 00")},
        {"SetTxPower 0", [](OidAccessor& a) { return a.SetTxPower(0); }, 0xFF8C0007,
         HexBytes("ff ff ff ff")},
        {"SetTxPower 1", [](OidAccessor& a) { return a.SetTxPower(1); }, 0xFF8C0007,
         HexBytes("64 00 00 00")},
        {"SetTxPower 2", [](OidAccessor& a) { return a.SetTxPower(2); }, 0xFF8C0007,
         HexBytes("4b 00 00 00")},
        {"SetTxPower 3", [](OidAccessor& a) { return a.SetTxPower(3); }, 0xFF8C0007,
         HexBytes("32 00 00 00")},
        {"SetTxPower 4", [](OidAccessor& a) { return a.SetTxPower(4); }, 0xFF8C0007,
         HexBytes("19 00 00 00")},
        {"SetTxPower 5", [](OidAccessor& a) { return a.SetTxPower(5); }, 0xFF8C0007,
         HexBytes("0a 00 00 00")},
        {"SetTxPower 6", [](OidAccessor& a) { return a.SetTxPower(6); }, 0xFF8C0007,
         HexBytes("06 00 00 00")},
        {"SetTxPower 7", [](OidAccessor& a) { return a.SetTxPower(7); }, 0xFF8C0007,
         HexBytes("ff ff ff ff")},
        {"SetTxPower -1", [](OidAccessor& a) { return a.SetTxPower(-1); }, 0xFF8C0007,
         HexBytes("ff ff ff ff")},
        {"SetOpMode 1", [](OidAccessor& a) { return a.SetOpMode(1); }, 0xFF810308,
         HexBytes("00 00 00 00 02 00 00 00")},
        {"SetOpMode 0", [](OidAccessor& a) { return a.SetOpMode(0); }, 0xFF810308,
         HexBytes("00 00 00 00 01 00 00 00")},
        {"SetOpMode 2", [](OidAccessor& a) { return a.SetOpMode(2); }, 0xFF810308,
         HexBytes("00 00 00 00 01 00 00 00")},
        {"SetRateSet", [=](OidAccessor& a) { return a.SetRateSet(rates, 4, extRates, 2); },
         0xFF81031A, HexBytes("06 00 00 00 82 84 8b 96 0c 12", 132)},
        {"SetHtPhyMode",
         [](OidAccessor& a) { return a.SetHtPhyMode(HtPhyModeFromTransmitSetting(0x0001F8A3)); },
         0xFF8C0028, HexBytes("03 00 00 00 03 01 00 0a 01 01 01 00")},
        {"AddBaSession", [](OidAccessor& a) { return a.AddBaSession(1, kPeer, 5, 64); }, 0xFF8C0025,
         HexBytes("01 02 11 22 33 44 55 05 40 00 00 00 00 00")},
        {"DeleteBaSession", [](OidAccessor& a) { return a.DeleteBaSession(0, kPeer, 2, TRUE); },
         0xFF8C0027, HexBytes("00 02 11 22 33 44 55 02 00 00 00 00 01 00")},
        {"SetAggregation", [=](OidAccessor& a) { return a.SetAggregation(aggregation); },
         0xFF8C0026, HexBytes("01 02 03 04 05 06 07 08")},
        {"SetRegister", [](OidAccessor& a) { return a.SetRegister(1, 0x42, 0x1234); }, 0xFF8C0008,
         HexBytes("01 00 00 00 42 00 00 00 34 12 00 00")},
        {"QueryCurrentAddress",
         [](OidAccessor& a)
         {
             BYTE mac[6];
             return a.QueryCurrentAddress(mac);
         },
         0x0D010702, HexBytes("", 6)},
        {"QueryPhyMode",
         [](OidAccessor& a)
         {
             DWORD v;
             return a.QueryPhyMode(&v);
         },
         0xFF0C0002, HexBytes("", 4)},
        {"QueryCountryRegionByte",
         [](OidAccessor& a)
         {
             DWORD v;
             return a.QueryCountryRegionByte(&v);
         },
         0xFF0C0003, HexBytes("", 4)},
        {"QueryChannel",
         [](OidAccessor& a)
         {
             DWORD v;
             return a.QueryChannel(&v);
         },
         0xFF0C0006, HexBytes("", 4)},
        {"QueryTxPower",
         [](OidAccessor& a)
         {
             DWORD v;
             return a.QueryTxPower(&v);
         },
         0xFF0C0007, HexBytes("", 4)},
        {"QueryOpMode",
         [](OidAccessor& a)
         {
             int v;
             return a.QueryOpMode(&v);
         },
         0x0D010308, HexBytes("", 8)},
    };
}

class OidAccessorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        OsVersionCode = 11;
        id = testing_support::SelectDefaultAdapter(m.machine());
    }
    void TearDown() override { ClearRetryQueue(); }

    std::vector<LogEntry> log() const { return machine::miniport::ReadRequestLog(m.machine(), id); }

    testing_support::TempMachine m;
    std::string id;
    OidAccessor accessor;
};

TEST_F(OidAccessorTest, EachOperationSendsItsCodeAndPayload)
{
    for (const AccessorCase& c : Cases())
    {
        SCOPED_TRACE(c.name);
        machine::miniport::ClearRequestLog(m.machine(), id);
        EXPECT_TRUE(c.call(accessor));
        std::vector<LogEntry> entries = log();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].code, c.wire);
        EXPECT_EQ(entries[0].length, c.payload.size());
        EXPECT_EQ(entries[0].bytesIn, c.payload);
        EXPECT_TRUE(entries[0].ok);
    }
    EXPECT_EQ(RetryQueue.GetSize(), 0);
}

TEST_F(OidAccessorTest, QueriesHandBackTheDriversValues)
{
    ASSERT_TRUE(accessor.SetPhyMode(9));
    ASSERT_TRUE(accessor.SetTxPower(3));
    DWORD dwMode = 0;
    DWORD dwPower = 0;
    EXPECT_TRUE(accessor.QueryPhyMode(&dwMode));
    EXPECT_TRUE(accessor.QueryTxPower(&dwPower));
    EXPECT_EQ(dwMode, 9u);
    EXPECT_EQ(dwPower, 50u);

    int bApMode = -1;
    ASSERT_TRUE(accessor.SetOpMode(1));
    EXPECT_TRUE(accessor.QueryOpMode(&bApMode));
    EXPECT_EQ(bApMode, 1);
    ASSERT_TRUE(accessor.SetOpMode(0));
    EXPECT_TRUE(accessor.QueryOpMode(&bApMode));
    EXPECT_EQ(bApMode, 0);

    BYTE mac[6] = {};
    ASSERT_TRUE(accessor.QueryCurrentAddress(mac));
    std::vector<LogEntry> entries = log();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(mac), 6), entries.back().bytesOut);
}

TEST_F(OidAccessorTest, FailedQueriesLeaveNoGarbage)
{
    ASSERT_TRUE(accessor.SetOpMode(1));
    machine::miniport::InjectRequestFault(m.machine(), id, 0x0D010308, -1,
                                          machine::miniport::Direction::Query);
    machine::miniport::InjectRequestFault(m.machine(), id, 0xFF0C0002, -1,
                                          machine::miniport::Direction::Query);
    machine::miniport::InjectRequestFault(m.machine(), id, 0x0D010702, -1,
                                          machine::miniport::Direction::Query);

    int bApMode = 7;
    EXPECT_FALSE(accessor.QueryOpMode(&bApMode));
    EXPECT_EQ(bApMode, 0);

    DWORD dwMode = 0x55;
    EXPECT_FALSE(accessor.QueryPhyMode(&dwMode));
    EXPECT_EQ(dwMode, 0x55u);

    BYTE mac[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(accessor.QueryCurrentAddress(mac));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(mac), 6), std::string(6, '\x09'));
}

TEST_F(OidAccessorTest, FailedSetIsRetriedWithTheSamePayload)
{
    machine::miniport::InjectRequestFault(m.machine(), id, 0xFF8C0028, 1);
    EXPECT_FALSE(accessor.SetHtPhyMode(HtPhyModeFromTransmitSetting(0x0001F8A3)));
    EXPECT_EQ(RetryQueue.GetSize(), 1);
    platform::AdvanceClock(500);
    std::vector<LogEntry> entries = log();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].code, 0xFF8C0028u);
    EXPECT_EQ(entries[1].bytesIn, entries[0].bytesIn);
    EXPECT_TRUE(entries[1].ok);
    EXPECT_EQ(RetryQueue.GetSize(), 0);
}

TEST(HtPhyModeTest, TransmitSettingFieldsLandInTheirBytes)
{
    struct
    {
        DWORD w;
        HtPhyModeRequest expected;
    } cases[] = {
        {0x0001F8A3, {3, 3, 1, 0, 0x0A, 1, 1, 1, 0}},
        {0x00000000, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0x0007FFFF, {0x0F, 3, 1, 3, 0x7F, 1, 1, 1, 0}},
        {0xFFF80000, {0, 0, 0, 0, 0, 0, 0, 0, 0}}, // bits above 18 are not fields
        {0x00060000 | 0x0800, {0, 0, 0, 3, 0, 1, 0, 0, 0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.w);
        HtPhyModeRequest r = HtPhyModeFromTransmitSetting(c.w);
        EXPECT_EQ(0, memcmp(&r, &c.expected, sizeof(r)));
    }
}

} // namespace
