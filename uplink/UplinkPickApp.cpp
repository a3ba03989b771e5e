#include "uplink/UplinkPickApp.h"

#include "uplink/ConnectionSharing.h"
#include "uplink/UplinkPickDlg.h"

#include <cstring>

CUplinkPickApp::CUplinkPickApp() {}

BOOL CUplinkPickApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CUplinkPickDlg dlg;
    m_pMainWnd = &dlg;
    if (std::strcmp(m_lpCmdLine, "ICS_DOWN") == 0)
    {
        DisableAllConnectionSharing();
        return FALSE;
    }
    dlg.DoModal();
    // The dialog has ended: no message pump to run.
    return FALSE;
}
