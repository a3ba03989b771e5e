#include "client/core/HideDlg.h"

#include "resources/TessarynUI/resource.h"

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent) : CDialog(IDD_HIDE_DIALOG, pParent), m_bOpenSheetAtStart(TRUE) {}

BOOL CHideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText("Vantir Wireless UI");
    ShowWindow(SW_HIDE);
    OutputDebugStringA(m_bOpenSheetAtStart ? "monitor started\n"
                                           : "monitor started in the notification area\n");
    return TRUE;
}

void CHideDlg::OnTrayLaunch()
{
    OutputDebugStringA("ID_TRAY_LAUNCH\n");
}

void CHideDlg::OnTrayExit()
{
    EndDialog(IDCANCEL);
}
