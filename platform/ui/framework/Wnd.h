#pragma once
// The framework's window object. A CWnd is attached to a window (m_hWnd) and, once attached,
// is its permanent object: the window's messages reach WindowProc, which dispatches through
// the message map and falls back to DefWindowProc (the window's previous procedure when the
// object subclassed an existing window).

#include "platform/base/CString.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/framework/CmdTarget.h"
#include "platform/ui/framework/Geometry.h"

class CDC;
class CFont;

// m_nFlags of a CWnd.
inline constexpr UINT WF_CONTINUEMODAL = 0x0004;
inline constexpr UINT WF_MODALLOOP = 0x0008;

// RunModalLoop flags.
inline constexpr DWORD MLF_NOIDLEMSG = 0x0001;
inline constexpr DWORD MLF_NOKICKIDLE = 0x0002;
inline constexpr DWORD MLF_SHOWONIDLE = 0x0004;

class CMenu;

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = 0;

    // The permanent object of a window, or a temporary one that lives until the window is
    // destroyed; null for NULL.
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object only; null when the window has none.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Makes this the window's permanent object (without subclassing). FALSE when the window
    // already has one.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attach, and route the window's messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // State.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    // The window's system menu as a temporary object (the standard one again with bRevert).
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    // Screen coordinates: a window's origin plus the origins of its parents.
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;

    // Drawing. GetDC's object lives until ReleaseDC. A window that was given no font answers
    // GetFont with the default GUI font.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    CFont* GetFont() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);

    // The dialog items of this window.
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    // The id of the checked button in the range, 0 when none is.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = 0);

    // Messages and timers.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Modal loops: RunModalLoop pumps the calling thread's messages until EndModalLoop.
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Dispatch.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // PreTranslateMessage of each window from pMsg->hwnd up to hWndStop; TRUE when one took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // The message being handled by this thread.
    static const MSG* GetCurrentMessage();

    UINT m_nFlags = 0;

    // Reflection: a parent offers a control's notification to the control's permanent object
    // before its own map. OnChildNotify gets the parent's message (WM_COMMAND, WM_NOTIFY,
    // WM_HSCROLL, WM_VSCROLL, WM_CTLCOLORxxx); TRUE means the control took it (with *pResult the
    // parent's answer).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers the message the parent is handling to the control's object; FALSE when the control
    // has none or did not take it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

protected:
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // After the window's last message; the object may delete itself here.
    virtual void PostNcDestroy();
    virtual void PreSubclassWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // The current message, default-handled.
    LRESULT Default();

    // Default handlers, for the message map entries of derived classes.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnIconEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr; // the procedure the window had before this object took it
    int m_nModalResult = -1;

    // The creation hook: makes this the new window's object before its first message.
    static void AttachOnCreate(HWND hWnd, void* pWnd);
    // The window's procedure becomes AfxWndProc; the one it had is kept for DefWindowProc.
    void TakeOverWindowProc();

    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// The window procedure of every window with a permanent object.
LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// One message of the calling thread: FALSE at WM_QUIT.
BOOL AfxPumpMessage();
// The framework's PreTranslateMessage for the calling thread's message.
BOOL AfxPreTranslateMessage(MSG* pMsg);
