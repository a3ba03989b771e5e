#include "platform/ui/framework/Dialog.h"

#include "platform/ui/framework/DataExchange.h"
#include "platform/ui/framework/WinApp.h"
#include "platform/ui/internal/Hooks.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_MESSAGE(DM_GETDEFID, HandleGetDefId)
ON_MESSAGE(DM_SETDEFID, HandleSetDefId)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != 0)
        DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(UINT nIDTemplate, HWND hWndOwner)
{
    return CreateFromTemplate(platform::DialogTemplateOrDefault(nIDTemplate), hWndOwner);
}

BOOL CDialog::CreateFromTemplate(const platform::DialogTemplate& dialogTemplate, HWND hWndOwner)
{
    platform::ui::HookNextWindowCreation(&CWnd::AttachOnCreate, this);
    HWND hWnd = platform::CreateDialogFromTemplate(dialogTemplate, hWndOwner, 0);
    platform::ui::CancelWindowCreationHook();
    return hWnd != 0 && hWnd == m_hWnd ? TRUE : FALSE;
}

HWND CDialog::PreModal()
{
    HWND hWnd = 0;
    if (m_pParentWnd != nullptr)
        hWnd = m_pParentWnd->m_hWnd;
    else if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain != this)
        hWnd = pMain->m_hWnd;
    // Up to the top-level window.
    while (hWnd != 0 && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = PreModal();
    bool enableOwner = false;
    if (hWndOwner != 0 && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        enableOwner = true;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(m_nIDTemplate, hWndOwner))
    {
        if ((m_nFlags & WF_CONTINUEMODAL) != 0)
        {
            DWORD flags = MLF_SHOWONIDLE;
            if ((GetStyle() & DS_NOIDLEMSG) != 0)
                flags |= MLF_NOIDLEMSG;
            RunModalLoop(flags);
        }
        if (m_hWnd != 0)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    // The owner comes back before the dialog goes, so it can take the activation.
    if (enableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != 0 && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (m_nIDHelp == 0)
        m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    HWND hWndOwner = pParentWnd != nullptr ? pParentWnd->m_hWnd : 0;
    if (hWndOwner == 0)
        if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain != this)
            hWndOwner = pMain->m_hWnd;
    return CreateFromTemplate(nIDTemplate, hWndOwner);
}

void CDialog::EndDialog(int nResult)
{
    if ((m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) != 0)
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (m_hWnd == 0)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CUserException&)
    {
        // The check told the user; the control that failed keeps the focus.
        if (dx.m_idLastControl != 0)
        {
            if (HWND hCtl = ::GetDlgItem(m_hWnd, dx.m_idLastControl))
            {
                ::SetFocus(hCtl);
                if (dx.m_bEditLastControl)
                    ::SendMessageA(hCtl, EM_SETSEL, 0, -1);
            }
        }
        return FALSE;
    }
    return TRUE;
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

LRESULT CDialog::HandleGetDefId(WPARAM, LPARAM)
{
    return static_cast<LRESULT>(
        MAKELONG(static_cast<WORD>(platform::DialogDefaultId(m_hWnd)), DC_HASDEFID));
}

LRESULT CDialog::HandleSetDefId(WPARAM wParam, LPARAM)
{
    // The old default loses its look, the new one gets it.
    const UINT previous = platform::DialogDefaultId(m_hWnd);
    if (HWND hOld = ::GetDlgItem(m_hWnd, static_cast<int>(previous));
        hOld != 0 && previous != wParam &&
        (::GetWindowLongA(hOld, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        ::SendMessageA(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (HWND hNew = ::GetDlgItem(m_hWnd, static_cast<int>(wParam));
        hNew != 0 && (::GetWindowLongA(hNew, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON)
        ::SendMessageA(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    platform::SetDialogDefaultId(m_hWnd, static_cast<UINT>(wParam));
    return TRUE;
}

void CDialog::NextDlgCtrl() const
{
    if (HWND next = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE))
        ::SetFocus(next);
}

void CDialog::PrevDlgCtrl() const
{
    if (HWND previous = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE))
        ::SetFocus(previous);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != nullptr && pWndCtrl->m_hWnd != 0)
        ::SetFocus(pWndCtrl->m_hWnd);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == 0 || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}
