#pragma once
// What the Authentication and Security page and its dialog form share: the members, the two
// numberings of authentication (the index of the list the user sees and the NDIS 802.11 mode
// the sheet stores), the lists, the control states and the handlers. It stands between the
// window class (CPropertyPage, CDialog) and the page or dialog, which maps its messages here.

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

// The message map entries both forms share; each maps the "Use 802.1x" check itself.
#define ON_AUTHSECU_FORM_NOTIFICATIONS()                                                           \
    ON_CBN_SELCHANGE(IDC_AS_AUTH_COMBO, OnAuthTypeChange)                                          \
    ON_CBN_SELCHANGE(IDC_AS_ENCRYPT_COMBO, OnEncryptionChange)                                     \
    ON_CBN_SELCHANGE(IDC_AS_KEY1_TYPE, OnWepKeyTypeChange)                                         \
    ON_CBN_SELCHANGE(IDC_AS_KEY2_TYPE, OnWepKeyTypeChange)                                         \
    ON_CBN_SELCHANGE(IDC_AS_KEY3_TYPE, OnWepKeyTypeChange)                                         \
    ON_CBN_SELCHANGE(IDC_AS_KEY4_TYPE, OnWepKeyTypeChange)                                         \
    ON_BN_CLICKED(IDC_AS_KEY1_RADIO, OnDefaultKeyChange)                                           \
    ON_BN_CLICKED(IDC_AS_KEY2_RADIO, OnDefaultKeyChange)                                           \
    ON_BN_CLICKED(IDC_AS_KEY3_RADIO, OnDefaultKeyChange)                                           \
    ON_BN_CLICKED(IDC_AS_KEY4_RADIO, OnDefaultKeyChange)                                           \
    ON_BN_CLICKED(IDC_AS_8021X_SETTING, On8021xSetting)                                            \
    ON_BN_CLICKED(IDC_AS_ENABLE_8021X, OnEnable8021xButton)                                        \
    ON_BN_CLICKED(IDC_AS_SHOW_PASSWORD, OnShowPassword)

// WPA2 is offered only where the system's own supplicant knows it.
BOOL OsHasWpa2();

template <class TBase> class CAuthSecuFormT : public TBase
{
public:
    explicit CAuthSecuFormT(UINT nIDTemplate);
    virtual ~CAuthSecuFormT();

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
    // The lists the page offers; the dialog form offers its own.
    virtual void FillAuthList();
    virtual void FillEncryptionList();
    void UpdateWepKeyHint();
    BOOL IsDot1xConfigValid();
    // m_bCcx and m_bCckm from "CCX2Control" of "Config" (bit 0, and bit 1 when bit 0 is set),
    // when it is set.
    void ReadCcx2Control();

    // The handlers, shared by both forms.
    void OnAuthTypeChange();
    void OnEncryptionChange();
    void OnWepKeyTypeChange();
    void OnDefaultKeyChange();
    void On8021xSetting();
    void OnEnable8021xButton();
    void OnUse8021xCheck();
    void OnShowPassword();

protected:
    // The window the controls belong to.
    TBase& FormWnd() { return *this; }
    CWnd* Item(int nID) { return FormWnd().GetDlgItem(nID); }

    void ExchangeAuthControls(CDataExchange* pDX);
    // Whether the WPA family's encryption list offers TKIP (the page: in infrastructure only).
    virtual BOOL OffersTkip();
    // The key edits' filter, the key types and the labels (the initialisation both forms do).
    void InitAuthControls();
    // The lists refilled and the controls set from the members (each activation of the page).
    void RefreshAuthControls();
    // WEP keys off while 802.1X hands out keys, unless its method is MD5-Challenge.
    void UpdateWepKeysFor8021x();
};

// The page's and the dialog's forms (AuthSecuForm.cpp).
extern template class CAuthSecuFormT<CPropertyPage>;
extern template class CAuthSecuFormT<CDialog>;
