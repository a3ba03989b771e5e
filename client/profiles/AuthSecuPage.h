#pragma once
// The Authentication and Security page of the profile editor: authentication type, encryption,
// the WPA pre-shared key, the four WEP keys and the 802.1X switch with its settings (the form's
// work is CAuthSecuFormT's; the page adds its activation and the sheet's apply).

#include "client/profiles/AuthSecuForm.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CAuthSecuPage : public CAuthSecuFormT<CPropertyPage>
{
    DECLARE_DYNCREATE(CAuthSecuPage)
public:
    CAuthSecuPage();
    virtual ~CAuthSecuPage();

    enum
    {
        IDD = IDD_AUTHSECU_PAGE
    };

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnOK() override;
    BOOL OnApply() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
