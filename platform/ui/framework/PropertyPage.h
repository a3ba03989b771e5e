#pragma once
// A page of a property sheet: a child dialog made from the page's template when the sheet first
// shows it (its OnInitDialog runs then; a page never shown has no window). The sheet calls:
//   OnSetActive   when the page is about to be shown (FALSE: it is not shown);
//   OnKillActive  when the user leaves it or presses OK/Apply (default: UpdateData(TRUE);
//                 FALSE keeps the user on the page);
//   OnApply       on OK and Apply, for every page that has a window (default: OnOK, TRUE;
//                 FALSE keeps the sheet open);
//   OnQueryCancel on Cancel, the active page (FALSE keeps the sheet open);
//   OnReset       on Cancel, every page that has a window (default: OnCancel).
// The tab's text is the template's caption, or the string nIDCaption given to the constructor
// (PSP_USETITLE with m_psp.pszTitle).

#include "platform/ui/framework/Dialog.h"
#include "platform/ui/framework/PropSheetTypes.h"

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0,
                           DWORD dwSize = sizeof(PROPSHEETPAGEA));
    ~CPropertyPage() override;
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);

    PROPSHEETPAGEA m_psp{};

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;

    // Marks the page changed; the sheet's Apply button is enabled while any page is.
    void SetModified(BOOL bChanged = TRUE);
    // The changes cannot be cancelled any more: OK reads "Close" and Cancel is disabled.
    void CancelToClose();
    BOOL IsModified() const { return m_bModified; }
    // The tab's text.
    CString GetCaption() const;
    // The sheet the page is in, null when it is in none.
    CPropertySheet* GetSheet() const { return m_pSheet; }

    // The sheet handles the keyboard of its pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;
    BOOL m_bModified = FALSE;
    CPropertySheet* m_pSheet = nullptr;

private:
    friend class CPropertySheet;
    // Creates the page's window inside the sheet at the given place.
    BOOL CreatePageWindow(CPropertySheet* pSheet, POINT origin);
};
