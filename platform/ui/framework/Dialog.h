#pragma once
// A dialog: a window made from a dialog template, run modally (DoModal returns the value given
// to EndDialog) or modelessly (Create). IDOK and IDCANCEL end it through OnOK and OnCancel.

#include "platform/base/SizeTypes.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/framework/Wnd.h"

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

    virtual BOOL OnInitDialog();

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    // The owner of the modal run: the parent's top-level window, else the main window.
    HWND PreModal();
    BOOL CreateFromTemplate(UINT nIDTemplate, HWND hWndOwner);

    DECLARE_MESSAGE_MAP()
};
