#pragma once
// A property sheet: a dialog window ("#32770") holding pages and the standard buttons.
//
// The window tree (what the desktop describes):
//   sheet      "#32770", popup, caption m_psh.pszCaption, icons from m_psh.hIcon (PSH_USEHICON)
//     page     "#32770", child (DS_CONTROL), one per page that has been shown; only the active
//              one is visible; the page's controls are its children
//     OK       "Button" id IDOK (1), BS_DEFPUSHBUTTON
//     Cancel   "Button" id IDCANCEL (2)
//     Apply    "Button" id ID_APPLY_NOW (0x3021), disabled until a page is modified; not there
//              with PSH_NOAPPLYNOW
//     Help     "Button" id IDHELP (9), hidden unless PSH_HASHELP or a page's PSP_HASHELP
// There is no tab control window: the tabs are GetPageCount() / GetPageCaption(i), the
// selected one GetActiveIndex().
//
// Geometry, in pixels: the page area starts at (11, 32) and is as large as the largest page
// template; the tab frame runs from (7, 7) to 4 px beyond the page area; the buttons (75 x 23)
// sit in one row 7 px below the frame, right-aligned with it, in fixed slots from the right:
// Help, Apply, Cancel, OK (6 px apart; a hidden button keeps its slot). The window is 7 px
// wider than the frame and 7 px taller than the buttons. A modeless sheet comes up the way the
// platform brings one up: its four buttons hidden and the window ending at the top of the row.
//
// Buttons: OK = the active page's OnKillActive, then OnApply of every page that has a window,
// in page order (a FALSE stops and keeps the sheet open; the page may switch pages meanwhile),
// then the end (modal: IDOK; modeless: DestroyWindow, the object stays). Apply = the same
// without the end. Cancel (also Escape and the close box) = the active page's OnQueryCancel,
// then OnReset of every page that has a window, then the end (IDCANCEL; modeless:
// DestroyWindow). A derived sheet's own map sees the buttons' commands first; any other command
// the sheet gets goes on to the active page.

#include "platform/ui/framework/PropSheetTypes.h"
#include "platform/ui/framework/PropertyPage.h"
#include "platform/ui/framework/Wnd.h"

#include <vector>

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    PROPSHEETHEADERA m_psh{};
    CWnd* m_pParentWnd = nullptr;

    // Also on a live sheet: an added page gets its window when it is first shown; removing the
    // active page shows the next one (the previous one when it was the last) and destroys the
    // removed page's window. The page object stays the caller's.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    // -1 when the page is not in the sheet.
    int GetPageIndex(CPropertyPage* pPage) const;
    // Before the sheet is created: the page it opens on.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // The text of a page's tab ("" for a bad index).
    CString GetPageCaption(int nPage) const;
    void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
    BOOL IsModeless() const { return m_bModeless ? TRUE : FALSE; }

    // Modal: the owner (the parent's top-level window, else the main window) is disabled while
    // the sheet runs its loop; returns IDOK or IDCANCEL (or the value given to EndDialog).
    virtual INT_PTR DoModal();
    // Modeless (PSH_MODELESS is added); dwStyle -1 is the default (visible).
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1),
                        DWORD dwExStyle = 0);
    // As if the user pressed the button (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, PSBTN_HELP).
    BOOL PressButton(int nButton);
    // Ends a modal sheet with the result; destroys a modeless sheet's window.
    void EndDialog(int nEndID);

    // The base lays the sheet out, makes its buttons, shows the start page and (modeless) hides
    // the buttons and shrinks the window. Derived sheets call it first.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The page area, in the sheet's client coordinates.
    RECT GetPageRect() const;

    // Enables Apply while a page is modified (pages call it).
    void UpdateApplyButton();
    // A page object is going away: it leaves the sheet without any window work.
    void ForgetPage(CPropertyPage* pPage);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleGetDefId(WPARAM wParam, LPARAM lParam);

    BOOL CreateSheetWindow(HWND hWndOwner, DWORD dwStyle, DWORD dwExStyle);
    // Shows a page: the current one's OnKillActive (when asked), the page's window (made on
    // first use), its OnSetActive. FALSE when a page refused.
    BOOL ActivatePage(int nPage, bool bKillCurrent);
    bool ApplyPages();
    void DoOK();
    void DoApply();
    void DoCancel();
    void DoHelp();

    std::vector<CPropertyPage*> m_pages;
    int m_nActive = -1;
    CString m_strCaption;
    bool m_bModeless = false;
    SIZE m_pageSize{0, 0};

    DECLARE_MESSAGE_MAP()
};
