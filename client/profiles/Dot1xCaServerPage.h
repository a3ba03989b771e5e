#pragma once
// The 802.1X sheet's CA Server page: whether the server's certificate chain is validated, the
// authority that must have issued it (any trusted one, or a root of the "ROOT" store), whether
// intermediate certificates are allowed, and the server name with its matching rule.

#include "client/profiles/CertDesc.h"
#include "client/profiles/Dot1xSettings.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class C8021xCaServerPage : public CPropertyPage
{
    DECLARE_DYNCREATE(C8021xCaServerPage)
public:
    C8021xCaServerPage();
    virtual ~C8021xCaServerPage();

    enum
    {
        IDD = IDD_8021X_CASERVER_PAGE
    };

    CCertDescArray m_RootCertList; // the "ROOT" store's records, entry i + 1 of the issuer list
    Dot1xSettings m_dot1x;         // the sheet's record, pushed in before the page is shown
    CComboBox m_cbIssuer;
    CertDesc m_ChosenIssuer;
    CertDesc m_StoredIssuer; // the program-wide CA description as the page opened
    BOOL m_bValidateChain;
    BOOL m_bIntermediateCert;
    CString m_strServerName;
    int m_nNameRule; // 0 exact server name, 1 domain suffix
    int m_nIssuerIndex;
    CString m_strServerNameLabel;
    CString m_strIssuerLabel;

    // Appends the records of the store's certificates that have a subject.
    void EnumRootCertificates(LPCSTR pszStore);
    // Data exchange that way; saving also takes the validation values into the record (FALSE
    // when the controls do not read).
    BOOL SaveCaControls(BOOL bSave);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnApply() override;

    afx_msg void OnValidateChainCheck();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
