#include "client/core/HideDlg.h"

#include "client/core/AdapterDiscovery.h"
#include "client/core/AdapterState.h"
#include "client/core/OsVersion.h"
#include "resources/TessarynUI/resource.h"

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
ON_WM_PAINT()
ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent)
    : CDialog(IDD_HIDE_DIALOG, pParent), m_bDeviceExist(FALSE), m_bOpenSheetAtStart(TRUE)
{
}

BOOL CHideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText("Vantir Wireless UI");
    OutputDebugStringA(m_bOpenSheetAtStart ? "monitor started\n"
                                           : "monitor started in the notification area\n");

    DetectOsVersion();
    m_bDeviceExist = DiscoverAdapter();
    CString strAdapter;
    if (m_bDeviceExist)
        strAdapter.Format("adapter %s (chip type %d)\n", (LPCSTR)g_strDevicePath, g_nChipType);
    else
        strAdapter = "no adapter\n";
    OutputDebugStringA(strAdapter);
    return TRUE;
}

// The window is never seen: whenever it would be painted, it hides again.
void CHideDlg::OnPaint()
{
    PAINTSTRUCT ps;
    BeginPaint(m_hWnd, &ps);
    EndPaint(m_hWnd, &ps);
    ShowWindow(SW_HIDE);
}

void CHideDlg::OnTrayLaunch()
{
    OutputDebugStringA("ID_TRAY_LAUNCH\n");
}

void CHideDlg::OnTrayExit()
{
    EndDialog(IDCANCEL);
}
