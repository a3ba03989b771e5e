#pragma once
// The security dialog of the Config page: authentication type, encryption, the WPA pre-shared
// key and its group rekey interval, and the four WEP keys with their types and the default key.
// It edits a copy of the page's ApSecuritySettings and touches neither the registry nor the
// driver: on OK the caller takes the record back. The RADIUS fields are hidden but keep their
// values through data exchange.

#include "accesspoint/settings/ApSecuritySettings.h"
#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

// Positions of the authentication list and the codes they stand for.
inline constexpr int AP_AUTH_POSITIONS = 5;

class CAuthSecuDlg : public CDialog
{
    DECLARE_DYNAMIC(CAuthSecuDlg)
public:
    CAuthSecuDlg(CWnd* pParent = NULL);
    virtual ~CAuthSecuDlg();

    enum
    {
        IDD = IDD_AUTHSECU_DIALOG
    };

    // The record the dialog edits: the caller fills it before DoModal and reads it after IDOK.
    ApSecuritySettings m_Settings;

    // The code of an authentication position (0 Open, 1 Shared, 4, 7, 9) and the position that
    // shows a code: 4, 7, 9 at 2, 3, 4, any other code at its own number (so 2 shows as
    // WPA-PSK and 3 as WPA2-PSK).
    static int AuthCodeOfPosition(int nPosition);
    static int AuthPositionOfCode(int nCode);
    // The encryption code a position stands for under an authentication code, and the
    // position shown for a stored encryption code.
    static int EncryptionCodeOfPosition(int nAuthCode, int nPosition);
    static int EncryptionPositionOfCode(int nEncryption);
    // The check of OK for the dialog's current choice: 0 when it passes, else the message's
    // string id.
    UINT CheckKeys() const;

protected:
    CComboBox m_cbAuth;
    CComboBox m_cbEncryption;
    CComboBox m_cbKeyType[AP_WEP_KEYS];
    CSmartEdit m_editHexKey[AP_WEP_KEYS];
    CSmartEdit m_editAsciiKey[AP_WEP_KEYS];

    // Working members.
    int m_nAuthPosition;
    int m_nAuthCode;
    int m_nEncryptPosition;
    CString m_strHexKey[AP_WEP_KEYS];
    CString m_strAsciiKey[AP_WEP_KEYS];
    int m_nKeyType[AP_WEP_KEYS];
    int m_nDefaultKey;
    CString m_strPsk;
    UINT m_nRekeyInterval;
    int m_nRekeyMethod;
    UINT m_nRadiusPort;
    DWORD m_dwRadiusIp;
    CString m_strRadiusKey;
    CString m_strAuthLabel;
    CString m_strEncryptLabel;
    CString m_strPskLabel;
    CString m_strRekeyLabel;

    CString m_strWepLengthMessage;
    CString m_strPskLengthMessage;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    // Controls into the working members: the authentication position as its code.
    BOOL ReadBack();
    // The lists selected from the working members; a code or position the list has no entry
    // for selects its first entry.
    void SelectLists();
    void FillEncryptionList();
    // WEP in use: Shared, or Open with "WEP".
    BOOL IsWepSelected() const;
    BOOL IsWpaSelected() const;
    void SetEnableState();
    void ShowKeyEdits(int nKey);
    void SetRekeyUnitText();

    afx_msg void OnSelchangeAuth();
    afx_msg void OnSelchangeEncryption();
    afx_msg void OnSelchangeKey1Type();
    afx_msg void OnSelchangeKey2Type();
    afx_msg void OnSelchangeKey3Type();
    afx_msg void OnSelchangeKey4Type();
    afx_msg void OnKeyRadio(UINT nID);
    afx_msg void OnRekeyUnit();
    afx_msg void OnShowPassword();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void OnSelchangeKeyType(int nKey);
};
