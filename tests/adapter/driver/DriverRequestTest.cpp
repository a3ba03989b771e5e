#include "adapter/driver/DriverRequest.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/system/OsVersion.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "platform/device/DeviceIoControl.h"
#include "platform/file/DeviceOpen.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

using machine::miniport::LogEntry;

std::string Bytes(const void* p, std::size_t n)
{
    return std::string(static_cast<const char*>(p), n);
}

class DriverRequestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        OsVersionCode = 11;
        id = testing_support::SelectDefaultAdapter(m.machine());
        blocksBefore = platform::LiveGlobalBlocks();
    }
    void TearDown() override { ClearRetryQueue(); }

    std::vector<LogEntry> log() const { return machine::miniport::ReadRequestLog(m.machine(), id); }
    void failAlways(DWORD code)
    {
        machine::miniport::InjectRequestFault(m.machine(), id, code, -1);
    }
    void failTimes(DWORD code, int times)
    {
        machine::miniport::InjectRequestFault(m.machine(), id, code, times);
    }
    void unplug()
    {
        for (const auto& d : machine::devices::ListDevices(m.machine()))
        {
            if (d.netCfgInstanceId == id)
            {
                ASSERT_TRUE(machine::devices::SetDevicePresent(m.machine(), d.instanceId, false));
            }
        }
    }

    testing_support::TempMachine m;
    std::string id;
    std::size_t blocksBefore = 0;
};

TEST_F(DriverRequestTest, QueryReturnsTheDriversAnswer)
{
    DWORD dwSet = 75;
    DWORD dwReturned = 123;
    ASSERT_TRUE(OidSetInformationEx(0xFF0C0007, &dwSet, sizeof(dwSet), &dwReturned, 1, 3));

    DWORD dwValue = 0;
    dwReturned = 0xDEAD;
    ASSERT_TRUE(OidQueryInformation(0xFF0C0007, &dwValue, sizeof(dwValue), &dwReturned));
    EXPECT_EQ(dwValue, 75u);
    EXPECT_EQ(dwReturned, 4u);

    std::vector<LogEntry> entries = log();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].code, 0xFF0C0007u);
    EXPECT_EQ(entries[1].length, 4u);
    EXPECT_TRUE(entries[1].ok);
}

struct SetFormCase
{
    const char* name;
    bool ex;
    int setFlag;
    DWORD oid;
    DWORD wire;
    DWORD size;
};

TEST_F(DriverRequestTest, SetsCarryTheirSetBitsOnTheWire)
{
    const SetFormCase cases[] = {
        {"private 0x0D71", false, 0, 0x0D710111, 0x0DF10111, 32},
        {"private 0xFF0C", false, 0, 0xFF0C0007, 0xFF8C0007, 4},
        {"standard 802.11", false, 0, 0x0D010102, 0x0D810102, 36},
        {"Ex private", true, 1, 0xFF0C0002, 0xFF8C0002, 4},
        {"Ex standard", true, 1, 0x0D010308, 0xFF810308, 8},
        {"Ex flag 0 unchanged", true, 0, 0xFF8C0003, 0xFF8C0003, 4},
    };
    for (const SetFormCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        machine::miniport::ClearRequestLog(m.machine(), id);
        BYTE data[36];
        memset(data, 0, sizeof(data));
        data[0] = 1;
        const DWORD size = c.size;
        DWORD dwReturned = 0;
        if (c.ex)
            OidSetInformationEx(c.oid, data, size, &dwReturned, c.setFlag, 1);
        else
            OidSetInformation(c.oid, data, size, &dwReturned, 1);
        std::vector<LogEntry> entries = log();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].code, c.wire);
        EXPECT_EQ(entries[0].length, size);
        EXPECT_EQ(entries[0].bytesIn, Bytes(data, size));
    }
}

TEST_F(DriverRequestTest, MissingDeviceFailsAtOnceAndQueuesNothing)
{
    g_strDevicePath = "\\\\.\\{00000000-0000-0000-0000-000000000000}";
    DWORD dwValue = 5;
    DWORD dwReturned = 0;
    EXPECT_FALSE(OidQueryInformation(0xFF0C0007, &dwValue, sizeof(dwValue), &dwReturned));
    EXPECT_FALSE(OidSetInformation(0xFF0C0007, &dwValue, sizeof(dwValue), &dwReturned, 3));
    EXPECT_FALSE(OidSetInformationEx(0xFF0C0007, &dwValue, sizeof(dwValue), &dwReturned, 1, 3));
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    EXPECT_EQ(IsSelDeviceExist(), 0);
    EXPECT_TRUE(log().empty());
}

TEST_F(DriverRequestTest, IsSelDeviceExistFollowsThePlug)
{
    EXPECT_EQ(IsSelDeviceExist(), 1);
    unplug();
    EXPECT_EQ(IsSelDeviceExist(), 0);
    EXPECT_TRUE(log().empty());
}

TEST_F(DriverRequestTest, FailedSetWithOneAttemptIsNotQueued)
{
    failAlways(0xFF8C0007);
    DWORD dwValue = 50;
    DWORD dwReturned = 0;
    EXPECT_FALSE(OidSetInformationEx(0xFF0C0007, &dwValue, sizeof(dwValue), &dwReturned, 1, 1));
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    platform::AdvanceClock(3000);
    EXPECT_EQ(log().size(), 1u);
    EXPECT_EQ(platform::LiveGlobalBlocks(), blocksBefore);
}

TEST_F(DriverRequestTest, FailingSetIsTriedThreeTimesThenDropped)
{
    failAlways(0xFF8C0007);
    DWORD dwValue = 50;
    DWORD dwReturned = 0;
    EXPECT_FALSE(OidSetInformationEx(0xFF0C0007, &dwValue, sizeof(dwValue), &dwReturned, 1, 3));
    ASSERT_EQ(RetryQueue.GetSize(), 1);
    EXPECT_EQ(RetryQueue[0].Oid, 0xFF8C0007u);
    EXPECT_EQ(RetryQueue[0].nRetry, 2);
    dwValue = 99; // the queued copy is independent of the caller's buffer

    platform::AdvanceClock(500);
    EXPECT_EQ(log().size(), 2u);
    EXPECT_EQ(RetryQueue.GetSize(), 1);
    platform::AdvanceClock(500);
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    platform::AdvanceClock(5000);

    std::vector<LogEntry> entries = log();
    ASSERT_EQ(entries.size(), 3u);
    for (const LogEntry& e : entries)
    {
        EXPECT_EQ(e.code, 0xFF8C0007u);
        DWORD sent = 50;
        EXPECT_EQ(e.bytesIn, Bytes(&sent, 4));
        EXPECT_FALSE(e.ok);
    }
    EXPECT_EQ(platform::LiveGlobalBlocks(), blocksBefore);
}

TEST_F(DriverRequestTest, RetryThatSucceedsEndsTheEntry)
{
    failTimes(0x0DF10111, 1);
    BYTE block[32];
    for (int i = 0; i < 32; i++)
        block[i] = static_cast<BYTE>(i + 1);
    DWORD dwReturned = 0;
    EXPECT_FALSE(OidSetInformation(0x0D710111, block, sizeof(block), &dwReturned, 3));
    ASSERT_EQ(RetryQueue.GetSize(), 1);
    platform::AdvanceClock(500);
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    platform::AdvanceClock(2000);

    std::vector<LogEntry> entries = log();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[1].ok);
    EXPECT_EQ(entries[1].bytesIn, Bytes(block, sizeof(block)));
    EXPECT_EQ(platform::LiveGlobalBlocks(), blocksBefore);

    BYTE answer[32] = {};
    ASSERT_TRUE(OidQueryInformation(0x0D710111, answer, sizeof(answer), &dwReturned));
    EXPECT_EQ(Bytes(answer, 32), Bytes(block, 32));
}

TEST_F(DriverRequestTest, EmptySetIsQueuedWithoutDataAndRetriedEmpty)
{
    failTimes(0xFF8C000C, 1);
    DWORD dwReturned = 0;
    EXPECT_FALSE(OidSetInformationEx(0xFF0C000C, NULL, 0, &dwReturned, 1, 3));
    ASSERT_EQ(RetryQueue.GetSize(), 1);
    EXPECT_EQ(RetryQueue[0].pData, nullptr);
    EXPECT_EQ(RetryQueue[0].Length, 0u);
    EXPECT_EQ(platform::LiveGlobalBlocks(), blocksBefore);

    platform::AdvanceClock(500);
    std::vector<LogEntry> entries = log();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].code, 0xFF8C000Cu);
    EXPECT_EQ(entries[1].length, 0u);
    EXPECT_TRUE(entries[1].ok);
    EXPECT_EQ(RetryQueue.GetSize(), 0);
}

TEST_F(DriverRequestTest, VanishedDeviceDropsTheWholeQueue)
{
    failAlways(0xFF8C0002);
    failAlways(0xFF8C0003);
    failAlways(0xFF8C0007);
    DWORD dwReturned = 0;
    DWORD values[3] = {1, 2, 3};
    EXPECT_FALSE(OidSetInformationEx(0xFF0C0002, &values[0], 4, &dwReturned, 1, 3));
    platform::AdvanceClock(100); // the timers fall due one after another
    EXPECT_FALSE(OidSetInformationEx(0xFF0C0003, &values[1], 4, &dwReturned, 1, 3));
    EXPECT_FALSE(OidSetInformationEx(0xFF0C0007, &values[2], 4, &dwReturned, 1, 3));
    ASSERT_EQ(RetryQueue.GetSize(), 3);
    std::vector<UINT_PTR> timers;
    for (INT_PTR i = 0; i < RetryQueue.GetSize(); i++)
        timers.push_back(RetryQueue[i].nTimerId);

    unplug();
    platform::AdvanceClock(400); // only the first timer is due
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    for (UINT_PTR timer : timers)
        EXPECT_FALSE(KillTimer(0, timer)) << "timer " << timer << " still alive";
    EXPECT_EQ(log().size(), 3u);
    EXPECT_EQ(platform::LiveGlobalBlocks(), blocksBefore);
}

TEST_F(DriverRequestTest, ClearRetryQueueFreesEntriesAndTimers)
{
    failAlways(0xFF8C0007);
    DWORD dwValue = 10;
    DWORD dwReturned = 0;
    OidSetInformationEx(0xFF0C0007, &dwValue, 4, &dwReturned, 1, 3);
    OidSetInformationEx(0xFF0C0007, &dwValue, 4, &dwReturned, 1, 3);
    ASSERT_EQ(RetryQueue.GetSize(), 2);
    ClearRetryQueue();
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    EXPECT_EQ(platform::LiveGlobalBlocks(), blocksBefore);
    platform::AdvanceClock(2000);
    EXPECT_EQ(log().size(), 2u);
}

// A driver that writes over whatever buffer it is handed and remembers where it was.
class ScribblingDevice : public platform::DeviceObject
{
public:
    explicit ScribblingDevice(const BYTE** seen) : m_seen(seen) {}
    BOOL ioControl(DWORD, const BYTE*, DWORD, BYTE* out, DWORD outSize, DWORD* returned,
                   OVERLAPPED*) override
    {
        *m_seen = out;
        memset(out, 0xEE, outSize);
        *returned = outSize;
        return TRUE;
    }

private:
    const BYTE** m_seen;
};

struct Os10Case
{
    int osCode;
    bool callerBufferReachesDriver;
};

TEST(DriverRequestOs10Test, OnXp64TheDriverGetsACopyOfTheSet)
{
    testing_support::TempMachine m;
    const BYTE* seen = nullptr;
    int opener = platform::RegisterDeviceOpener(
        [&seen](const platform::DeviceOpenRequest& r) -> std::optional<HANDLE>
        {
            if (r.name != "SCRIBBLE")
                return std::nullopt;
            return platform::RegisterHandle(std::make_shared<ScribblingDevice>(&seen));
        });
    g_strDevicePath = "\\\\.\\SCRIBBLE";

    const Os10Case cases[] = {{10, false}, {11, true}, {8, true}};
    for (const Os10Case& c : cases)
    {
        SCOPED_TRACE(c.osCode);
        OsVersionCode = c.osCode;
        BYTE data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        const BYTE original[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        DWORD dwReturned = 0;
        seen = nullptr;
        EXPECT_TRUE(OidSetInformationEx(0x0D010308, data, sizeof(data), &dwReturned, 1, 3));
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(seen == data, c.callerBufferReachesDriver);
        EXPECT_EQ(memcmp(data, original, 8) == 0, !c.callerBufferReachesDriver);

        seen = nullptr;
        EXPECT_TRUE(OidSetInformation(0x0D710109, data, 4, &dwReturned, 3));
        EXPECT_EQ(seen == data, c.callerBufferReachesDriver);
    }
    platform::UnregisterDeviceOpener(opener);
}

} // namespace
