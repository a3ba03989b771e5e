#pragma once
// The dialog form of the Authentication and Security page: the same controls, lists, mappings
// and handlers in a dialog of its own with OK and Cancel. It offers its own lists (Shared also in
// ad hoc, WPA-None for ad hoc, TKIP whatever the network type), reads "CCX2Control" itself and
// checks LEAP's identity and password on OK. Nothing in the program opens it.

#include "client/profiles/AuthSecuForm.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CAuthSecuDlg : public CAuthSecuFormT<CDialog>
{
    DECLARE_DYNCREATE(CAuthSecuDlg)
public:
    CAuthSecuDlg(CWnd* pParent = NULL);
    virtual ~CAuthSecuDlg();

    enum
    {
        IDD = IDD_AUTHSECU_DIALOG
    };

    void FillAuthList() override;

    BOOL OnInitDialog() override;
    // The controls read and checked; the ASCII WEP keys become their stored hex form.
    void OnOK() override;

    afx_msg void OnUse8021xToggle();

protected:
    BOOL OffersTkip() override;
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
