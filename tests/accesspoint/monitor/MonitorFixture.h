#pragma once
// The access point's monitor window on a fresh machine with the default adapter, on the manual
// clock: created modeless (its start-up runs as in the program), driven by the clock, the tray
// and the machine's levers.

#include "accesspoint/monitor/HideDlg.h"
#include "accesspoint/sheet/VnPropSheet.h"
#include "machine/desktop/Tray.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/support/ApMachine.h"

#include <memory>

namespace ap_test
{

struct TrayState
{
    UINT icon = 0;
    std::string tip;
    bool operator==(const TrayState&) const = default;
};

class MonitorFixture : public ApMachine
{
protected:
    void SetUp() override
    {
        ApMachine::SetUp();
        StartMonitor();
    }

    void StartMonitor()
    {
        m_pDlg = std::make_unique<CHideDlg>();
        m_pDlg->m_bOpenSheetAtStart = FALSE;
        ASSERT_TRUE(m_pDlg->Create(IDD_HIDE_DIALOG));
        platform::PumpUntilIdle();
    }

    void TearDown() override
    {
        if (m_pDlg && m_pDlg->m_hWnd != 0 && ::IsWindow(m_pDlg->m_hWnd))
        {
            m_pDlg->DeleteTrayIcon();
            m_pDlg->DestroyWindow();
        }
        m_pDlg.reset();
        platform::PumpUntilIdle();
        ApMachine::TearDown();
    }

    HWND hwnd() const { return m_pDlg->m_hWnd; }
    void Tick() { platform::AdvanceClock(MONITOR_PERIOD); }

    TrayState tray() const
    {
        TrayState state;
        auto icon = machine::desktop::FindTrayIcon(machine(), m_hMonitor ? m_hMonitor : hwnd(),
                                                   TRAY_ICON_ID);
        if (icon)
        {
            state.icon = icon->iconResource;
            state.tip = icon->tip;
        }
        return state;
    }

    std::string instanceId() const
    {
        auto d = machine::devices::FindDeviceByNetCfgInstanceId(machine(), m_id);
        return d ? d->instanceId : std::string();
    }

    // The sheet's tabs, in order.
    std::vector<std::string> tabs() const
    {
        std::vector<std::string> captions;
        for (int i = 0; m_pDlg->m_pPropSheet && i < m_pDlg->m_pPropSheet->GetPageCount(); i++)
            captions.push_back(std::string(m_pDlg->m_pPropSheet->GetPageCaption(i)));
        return captions;
    }

    std::unique_ptr<CHideDlg> m_pDlg;
    HWND m_hMonitor = 0; // kept by tests whose window goes
};

} // namespace ap_test
