#include "platform/ui/framework/Dialog.h"

#include "platform/ui/framework/WinApp.h"
#include "platform/ui/internal/Hooks.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
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
    platform::ui::HookNextWindowCreation(&CWnd::AttachOnCreate, this);
    HWND hWnd = platform::CreateDialogFromTemplate(platform::DialogTemplateOrDefault(nIDTemplate),
                                                   hWndOwner, 0);
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
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}
