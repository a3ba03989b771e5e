#include "platform/ui/framework/PropertyPage.h"

#include "platform/ui/framework/PropertySheet.h"
#include "platform/ui/gdi/Resources.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage()
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEA);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD dwSize)
{
    m_psp.dwSize = dwSize;
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
    if (m_pSheet != nullptr)
        m_pSheet->ForgetPage(this);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    m_nIDTemplate = nIDTemplate;
    m_nIDHelp = nIDTemplate;
    m_psp.pszTemplate = MAKEINTRESOURCE(nIDTemplate);
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

CString CPropertyPage::GetCaption() const
{
    if ((m_psp.dwFlags & PSP_USETITLE) != 0 && m_psp.pszTitle != nullptr &&
        !IS_INTRESOURCE(m_psp.pszTitle))
        return CString(m_psp.pszTitle);
    if ((m_psp.dwFlags & PSP_USETITLE) != 0 && m_psp.pszTitle != nullptr)
    {
        CString text;
        text.LoadString(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(m_psp.pszTitle)));
        return text;
    }
    return CString(platform::DialogTemplateOrDefault(m_nIDTemplate).caption.c_str());
}

BOOL CPropertyPage::CreatePageWindow(CPropertySheet* pSheet, POINT origin)
{
    platform::DialogTemplate t = platform::DialogTemplateOrDefault(m_nIDTemplate);
    // A page is a control of the sheet: a child dialog without a frame, hidden until shown.
    // Page templates are drawn disabled; the sheet enables the page it makes of one.
    t.style &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE |
                 WS_DISABLED);
    t.style |= WS_CHILD | DS_CONTROL | WS_TABSTOP;
    t.exStyle |= WS_EX_CONTROLPARENT;
    t.rect = RECT{0, 0, t.rect.right - t.rect.left, t.rect.bottom - t.rect.top};
    m_pSheet = pSheet;
    m_pParentWnd = pSheet;
    if (!CreateFromTemplate(t, pSheet->m_hWnd))
        return FALSE;
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    ::MoveWindow(m_hWnd, origin.x, origin.y, r.right - r.left, r.bottom - r.top, FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnSetActive()
{
    // The first time, OnInitDialog has just put the members into the controls.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_pSheet != nullptr)
        m_pSheet->UpdateApplyButton();
}

void CPropertyPage::CancelToClose()
{
    if (m_pSheet == nullptr || m_pSheet->m_hWnd == 0)
        return;
    if (HWND hOk = ::GetDlgItem(m_pSheet->m_hWnd, IDOK))
        ::SetWindowTextA(hOk, "Close");
    if (HWND hCancel = ::GetDlgItem(m_pSheet->m_hWnd, IDCANCEL))
        ::EnableWindow(hCancel, FALSE);
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;
}
