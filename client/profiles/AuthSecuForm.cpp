#include "client/profiles/AuthSecuForm.h"

#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/Dot1xSheet.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstdlib>
#include <cstring>

namespace
{

const int kKeyRadio[WEP_KEY_COUNT] = {IDC_AS_KEY1_RADIO, IDC_AS_KEY2_RADIO, IDC_AS_KEY3_RADIO,
                                      IDC_AS_KEY4_RADIO};
const int kKeyType[WEP_KEY_COUNT] = {IDC_AS_KEY1_TYPE, IDC_AS_KEY2_TYPE, IDC_AS_KEY3_TYPE,
                                     IDC_AS_KEY4_TYPE};
const int kKeyHex[WEP_KEY_COUNT] = {IDC_AS_KEY1_HEX, IDC_AS_KEY2_HEX, IDC_AS_KEY3_HEX,
                                    IDC_AS_KEY4_HEX};
const int kKeyAscii[WEP_KEY_COUNT] = {IDC_AS_KEY1_ASCII, IDC_AS_KEY2_ASCII, IDC_AS_KEY3_ASCII,
                                      IDC_AS_KEY4_ASCII};
const UINT kKeyText[WEP_KEY_COUNT] = {IDS_AS_KEY1, IDS_AS_KEY2, IDS_AS_KEY3, IDS_AS_KEY4};
const UINT kKeyHint[WEP_KEY_COUNT] = {IDS_AS_WEP_HINT1, IDS_AS_WEP_HINT2, IDS_AS_WEP_HINT3,
                                      IDS_AS_WEP_HINT4};

// A combo selection as an index: no selection (CB_ERR) counts as the first entry.
int SelectionIndex(const CComboBox& combo)
{
    int nSel = combo.GetCurSel();
    return nSel == CB_ERR ? 0 : nSel;
}

} // namespace

BOOL OsHasWpa2()
{
    return OsVersionCode == 7 || OsVersionCode == 8 || OsVersionCode == 10 || OsVersionCode == 11 ||
           OsVersionCode == 12;
}

template <class TBase>
CAuthSecuFormT<TBase>::CAuthSecuFormT(UINT nIDTemplate)
    : TBase(nIDTemplate), m_bLeap(0), m_bInfrastructure(1), m_nAuthIndex(0), m_nAuthMode(0),
      m_nEncryptIndex(0), m_bCcx(0), m_bCckm(0), m_nDefaultKey(0), m_bUse8021x(0),
      m_nLeapEncryption(0)
{
    SetDot1xDefaults(m_dot1x, 26);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
        m_nWepKeyType[i] = 0;
}

template <class TBase> CAuthSecuFormT<TBase>::~CAuthSecuFormT() {}

template <class TBase> void CAuthSecuFormT<TBase>::ExchangeAuthControls(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_AS_AUTH_COMBO, m_cbAuthType);
    DDX_Control(pDX, IDC_AS_ENCRYPT_COMBO, m_cbEncryption);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        DDX_Control(pDX, kKeyType[i], m_cbWepKeyType[i]);
        DDX_Control(pDX, kKeyHex[i], m_editWepKeyHex[i]);
    }
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        DDX_Text(pDX, kKeyHex[i], m_strWepKeyHex[i]);
        DDV_MaxChars(pDX, m_strWepKeyHex[i], 26);
        DDX_Text(pDX, kKeyAscii[i], m_strWepKeyAscii[i]);
        DDV_MaxChars(pDX, m_strWepKeyAscii[i], 13);
        DDX_CBIndex(pDX, kKeyType[i], m_nWepKeyType[i]);
    }
    DDX_Text(pDX, IDC_AS_PSK_EDIT, m_strWpaPsk);
    DDV_MaxChars(pDX, m_strWpaPsk, 64);
    DDX_Text(pDX, IDC_AS_LEAP_USER_EDIT, m_strLeapUser);
    DDV_MaxChars(pDX, m_strLeapUser, 256);
    DDX_Text(pDX, IDC_AS_LEAP_PASSWORD_EDIT, m_strLeapPassword);
    DDV_MaxChars(pDX, m_strLeapPassword, 256);
    DDX_Radio(pDX, IDC_AS_KEY1_RADIO, m_nDefaultKey);
    DDX_Check(pDX, IDC_AS_USE_8021X_CHECK, m_bUse8021x);
    DDX_Radio(pDX, IDC_AS_LEAP_WEP_RADIO, m_nLeapEncryption);
    if (pDX->m_bSaveAndValidate)
    {
        // An unselected combo or an unchecked radio group reads as -1; it counts as the first.
        for (int i = 0; i < WEP_KEY_COUNT; i++)
        {
            if (m_nWepKeyType[i] < 0)
                m_nWepKeyType[i] = 0;
        }
        if (m_nDefaultKey < 0)
            m_nDefaultKey = 0;
        if (m_nLeapEncryption < 0)
            m_nLeapEncryption = 0;
    }
}

template <class TBase> CString CAuthSecuFormT<TBase>::AuthTypeText(int nIndex)
{
    switch (nIndex)
    {
    case AUTH_INDEX_SHARED:
        return LoadText(IDS_AS_SHARED);
    case AUTH_INDEX_LEAP:
        return LoadText(IDS_AS_LEAP);
    case AUTH_INDEX_WPA_NONE:
        return "WPA-None";
    case AUTH_INDEX_WPA:
        return "WPA";
    case AUTH_INDEX_WPA_PSK:
        return "WPA-PSK";
    case AUTH_INDEX_WPA2:
        return "WPA2";
    case AUTH_INDEX_WPA2_PSK:
        return "WPA2-PSK";
    default:
        return LoadText(IDS_AS_OPEN);
    }
}

template <class TBase> int CAuthSecuFormT<TBase>::AuthTypeFromText(const CString& strText)
{
    for (int i = AUTH_INDEX_OPEN; i <= AUTH_INDEX_WPA2_PSK; i++)
    {
        if (strText == AuthTypeText(i))
            return i;
    }
    return AUTH_INDEX_OPEN;
}

template <class TBase>
int CAuthSecuFormT<TBase>::AuthModeFromIndex(int nIndex, BOOL bInfrastructure, int* pbLeap)
{
    switch (nIndex)
    {
    case AUTH_INDEX_SHARED:
        return 1;
    case AUTH_INDEX_LEAP:
    case AUTH_INDEX_WPA_NONE:
        if (!bInfrastructure)
            return 5;
        *pbLeap = 1;
        return 0;
    case AUTH_INDEX_WPA:
        return 3;
    case AUTH_INDEX_WPA_PSK:
        return 4;
    case AUTH_INDEX_WPA2:
        return OsHasWpa2() ? 6 : 3;
    case AUTH_INDEX_WPA2_PSK:
        return OsHasWpa2() ? 7 : 4;
    default:
        return 0;
    }
}

template <class TBase>
int CAuthSecuFormT<TBase>::AuthIndexFromMode(int nMode, BOOL bLeap, int nCurrentIndex)
{
    switch (nMode)
    {
    case 0:
        return bLeap ? AUTH_INDEX_LEAP : AUTH_INDEX_OPEN;
    case 1:
        return AUTH_INDEX_SHARED;
    case 5:
        return AUTH_INDEX_WPA_NONE;
    case 3:
        return AUTH_INDEX_WPA;
    case 4:
        return AUTH_INDEX_WPA_PSK;
    case 6:
        return OsHasWpa2() ? AUTH_INDEX_WPA2 : AUTH_INDEX_WPA;
    case 7:
        return OsHasWpa2() ? AUTH_INDEX_WPA2_PSK : AUTH_INDEX_WPA_PSK;
    default:
        return nCurrentIndex;
    }
}

template <class TBase> void CAuthSecuFormT<TBase>::FillAuthList()
{
    m_cbAuthType.ResetContent();
    m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_OPEN));
    if (m_bInfrastructure)
        m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_SHARED));
    if (g_bAllowSecuredConnect && g_nWpaSupport >= 4)
    {
        if (m_bInfrastructure)
        {
            m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA));
            m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA_PSK));
            if (OsHasWpa2())
            {
                m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA2));
                m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA2_PSK));
            }
        }
        else
        {
            m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA2_PSK));
        }
    }
}

template <class TBase> void CAuthSecuFormT<TBase>::FillEncryptionList()
{
    m_cbEncryption.ResetContent();
    if (m_nAuthIndex == AUTH_INDEX_OPEN || m_nAuthIndex == AUTH_INDEX_SHARED)
    {
        m_cbEncryption.AddString("None");
        m_cbEncryption.AddString("WEP");
        return;
    }
    BOOL bWpa = (m_nAuthIndex >= AUTH_INDEX_WPA_NONE && m_nAuthIndex <= AUTH_INDEX_WPA2_PSK) ||
                (m_nAuthIndex == AUTH_INDEX_LEAP && !m_bInfrastructure);
    if (!bWpa)
        return;
    if ((g_nWpaSupport == 4 || g_nWpaSupport == 6) && OffersTkip())
        m_cbEncryption.AddString("TKIP");
    if (g_nWpaSupport == 6)
        m_cbEncryption.AddString("AES");
}

template <class TBase> BOOL CAuthSecuFormT<TBase>::OffersTkip()
{
    return m_bInfrastructure;
}

template <class TBase> void CAuthSecuFormT<TBase>::ReadCcx2Control()
{
    char szCcx[32] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CCX2Control", szCcx,
                sizeof szCcx);
    if (szCcx[0] == '\0')
        return;
    unsigned long nCcx = strtoul(szCcx, NULL, 0);
    m_bCcx = static_cast<int>(nCcx & 1);
    if (m_bCcx == 1)
        m_bCckm = static_cast<int>((nCcx >> 1) & 1);
}

template <class TBase> void CAuthSecuFormT<TBase>::SyncAuthControls(BOOL bSave)
{
    if (bSave)
    {
        FormWnd().UpdateData(TRUE);
        m_bLeap = 0;
        CString strAuth;
        int nSel = m_cbAuthType.GetCurSel();
        if (nSel != CB_ERR)
            m_cbAuthType.GetLBText(nSel, strAuth);
        m_nAuthIndex = AuthTypeFromText(strAuth);
        m_nEncryptIndex = SelectionIndex(m_cbEncryption);
        m_nAuthMode = AuthModeFromIndex(m_nAuthIndex, m_bInfrastructure, &m_bLeap);
        if (m_bInfrastructure &&
            (m_nAuthIndex == AUTH_INDEX_LEAP || m_nAuthIndex == AUTH_INDEX_WPA_NONE))
        {
            m_bUse8021x = 0;
            m_nEncryptIndex = 0;
        }

        const int kShown[] = {IDC_AS_ENCRYPT_LABEL, IDC_AS_ENCRYPT_COMBO, IDC_AS_PSK_LABEL,
                              IDC_AS_PSK_EDIT,      IDC_AS_WEP_GROUP,     IDC_AS_WEP_HINT};
        for (int nID : kShown)
        {
            if (CWnd* pWnd = Item(nID))
                pWnd->ShowWindow(SW_SHOW);
        }
        const int kHidden[] = {IDC_AS_LEAP_USER_LABEL,     IDC_AS_LEAP_USER_EDIT,
                               IDC_AS_LEAP_PASSWORD_LABEL, IDC_AS_LEAP_PASSWORD_EDIT,
                               IDC_AS_LEAP_WEP_RADIO,      IDC_AS_LEAP_TKIP_RADIO,
                               IDC_AS_LEAP_AES_RADIO};
        for (int nID : kHidden)
        {
            if (CWnd* pWnd = Item(nID))
                pWnd->ShowWindow(SW_HIDE);
        }
        BOOL bShow8021x = m_bInfrastructure &&
                          (m_nAuthIndex == AUTH_INDEX_OPEN || m_nAuthIndex == AUTH_INDEX_SHARED) &&
                          g_bAllowSecuredConnect;
        if (CWnd* pCheck = Item(IDC_AS_USE_8021X_CHECK))
            pCheck->ShowWindow(bShow8021x ? SW_SHOW : SW_HIDE);
        for (int i = 0; i < WEP_KEY_COUNT; i++)
        {
            if (CWnd* pRadio = Item(kKeyRadio[i]))
                pRadio->ShowWindow(SW_SHOW);
            m_cbWepKeyType[i].ShowWindow(SW_SHOW);
            BOOL bAscii = m_nWepKeyType[i] == 1;
            m_editWepKeyHex[i].ShowWindow(bAscii ? SW_HIDE : SW_SHOW);
            if (CWnd* pAscii = Item(kKeyAscii[i]))
                pAscii->ShowWindow(bAscii ? SW_SHOW : SW_HIDE);
        }
        return;
    }

    FormWnd().UpdateData(FALSE);
    if (g_nWpaSupport != 0 && (m_bUse8021x || m_nAuthMode == 3 || m_nAuthMode == 6))
    {
        FormWnd().SetDlgItemText(IDC_AS_ENABLE_8021X, LoadText(IDS_AS_DISABLE_8021X));
        if (CWnd* pButton = Item(IDC_AS_8021X_SETTING))
            pButton->EnableWindow(TRUE);
    }
    else
    {
        FormWnd().SetDlgItemText(IDC_AS_ENABLE_8021X, LoadText(IDS_AS_USE_8021X));
        if (CWnd* pButton = Item(IDC_AS_8021X_SETTING))
            pButton->EnableWindow(FALSE);
    }
    if (m_nAuthMode == 0 && m_bLeap)
        m_bUse8021x = 0;
    // Where the system has no WPA2 the ad hoc WPA entry gives mode 4, which the sheet stores
    // as WPA-None (5). Both come back as that entry: there is no other WPA entry in ad hoc, and
    // the prefix search would fall back to "Open" the moment the entry is chosen.
    if (!m_bInfrastructure && (m_nAuthMode == 4 || m_nAuthMode == 5) && !OsHasWpa2())
        m_nAuthIndex = AUTH_INDEX_WPA2_PSK;
    else
        m_nAuthIndex = AuthIndexFromMode(m_nAuthMode, m_bLeap, m_nAuthIndex);
    if (m_cbAuthType.SelectString(-1, AuthTypeText(m_nAuthIndex)) == CB_ERR)
    {
        m_nAuthIndex = AUTH_INDEX_OPEN;
        m_cbAuthType.SetCurSel(0);
    }
    if (m_nEncryptIndex < 0 || m_nEncryptIndex >= m_cbEncryption.GetCount())
        m_nEncryptIndex = 0;
    m_cbEncryption.SetCurSel(m_nEncryptIndex);
}

template <class TBase> void CAuthSecuFormT<TBase>::EnableWepKeys(BOOL bEnable)
{
    auto enable = [this](int nID, BOOL bOn)
    {
        if (CWnd* pWnd = Item(nID))
            pWnd->EnableWindow(bOn);
    };
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        // Ad hoc networks use key 1 only.
        BOOL bOn = bEnable && (i == 0 || m_bInfrastructure);
        enable(kKeyHex[i], bOn);
        enable(kKeyAscii[i], bOn);
        enable(kKeyType[i], bOn);
        enable(kKeyRadio[i], bOn);
    }
    enable(IDC_AS_WEP_GROUP, bEnable && m_bInfrastructure);
    enable(IDC_AS_WEP_HINT, bEnable);
    if (bEnable && !m_bInfrastructure)
    {
        m_nDefaultKey = 0;
        FormWnd().CheckRadioButton(IDC_AS_KEY1_RADIO, IDC_AS_KEY4_RADIO, IDC_AS_KEY1_RADIO);
    }
}

template <class TBase> void CAuthSecuFormT<TBase>::UpdateWepKeysFor8021x()
{
    if (m_bUse8021x && m_dot1x.nAuthenProtocol != DOT1X_METHOD_MD5)
        EnableWepKeys(FALSE);
    else if (m_nAuthIndex == AUTH_INDEX_SHARED || m_nEncryptIndex == 1)
        EnableWepKeys(TRUE);
}

template <class TBase> void CAuthSecuFormT<TBase>::UpdateWepKeyHint()
{
    int nKey = m_nDefaultKey >= 0 && m_nDefaultKey < WEP_KEY_COUNT ? m_nDefaultKey : 0;
    FormWnd().SetDlgItemText(IDC_AS_WEP_HINT, LoadText(kKeyHint[nKey]));
}

template <class TBase> BOOL CAuthSecuFormT<TBase>::IsDot1xConfigValid()
{
    return TRUE;
}

template <class TBase> void CAuthSecuFormT<TBase>::InitAuthControls()
{
    for (int i = 0; i < WEP_KEY_COUNT; i++)
        m_editWepKeyHex[i].SetCharMask(SMARTEDIT_MASK_HEX);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        m_cbWepKeyType[i].ResetContent();
        m_cbWepKeyType[i].AddString(LoadText(IDS_AS_HEX));
        m_cbWepKeyType[i].AddString(LoadText(IDS_AS_ASCII));
    }
    FormWnd().SetDlgItemText(IDC_AS_AUTH_LABEL, LoadText(IDS_AS_LABEL_AUTH));
    FormWnd().SetDlgItemText(IDC_AS_ENCRYPT_LABEL, LoadText(IDS_AS_LABEL_ENCRYPT));
    FormWnd().SetDlgItemText(IDC_AS_PSK_LABEL, LoadText(IDS_AS_LABEL_PSK));
    for (int i = 0; i < WEP_KEY_COUNT; i++)
        FormWnd().SetDlgItemText(kKeyRadio[i], LoadText(kKeyText[i]));
    UpdateWepKeyHint();
    FormWnd().SetDlgItemText(IDC_AS_SHOW_PASSWORD, LoadText(IDS_AS_SHOW_PASSWORD));
    FormWnd().SetDlgItemText(IDC_AS_8021X_SETTING, LoadText(IDS_AS_8021X_SETTING));
    FormWnd().SetDlgItemText(IDC_AS_WEP_GROUP, LoadText(IDS_AS_WEP_GROUP));
    FormWnd().SetDlgItemText(IDC_AS_USE_8021X_CHECK, LoadText(IDS_AS_USE_8021X));
}

template <class TBase> void CAuthSecuFormT<TBase>::RefreshAuthControls()
{
    FillAuthList();
    if (!m_bInfrastructure)
        m_bUse8021x = 0;
    FillEncryptionList();
    SyncAuthControls(FALSE);
    UpdateWepKeyHint();
    OnAuthTypeChange();
}

template <class TBase> void CAuthSecuFormT<TBase>::OnAuthTypeChange()
{
    SyncAuthControls(TRUE);
    FillEncryptionList();

    BOOL bMayShow8021x = FALSE;
    if (m_nAuthIndex == AUTH_INDEX_OPEN || m_nAuthIndex == AUTH_INDEX_SHARED)
    {
        bMayShow8021x = m_bInfrastructure;
    }
    else if (m_nAuthIndex >= AUTH_INDEX_WPA_NONE && m_nAuthIndex <= AUTH_INDEX_WPA2_PSK)
    {
        // WPA and WPA2 without a pre-shared key always authenticate through 802.1X.
        m_bUse8021x = m_bInfrastructure &&
                      (m_nAuthIndex == AUTH_INDEX_WPA || m_nAuthIndex == AUTH_INDEX_WPA2);
    }
    if (CWnd* pCheck = Item(IDC_AS_USE_8021X_CHECK))
        pCheck->ShowWindow(bMayShow8021x && g_bAllowSecuredConnect ? SW_SHOW : SW_HIDE);

    SyncAuthControls(FALSE);
    OnEncryptionChange();
}

template <class TBase> void CAuthSecuFormT<TBase>::OnEncryptionChange()
{
    SyncAuthControls(TRUE);
    CWnd* pPsk = Item(IDC_AS_PSK_EDIT);
    auto enablePsk = [pPsk](BOOL bOn)
    {
        if (pPsk != NULL)
            pPsk->EnableWindow(bOn);
    };
    if (m_nAuthIndex == AUTH_INDEX_OPEN && m_nEncryptIndex == 0)
    {
        enablePsk(FALSE);
        EnableWepKeys(FALSE);
    }
    else if (m_nAuthIndex == AUTH_INDEX_OPEN || m_nAuthIndex == AUTH_INDEX_SHARED)
    {
        enablePsk(FALSE);
        EnableWepKeys(!(m_bUse8021x && m_dot1x.nAuthenProtocol != DOT1X_METHOD_MD5));
    }
    else if ((!m_bInfrastructure && m_nAuthIndex == AUTH_INDEX_WPA_NONE) ||
             m_nAuthIndex == AUTH_INDEX_WPA_PSK || m_nAuthIndex == AUTH_INDEX_WPA2_PSK)
    {
        enablePsk(TRUE);
        EnableWepKeys(FALSE);
    }
    else if (m_bInfrastructure &&
             (m_nAuthIndex == AUTH_INDEX_WPA || m_nAuthIndex == AUTH_INDEX_WPA2))
    {
        enablePsk(FALSE);
        EnableWepKeys(FALSE);
    }
}

template <class TBase> void CAuthSecuFormT<TBase>::OnWepKeyTypeChange()
{
    SyncAuthControls(TRUE);
    UpdateWepKeyHint();
}

template <class TBase> void CAuthSecuFormT<TBase>::OnDefaultKeyChange()
{
    SyncAuthControls(TRUE);
    UpdateWepKeyHint();
}

template <class TBase> void CAuthSecuFormT<TBase>::On8021xSetting()
{
    BOOL bWpaMode = FALSE;
    if (m_bInfrastructure && (m_nAuthIndex == AUTH_INDEX_WPA || m_nAuthIndex == AUTH_INDEX_WPA2))
        bWpaMode = TRUE;
    else if (!(m_bInfrastructure &&
               (m_nAuthIndex == AUTH_INDEX_OPEN || m_nAuthIndex == AUTH_INDEX_SHARED)))
    {
        if (CWnd* pButton = Item(IDC_AS_8021X_SETTING))
            pButton->EnableWindow(FALSE);
        return;
    }

    // The sheet edits a copy: Cancel leaves the profile's settings as they were.
    C8021xSheet sheet("802.1x Setting", &FormWnd());
    sheet.m_bWpaMode = bWpaMode;
    sheet.m_dot1x = m_dot1x;
    sheet.PushDot1xSettings();
    if (sheet.DoModal() != IDOK)
        return;
    m_dot1x = sheet.m_dot1x;
    // The client certificate chosen is the one the profile saves.
    SetCertDataLength(&g_pClientCertData, &g_nClientCertLen, m_dot1x.nClientCertHashLen);
    if (g_pClientCertData != NULL)
        memcpy(g_pClientCertData, m_dot1x.abClientCertHash, g_nClientCertLen);
    sheet.CommitCurrentProfilePac();
    UpdateWepKeysFor8021x();
}

template <class TBase> void CAuthSecuFormT<TBase>::OnEnable8021xButton()
{
    SyncAuthControls(TRUE);
    m_bUse8021x = !m_bUse8021x;
    UpdateWepKeysFor8021x();
    SyncAuthControls(FALSE);
}

template <class TBase> void CAuthSecuFormT<TBase>::OnUse8021xCheck()
{
    SyncAuthControls(TRUE);
    UpdateWepKeysFor8021x();
    SyncAuthControls(FALSE);
}

template <class TBase> void CAuthSecuFormT<TBase>::OnShowPassword()
{
    char chPassword = FormWnd().IsDlgButtonChecked(IDC_AS_SHOW_PASSWORD) ? '\0' : '*';
    int anEdits[2 * WEP_KEY_COUNT + 2];
    int nEdits = 0;
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        anEdits[nEdits++] = kKeyHex[i];
        anEdits[nEdits++] = kKeyAscii[i];
    }
    anEdits[nEdits++] = IDC_AS_LEAP_PASSWORD_EDIT;
    anEdits[nEdits++] = IDC_AS_PSK_EDIT;
    for (int i = 0; i < nEdits; i++)
    {
        CWnd* pEdit = Item(anEdits[i]);
        if (pEdit == NULL)
            continue;
        // A disabled edit would not take the change.
        BOOL bDisabled = !pEdit->IsWindowEnabled();
        if (bDisabled)
            pEdit->EnableWindow(TRUE);
        pEdit->SendMessage(EM_SETPASSWORDCHAR, static_cast<WPARAM>(chPassword), 0);
        pEdit->Invalidate();
        if (bDisabled)
            pEdit->EnableWindow(FALSE);
    }
}

template class CAuthSecuFormT<CPropertyPage>;
template class CAuthSecuFormT<CDialog>;
