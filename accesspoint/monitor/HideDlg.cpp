// The monitor window's start-up, its notification-area icon with the menu, and the opening of
// the sheet.

#include "accesspoint/monitor/HideDlg.h"

#include "accesspoint/access/DetectOsVersion.h"
#include "accesspoint/access/DiscoverAdapter.h"
#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/app/ProgramObjects.h"
#include "accesspoint/monitor/ApEventLog.h"
#include "accesspoint/monitor/SignalIcon.h"
#include "accesspoint/sheet/VnPropSheet.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/sheet/SheetButtons.h"
#include "adapter/shell/TrayIcon.h"
#include "adapter/system/Administrator.h"
#include "adapter/system/Wow64.h"
#include "resources/TessarynAp/resource.h"

#include <cstring>

namespace
{

const char kMonitorTitle[] = "Vantir Wireless UI";
const char kNotAdministrator[] = "Soft AP user's account must have 'Administrator' privilege.";

// Pixels between the sheet's OK button and its bottom edge.
const int kSheetMarginBelowOk = 10;

} // namespace

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
ON_COMMAND(ID_TRAY_SWITCH_STATION, OnSwitchToStation)
ON_COMMAND(ID_TRAY_EXIT, OnExit)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent)
    : CDialog(IDD_HIDE_DIALOG, pParent), m_bDeviceExist(FALSE), m_bOpenSheetAtStart(TRUE),
      m_bBusy(FALSE), m_bTrayIconAdded(FALSE), m_nTimerId(0), m_pPropSheet(NULL)
{
}

CHideDlg::~CHideDlg()
{
    // Every way out of the program, not only Exit, leaves no sheet behind.
    CloseSheet();
}

BOOL CHideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(kMonitorTitle);
    DetectOsVersion();
    g_bWow64 = IsWow64();

    if (!IsAdministrator())
    {
        MessageBox(kNotAdministrator, NULL, MB_OK);
        EndDialog(IDCANCEL);
        return TRUE;
    }

    m_bDeviceExist = DiscoverDevice();
    if (m_bDeviceExist)
        StartAccessPoint(m_bOpenSheetAtStart);

    AddTrayIcon();
    m_nTimerId = SetTimer(MONITOR_TIMER_ID, MONITOR_PERIOD, NULL);
    return TRUE;
}

BOOL CHideDlg::DiscoverDevice()
{
    BOOL bWasBusy = m_bBusy;
    m_bBusy = TRUE;
    BOOL bFound = DiscoverAdapter() ? TRUE : FALSE;
    m_bBusy = bWasBusy;
    return bFound;
}

// The window is never seen: whenever it would be painted, it hides again.
void CHideDlg::OnPaint()
{
    PAINTSTRUCT ps;
    BeginPaint(m_hWnd, &ps);
    EndPaint(m_hWnd, &ps);
    ShowWindow(SW_HIDE);
}

void CHideDlg::OnDestroy()
{
    CDialog::OnDestroy();
    // Queued retries would reach for the adapter after the program's end.
    ClearRetryQueue();
}

// The record of every icon state. The callback message travels with every change, so that an
// icon put back after the shell forgot it still answers clicks.
void CHideDlg::FillTrayIconData(NOTIFYICONDATA& nid, UINT nIconId)
{
    CString strTip;
    strTip.LoadString(TrayTipForIcon(nIconId));
    FillTrayIconRecord(nid, m_hWnd, TRAY_ICON_ID, WM_TRAY_NOTIFY, theApp.LoadIcon(nIconId), strTip);
}

BOOL CHideDlg::AddTrayIcon()
{
    NOTIFYICONDATA nid;
    FillTrayIconData(nid, IDI_DISCONNECTED);
    return AddTrayIconRecord(nid, &m_bTrayIconAdded);
}

BOOL CHideDlg::DeleteTrayIcon()
{
    return DeleteTrayIconOf(m_hWnd, TRAY_ICON_ID, &m_bTrayIconAdded);
}

void CHideDlg::SetTrayIcon(UINT nIconId)
{
    NOTIFYICONDATA nid;
    FillTrayIconData(nid, nIconId);
    ModifyTrayIconRecord(nid, &m_bTrayIconAdded);
    if (IsSheetOpen())
        m_pPropSheet->SetIcon(nid.hIcon, FALSE);
}

LRESULT CHideDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bBusy && message == WM_TRAY_NOTIFY)
    {
        if (lParam == WM_LBUTTONDBLCLK)
        {
            if (m_bDeviceExist && IsSelDeviceExist())
                OpenConfigSheet();
        }
        else if (lParam == WM_RBUTTONDOWN)
            ShowTrayMenu();
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}

void CHideDlg::ShowTrayMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_TRAY_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    SetForegroundWindow();
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
    menu.DestroyMenu();
}

void CHideDlg::OnTrayLaunch()
{
    if (!m_bBusy && m_bDeviceExist && IsSelDeviceExist())
        OpenConfigSheet();
}

BOOL CHideDlg::IsSheetOpen() const
{
    return m_pPropSheet != NULL && m_pPropSheet->m_hWnd != 0 && ::IsWindow(m_pPropSheet->m_hWnd);
}

void CHideDlg::CloseSheet()
{
    if (m_pPropSheet == NULL)
        return;
    if (IsSheetOpen())
        m_pPropSheet->DestroyWindow();
    delete m_pPropSheet;
    m_pPropSheet = NULL;
}

void CHideDlg::OpenConfigSheet()
{
    if (m_bBusy)
        return;
    if (!m_bDeviceExist)
    {
        m_bBusy = TRUE;
        CString strText;
        strText.LoadString(IDS_NOT_READY);
        MessageBox(strText, NULL, MB_ICONSTOP);
        m_bBusy = FALSE;
        return;
    }
    if (IsSheetOpen())
    {
        m_pPropSheet->SetForegroundWindow();
        return;
    }

    // A new sheet's Event Log page lists every stored event again.
    g_nEventLogShown = 0;
    if (m_pPropSheet != NULL)
    {
        delete m_pPropSheet;
        m_pPropSheet = NULL;
    }
    CVnPropSheet* pSheet = new CVnPropSheet(IDS_SHEET_CAPTION, this, 0);
    if (!pSheet->Create(this))
    {
        delete pSheet;
        return;
    }
    m_pPropSheet = pSheet;
    FitSheetBelowOk(*pSheet, kSheetMarginBelowOk);
    pSheet->SetForegroundWindow();
}
