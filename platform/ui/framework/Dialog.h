#pragma once
// A dialog: a window made from a dialog template, run modally (DoModal returns the value given
// to EndDialog) or modelessly (Create).
//
// The default buttons: OnOK takes the controls' values into the members (UpdateData(TRUE)) and
// ends with IDOK only when that succeeded; OnCancel ends with IDCANCEL. Escape and the close
// box are Cancel; Enter presses the default button (SetDefID, else the template's
// BS_DEFPUSHBUTTON, else IDOK). Keys reach the dialog through PreTranslateMessage, which runs
// the dialog manager's IsDialogMessageA, in the modal loop and in the program's loop alike.

#include "platform/base/SizeTypes.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/framework/Wnd.h"

class CDataExchange;

// The id of dialog controls that are never addressed (labels).
inline constexpr int IDC_STATIC = -1;

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the dialog (its owner, when it has one, is disabled meanwhile), sends
    // WM_INITDIALOG, runs a modal loop on the calling thread until EndDialog, then destroys the
    // window. A dialog that is not visible yet comes into view when the loop first has nothing
    // to do. -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();
    // A modeless dialog.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // The default takes the members into the controls (UpdateData(FALSE)) and returns TRUE
    // (the first tab stop gets the focus).
    virtual BOOL OnInitDialog();

    // Data exchange: bSaveAndValidate TRUE takes the controls' values into the members and
    // validates them; FALSE puts the members into the controls. A failed check (a message box
    // has told the user) returns FALSE and leaves the focus on the control that failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void SetDefID(UINT nID);
    // MAKELONG(id, DC_HASDEFID).
    DWORD GetDefID() const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void MapDialogRect(LPRECT lpRect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleGetDefId(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetDefId(WPARAM wParam, LPARAM lParam);

    // The owner of the modal run: the parent's top-level window, else the main window.
    HWND PreModal();
    BOOL CreateFromTemplate(UINT nIDTemplate, HWND hWndOwner);
    // Creates the dialog from the template given (a property page's is a child of hWndOwner).
    BOOL CreateFromTemplate(const platform::DialogTemplate& dialogTemplate, HWND hWndOwner);

    DECLARE_MESSAGE_MAP()
};
