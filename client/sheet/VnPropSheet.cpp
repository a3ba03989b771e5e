#include "client/sheet/VnPropSheet.h"

#include "adapter/sheet/SheetButtons.h"
#include "client/access/AdapterState.h"
#include "client/app/ProgramObjects.h"
#include "client/monitor/ClientGlobals.h"

IMPLEMENT_DYNAMIC(CVnPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CVnPropSheet, CPropertySheet)
ON_WM_HELPINFO()
ON_COMMAND(IDHELP, OnHelp)
ON_COMMAND(IDOK, OnOK)
END_MESSAGE_MAP()

CVnPropSheet::CVnPropSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    AddSheetPages();
}

CVnPropSheet::CVnPropSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    AddSheetPages();
}

CVnPropSheet::~CVnPropSheet() {}

void CVnPropSheet::AddSheetPages()
{
    m_psh.dwFlags |= PSH_MODELESS | PSH_USEHICON;
    // The disconnected state's icon, until the monitor window shows the link's.
    m_psh.hIcon = AfxGetApp()->LoadIcon(IDI_DISCONNECTED);
    AddPage(&m_ProfilePage);
    AddPage(&m_LinkStatusPage);
    AddPage(&m_SiteSurvPage);
    AddPage(&m_StatisticPage);
    AddPage(&m_AboutPage);
}

BOOL CVnPropSheet::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();

    // OK takes Apply's place: the sheet has nothing to apply, OK only closes it.
    ShowOkInPlaceOf(*this, ID_APPLY_NOW);
    SetActivePage(&m_SiteSurvPage);
    return bResult;
}

BOOL CVnPropSheet::PreTranslateMessage(MSG* pMsg)
{
    if (IsOkButtonRelease(*this, pMsg))
    {
        CloseAsCancel();
        return TRUE;
    }
    return CPropertySheet::PreTranslateMessage(pMsg);
}

// Enter or Space on OK arrive as its command: the same close, never an apply.
void CVnPropSheet::OnOK()
{
    CloseAsCancel();
}

void CVnPropSheet::CloseAsCancel()
{
    m_nModalResult = IDCANCEL;
    PressButton(PSBTN_CANCEL);
}

void CVnPropSheet::CloseModalChild()
{
    CPropertySheet* pEditor = g_pProfileEditor;
    if (pEditor == NULL || pEditor->m_hWnd == 0 || !::IsWindow(pEditor->m_hWnd))
        return;
    ResetEvent(g_evtProfileEditor);
    pEditor->EndModalLoop(2);
    pEditor->PressButton(PSBTN_CANCEL);
}

void CVnPropSheet::RemoveHtPageIfUnsupported()
{
    if (g_bHtSupported)
        return;
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage != NULL && pPage->IsKindOf(RUNTIME_CLASS(CBlockAck)))
        {
            RemovePage(i);
            return;
        }
    }
}

void CVnPropSheet::OnHelp()
{
    // Started suspended so that the handle is read before the thread can end; the thread
    // object closes its handle when the worker returns (nothing waits for it).
    CWinThread* pThread =
        AfxBeginThread(HelpThreadProc, NULL, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, NULL);
    if (pThread == NULL)
        return;
    g_hHelpThread = pThread->m_hThread;
    pThread->ResumeThread();
}

BOOL CVnPropSheet::OnHelpInfo(HELPINFO* pHelpInfo)
{
    OnHelp();
    return TRUE;
}

// Reads nothing but the help-file path, which is set once before any window exists.
UINT CVnPropSheet::HelpThreadProc(LPVOID pParam)
{
    HtmlHelpA(0, theApp.m_pszHelpFilePath, HH_DISPLAY_TOPIC, 0);
    return 1;
}
