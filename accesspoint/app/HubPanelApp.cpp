#include "accesspoint/app/HubPanelApp.h"

#include "accesspoint/monitor/HideDlg.h"
#include "adapter/system/SingleInstance.h"
#include "platform/system/Crt.h"

namespace
{

// The language whose help file is the Chinese one.
const LANGID kLangChineseTraditional = 1028;

} // namespace

CHubPanelApp::CHubPanelApp() : m_hMutex(0) {}

BOOL CHubPanelApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    // Another instance (or the wireless client) runs: it is asked to open its window.
    m_hMutex = ClaimSingleInstance();
    if (m_hMutex == 0)
        return FALSE;

    BuildHelpFilePath();

    CHideDlg dlg;
    if (IsTrayOnlyCommandTail(m_lpCmdLine))
        dlg.m_bOpenSheetAtStart = FALSE;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;
    return FALSE;
}

int CHubPanelApp::ExitInstance()
{
    ReleaseSingleInstance(m_hMutex);
    return CWinApp::ExitInstance();
}

void CHubPanelApp::BuildHelpFilePath()
{
    CString strHelpFile = m_pszHelpFilePath != NULL ? m_pszHelpFilePath : "";
    int nSlash = strHelpFile.ReverseFind('\\');
    strHelpFile = nSlash >= 0 ? strHelpFile.Left(nSlash + 1) : CString();
    strHelpFile += "HubPanel.HLP";
    if (GetSystemDefaultLangID() == kLangChineseTraditional)
        strHelpFile.Replace(".HLP", "CHN.HLP");
    else
        strHelpFile.Replace(".HLP", "ENG.HLP");
    free(const_cast<char*>(m_pszHelpFilePath));
    m_pszHelpFilePath = _strdup(strHelpFile);
}
