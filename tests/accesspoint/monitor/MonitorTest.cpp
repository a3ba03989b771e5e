// The monitor window after start-up: the signal in the icon, the station events, the watchdog,
// the sheet and the 11n page.

#include "accesspoint/app/ProgramObjects.h"
#include "tests/accesspoint/monitor/MonitorFixture.h"

#include <cstring>

namespace
{

using ap_test::MonitorFixture;
using ap_test::TrayState;
using testing_support::le32;

const std::string kTipHead = "Tessaryn Wireless LAN Card\n";
const std::vector<std::string> kPages = {"Config",    "Access Control", "Mac Table",
                                         "Event Log", "Statistics",     "About"};

TEST_F(MonitorFixture, StartsWithTheDisconnectedIconAndTheAccessPointRunning)
{
    EXPECT_TRUE(m_pDlg->m_bDeviceExist);
    EXPECT_TRUE(m_pDlg->m_bTrayIconAdded);
    EXPECT_EQ(tray(), (TrayState{IDI_DISCONNECTED, kTipHead + "Disconnected"}));
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_TRUE(machine::miniport::LoadAdapterState(machine(), m_id).apStarted ||
                !sent(0x0D810102).empty());
}

TEST_F(MonitorFixture, SignalPicksTheIconAtItsBoundaries)
{
    const struct
    {
        int rssi;
        UINT icon;
        const char* tip;
    } cases[] = {
        {-40, IDI_SIGNAL_GOOD, "Status : Good"},     {-54, IDI_SIGNAL_GOOD, "Status : Good"},
        {-55, IDI_SIGNAL_NORMAL, "Status : Normal"}, {-60, IDI_SIGNAL_NORMAL, "Status : Normal"},
        {-69, IDI_SIGNAL_NORMAL, "Status : Normal"}, {-70, IDI_SIGNAL_WEAK, "Status : Weak"},
        {-75, IDI_SIGNAL_WEAK, "Status : Weak"},     {-81, IDI_SIGNAL_WEAK, "Status : Weak"},
        {-90, IDI_SIGNAL_WEAK, "Status : Weak"},     {-30, IDI_SIGNAL_GOOD, "Status : Good"},
    };
    for (const auto& c : cases)
    {
        pinSignal(c.rssi);
        Tick();
        EXPECT_EQ(tray(), (TrayState{c.icon, kTipHead + c.tip})) << c.rssi;
    }
    // A signal the driver does not give leaves the icon as it is.
    pinSignal(-90);
    failRequests(0x0D010206);
    Tick();
    EXPECT_EQ(tray().icon, IDI_SIGNAL_GOOD);
}

TEST_F(MonitorFixture, EventStoreKeepsTheNewestHundred)
{
    const struct
    {
        int stored;
        int shown;
        int shownAfter;
    } cases[] = {{95, 3, 0}, {95, 50, 45}, {100, 100, 90}, {0, 0, 0}};
    for (const auto& c : cases)
    {
        g_ApEventLog.RemoveAll();
        for (int i = 0; i < c.stored; i++)
        {
            ApEventRecord r;
            memset(&r, 0, sizeof(r));
            r.wEvent = static_cast<WORD>(1000 + i);
            g_ApEventLog.Add(r);
        }
        g_nEventLogShown = c.shown;
        machine::miniport::ChangeAdapterState(machine(), m_id,
                                              [](machine::miniport::AdapterState& s)
                                              {
                                                  for (int i = 0; i < 10; i++)
                                                      machine::miniport::QueueApEvent(
                                                          s, 0x01D0000000000000ull + i,
                                                          std::string("\x02\0\0\0\0", 5) +
                                                              static_cast<char>(i),
                                                          static_cast<std::uint16_t>(i));
                                              });
        Tick();
        int expectedSize = c.stored + 10 > 100 ? 100 : c.stored + 10;
        ASSERT_EQ(g_ApEventLog.GetSize(), expectedSize) << c.stored;
        EXPECT_EQ(g_nEventLogShown, c.shownAfter) << c.stored;
        // Oldest first: the newest ten last, in the driver's order.
        EXPECT_EQ(g_ApEventLog[expectedSize - 1].wEvent, 9);
        EXPECT_EQ(g_ApEventLog[expectedSize - 10].abMac[5], 0);
        if (c.stored == 95)
        {
            EXPECT_EQ(g_ApEventLog[0].wEvent, 1005);
        }
    }
}

// The driver's count is believed only as far as its answer holds records.
TEST_F(MonitorFixture, EventCountBeyondTheAnswerIsBounded)
{
    std::string answer = le32(50) + le32(0);
    for (int i = 0; i < 10; i++)
        answer += std::string(14, static_cast<char>(i)) + static_cast<char>(i) + '\0';
    setDriverValue(0x0D71010A, answer);
    Tick();
    ASSERT_EQ(g_ApEventLog.GetSize(), 10);
    EXPECT_EQ(g_ApEventLog[9].wEvent, 9);

    g_ApEventLog.RemoveAll();
    machine::miniport::InjectShortAnswer(machine(), m_id, 0x0D71010A, 40);
    Tick();
    ASSERT_EQ(g_ApEventLog.GetSize(), 2);
    EXPECT_EQ(g_ApEventLog[1].wEvent, 1);
}

TEST_F(MonitorFixture, LostAdapterShowsNotExistClosesTheSheetAndItsReturnRestarts)
{
    m_pDlg->OpenConfigSheet();
    ASSERT_TRUE(m_pDlg->IsSheetOpen());
    std::string instance = instanceId();
    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instance, false));
    Tick();
    EXPECT_FALSE(m_pDlg->m_bDeviceExist);
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_EQ(FindWindowA(NULL, "Tessaryn Wireless Utility"), 0u);
    EXPECT_EQ(tray(), (TrayState{IDI_NO_ADAPTER, kTipHead + "Not Exist"}));
    Tick();
    EXPECT_EQ(tray().icon, IDI_NO_ADAPTER);

    ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instance, true));
    clearRequests();
    Tick();
    EXPECT_TRUE(m_pDlg->m_bDeviceExist);
    EXPECT_EQ(sent(0x0D810102).size(), 1u); // the settings pushed again
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    pinSignal(-40);
    Tick();
    EXPECT_EQ(tray().icon, IDI_SIGNAL_GOOD);
}

TEST_F(MonitorFixture, SheetShowsItsPagesAndIsPlacedBelowItsOkButton)
{
    for (BOOL bWds : {FALSE, TRUE})
    {
        g_bUsbAdapter = FALSE;
        g_bWdsAllowed = bWds;
        g_nEventLogShown = 7;
        ASSERT_TRUE(platform::ClickTrayIcon(hwnd(), TRAY_ICON_ID, platform::TrayClick::Double));
        platform::PumpUntilIdle();
        ASSERT_TRUE(m_pDlg->IsSheetOpen());
        EXPECT_EQ(tabs(), kPages) << bWds;
        EXPECT_EQ(g_nEventLogShown, 0);
        CVnPropSheet* pSheet = m_pDlg->m_pPropSheet;
        EXPECT_EQ(pSheet->GetActiveIndex(), 0);

        // A second Launch raises the open sheet.
        ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_LAUNCH, 0);
        EXPECT_EQ(m_pDlg->m_pPropSheet, pSheet);

        CRect rcSheet;
        CRect rcOk;
        pSheet->GetWindowRect(&rcSheet);
        pSheet->GetDlgItem(IDOK)->GetWindowRect(&rcOk);
        EXPECT_EQ(rcSheet.bottom, rcOk.bottom + 10);
        EXPECT_TRUE(::IsWindowVisible(pSheet->GetDlgItem(IDOK)->m_hWnd));
        EXPECT_TRUE(::IsWindowVisible(pSheet->GetDlgItem(IDHELP)->m_hWnd));

        // Help is asked of the help viewer, with the program's help file.
        theApp.BuildHelpFilePath();
        machine::programs::ClearProgramLog(machine());
        pSheet->SendMessage(WM_COMMAND, IDHELP, 0);
        std::vector<std::string> log = machine::programs::ReadProgramLog(machine());
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].rfind("WinHelp [", 0), 0u) << log[0];
        EXPECT_NE(log[0].find("HubPanelENG.HLP"), std::string::npos) << log[0];

        // OK closes it; the next Launch makes a new one.
        pSheet->SendMessage(WM_COMMAND, IDOK, 0);
        platform::PumpUntilIdle();
        EXPECT_FALSE(m_pDlg->IsSheetOpen());
    }
}

TEST_F(MonitorFixture, ElevenNPageFollowsCheckBuild)
{
    m_pDlg->OpenConfigSheet();
    ASSERT_TRUE(m_pDlg->IsSheetOpen());
    machine::registry::DeleteValue(machine(), m_driverKey, "bCheckBuild");
    Tick();
    EXPECT_EQ(textOf(m_driverKey, "bCheckBuild"), "0");
    EXPECT_EQ(tabs(), kPages);

    std::vector<std::string> withHt = kPages;
    withHt.push_back("11n Setting");
    setText(m_driverKey, "bCheckBuild", "1");
    Tick();
    EXPECT_EQ(tabs(), withHt);
    Tick();
    EXPECT_EQ(tabs(), withHt);
    setText(m_driverKey, "bCheckBuild", "0");
    Tick();
    EXPECT_EQ(tabs(), kPages);

    // Not on a chip without 802.11n.
    g_bHtSupported = FALSE;
    setText(m_driverKey, "bCheckBuild", "1");
    Tick();
    EXPECT_EQ(tabs(), kPages);
}

TEST_F(MonitorFixture, ExitLeavesTheAccessPointRunning)
{
    m_pDlg->OpenConfigSheet();
    m_hMonitor = hwnd();
    clearRequests();
    ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_EXIT, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_FALSE(m_pDlg->m_bTrayIconAdded);
    EXPECT_EQ(tray(), TrayState{});
    platform::AdvanceClock(3 * MONITOR_PERIOD);
    EXPECT_TRUE(requests().empty());
}

TEST_F(MonitorFixture, SwitchToStationModeHandsTheAdapterBack)
{
    // What the client saved before it switched; "OpMode" there is overwritten afterwards.
    setText(m_driverKey + "\\Default", "SSID", "Station");
    setText(m_driverKey + "\\Default", "OpMode", "1");
    setText(m_driverKey, "Extra", "kept");
    m_pDlg->OpenConfigSheet();
    m_hMonitor = hwnd();
    machine::programs::ClearProgramLog(machine());
    clearRequests();

    ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_SWITCH_STATION, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_EQ(tray(), TrayState{});
    EXPECT_EQ(textOf(m_driverKey, "SSID"), "Station");
    EXPECT_EQ(textOf(m_driverKey, "OpMode"), "0");
    EXPECT_EQ(textOf(m_driverKey, "Extra"), "kept");
    EXPECT_EQ(sent(0x0DF10126), std::vector<std::string>{le32(0)});
    // The mode switch's own start of the client follows it.
    std::vector<std::string> starts = programStarts();
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts[0],
              "WinExec [\"VnSwap.exe\" OFF TessarynUI TessarynAp \"Tessaryn Wireless\"] show=6");
    // The timer is gone with the window's work.
    clearRequests();
    platform::AdvanceClock(3 * MONITOR_PERIOD);
    EXPECT_TRUE(requests().empty());
}

TEST_F(MonitorFixture, TrayWaitsWhileBusy)
{
    machine::programs::ClearProgramLog(machine());
    m_pDlg->m_bBusy = TRUE;
    ASSERT_TRUE(platform::ClickTrayIcon(hwnd(), TRAY_ICON_ID, platform::TrayClick::Double));
    ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_LAUNCH, 0);
    ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_SWITCH_STATION, 0);
    ::SendMessageA(hwnd(), WM_COMMAND, ID_TRAY_EXIT, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
    EXPECT_TRUE(m_pDlg->m_bTrayIconAdded);
    EXPECT_TRUE(programStarts().empty());
    m_pDlg->m_bBusy = FALSE;
}

TEST_F(MonitorFixture, TrayMenuCarriesItsThreeCommands)
{
    std::vector<std::string> texts;
    platform::SetIdleHook(
        [&]
        {
            std::vector<HWND> popups = platform::OpenPopupMenus();
            if (popups.empty())
                return;
            HMENU hMenu = platform::PopupMenuOf(popups.front());
            for (int i = 0; i < GetMenuItemCount(hMenu); i++)
            {
                char szText[64] = {0};
                GetMenuStringA(hMenu, static_cast<UINT>(i), szText, sizeof(szText), MF_BYPOSITION);
                texts.push_back(szText);
            }
            platform::DismissPopupMenu(popups.front());
        });
    ASSERT_TRUE(platform::ClickTrayIcon(hwnd(), TRAY_ICON_ID, platform::TrayClick::Right));
    platform::PumpUntilIdle();
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(texts, (std::vector<std::string>{"Lanuch Config Utilities ", "Switch to Station Mode",
                                               "Exit"}));
}

} // namespace
