#include "platform/ui/framework/Wnd.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/framework/DC.h"
#include "platform/ui/framework/HandleMap.h"
#include "platform/ui/framework/MessageBox.h"
#include "platform/ui/framework/WinApp.h"
#include "platform/ui/internal/Hooks.h"

#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// The default handlers of the notifications a parent reflects to its controls.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace
{

using platform::afx::HandleMap;

thread_local MSG t_currentMsg{};
thread_local MSG t_pumpedMsg{};

// The window layer learns of the framework once a CWnd is part of the program.
struct Registration
{
    Registration()
    {
        platform::ui::SetWindowGoneListener([](HWND hwnd)
                                            { HandleMap::Instance().WindowGone(hwnd); });
        platform::ui::SetPreTranslateFilter([](MSG* msg)
                                            { return AfxPreTranslateMessage(msg) != FALSE; });
    }
} g_registration;

bool isCtlColor(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool isIdleMessage(const MSG& msg)
{
    return msg.message != WM_PAINT && msg.message != WM_MOUSEMOVE && msg.message != WM_NULL;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != 0 && HandleMap::Instance().Permanent(m_hWnd) == this)
    {
        // Destroyed with its object. The derived parts are gone already, so the last
        // messages reach this class's handlers only.
        HWND hWnd = m_hWnd;
        if (!::DestroyWindow(hWnd) && m_hWnd == hWnd)
            Detach();
    }
    if (m_hWnd != 0)
        Detach();
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd == 0 ? nullptr : HandleMap::Instance().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == 0 ? nullptr : HandleMap::Instance().Permanent(hWnd);
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == 0 || m_hWnd != 0 || !HandleMap::Instance().AttachPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != 0)
        HandleMap::Instance().DetachPermanent(hWnd, this);
    m_hWnd = 0;
    return hWnd;
}

void CWnd::TakeOverWindowProc()
{
    WNDPROC previous = platform::SetWindowProc(m_hWnd, AfxWndProc);
    if (previous != AfxWndProc)
        m_pfnSuper = previous;
}

void CWnd::AttachOnCreate(HWND hWnd, void* pWnd)
{
    auto* wnd = static_cast<CWnd*>(pWnd);
    if (wnd->Attach(hWnd))
    {
        wnd->TakeOverWindowProc();
        wnd->PreSubclassWindow();
    }
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    TakeOverWindowProc();
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != 0 && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == 0)
        return 0;
    if (m_pfnSuper != nullptr)
        platform::SetWindowProc(m_hWnd, m_pfnSuper);
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = "AfxWnd";
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    CREATESTRUCT cs{
        lpParam, AfxGetInstanceHandle(),     nIDorHMenu,     hWndParent,    nHeight,  nWidth, y,
        x,       static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    platform::ui::HookNextWindowCreation(&CWnd::AttachOnCreate, this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                  static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    platform::ui::CancelWindowCreationHook();
    return hWnd != 0 ? TRUE : FALSE;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : 0, static_cast<HMENU>(nID));
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == 0)
        return FALSE;
    const bool permanent = HandleMap::Instance().Permanent(m_hWnd) == this;
    BOOL result = ::DestroyWindow(m_hWnd);
    // A permanent object may have deleted itself in PostNcDestroy; a temporary one lets go.
    if (!permanent)
        m_hWnd = 0;
    return result;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    rString = CString(buffer.data(), copied);
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

namespace
{
BOOL modifyLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(hWnd, index, static_cast<LONG>(changed));
    if (flags != 0)
        ::SetWindowPos(hWnd, 0, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return modifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return modifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongA(m_hWnd, GWL_ID, nID));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == 0)
        return nullptr;
    // Up through parents and owners.
    HWND hWnd = m_hWnd;
    while (HWND up = static_cast<HWND>(::GetWindowLongA(hWnd, GWL_HWNDPARENT)))
        hWnd = up;
    return FromHandle(hWnd);
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return static_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, static_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return static_cast<HICON>(
        ::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect != nullptr)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : 0, x, y,
                          cx, cy, nFlags);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(0, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, 0, reinterpret_cast<LPPOINT>(lpRect), 2);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr)
        return 0;
    const HDC hdc = pDC->m_hDC;
    const int result = ::ReleaseDC(m_hWnd, hdc);
    CDC::DeleteTempObject(hdc);
    return result;
}

CFont* CWnd::GetFont() const
{
    // DefWindowProcA keeps a window's font; one that was given none draws with the default.
    HFONT hFont = static_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (hFont == 0)
        hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    return CFont::FromHandle(hFont);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    const HFONT hFont = pFont != nullptr ? pFont->m_hObject : 0;
    ::SendMessageA(m_hWnd, WM_SETFONT, hFont, bRedraw);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id) != 0)
            return id;
    return 0;
}

int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
{
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(
        ::GetNextDlgTabItem(m_hWnd, pWndCtl != nullptr ? pWndCtl->m_hWnd : 0, bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(
        ::GetNextDlgGroupItem(m_hWnd, pWndCtl != nullptr ? pWndCtl->m_hWnd : 0, bPrevious));
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return AfxWndMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    bool idle = true;
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG peek;
    for (;;)
    {
        // Nothing to do: the first time, the dialog comes into view.
        while (idle && !::PeekMessageA(&peek, 0, 0, 0, PM_NOREMOVE))
        {
            if (showOnIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = false;
            }
            idle = false;
        }
        if (!ContinueModal())
            break;
        do
        {
            if (!AfxPumpMessage())
            {
                // The quit belongs to the loop outside this one.
                ::PostQuitMessage(static_cast<int>(t_pumpedMsg.wParam));
                m_nFlags &= ~WF_MODALLOOP;
                return -1;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (isIdleMessage(t_pumpedMsg))
                idle = true;
        } while (::PeekMessageA(&peek, 0, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~WF_MODALLOOP;
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0 ? TRUE : FALSE;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if ((m_nFlags & WF_CONTINUEMODAL) != 0)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop, which may be asleep.
        PostMessage(WM_NULL);
    }
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != 0; hWnd = ::GetParent(hWnd))
    {
        if (CWnd* pWnd = FromHandlePermanent(hWnd);
            pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_currentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        result = 1;
    }
    else if (message == WM_NOTIFY)
    {
        if (!OnNotify(wParam, lParam, &result))
            return FALSE;
    }
    else if (isCtlColor(message))
    {
        // Every WM_CTLCOLORxxx goes to the one OnCtlColor entry.
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), WM_CTLCOLOR);
        if (entry == nullptr)
            return FALSE;
        CDC dc;
        dc.m_hDC = static_cast<HDC>(wParam);
        AFX_MSGCALL call{message, wParam, lParam, 0, message - WM_CTLCOLORMSGBOX, &dc, 0};
        const bool handled = entry->pfn(this, call);
        dc.m_hDC = 0;
        if (!handled)
            return FALSE;
        result = call.result;
    }
    else
    {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message);
        if (entry == nullptr)
            return FALSE;
        AFX_MSGCALL call{message, wParam, lParam, 0, 0, nullptr, 0};
        if (!entry->pfn(this, call))
            return FALSE;
        result = call.result;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = static_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == 0)
    {
        // A menu or accelerator command (or a post that stands for one).
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;
    }
    else if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr))
    {
        // The control took its own notification.
        return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = platform::PointerFromParam<NMHDR>(lParam);
    if (pNMHDR == nullptr)
        return FALSE;
    if (ReflectToChild(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    const int nCode = static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_NOTIFY));
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), nCode, &notify, nullptr);
}

void CWnd::PostNcDestroy() {}

void CWnd::PreSubclassWindow() {}

LRESULT CWnd::Default()
{
    const MSG* msg = GetCurrentMessage();
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnNcDestroy()
{
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
    {
        // The main window is gone: the program's loop ends.
        ::PostQuitMessage(0);
        app->m_pMainWnd = nullptr;
    }
    WNDPROC procBefore = platform::GetWindowProc(m_hWnd);
    Default();
    if (m_pfnSuper != nullptr && platform::GetWindowProc(m_hWnd) == procBefore)
        platform::SetWindowProc(m_hWnd, m_pfnSuper);
    Detach();
    PostNcDestroy();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &result))
        return static_cast<HBRUSH>(result);
    return static_cast<HBRUSH>(Default());
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnIconEraseBkgnd(CDC*)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnMove(int, int)
{
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

UINT CWnd::OnPowerBroadcast(UINT, LPARAM)
{
    return static_cast<UINT>(Default());
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_COMMAND:
    {
        const int nCode = static_cast<int>(
            MAKELONG(HIWORD(wParam), static_cast<WORD>(WM_REFLECT_BASE + WM_COMMAND)));
        if (!CCmdTarget::OnCmdMsg(0, nCode, nullptr, nullptr))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = platform::PointerFromParam<NMHDR>(lParam);
        if (pNMHDR == nullptr)
            return FALSE;
        LRESULT ignored = 0;
        AFX_NOTIFY notify{pResult != nullptr ? pResult : &ignored, pNMHDR};
        const int nCode = static_cast<int>(MAKELONG(
            static_cast<WORD>(pNMHDR->code), static_cast<WORD>(WM_REFLECT_BASE + WM_NOTIFY)));
        return CCmdTarget::OnCmdMsg(0, nCode, &notify, nullptr);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    {
        const AFX_MSGMAP_ENTRY* entry =
            FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + message);
        if (entry == nullptr)
            return FALSE;
        AFX_MSGCALL call{WM_REFLECT_BASE + message, wParam, lParam, 0, 0, nullptr, 0};
        if (!entry->pfn(this, call))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    default:
        break;
    }
    if (isCtlColor(message))
    {
        const AFX_MSGMAP_ENTRY* entry =
            FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR);
        if (entry == nullptr)
            return FALSE;
        CDC dc;
        dc.m_hDC = static_cast<HDC>(wParam);
        AFX_MSGCALL call{WM_REFLECT_BASE + WM_CTLCOLOR, wParam, lParam, 0,
                         message - WM_CTLCOLORMSGBOX,   &dc,    0};
        const bool handled = entry->pfn(this, call);
        dc.m_hDC = 0;
        if (!handled)
            return FALSE;
        if (pResult != nullptr)
            *pResult = call.result;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == nullptr)
        return FALSE;
    return pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG* msg = GetCurrentMessage();
    return ReflectToChild(hWndChild, msg->message, msg->wParam, msg->lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* msg = GetCurrentMessage();
    return OnChildNotify(msg->message, msg->wParam, msg->lParam, pResult);
}

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const MSG saved = t_currentMsg;
    t_currentMsg = MSG{hWnd, nMsg, wParam, lParam, ::GetMessageTime(), {}};
    LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_NCDESTROY && HandleMap::Instance().Permanent(hWnd) == pWnd)
    {
        // A WindowProc that did not pass the last message on: let go all the same.
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    t_currentMsg = saved;
    return result;
}

BOOL AfxPumpMessage()
{
    if (!::GetMessageA(&t_pumpedMsg, 0, 0, 0))
        return FALSE;
    if (!AfxPreTranslateMessage(&t_pumpedMsg))
    {
        ::TranslateMessage(&t_pumpedMsg);
        ::DispatchMessageA(&t_pumpedMsg);
    }
    return TRUE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinApp* app = AfxGetApp())
        return app->PreTranslateMessage(pMsg);
    return pMsg->hwnd != 0 ? CWnd::WalkPreTranslateTree(0, pMsg) : FALSE;
}
