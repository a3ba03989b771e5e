#pragma once
// The Authentication and Security page of the profile editor: authentication type, encryption,
// the WPA pre-shared key, the four WEP keys and the 802.1X switch. The page works in two
// numberings: the index of the authentication list the user sees and the NDIS 802.11
// authentication mode the sheet stores.

#include "client/profiles/Dot1xSettings.h"
#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

// Authentication list indexes.
inline constexpr int AUTH_INDEX_OPEN = 0;
inline constexpr int AUTH_INDEX_SHARED = 1;
inline constexpr int AUTH_INDEX_LEAP = 2;
inline constexpr int AUTH_INDEX_WPA_NONE = 3;
inline constexpr int AUTH_INDEX_WPA = 4;
inline constexpr int AUTH_INDEX_WPA_PSK = 5;
inline constexpr int AUTH_INDEX_WPA2 = 6;
inline constexpr int AUTH_INDEX_WPA2_PSK = 7;

inline constexpr int WEP_KEY_COUNT = 4;

// WPA2 is offered only where the system's own supplicant knows it.
BOOL OsHasWpa2();

class CAuthSecuPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAuthSecuPage)
public:
    CAuthSecuPage();
    virtual ~CAuthSecuPage();

    enum
    {
        IDD = IDD_AUTHSECU_PAGE
    };

    CComboBox m_cbAuthType;
    CComboBox m_cbEncryption;
    CComboBox m_cbWepKeyType[WEP_KEY_COUNT];
    CSmartEdit m_editWepKeyHex[WEP_KEY_COUNT];

    int m_bLeap;
    int m_bInfrastructure; // 1 infrastructure, 0 ad hoc
    int m_nAuthIndex;
    int m_nAuthMode; // NDIS: 0 Open, 1 Shared, 3 WPA, 4 WPA-PSK, 5 WPA-None, 6 WPA2, 7 WPA2-PSK
    int m_nEncryptIndex;
    int m_bCcx;
    int m_bCckm;
    Dot1xSettings m_dot1x;
    CString m_strWepKeyHex[WEP_KEY_COUNT];
    CString m_strWepKeyAscii[WEP_KEY_COUNT];
    int m_nWepKeyType[WEP_KEY_COUNT]; // 0 hex, 1 ASCII
    CString m_strWpaPsk;
    CString m_strLeapUser;
    CString m_strLeapPassword;
    int m_nDefaultKey; // 0..3
    int m_bUse8021x;
    int m_nLeapEncryption; // 0 WEP, 1 WPA-TKIP, 2 WPA2-AES

    // The text of an authentication index ("Open" above 7) and the index of a text (exact
    // comparison, 0 when unknown).
    static CString AuthTypeText(int nIndex);
    static int AuthTypeFromText(const CString& strText);
    // The NDIS mode stored for an index; *pbLeap becomes 1 for LEAP in infrastructure.
    static int AuthModeFromIndex(int nIndex, BOOL bInfrastructure, int* pbLeap);
    // The index shown for a stored mode; nCurrentIndex for a mode the list has no entry for.
    static int AuthIndexFromMode(int nMode, BOOL bLeap, int nCurrentIndex);

    // Saving (TRUE): controls into members, then the controls' visibility. Loading (FALSE):
    // members into the controls, selecting the authentication and encryption entries.
    void SyncAuthControls(BOOL bSave);
    void EnableWepKeys(BOOL bEnable);
    void FillAuthList();
    void FillEncryptionList();
    void UpdateWepKeyHint();
    BOOL IsDot1xConfigValid();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnOK() override;
    BOOL OnApply() override;

    afx_msg void OnAuthTypeChange();
    afx_msg void OnEncryptionChange();
    afx_msg void OnWepKeyTypeChange();
    afx_msg void OnDefaultKeyChange();
    afx_msg void On8021xSetting();
    afx_msg void OnEnable8021xButton();
    afx_msg void OnUse8021xCheck();
    afx_msg void OnShowPassword();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // WEP keys off while 802.1X hands out keys, unless its method is MD5-Challenge.
    void UpdateWepKeysFor8021x();

    DECLARE_MESSAGE_MAP()
};
