#include "accesspoint/sheet/VnPropSheet.h"

#include "accesspoint/app/ApGlobals.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/sheet/SheetButtons.h"
#include "resources/TessarynAp/resource.h"

IMPLEMENT_DYNAMIC(CVnPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CVnPropSheet, CPropertySheet)
ON_COMMAND(IDHELP, OnHelp)
ON_COMMAND(IDOK, OnOK)
END_MESSAGE_MAP()

CVnPropSheet::CVnPropSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_USEHICON | PSH_NOAPPLYNOW | PSH_MODELESS;
    m_psh.hIcon = AfxGetApp()->LoadIcon(IDI_DISCONNECTED);
    AddPage(&m_ConfigPage);
    AddPage(&m_AccessControlPage);
    if (!g_bUsbAdapter && g_bWdsAllowed)
    {
        AddPage(&m_WdsPage);
        RemovePage(&m_WdsPage);
    }
    AddPage(&m_MacTablePage);
    AddPage(&m_EventLogPage);
    AddPage(&m_StatisticPage);
    AddPage(&m_AboutPage);
}

CVnPropSheet::~CVnPropSheet() {}

BOOL CVnPropSheet::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();

    // OK takes Cancel's place: the pages apply their own settings, OK only closes the sheet.
    ShowOkInPlaceOf(*this, IDCANCEL);
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

void CVnPropSheet::OnHelp()
{
    WinHelpA(m_hWnd, AfxGetApp()->m_pszHelpFilePath, HELP_CONTENTS, 0);
}

int CVnPropSheet::FindPage(CRuntimeClass* pClass) const
{
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage != NULL && pPage->IsKindOf(pClass))
            return i;
    }
    return -1;
}

void CVnPropSheet::UpdateHtPage()
{
    if (g_bHtSupported && g_nCheckBuild != 0)
    {
        if (FindPage(RUNTIME_CLASS(CBlockAck)) < 0 && g_nCheckBuild == 1)
            AddPage(&m_BlockAck);
        return;
    }
    int nPage = FindPage(RUNTIME_CLASS(CBlockAck));
    if (nPage >= 0)
        RemovePage(nPage);
}

void CVnPropSheet::UpdateWdsPage()
{
    if (!g_bWdsAllowed)
    {
        int nPage = FindPage(RUNTIME_CLASS(CWdsPage));
        if (nPage >= 0)
            RemovePage(nPage);
        return;
    }
    if (!g_bUsbAdapter && FindPage(RUNTIME_CLASS(CWdsPage)) < 0)
    {
        AddPage(&m_WdsPage);
        RemovePage(&m_WdsPage);
    }
}
