// The monitor window after start-up: the watchdog, the tray icon it keeps, power events and
// the private messages.

#include "adapter/discovery/AdapterDiscovery.h"
#include "client/access/AdapterState.h"
#include "client/access/PrivateMessages.h"
#include "client/access/ScanList.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/wlan/WlanControl.h"
#include "tests/client/monitor/MonitorFixture.h"
#include "tests/machine/wlan/WlanFixture.h"

#include "client/sheet/VnPropSheet.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace
{

using monitor_test::MonitorFixture;

#ifndef PBT_APMSUSPEND
#define PBT_APMSUSPEND 0x0004
#define PBT_APMRESUMESUSPEND 0x0007
#endif

const std::string kTipHead = "Tessaryn Wireless LAN Card\n";

// What the monitor looked like while the adapter choice ran.
BOOL g_bBusyDuringChoice = FALSE;
int g_nChoices = 0;

DWORD ChooseWhileDoubleClicking(HDEVINFO, const CDWordArray& candidates)
{
    g_nChoices++;
    g_bBusyDuringChoice = g_pHideDlg->m_bBusy;
    ::SendMessageA(g_pHideDlg->m_hWnd, WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    return candidates[0];
}

TEST_F(MonitorFixture, StartsDisconnectedWithTheTrayIconAdded)
{
    EXPECT_TRUE(m_pDlg->m_bTrayIconPresent);
    EXPECT_EQ(tray().icon, IDI_DISCONNECTED);
    EXPECT_EQ(tray().tip, kTipHead + "Disconnected");
    Tick();
    EXPECT_EQ(tray().icon, IDI_DISCONNECTED);
}

// The boundaries of RssiToPercent: above 70 % good, 41 to 70 % normal, 40 % or less weak.
TEST_F(MonitorFixture, TrayIconFollowsTheSignalAndTheLink)
{
    SilenceDriverSignal();
    ConnectOpen("Harbor Guest");
    const struct
    {
        int rssi;
        UINT icon;
        const char* tip;
    } cases[] = {
        {-61, IDI_SIGNAL_GOOD, "Status : Good (Harbor Guest)"},
        {-62, IDI_SIGNAL_NORMAL, "status : Normal (Harbor Guest)"},
        {-73, IDI_SIGNAL_NORMAL, "status : Normal (Harbor Guest)"},
        {-74, IDI_SIGNAL_WEAK, "Status : Weak (Harbor Guest)"},
        {-48, IDI_SIGNAL_GOOD, "Status : Good (Harbor Guest)"},
    };
    for (const auto& c : cases)
    {
        SetSignal("Harbor Guest", c.rssi);
        Tick();
        EXPECT_EQ(tray().icon, c.icon) << c.rssi;
        EXPECT_EQ(tray().tip, kTipHead + c.tip) << c.rssi;
    }
    ASSERT_EQ(machine::wlan::Disconnect(machine(), m_id), 0u);
    Tick();
    EXPECT_EQ(tray().icon, IDI_DISCONNECTED);
    EXPECT_EQ(tray().tip, kTipHead + "Disconnected");
}

TEST_F(MonitorFixture, TheStrongerOfTheServiceAndDriverSignalsCounts)
{
    ConnectOpen("Harbor Guest");
    SetSignal("Harbor Guest", -80); // 24 %
    machine::miniport::ChangeAdapterState(machine(), m_id,
                                          [](machine::miniport::AdapterState& a) {
                                              a.setU32(machine::miniport::kDriverSignalOffset, 35);
                                          });
    Tick();
    EXPECT_EQ(tray().icon, IDI_SIGNAL_GOOD);
}

TEST_F(MonitorFixture, WrongWepKeyShowsTheKeyErrorIconUntilTheLinkDrops)
{
    SilenceDriverSignal();
    std::uint32_t reason = 0;
    ASSERT_EQ(machine::wlan::SetProfile(
                  machine(), m_id,
                  wlan_test::ProfileXml("lantern", "Lantern WEP", "open", "WEP", "0123456789"),
                  false, true, reason),
              0u);
    machine::wlan::ConnectRequest request;
    request.profileName = "lantern";
    ASSERT_EQ(machine::wlan::Connect(machine(), m_id, request), 0u);
    platform::AdvanceClock(1000);
    for (int i = 0; i < 4 && tray().icon != IDI_WEP_ERROR; i++)
        Tick();
    EXPECT_EQ(tray().icon, IDI_WEP_ERROR);
    EXPECT_EQ(tray().tip, kTipHead + "Status : WEP Error");
    ASSERT_EQ(machine::wlan::Disconnect(machine(), m_id), 0u);
    Tick();
    EXPECT_EQ(tray().icon, IDI_DISCONNECTED);
    EXPECT_FALSE(g_bWepError);
}

// The tip takes at most the 32 bytes an SSID holds, whatever length the link record claims,
// and never more than the tip field.
TEST_F(MonitorFixture, TrayTipIsBoundedBySsidAndField)
{
    memset(&g_CurrentSsid, 0, sizeof(g_CurrentSsid));
    memset(g_CurrentSsid.Ssid, 'S', sizeof(g_CurrentSsid.Ssid));
    g_CurrentSsid.SsidLength = 4000;
    CString strTip = TrayTipForIcon(IDI_SIGNAL_NORMAL);
    EXPECT_EQ(std::string(strTip), kTipHead + "status : Normal (" + std::string(32, 'S') + ")");

    std::string longSsid(32, 'L');
    machine::radio::ChangeNetworks(machine(),
                                   [&](std::vector<machine::radio::Network>& list)
                                   {
                                       machine::radio::Network n = list.front();
                                       n.ssid = longSsid;
                                       n.bssid[5] = 0x77;
                                       n.rssi = -65;
                                       list.push_back(n);
                                       return true;
                                   });
    SilenceDriverSignal();
    ConnectOpen(longSsid);
    Tick();
    EXPECT_EQ(tray().icon, IDI_SIGNAL_NORMAL);
    EXPECT_EQ(tray().tip, kTipHead + "status : Normal (" + longSsid + ")");
}

// Timer ids are probed by killing them: KillTimer fails for a timer that is not there.
TEST_F(MonitorFixture, SuspendKillsWatchdogAndKeyCheckButNotTheRescan)
{
    for (BOOL bArmed : {FALSE, TRUE})
    {
        m_pDlg->m_bWepCheckArmed = bArmed;
        ::SetTimer(hwnd(), TIMER_WEP_CHECK, WEP_CHECK_PERIOD, NULL);
        ::SendMessageA(hwnd(), WM_RADIO_ON, 0, 0);
        ::SendMessageA(hwnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
        EXPECT_FALSE(::KillTimer(hwnd(), TIMER_WATCHDOG));
        EXPECT_FALSE(::KillTimer(hwnd(), TIMER_WEP_CHECK));
        EXPECT_TRUE(::KillTimer(hwnd(), TIMER_RESCAN));

        ::SendMessageA(hwnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
        EXPECT_TRUE(::KillTimer(hwnd(), TIMER_WATCHDOG)) << bArmed;
        EXPECT_EQ(::KillTimer(hwnd(), TIMER_WEP_CHECK), bArmed) << bArmed;
    }
}

TEST_F(MonitorFixture, RescanTimerFiresOnceWithAWatchdogTick)
{
    ::KillTimer(hwnd(), TIMER_WATCHDOG);
    platform::ClearTrayCallLog();
    ::SendMessageA(hwnd(), WM_RADIO_ON, 0, 0);
    platform::AdvanceClock(RESCAN_DELAY - 1);
    EXPECT_TRUE(platform::TrayCallLog().empty());
    platform::AdvanceClock(1);
    EXPECT_EQ(platform::TrayCallLog().size(), 1u);
    platform::AdvanceClock(5 * RESCAN_DELAY);
    EXPECT_EQ(platform::TrayCallLog().size(), 1u);
}

TEST_F(MonitorFixture, PrivateMessagesClearScanPendingAndDriverEventsTheKeyError)
{
    g_bScanPending = TRUE;
    ::SendMessageA(hwnd(), WM_SCAN_COMPLETE, 0, 0);
    EXPECT_FALSE(g_bScanPending);
    g_bScanPending = TRUE;
    ::SendMessageA(hwnd(), WM_SCAN_FAILED, 0, 0);
    EXPECT_FALSE(g_bScanPending);

    for (BOOL bFirstGen : {TRUE, FALSE})
    {
        g_bFirstGenChip = bFirstGen;
        g_bWepError = TRUE;
        ::SendMessageA(hwnd(), WM_DRIVER_EVENT, 0, 0);
        EXPECT_EQ(g_bWepError, bFirstGen);
    }
}

TEST_F(MonitorFixture, UnpluggedAdapterShowsNotExistAndReplugInitialisesAgain)
{
    std::string instance = instanceId();
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instance, false));
    Tick();
    EXPECT_FALSE(m_pDlg->m_bDeviceExist);
    EXPECT_EQ(tray().icon, IDI_NO_ADAPTER);
    EXPECT_EQ(tray().tip, kTipHead + "Not exist");
    Tick();
    EXPECT_EQ(tray().icon, IDI_NO_ADAPTER);

    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instance, true));
    clearRequests();
    Tick();
    EXPECT_TRUE(m_pDlg->m_bDeviceExist);
    EXPECT_EQ(tray().icon, IDI_DISCONNECTED);
    auto log = requests();
    EXPECT_EQ(countCode(log, machine::miniport::oid::OperationMode), 1u);
    EXPECT_GE(countCode(log, 0xFF0C0003), 1u); // the region check
    EXPECT_EQ(countCode(log, 0x0D810102), 1u); // the profile's SSID set
}

// A link query that keeps failing on the same adapter must not rescan and re-apply the
// profile every tick.
TEST_F(MonitorFixture, FailingLinkQueryDoesNotInitialiseTheSameAdapterAgain)
{
    machine::wlan::InjectCallFailure(machine(), "WlanQueryInterface", 31, -1);
    clearRequests();
    for (int i = 0; i < 3; i++)
        Tick();
    auto log = requests();
    EXPECT_EQ(countCode(log, 0x0D810102), 0u);
    EXPECT_EQ(countCode(log, machine::miniport::oid::OperationMode), 0u);
    EXPECT_TRUE(m_pDlg->m_bDeviceExist);
    EXPECT_EQ(tray().icon, IDI_DISCONNECTED);
}

TEST_F(MonitorFixture, RefusedModifyPutsTheIconBackInItsState)
{
    SilenceDriverSignal();
    ConnectOpen("Harbor Guest");
    SetSignal("Harbor Guest", -74);
    platform::InjectTrayRefusal(NIM_MODIFY, 1);
    Tick();
    EXPECT_TRUE(m_pDlg->m_bTrayIconPresent);
    EXPECT_EQ(tray().icon, IDI_SIGNAL_WEAK);
}

TEST_F(MonitorFixture, DoubleClickOpensTheSheetUnlessBusy)
{
    m_pDlg->m_bBusy = TRUE;
    ASSERT_TRUE(platform::ClickTrayIcon(hwnd(), TRAY_ICON_ID, platform::TrayClick::Double));
    platform::PumpUntilIdle();
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);

    m_pDlg->m_bBusy = FALSE;
    ASSERT_TRUE(platform::ClickTrayIcon(hwnd(), TRAY_ICON_ID, platform::TrayClick::Double));
    platform::PumpUntilIdle();
    ASSERT_TRUE(m_pDlg->IsSheetOpen());
    CVnPropSheet* pSheet = m_pDlg->m_pPropSheet;
    // A second request raises the open sheet.
    ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_LAUNCH, 0);
    EXPECT_EQ(m_pDlg->m_pPropSheet, pSheet);

    // The sheet ends 10 pixels below its OK button.
    CRect rcSheet;
    CRect rcOk;
    pSheet->GetWindowRect(&rcSheet);
    pSheet->GetDlgItem(IDOK)->GetWindowRect(&rcOk);
    EXPECT_EQ(rcSheet.bottom, rcOk.bottom + 10);
}

TEST_F(MonitorFixture, UnpluggedAdapterClosesTheSheet)
{
    m_pDlg->ShowPropSheet();
    ASSERT_TRUE(m_pDlg->IsSheetOpen());
    g_bSheetClosing = FALSE;
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instanceId(), false));
    Tick();
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_TRUE(g_bSheetClosing);
    EXPECT_EQ(tray().icon, IDI_NO_ADAPTER);
}

// The switch to access-point use is offered only with both programs beside the client, a chip
// of types 4 to 8 and the adapter present.
TEST_F(MonitorFixture, TrayMenuOffersTheSwitchOnlyWhenItCanWork)
{
    std::filesystem::path folder = m_machine.cDrive() / "Program Files" / "Tessaryn";
    const struct
    {
        bool hubDesk;
        bool vnSwap;
        int chipType;
        UINT items;
    } cases[] = {
        {true, true, 8, 3},  {true, true, 4, 3}, {false, true, 8, 2},
        {true, false, 8, 2}, {true, true, 2, 2},
    };
    for (const auto& c : cases)
    {
        std::filesystem::remove(folder / "HubDesk.exe");
        std::filesystem::remove(folder / "VnSwap.exe");
        if (c.hubDesk)
            std::ofstream(folder / "HubDesk.exe") << "stand-in";
        if (c.vnSwap)
            std::ofstream(folder / "VnSwap.exe") << "stand-in";
        g_nChipType = c.chipType;
        UINT nItems = 0;
        platform::SetIdleHook(
            [&]
            {
                std::vector<HWND> popups = platform::OpenPopupMenus();
                if (popups.empty())
                    return;
                nItems = GetMenuItemCount(platform::PopupMenuOf(popups.front()));
                platform::DismissPopupMenu(popups.front());
            });
        ASSERT_TRUE(platform::ClickTrayIcon(hwnd(), TRAY_ICON_ID, platform::TrayClick::Right));
        platform::PumpUntilIdle();
        platform::SetIdleHook(nullptr);
        EXPECT_EQ(nItems, c.items) << c.hubDesk << c.vnSwap << c.chipType;
    }
    g_nChipType = 8;
}

// The adapter choice may be a modal dialog: meanwhile a double-click on the icon does nothing.
TEST_F(MonitorFixture, DoubleClickDuringTheAdapterChoiceDoesNothing)
{
    PFN_CHOOSE_ADAPTER pfnOld = g_pfnChooseAdapter;
    g_pfnChooseAdapter = ChooseWhileDoubleClicking;
    g_nChoices = 0;
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instanceId(), false));
    Tick();
    ASSERT_EQ(tray().icon, IDI_NO_ADAPTER);
    // Two adapters when the watchdog looks again: the user chooses.
    machine::devices::InstallDevice(machine(), machine::devices::TessarynUsbAdapter(8, 1));
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instanceId(), true));
    Tick();
    g_pfnChooseAdapter = pfnOld;
    ASSERT_EQ(g_nChoices, 1);
    EXPECT_TRUE(g_bBusyDuringChoice);
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_FALSE(m_pDlg->m_bBusy);
}

TEST_F(MonitorFixture, RefreshPublishesTheScanListWithItsPhyTypes)
{
    platform::AdvanceClock(5000); // the start-up scan completes
    memset(g_anPhyType, 0, sizeof(g_anPhyType));
    m_pDlg->RefreshBssidList();
    DWORD nItems = 0;
    memcpy(&nItems, g_pBssidListCopy, sizeof nItems);
    ASSERT_GT(nItems, 0u);
    EXPECT_EQ(memcmp(g_pBssidListCopy, g_pBssidList, BSSID_LIST_BYTES), 0);
    for (DWORD i = 0; i < nItems; i++)
        EXPECT_NE(g_anPhyType[i], 0u) << i;
}

// Without an adapter the window still starts its watchdog and icon, and the watchdog finds the
// adapter when it arrives.
TEST(MonitorWithoutAdapter, WatchdogFindsAndInitialisesALateAdapter)
{
    testing_support::TempMachine tm;
    platform::UseManualClock(1000);
    platform::SetModuleName("TessarynUI");
    RegisterTessarynUIResources();
    for (const auto& device : machine::devices::ListDevices(tm.machine()))
        machine::devices::RemoveDevice(tm.machine(), device.instanceId);
    auto pDlg = std::make_unique<CHideDlg>();
    pDlg->m_bOpenSheetAtStart = FALSE;
    ASSERT_TRUE(pDlg->Create(IDD_HIDE_DIALOG));
    platform::PumpUntilIdle();
    EXPECT_FALSE(pDlg->m_bDeviceExist);
    EXPECT_TRUE(pDlg->m_bTrayIconPresent);
    platform::AdvanceClock(WATCHDOG_PERIOD);
    auto icon = machine::desktop::FindTrayIcon(tm.machine(), pDlg->m_hWnd, TRAY_ICON_ID);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->iconResource, IDI_NO_ADAPTER);

    std::string id = testing_support::EnsureDefaultAdapter(tm.machine());
    platform::AdvanceClock(WATCHDOG_PERIOD);
    EXPECT_TRUE(pDlg->m_bDeviceExist);
    icon = machine::desktop::FindTrayIcon(tm.machine(), pDlg->m_hWnd, TRAY_ICON_ID);
    EXPECT_EQ(icon->iconResource, IDI_DISCONNECTED);
    auto log = machine::miniport::ReadRequestLog(tm.machine(), id);
    EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                            [](const machine::miniport::LogEntry& e)
                            { return e.code == 0x0D810102; }));

    pDlg->DeleteTrayIcon();
    pDlg->DestroyWindow();
}

} // namespace
