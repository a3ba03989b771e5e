// The machine's services: which a system has, how starts and stops settle on the machine clock,
// what is refused, and the WLAN service following "Wlansvc".

#include "machine/services/ServiceTable.h"
#include "machine/SystemInfo.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tests/support/MachineTestClock.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

namespace svc = machine::services;

class ServiceTableTest : public ::testing::Test
{
protected:
    std::uint32_t state(const std::string& name) const
    {
        auto s = svc::FindService(m.machine(), name);
        return s ? s->state : 0;
    }
    void setSystem(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(m.machine());
        info.platformId = platformId;
        info.majorVersion = major;
        info.minorVersion = minor;
        machine::SaveSystemInfo(m.machine(), info);
    }

    testing_support::TempMachine m;
    testing_support::MachineTestClock clock{10000};
};

TEST_F(ServiceTableTest, EachSystemHasItsWirelessService)
{
    struct Case
    {
        std::uint32_t platformId, major, minor;
        bool manager, wlansvc, wzcsvc;
    } cases[] = {
        {2, 6, 0, true, true, false},    // Vista
        {2, 6, 1, true, true, false},    // 7
        {2, 10, 0, true, true, false},   // 10
        {2, 5, 1, true, false, true},    // XP
        {2, 5, 2, true, false, true},    // Server 2003
        {2, 5, 0, true, false, false},   // 2000
        {1, 4, 10, false, false, false}, // 98
    };
    for (const auto& c : cases)
    {
        setSystem(c.platformId, c.major, c.minor);
        const std::string at = std::to_string(c.major) + "." + std::to_string(c.minor);
        EXPECT_EQ(svc::HasServiceManager(m.machine()), c.manager) << at;
        EXPECT_EQ(svc::FindService(m.machine(), "Wlansvc").has_value(), c.wlansvc) << at;
        EXPECT_EQ(svc::FindService(m.machine(), "wzcsvc").has_value(), c.wzcsvc) << at;
        EXPECT_EQ(svc::StartService(m.machine(), "Wlansvc"),
                  c.wlansvc ? machine::kErrorServiceAlreadyRunning
                            : machine::kErrorServiceDoesNotExist)
            << at;
    }
    EXPECT_FALSE(svc::FindService(m.machine(), "Spooler").has_value());
}

TEST_F(ServiceTableTest, StartsAndStopsArePendingForAWhileThenDone)
{
    const auto& mm = m.machine();
    auto wzc = [&] { return state("WZCSVC"); };
    setSystem(2, 5, 1);
    EXPECT_EQ(wzc(), svc::kRunning);

    EXPECT_EQ(svc::StopService(mm, "WZCSVC"), 0u);
    EXPECT_EQ(wzc(), svc::kStopPending);
    EXPECT_EQ(svc::StopService(mm, "WZCSVC"), machine::kErrorServiceCannotAcceptControl);
    EXPECT_EQ(svc::StartService(mm, "WZCSVC"), machine::kErrorServiceAlreadyRunning);
    clock.advance(svc::kTransitionMs - 1);
    EXPECT_EQ(wzc(), svc::kStopPending);
    clock.advance(1);
    EXPECT_EQ(wzc(), svc::kStopped);
    EXPECT_EQ(svc::StopService(mm, "WZCSVC"), machine::kErrorServiceNotActive);

    EXPECT_EQ(svc::SetStartType(mm, "WZCSVC", svc::kDisabled), 0u);
    EXPECT_EQ(svc::StartService(mm, "WZCSVC"), machine::kErrorServiceDisabled);
    EXPECT_EQ(svc::SetStartType(mm, "WZCSVC", 1), machine::kErrorInvalidParameter);
    EXPECT_EQ(svc::SetStartType(mm, "WZCSVC", svc::kDemandStart), 0u);
    EXPECT_EQ(svc::StartService(mm, "WZCSVC"), 0u);
    EXPECT_EQ(wzc(), svc::kStartPending);
    EXPECT_EQ(svc::StopService(mm, "WZCSVC"), machine::kErrorServiceCannotAcceptControl);
    clock.advance(svc::kTransitionMs);
    EXPECT_EQ(wzc(), svc::kRunning);
    EXPECT_EQ(svc::FindService(mm, "WZCSVC")->startType, svc::kDemandStart);
}

TEST_F(ServiceTableTest, APendingStateFromAnotherClockIsNotStuck)
{
    // Stopped by a process on the host's clock (hours ahead of this test's manual clock).
    machine::SetClockSource(nullptr);
    ASSERT_EQ(svc::StopService(m.machine(), "Wlansvc"), 0u);
    testing_support::MachineTestClock back(10000);
    EXPECT_EQ(state("Wlansvc"), svc::kStopped);
}

TEST_F(ServiceTableTest, TheWlanServiceAnswersOnlyWhileWlansvcRuns)
{
    const auto& mm = m.machine();
    // Every WLAN call begins here; while the service is stopped it fails.
    auto scan = [&] { return machine::wlan::BeginCall(mm, "WlanScan"); };
    ASSERT_EQ(scan(), 0u);

    ASSERT_EQ(svc::StopService(mm, "Wlansvc"), 0u);
    EXPECT_EQ(scan(), 1062u); // from the stop request on
    clock.advance(svc::kTransitionMs);
    EXPECT_EQ(scan(), 1062u);
    EXPECT_EQ(state("Wlansvc"), svc::kStopped);

    ASSERT_EQ(svc::StartService(mm, "Wlansvc"), 0u);
    EXPECT_EQ(scan(), 0u);
    clock.advance(svc::kTransitionMs);
    EXPECT_EQ(state("Wlansvc"), svc::kRunning);

    // The WLAN service stopped from outside reads as a stopped Wlansvc.
    machine::wlan::SetServiceRunning(mm, false);
    EXPECT_EQ(state("Wlansvc"), svc::kStopped);
    EXPECT_EQ(svc::StartService(mm, "Wlansvc"), 0u);
    EXPECT_TRUE(machine::wlan::IsServiceRunning(mm));
}

TEST(ServiceLog, StaysBoundedAndKeepsTheNewestLines)
{
    testing_support::TempMachine m;
    {
        std::filesystem::create_directories(m.root() / "services");
        std::ofstream out(m.root() / "services" / "log.txt");
        for (int i = 0; i < 17000; ++i)
            out << "1 pid 7 QueryServiceStatus 0x00A10004 WZCSVC -> ok RUNNING " << i << "\n";
    }
    machine::services::AppendServiceLog(m.machine(), "newest");
    EXPECT_LT(std::filesystem::file_size(m.root() / "services" / "log.txt"), 1u << 20);
    auto lines = machine::services::ReadServiceLog(m.machine());
    ASSERT_GT(lines.size(), 8000u);
    EXPECT_NE(lines.front().find("QueryServiceStatus"), std::string::npos); // whole lines only
    EXPECT_NE(lines.back().find(" newest"), std::string::npos);
    EXPECT_NE(lines[lines.size() - 2].find("RUNNING 16999"), std::string::npos);
}

} // namespace
