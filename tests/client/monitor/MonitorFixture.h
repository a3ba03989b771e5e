#pragma once
// The monitor window on a fresh machine with the default adapter and networks, on the manual
// clock: created modeless (its start-up runs as in the program), driven by the clock, the tray
// and the machine's levers.

#include "client/access/AdapterState.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "machine/desktop/Tray.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/WlanService.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace monitor_test
{

struct TrayState
{
    UINT icon = 0;
    std::string tip;
};

class MonitorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareMachine();
        StartMonitor();
    }

    // The clock, the program's resources and the default adapter; no monitor window yet.
    void PrepareMachine()
    {
        platform::UseManualClock(1000);
        platform::SetModuleName("TessarynUI");
        RegisterTessarynUIResources();
        m_id = testing_support::EnsureDefaultAdapter(machine());
    }

    void StartMonitor()
    {
        m_pDlg = std::make_unique<CHideDlg>();
        m_pDlg->m_bOpenSheetAtStart = FALSE;
        ASSERT_TRUE(m_pDlg->Create(IDD_HIDE_DIALOG));
        platform::PumpUntilIdle();
        ASSERT_TRUE(m_pDlg->m_bDeviceExist);
    }

    void TearDown() override
    {
        if (m_pDlg && m_pDlg->m_hWnd != 0)
        {
            m_pDlg->DeleteTrayIcon();
            m_pDlg->DestroyWindow();
        }
        m_pDlg.reset();
        platform::PumpUntilIdle();
    }

    machine::Machine& machine() const { return m_machine.machine(); }
    HWND hwnd() const { return m_pDlg->m_hWnd; }

    TrayState tray() const
    {
        TrayState state;
        auto icon = machine::desktop::FindTrayIcon(machine(), hwnd(), TRAY_ICON_ID);
        if (icon)
        {
            state.icon = icon->iconResource;
            state.tip = icon->tip;
        }
        return state;
    }

    // One watchdog period.
    void Tick() { platform::AdvanceClock(WATCHDOG_PERIOD); }

    void SetSignal(const std::string& ssid, int rssi)
    {
        machine::radio::ChangeNetworks(machine(),
                                       [&](std::vector<machine::radio::Network>& list)
                                       {
                                           auto* n = machine::radio::FindNetwork(list, ssid);
                                           if (n != nullptr)
                                               n->rssi = rssi;
                                           return n != nullptr;
                                       });
    }

    // Only the WLAN service's signal counts unless a test gives the driver's.
    void SilenceDriverSignal()
    {
        machine::miniport::InjectRequestFault(machine(), m_id, machine::miniport::oid::Rssi, -1,
                                              machine::miniport::Direction::Query);
    }

    void ConnectOpen(const std::string& ssid)
    {
        machine::wlan::ConnectRequest request;
        request.mode = 2;
        request.ssid = ssid;
        ASSERT_EQ(machine::wlan::Connect(machine(), m_id, request), 0u);
        platform::AdvanceClock(1000);
    }

    std::vector<machine::miniport::LogEntry> requests() const
    {
        return machine::miniport::ReadRequestLog(machine(), m_id);
    }
    void clearRequests() const { machine::miniport::ClearRequestLog(machine(), m_id); }
    static size_t countCode(const std::vector<machine::miniport::LogEntry>& log, DWORD code)
    {
        size_t n = 0;
        for (const auto& e : log)
            n += e.code == code ? 1 : 0;
        return n;
    }

    std::string instanceId() const
    {
        auto d = machine::devices::FindDeviceByNetCfgInstanceId(machine(), m_id);
        return d ? d->instanceId : std::string();
    }

    testing_support::TempMachine m_machine;
    std::string m_id;
    std::unique_ptr<CHideDlg> m_pDlg;
};

} // namespace monitor_test
