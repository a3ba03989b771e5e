#pragma once
// The 802.1X sheet's Authentication page: the EAP method, the inner methods of the tunnelled
// methods, identities and passwords, the password mode of token cards, the client certificate
// (chosen in the certificate selection dialog), session resumption, and for FAST the PAC file
// and the provisioning options.

#include "client/profiles/CertDesc.h"
#include "client/profiles/Dot1xSettings.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class C8021xAuthPage : public CPropertyPage
{
    DECLARE_DYNCREATE(C8021xAuthPage)
public:
    C8021xAuthPage();
    virtual ~C8021xAuthPage();

    enum
    {
        IDD = IDD_8021X_AUTH_PAGE
    };

    Dot1xSettings m_dot1x; // the sheet's record, pushed in before the page is shown
    CertDesc m_ClientCert; // the client certificate chosen in this run

    CComboBox m_cbMethod;
    CComboBox m_cbInnerType;
    CComboBox m_cbProvisioning;
    int m_nMethodIndex;       // method list 1144: the method code, for the methods it lists
    int m_nInnerIndex;        // inner list 1137
    int m_nProvisioningIndex; // provisioning list 1142
    int m_nSessionResumption; // list 1227
    CString m_strIdentity;
    CString m_strPassword;
    CString m_strTunnelID;
    CString m_strTunnelPassword;
    int m_nPasswordMode; // radios 1224 (0, soft token) and 1228 (1, static password)
    BOOL m_bUseClientCert;
    BOOL m_bWindowsLogon; // its value goes nowhere
    BOOL m_bUsePac;
    BOOL m_bProvisionMode;

    // Saving (TRUE): the controls into the record (FALSE when they do not read). Loading
    // (FALSE): the members into the controls, with the method's entry.
    BOOL SaveToRecord(BOOL bSave);
    // The controls that follow the method and the inner methods.
    void RefreshMethodControls();

    // A line of the page: the label of string nID, " : ", then the text.
    static CString CertLineText(UINT nID, LPCSTR pszText);

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    afx_msg void OnSelectClientCert();
    afx_msg void OnMethodChange();
    afx_msg void OnUseClientCert();
    afx_msg void OnWindowsLogon();
    afx_msg void OnInnerChange();
    afx_msg void OnSoftToken();
    afx_msg void OnStaticPassword();
    afx_msg void OnPacImport();
    afx_msg void OnUsePac();
    afx_msg void OnPacRemove();
    afx_msg void OnProvisionMode();
    afx_msg void OnProvisioningChange();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetValidateServer(BOOL bValidate);
    void EnableItem(int nID, BOOL bEnable);
    void ShowItem(int nID, BOOL bShow);
    // The members from the record.
    void TakeRecordValues();
    // The client-certificate, tunnel-password and password-mode rules of the inner methods.
    void ApplyInnerRules();
    void ShowPasswordMode(BOOL bShow);
    void EnableTunnelPassword(BOOL bEnable);
    void EnableCertificateLines(BOOL bEnable);
    void EnablePacControls(BOOL bEnable);
    void ShowCertificateLines(const CertDesc& desc);
    void ShowPacPath(LPCSTR pszPath);

    CString m_strShownPacPath; // the path the "File Path" line shows

    DECLARE_MESSAGE_MAP()
};
