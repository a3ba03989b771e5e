#include "platform/ui/framework/PropertySheet.h"

#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/framework/WinApp.h"
#include "platform/ui/gdi/Resources.h"
#include "platform/ui/internal/Hooks.h"
#include "platform/ui/internal/WindowOps.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_MESSAGE(DM_GETDEFID, HandleGetDefId)
END_MESSAGE_MAP()

namespace
{

constexpr int kMargin = 7;
constexpr int kTabHeight = 21;
constexpr int kFrameInset = 4;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr SIZE kDefaultPageSize{318, 185};

struct Layout
{
    RECT page;
    RECT frame;
    int buttonTop;
    SIZE window;
};

Layout layoutFor(SIZE pageSize)
{
    Layout l{};
    const int left = kMargin + kFrameInset;
    const int top = kMargin + kTabHeight + kFrameInset;
    l.page = RECT{left, top, left + pageSize.cx, top + pageSize.cy};
    l.frame = RECT{kMargin, kMargin, l.page.right + kFrameInset, l.page.bottom + kFrameInset};
    l.buttonTop = l.frame.bottom + kMargin;
    l.window = SIZE{l.frame.right + kMargin, l.buttonTop + kButtonHeight + kMargin};
    return l;
}

// Slot 0 is the rightmost.
RECT buttonRect(const Layout& l, int slot)
{
    const int right = l.frame.right - slot * (kButtonWidth + kButtonGap);
    return RECT{right - kButtonWidth, l.buttonTop, right, l.buttonTop + kButtonHeight};
}

HWND makeButton(HWND hSheet, const char* text, int id, DWORD extraStyle, const RECT& r)
{
    return ::CreateWindowExA(0, "Button", text, WS_CHILD | WS_TABSTOP | extraStyle, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, hSheet, static_cast<HMENU>(id), 0,
                             nullptr);
}

SIZE templateSize(const CPropertyPage* page)
{
    const RECT r =
        platform::DialogRectToPixels(platform::DialogTemplateOrDefault(page->m_nIDTemplate).rect);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

CPropertySheet::CPropertySheet()
{
    m_psh.dwSize = sizeof(PROPSHEETHEADERA);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet()
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet()
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    // The pages may outlive the sheet (or are gone already: they left through ForgetPage).
    for (CPropertyPage* page : m_pages)
        page->m_pSheet = nullptr;
    m_pages.clear();
    if (m_hWnd != 0)
        DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    m_psh.pszCaption = m_strCaption;
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption;
    m_psh.pszCaption = m_strCaption;
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr || GetPageIndex(pPage) >= 0)
        return;
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    m_psh.nPages = static_cast<UINT>(m_pages.size());
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    const int index = GetPageIndex(pPage);
    if (index >= 0)
        RemovePage(index);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(nPage)];
    if (m_hWnd != 0 && nPage == m_nActive)
    {
        // Another page takes its place: the next one, else the one before.
        const int next = nPage + 1 < GetPageCount() ? nPage + 1 : nPage - 1;
        if (page->m_hWnd != 0)
            ::ShowWindow(page->m_hWnd, SW_HIDE);
        m_nActive = -1;
        if (next >= 0 && !ActivatePage(next, false))
        {
            // A page that refuses is shown all the same: the sheet is never without one.
            CPropertyPage* other = m_pages[static_cast<std::size_t>(next)];
            if (other->m_hWnd != 0)
            {
                ::ShowWindow(other->m_hWnd, SW_SHOW);
                m_nActive = next;
            }
        }
    }
    m_pages.erase(m_pages.begin() + nPage);
    if (m_nActive > nPage)
        --m_nActive;
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    page->m_pSheet = nullptr;
    page->m_bFirstSetActive = TRUE;
    if (page->m_hWnd != 0)
        page->DestroyWindow();
    UpdateApplyButton();
}

void CPropertySheet::ForgetPage(CPropertyPage* pPage)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    if (it == m_pages.end())
        return;
    const int index = static_cast<int>(it - m_pages.begin());
    m_pages.erase(it);
    if (m_nActive == index)
        m_nActive = -1;
    else if (m_nActive > index)
        --m_nActive;
    m_psh.nPages = static_cast<UINT>(m_pages.size());
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(nPage)];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == 0)
    {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return ActivatePage(nPage, true);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == 0)
        return static_cast<int>(m_psh.nStartPage) < GetPageCount()
                   ? static_cast<int>(m_psh.nStartPage)
                   : (GetPageCount() > 0 ? 0 : -1);
    return m_nActive;
}

CString CPropertySheet::GetPageCaption(int nPage) const
{
    const CPropertyPage* page = GetPage(nPage);
    return page != nullptr ? page->GetCaption() : CString();
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT)
{
    m_strCaption = lpszText;
    m_psh.pszCaption = m_strCaption;
    if (m_hWnd != 0)
        SetWindowText(m_strCaption);
}

RECT CPropertySheet::GetPageRect() const
{
    return layoutFor(m_pageSize).page;
}

BOOL CPropertySheet::CreateSheetWindow(HWND hWndOwner, DWORD dwStyle, DWORD dwExStyle)
{
    // The page area fits the largest page.
    SIZE size{0, 0};
    for (const CPropertyPage* page : m_pages)
    {
        const SIZE s = templateSize(page);
        size.cx = std::max(size.cx, s.cx);
        size.cy = std::max(size.cy, s.cy);
    }
    m_pageSize = (size.cx > 0 && size.cy > 0) ? size : kDefaultPageSize;
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd == 0)
            page->m_bFirstSetActive = TRUE;
    m_nActive = -1;
    m_psh.hwndParent = hWndOwner;

    const Layout l = layoutFor(m_pageSize);
    const char* caption = (m_psh.pszCaption != nullptr && !IS_INTRESOURCE(m_psh.pszCaption))
                              ? m_psh.pszCaption
                              : m_strCaption.GetString();
    platform::ui::HookNextWindowCreation(&CWnd::AttachOnCreate, this);
    HWND hWnd = ::CreateWindowExA(dwExStyle | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, WC_DIALOG,
                                  caption, dwStyle & ~WS_VISIBLE, 0, 0, l.window.cx, l.window.cy,
                                  hWndOwner, 0, AfxGetInstanceHandle(), nullptr);
    platform::ui::CancelWindowCreationHook();
    if (hWnd == 0 || hWnd != m_hWnd)
        return FALSE;
    SendMessage(WM_INITDIALOG, 0, 0);
    if (m_hWnd == 0)
        return FALSE;
    if ((dwStyle & WS_VISIBLE) != 0 && !platform::ui::IsDialogEnded(m_hWnd))
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

LRESULT CPropertySheet::HandleGetDefId(WPARAM, LPARAM)
{
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(IDOK), DC_HASDEFID));
}

BOOL CPropertySheet::OnInitDialog()
{
    const Layout l = layoutFor(m_pageSize);
    makeButton(m_hWnd, "OK", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, buttonRect(l, 3));
    makeButton(m_hWnd, "Cancel", IDCANCEL, WS_VISIBLE, buttonRect(l, 2));
    if ((m_psh.dwFlags & PSH_NOAPPLYNOW) == 0)
        makeButton(m_hWnd, "&Apply", ID_APPLY_NOW, WS_VISIBLE | WS_DISABLED, buttonRect(l, 1));
    bool help = (m_psh.dwFlags & PSH_HASHELP) != 0;
    for (const CPropertyPage* page : m_pages)
        help = help || (page->m_psp.dwFlags & PSP_HASHELP) != 0;
    makeButton(m_hWnd, "Help", IDHELP, help ? WS_VISIBLE : 0, buttonRect(l, 0));

    if ((m_psh.dwFlags & PSH_USEHICON) != 0 && m_psh.hIcon != 0)
    {
        SetIcon(m_psh.hIcon, TRUE);
        SetIcon(m_psh.hIcon, FALSE);
    }
    else if ((m_psh.dwFlags & PSH_USEICONID) != 0 && m_psh.pszIcon != nullptr)
    {
        const HICON icon = ::LoadIconA(m_psh.hInstance, m_psh.pszIcon);
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }

    // The start page, or the first after it that agrees to be shown.
    const int count = GetPageCount();
    const int start =
        static_cast<int>(m_psh.nStartPage) < count ? static_cast<int>(m_psh.nStartPage) : 0;
    for (int i = 0; i < count && m_nActive < 0; ++i)
        ActivatePage((start + i) % count, false);
    if (m_nActive < 0 && count > 0)
    {
        CPropertyPage* page = m_pages[static_cast<std::size_t>(start)];
        if (page->m_hWnd != 0)
        {
            ::ShowWindow(page->m_hWnd, SW_SHOW);
            m_nActive = start;
        }
    }

    if (m_bModeless)
    {
        // A modeless sheet has no standard buttons until the program shows them.
        for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
            if (HWND hButton = ::GetDlgItem(m_hWnd, id))
                ::ShowWindow(hButton, SW_HIDE);
        RECT r{};
        GetWindowRect(&r);
        ::SetWindowPos(m_hWnd, 0, 0, 0, r.right - r.left, l.buttonTop,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL CPropertySheet::ActivatePage(int nPage, bool bKillCurrent)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (nPage == m_nActive)
        return TRUE;
    CPropertyPage* current = GetPage(m_nActive);
    if (bKillCurrent && current != nullptr && current->m_hWnd != 0 && !current->OnKillActive())
        return FALSE;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(nPage)];
    if (page->m_hWnd == 0)
    {
        const RECT area = GetPageRect();
        if (!page->CreatePageWindow(this, POINT{area.left, area.top}))
            return FALSE;
    }
    if (!page->OnSetActive())
        return FALSE;
    // The page may have removed itself or others meanwhile.
    const int index = GetPageIndex(page);
    if (index < 0 || page->m_hWnd == 0)
        return FALSE;
    if (current != nullptr && current != page && current->m_hWnd != 0)
        ::ShowWindow(current->m_hWnd, SW_HIDE);
    ::ShowWindow(page->m_hWnd, SW_SHOW);
    m_nActive = index;
    return TRUE;
}

void CPropertySheet::UpdateApplyButton()
{
    if (m_hWnd == 0)
        return;
    HWND hApply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    if (hApply == 0)
        return;
    bool modified = false;
    for (const CPropertyPage* page : m_pages)
        modified = modified || page->IsModified();
    ::EnableWindow(hApply, modified ? TRUE : FALSE);
}

bool CPropertySheet::ApplyPages()
{
    CPropertyPage* active = GetActivePage();
    if (active != nullptr && active->m_hWnd != 0 && !active->OnKillActive())
        return false;
    // A page's apply may add, remove or switch pages: walk a copy and skip those that left.
    const std::vector<CPropertyPage*> pages = m_pages;
    for (CPropertyPage* page : pages)
    {
        if (GetPageIndex(page) < 0 || page->m_hWnd == 0)
            continue;
        if (!page->OnApply())
            return false;
        if (m_hWnd == 0)
            return false;
    }
    for (CPropertyPage* page : m_pages)
        page->m_bModified = FALSE;
    UpdateApplyButton();
    return true;
}

void CPropertySheet::DoOK()
{
    if (ApplyPages())
        EndDialog(IDOK);
}

void CPropertySheet::DoApply()
{
    ApplyPages();
}

void CPropertySheet::DoCancel()
{
    CPropertyPage* active = GetActivePage();
    if (active != nullptr && active->m_hWnd != 0 && !active->OnQueryCancel())
        return;
    const std::vector<CPropertyPage*> pages = m_pages;
    for (CPropertyPage* page : pages)
        if (GetPageIndex(page) >= 0 && page->m_hWnd != 0)
            page->OnReset();
    EndDialog(IDCANCEL);
}

void CPropertySheet::DoHelp()
{
    // The active page's help: its map's IDHELP command, when it has one.
    if (CPropertyPage* active = GetActivePage(); active != nullptr && active->m_hWnd != 0)
        active->OnCmdMsg(static_cast<UINT>(IDHELP), CN_COMMAND, nullptr, nullptr);
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_hWnd == 0)
        return;
    if (m_bModeless)
    {
        DestroyWindow();
        return;
    }
    if ((m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) != 0)
        EndModalLoop(nEndID);
    ::EndDialog(m_hWnd, nEndID);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd == 0)
        return FALSE;
    int id = 0;
    switch (nButton)
    {
    case PSBTN_OK:
        id = IDOK;
        break;
    case PSBTN_CANCEL:
        id = IDCANCEL;
        break;
    case PSBTN_APPLYNOW:
        id = ID_APPLY_NOW;
        break;
    case PSBTN_HELP:
        id = IDHELP;
        break;
    default:
        return FALSE;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                static_cast<LPARAM>(::GetDlgItem(m_hWnd, id)));
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(wParam) == BN_CLICKED)
    {
        switch (static_cast<int>(LOWORD(wParam)))
        {
        case IDOK:
            DoOK();
            return TRUE;
        case IDCANCEL:
            DoCancel();
            return TRUE;
        case ID_APPLY_NOW:
            DoApply();
            return TRUE;
        case IDHELP:
            DoHelp();
            return TRUE;
        default:
            break;
        }
    }
    // A command the sheet does not know goes on to the active page, as the platform's sheets
    // pass them.
    CPropertyPage* active = GetActivePage();
    if (active == nullptr || active->m_hWnd == 0)
        return FALSE;
    ::SendMessageA(active->m_hWnd, WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == 0 || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

INT_PTR CPropertySheet::DoModal()
{
    m_bModeless = false;
    m_psh.dwFlags &= ~PSH_MODELESS;
    HWND hWndOwner = 0;
    if (m_pParentWnd != nullptr)
        hWndOwner = m_pParentWnd->m_hWnd;
    else if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain != this)
        hWndOwner = pMain->m_hWnd;
    while (hWndOwner != 0 && (::GetWindowLongA(hWndOwner, GWL_STYLE) & WS_CHILD) != 0)
        hWndOwner = ::GetParent(hWndOwner);
    bool enableOwner = false;
    if (hWndOwner != 0 && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        enableOwner = true;
    }
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT;
    if (CreateSheetWindow(hWndOwner, style, 0))
    {
        if ((m_nFlags & WF_CONTINUEMODAL) != 0)
            RunModalLoop(MLF_SHOWONIDLE);
        if (m_hWnd != 0)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (enableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != 0 && m_hWnd != 0 && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != 0)
        DestroyWindow();
    return m_nModalResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd != 0)
        return FALSE;
    m_bModeless = true;
    m_psh.dwFlags |= PSH_MODELESS;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT |
                  WS_VISIBLE;
    HWND hWndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : 0;
    if (hWndOwner == 0)
        if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain != this)
            hWndOwner = pMain->m_hWnd;
    return CreateSheetWindow(hWndOwner, dwStyle, dwExStyle);
}
