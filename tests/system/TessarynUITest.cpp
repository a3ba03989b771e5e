// TessarynUI on a fresh default machine, as a person starts it: card initialisation as the
// driver sees it, the tray icon following the link, and the hand-over to a running instance.

#include "machine/desktop/Tray.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/programs/ProgramLog.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/radio/RadioStore.h"
#include "machine/registry/Registry.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using namespace std::chrono_literals;
using machine::miniport::LogEntry;
using testing_support::ChildProcess;
using testing_support::WaitUntil;

namespace oid = machine::miniport::oid;

const char kMonitorTitle[] = "Vantir Wireless UI";
const char kSheetCaption[] = "Tessaryn Wireless Utility";
const DWORD kSsidSet = 0x0D810102; // the last request of the "Config" apply

class TessarynUISystem : public ::testing::Test
{
protected:
    void SetUp() override { m_id = testing_support::EnsureDefaultAdapter(machine()); }

    machine::Machine& machine() const { return m_machine.machine(); }

    std::vector<LogEntry> requests() const
    {
        return machine::miniport::ReadRequestLog(machine(), m_id);
    }

    bool applied() const
    {
        auto log = requests();
        return std::any_of(log.begin(), log.end(),
                           [](const LogEntry& e) { return e.code == kSsidSet; });
    }

    // The codes of the log, in order, that belong to `wanted`.
    std::vector<DWORD> codesAmong(const std::vector<DWORD>& wanted) const
    {
        std::vector<DWORD> out;
        for (const LogEntry& e : requests())
        {
            if (std::find(wanted.begin(), wanted.end(), e.code) != wanted.end())
                out.push_back(e.code);
        }
        return out;
    }

    std::optional<machine::desktop::TrayIcon> trayIcon() const
    {
        for (const auto& icon : machine::desktop::ListTrayIcons(machine()))
        {
            if (icon.uid == 161)
                return icon;
        }
        return std::nullopt;
    }

    bool trayShows(std::uint32_t icon) const
    {
        auto t = trayIcon();
        return t && t->iconResource == icon;
    }

    void exitMonitor(ChildProcess& ui)
    {
        HWND hWnd = FindWindowA(NULL, kMonitorTitle);
        ASSERT_NE(hWnd, 0u);
        ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, ID_TRAY_EXIT, 0));
        EXPECT_EQ(ui.waitForExit(10s), 0);
    }

    testing_support::TempMachine m_machine;
    std::string m_id;
};

TEST_F(TessarynUISystem, CardInitialisationBringsAnAccessPointAdapterToStationUse)
{
    machine::miniport::ChangeAdapterState(machine(), m_id,
                                          [](machine::miniport::AdapterState& a)
                                          { a.setU32(oid::OperationMode, 2, 4); });
    machine::miniport::ClearRequestLog(machine(), m_id);

    ChildProcess ui("TessarynUI", {"-s"}, m_machine.root());
    ASSERT_TRUE(WaitUntil([&] { return applied(); }, 10s));

    // TX burst, EEPROM, operation mode (queried, then set to station), region, driver version,
    // then the apply: wireless mode, advanced block, region, rates, SSID.
    const DWORD kOpModeSet = 0xFF810308;
    std::vector<DWORD> order =
        codesAmong({0x0D710111, 0x0DF10111, 0xFF0C0008, oid::OperationMode, kOpModeSet, 0x0D810308,
                    oid::RegionWord, oid::DriverVersion, 0xFF8C0002, 0xFF8C0003, 0x0D810210,
                    0x0DF10127, kSsidSet});
    ASSERT_GE(order.size(), 12u);
    const DWORD kStart[] = {0x0D710111,         0x0DF10111, 0xFF0C0008,      0xFF0C0008,
                            oid::OperationMode, kOpModeSet, oid::RegionWord, oid::DriverVersion};
    EXPECT_TRUE(std::equal(std::begin(kStart), std::end(kStart), order.begin()));
    EXPECT_EQ(order.back(), kSsidSet);
    EXPECT_NE(std::find(order.begin() + 8, order.end(), 0xFF8C0002), order.end());
    // Station operation: the set's second word is 1.
    for (const LogEntry& e : requests())
    {
        if (e.code == kOpModeSet)
        {
            EXPECT_EQ(e.bytesIn, std::string("\0\0\0\0\x01\0\0\0", 8));
        }
    }

    std::vector<std::string> programs = machine::programs::ReadProgramLog(machine());
    EXPECT_TRUE(std::any_of(programs.begin(), programs.end(),
                            [](const std::string& line)
                            { return line.find("WinExec [\"lanmeld.exe\" remove] show=6") == 0; }));
    EXPECT_NE(machine::wlan::ReadLog(machine()).find("scan"), std::string::npos);
    // The icon comes after card initialisation.
    EXPECT_TRUE(WaitUntil([&] { return trayShows(163); }, 10s));

    // The first-run access-point set: 36 values (TXPower twice), texts without a terminator.
    auto device = machine::devices::FindDeviceByNetCfgInstanceId(machine(), m_id);
    ASSERT_TRUE(device.has_value());
    auto apDefault = machine::registry::DumpKey(
        machine(), machine::devices::DriverKeyPath(*device) + "\\ApDefault");
    ASSERT_TRUE(apDefault.has_value());
    EXPECT_EQ(apDefault->size(), 36u);
    auto value = [&](const std::string& name) -> machine::registry::Value
    {
        for (const auto& v : *apDefault)
        {
            if (v.name == name)
                return v;
        }
        return {};
    };
    const std::string mac =
        machine::miniport::AdapterMacAddress(machine::miniport::LoadAdapterState(machine(), m_id));
    char ssid[16];
    snprintf(ssid, sizeof(ssid), "SoftAP-%02X", static_cast<unsigned char>(mac[5]));
    EXPECT_EQ(value("SSID"), (machine::registry::Value{"SSID", REG_SZ, ssid}));
    EXPECT_EQ(value("FragThresh"), (machine::registry::Value{"FragThresh", REG_SZ, "0"}));
    EXPECT_EQ(value("WPAPSK"), (machine::registry::Value{"WPAPSK", REG_SZ, ""}));
    EXPECT_EQ(value("WdsList"),
              (machine::registry::Value{"WdsList", REG_MULTI_SZ, std::string(1, '\0')}));
    EXPECT_EQ(value("BeaconPeriod"), (machine::registry::Value{"BeaconPeriod", REG_SZ, "100"}));

    exitMonitor(ui);
    EXPECT_FALSE(trayIcon().has_value());

    // The TX-burst choice is made once per driver key: a second start leaves it alone.
    machine::miniport::ClearRequestLog(machine(), m_id);
    ChildProcess again("TessarynUI", {"-s"}, m_machine.root());
    ASSERT_TRUE(WaitUntil([&] { return applied(); }, 10s));
    std::vector<DWORD> second = codesAmong({0x0D710111, 0xFF0C0008});
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front(), 0xFF0C0008u);
    exitMonitor(again);
}

TEST_F(TessarynUISystem, TrayIconFollowsTheLinkAndTheAdapter)
{
    // Only the WLAN service's signal, so the radio's lever decides.
    machine::miniport::InjectRequestFault(machine(), m_id, oid::Rssi, -1,
                                          machine::miniport::Direction::Query);
    ChildProcess ui("TessarynUI", {"-s"}, m_machine.root());
    ASSERT_TRUE(WaitUntil([&] { return applied() && trayShows(163); }, 10s));

    machine::wlan::ConnectRequest request;
    request.mode = 2;
    request.ssid = "Harbor Guest";
    ASSERT_EQ(machine::wlan::Connect(machine(), m_id, request), 0u);
    const struct
    {
        int rssi;
        std::uint32_t icon;
    } steps[] = {{-61, 161}, {-62, 156}, {-74, 159}};
    for (const auto& step : steps)
    {
        machine::radio::ChangeNetworks(machine(),
                                       [&](std::vector<machine::radio::Network>& list)
                                       {
                                           machine::radio::FindNetwork(list, "Harbor Guest")->rssi =
                                               step.rssi;
                                           return true;
                                       });
        EXPECT_TRUE(WaitUntil([&] { return trayShows(step.icon); }, 8s)) << step.rssi;
    }
    EXPECT_NE(trayIcon()->tip.find("Weak (Harbor Guest)"), std::string::npos);

    machine::wlan::DisconnectInterface(machine(), m_id);
    EXPECT_TRUE(WaitUntil([&] { return trayShows(163); }, 8s));

    auto device = machine::devices::FindDeviceByNetCfgInstanceId(machine(), m_id);
    ASSERT_TRUE(device.has_value());
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), device->instanceId, false));
    EXPECT_TRUE(WaitUntil([&] { return trayShows(179); }, 8s));
    machine::miniport::ClearRequestLog(machine(), m_id);
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), device->instanceId, true));
    EXPECT_TRUE(WaitUntil([&] { return applied() && trayShows(163); }, 8s));

    exitMonitor(ui);
}

TEST_F(TessarynUISystem, SecondStartOpensTheRunningOnesSheet)
{
    ChildProcess first("TessarynUI", {"-s"}, m_machine.root());
    ASSERT_TRUE(WaitUntil([&] { return FindWindowA(NULL, kMonitorTitle) != 0; }, 10s));
    EXPECT_EQ(FindWindowA(NULL, kSheetCaption), 0u);

    ChildProcess second("TessarynUI", {}, m_machine.root());
    EXPECT_EQ(second.waitForExit(10s), 0);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowA(NULL, kSheetCaption) != 0; }, 10s));
    EXPECT_TRUE(first.running());
    exitMonitor(first);
    EXPECT_EQ(FindWindowA(NULL, kSheetCaption), 0u);
}

} // namespace

namespace
{

// A program started where no machine exists makes the default one, possibly while its own
// static objects are still being built: the networks in range must come out whole.
TEST(TessarynUIFreshMachine, TheProgramMakesTheDefaultMachineWhole)
{
    testing_support::TempMachine scratch;
    const std::filesystem::path root = scratch.root() / "made-by-the-program";
    ChildProcess ui("TessarynUI", {"-s"}, root);
    machine::Machine made(root);
    ASSERT_TRUE(WaitUntil(
        [&]
        { return made.exists() && std::filesystem::exists(machine::radio::NetworksPath(made)); },
        10s));
    const auto networks = machine::radio::LoadNetworks(made);
    ASSERT_EQ(networks, machine::radio::DefaultNetworks());
    ui.kill();
}

} // namespace
