// The monitor window's life after start-up: the watchdog timers, the notification-area icon
// and its menus, the private messages of the WLAN and driver event threads, and power events.

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/shell/TrayIcon.h"
#include "client/access/AdapterState.h"
#include "client/access/PrivateMessages.h"
#include "client/access/ScanList.h"
#include "client/app/ProgramObjects.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/sheet/VnPropSheet.h"
#include "resources/TessarynUI/resource.h"

#include <cstring>

namespace
{

#ifndef PBT_APMSUSPEND
#define PBT_APMSUSPEND 0x0004
#endif
#ifndef PBT_APMRESUMESUSPEND
#define PBT_APMRESUMESUSPEND 0x0007
#endif

#define OID_DRIVER_RSSI 0xFF0C0010

// Lower than any signal the client or the driver reports: an unread signal counts as none.
#define RSSI_UNKNOWN (-128)

BOOL CanOpenForReading(const CString& strPath)
{
    HANDLE hFile = CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, 0);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(hFile);
    return TRUE;
}

CString ProgramFolder()
{
    char szModule[MAX_PATH] = {0};
    GetModuleFileNameA(0, szModule, MAX_PATH);
    CString strFolder = szModule;
    int nSlash = strFolder.ReverseFind('\\');
    return nSlash >= 0 ? strFolder.Left(nSlash + 1) : CString();
}

// Pages get their window when first shown: a page without one has nothing to tell.
void PostToPage(const CWnd& page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (page.m_hWnd != 0)
        ::PostMessageA(page.m_hWnd, message, wParam, lParam);
}

} // namespace

CString TrayTipForIcon(UINT nIconId)
{
    UINT nTipId = IDS_TIP_DISCONNECTED;
    switch (nIconId)
    {
    case IDI_SIGNAL_GOOD:
        nTipId = IDS_TIP_GOOD;
        break;
    case IDI_SIGNAL_NORMAL:
        nTipId = IDS_TIP_NORMAL;
        break;
    case IDI_SIGNAL_WEAK:
        nTipId = IDS_TIP_WEAK;
        break;
    case IDI_WEP_ERROR:
        nTipId = IDS_TIP_WEP_ERROR;
        break;
    case IDI_NO_ADAPTER:
        nTipId = IDS_TIP_NOT_EXIST;
        break;
    default:
        break;
    }
    CString strFormat;
    strFormat.LoadString(nTipId);
    if (strFormat.Find("%s") < 0)
        return strFormat;
    // The SSID's length comes from the link: never more than the 32 bytes it can hold.
    char szSsid[33] = {0};
    ULONG nLength = g_CurrentSsid.SsidLength < 32 ? g_CurrentSsid.SsidLength : 32;
    memcpy(szSsid, g_CurrentSsid.Ssid, nLength);
    CString strTip;
    strTip.Format(strFormat, szSsid);
    return strTip;
}

LRESULT CHideDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_POWERBROADCAST)
    {
        if (wParam == PBT_APMSUSPEND)
        {
            // Timer 3 (the rescan after the radio came on) is left to run.
            KillAllTimers();
        }
        else if (wParam == PBT_APMRESUMESUSPEND)
        {
            SetTimer(TIMER_WATCHDOG, WATCHDOG_PERIOD, NULL);
            if (m_bWepCheckArmed)
                SetTimer(TIMER_WEP_CHECK, WEP_CHECK_PERIOD, NULL);
        }
    }
    if (!m_bBusy && message == WM_TRAY_NOTIFY)
    {
        if (lParam == WM_LBUTTONDBLCLK)
            OpenSheetFromTray();
        else if (lParam == WM_RBUTTONDOWN)
            ShowTrayMenu();
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}

void CHideDlg::OpenSheetFromTray()
{
    if (m_bDeviceExist && IsSelDeviceExist())
        ShowPropSheet();
}

void CHideDlg::OnTrayLaunch()
{
    OutputDebugStringA("ID_TRAY_LAUNCH\n");
    if (!m_bBusy)
        OpenSheetFromTray();
}

void CHideDlg::ShowTrayMenu()
{
    CString strFolder = ProgramFolder();
    UINT nMenuId = IDR_TRAY_MENU;
    if (CanOpenForReading(strFolder + "HubDesk.exe") &&
        CanOpenForReading(strFolder + "VnSwap.exe") && g_nChipType >= 4 && g_nChipType <= 8 &&
        m_bDeviceExist)
        nMenuId = IDR_TRAY_MENU_AP;

    CMenu menu;
    if (!menu.LoadMenu(nMenuId))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    SetForegroundWindow();
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
}

void CHideDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_bBusy)
        return;

    if (nIDEvent == TIMER_RESCAN)
    {
        KillTimer(m_nRescanTimerId);
        PostRescan();
    }

    if (!CheckAdapterPresent())
        return;
    ResetSecurityGlobals();
    BOOL bLinked = FALSE;
    if (!ReadLink(&bLinked))
        return;
    UpdateLinkIcon(bLinked);

    g_nConfigOwner = 2;
    if (IsSheetOpen())
        m_pPropSheet->RemoveHtPageIfUnsupported();
    CDialog::OnTimer(nIDEvent);
}

BOOL CHideDlg::CheckAdapterPresent()
{
    if (m_bDeviceExist && IsSelDeviceExist())
        return TRUE;
    // The adapter went away: nothing may keep using it.
    KillTimer(TIMER_WATCHDOG);
    if (m_bWepCheckArmed)
        KillTimer(TIMER_WEP_CHECK);
    CloseSheet();
    g_strDriverKey.Empty();
    m_bDeviceExist = DiscoverDevice();
    SetTimer(TIMER_WATCHDOG, WATCHDOG_PERIOD, NULL);
    if (!m_bDeviceExist)
    {
        ModifyTaskBar(IDI_NO_ADAPTER);
        g_bUsbAdapter = FALSE;
        return FALSE;
    }
    ModifyTaskBar(IDI_DISCONNECTED);
    InitCard(FALSE);
    return TRUE;
}

void CHideDlg::ResetSecurityGlobals()
{
    if (g_nConfigOwner == 2)
    {
        g_bAllowSecuredConnect = TRUE;
        g_nWpaSupport = 6;
    }
}

BOOL CHideDlg::ReadLink(BOOL* pbLinked)
{
    BOOL bConnected = FALSE;
    BOOL bQueried = m_WifiClient.IsInterfaceConnected(&bConnected) == ERROR_SUCCESS;
    if (!bQueried)
    {
        RediscoverAfterLinkQueryFailure();
        if (!m_bDeviceExist)
        {
            ModifyTaskBar(IDI_NO_ADAPTER);
            return FALSE;
        }
    }

    memset(g_CurrentBssid, 0, sizeof(g_CurrentBssid));
    memset(&g_CurrentSsid, 0, sizeof(g_CurrentSsid));
    if (bQueried)
    {
        m_WifiClient.GetCurrentBssid(g_CurrentBssid);
        m_WifiClient.GetCurrentSsid(&g_CurrentSsid);
    }
    *pbLinked = bQueried && bConnected && !IsZeroMac(g_CurrentBssid);
    return TRUE;
}

void CHideDlg::UpdateLinkIcon(BOOL bLinked)
{
    if (!bLinked)
    {
        g_bWepError = FALSE;
        KillTimer(TIMER_WEP_CHECK);
        if (m_bWepCheckArmed)
            SetTimer(TIMER_WEP_CHECK, WEP_CHECK_PERIOD, NULL);
        ModifyTaskBar(IDI_DISCONNECTED);
        return;
    }
    ModifyTaskBar(ChooseLinkIcon());
    // A wrong WEP key shows from the next tick on.
    BOOL bChanged = FALSE;
    if (m_WifiClient.CheckWepIcvErrors(&bChanged) == ERROR_SUCCESS)
        g_bWepError = bChanged ? TRUE : FALSE;
}

UINT CHideDlg::ChooseLinkIcon()
{
    // The stronger of the WLAN service's signal and the driver's.
    LONG lSignal = RSSI_UNKNOWN;
    m_WifiClient.GetRssi(&lSignal);
    LONG lDriverRssi = 0;
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_DRIVER_RSSI, &lDriverRssi, sizeof(lDriverRssi), &dwReturned) &&
        lDriverRssi > lSignal)
        lSignal = lDriverRssi;
    int nPercent = RssiToPercent(lSignal);
    if (g_bWepError)
        return IDI_WEP_ERROR;
    if (nPercent > 70)
        return IDI_SIGNAL_GOOD;
    if (nPercent > 40)
        return IDI_SIGNAL_NORMAL;
    return IDI_SIGNAL_WEAK;
}

void CHideDlg::RediscoverAfterLinkQueryFailure()
{
    // Rediscovering the same adapter and initialising it again every tick would rescan and
    // re-apply the profile every two seconds; only a different adapter needs it.
    CString strOldPath = g_strDevicePath;
    CString strOldInstance = g_strNetCfgInstanceId;
    g_strDriverKey.Empty();
    m_bDeviceExist = DiscoverDevice();
    if (!m_bDeviceExist)
        return;
    if (g_strDevicePath.CompareNoCase(strOldPath) != 0 ||
        g_strNetCfgInstanceId.CompareNoCase(strOldInstance) != 0)
    {
        ModifyTaskBar(IDI_DISCONNECTED);
        InitCard(FALSE);
    }
}

// The tip is cut to the tip field, since an SSID of 32 bytes makes the longest tip longer than
// some fields.
void CHideDlg::FillTrayIconData(NOTIFYICONDATA& nid, UINT nIconId)
{
    FillTrayIconRecord(nid, m_hWnd, TRAY_ICON_ID, WM_TRAY_NOTIFY, theApp.LoadIcon(nIconId),
                       TrayTipForIcon(nIconId));
}

BOOL CHideDlg::AddTrayIcon()
{
    NOTIFYICONDATA nid;
    FillTrayIconData(nid, IDI_DISCONNECTED);
    return AddTrayIconRecord(nid, &m_bTrayIconPresent);
}

BOOL CHideDlg::DeleteTrayIcon()
{
    return DeleteTrayIconOf(m_hWnd, TRAY_ICON_ID, &m_bTrayIconPresent);
}

void CHideDlg::ModifyTaskBar(UINT nIconId)
{
    NOTIFYICONDATA nid;
    FillTrayIconData(nid, nIconId);
    ModifyTrayIconRecord(nid, &m_bTrayIconPresent);
    if (IsSheetOpen())
        m_pPropSheet->SetIcon(nid.hIcon, FALSE);
}

void CHideDlg::RefreshBssidList()
{
    if (g_pBssidList == NULL || g_pBssidListCopy == NULL)
        return;
    DWORD anPhyType[BSSID_LIST_MAX_ENTRIES] = {0};
    m_WifiClient.BuildBssidList(anPhyType);
    DWORD nItems = 0;
    memcpy(&nItems, g_pBssidList, sizeof(nItems));
    if (nItems > BSSID_LIST_MAX_ENTRIES)
        nItems = BSSID_LIST_MAX_ENTRIES;
    memcpy(g_anPhyType, anPhyType, nItems * sizeof(DWORD));
    memcpy(g_pBssidListCopy, g_pBssidList, BSSID_LIST_BYTES);
}

void CHideDlg::KillAllTimers()
{
    KillTimer(0);
    KillTimer(TIMER_WATCHDOG);
    KillTimer(TIMER_WEP_CHECK);
}

void CHideDlg::PostRescan()
{
    if (IsSheetOpen())
        PostToPage(m_pPropSheet->m_SiteSurvPage, WM_COMMAND, IDC_SITE_RESCAN, 0);
}

LRESULT CHideDlg::OnWlanConnected(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CHideDlg::OnWlanRoamed(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CHideDlg::OnWlanInterfaceArrival(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CHideDlg::OnScanComplete(WPARAM, LPARAM)
{
    g_bScanPending = FALSE;
    if (IsSheetOpen())
        PostToPage(m_pPropSheet->m_SiteSurvPage, WM_SCAN_COMPLETE, 0, 0);
    return 0;
}

LRESULT CHideDlg::OnWlanDisconnected(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CHideDlg::OnScanFailed(WPARAM, LPARAM)
{
    g_bScanPending = FALSE;
    return 0;
}

LRESULT CHideDlg::OnProfileEditState(WPARAM wParam, LPARAM lParam)
{
    if (IsSheetOpen())
        PostToPage(m_pPropSheet->m_ProfilePage, WM_PROFILE_EDIT_STATE, wParam, lParam);
    return 0;
}

LRESULT CHideDlg::OnRadioOn(WPARAM, LPARAM)
{
    m_nRescanTimerId = SetTimer(TIMER_RESCAN, RESCAN_DELAY, NULL);
    return 0;
}

LRESULT CHideDlg::OnRadioOff(WPARAM, LPARAM)
{
    if (IsSheetOpen())
        PostToPage(m_pPropSheet->m_SiteSurvPage, WM_SCAN_COMPLETE, 0, 0);
    return 0;
}

LRESULT CHideDlg::OnDriverEvent(WPARAM, LPARAM)
{
    if (!g_bFirstGenChip)
        g_bWepError = FALSE;
    return 0;
}
