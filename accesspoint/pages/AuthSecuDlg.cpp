#include "accesspoint/pages/AuthSecuDlg.h"

#include "adapter/crypto/HexKeyText.h"
#include "adapter/crypto/HexToBytes.h"
#include "resources/TessarynAp/TessarynApStrings.h"

namespace
{

const int kAuthCodes[AP_AUTH_POSITIONS] = {0, 1, 4, 7, 9};
const UINT kAuthTexts[AP_AUTH_POSITIONS] = {IDS_SECU_OPEN, IDS_SECU_SHARED, IDS_SECU_WPA_PSK,
                                            IDS_SECU_WPA2_PSK, IDS_SECU_WPA_WPA2_PSK};

const int kKeyRadio[AP_WEP_KEYS] = {IDC_SECU_KEY1_RADIO, IDC_SECU_KEY2_RADIO, IDC_SECU_KEY3_RADIO,
                                    IDC_SECU_KEY4_RADIO};
const int kKeyType[AP_WEP_KEYS] = {IDC_SECU_KEY1_TYPE, IDC_SECU_KEY2_TYPE, IDC_SECU_KEY3_TYPE,
                                   IDC_SECU_KEY4_TYPE};
const int kKeyHex[AP_WEP_KEYS] = {IDC_SECU_KEY1_HEX, IDC_SECU_KEY2_HEX, IDC_SECU_KEY3_HEX,
                                  IDC_SECU_KEY4_HEX};
const int kKeyAscii[AP_WEP_KEYS] = {IDC_SECU_KEY1_ASCII, IDC_SECU_KEY2_ASCII, IDC_SECU_KEY3_ASCII,
                                    IDC_SECU_KEY4_ASCII};
const UINT kKeyText[AP_WEP_KEYS] = {IDS_SECU_KEY1, IDS_SECU_KEY2, IDS_SECU_KEY3, IDS_SECU_KEY4};

#define KEY_TYPE_HEX 0
#define KEY_TYPE_ASCII 1

BOOL IsHexKeyLength(int nLength)
{
    return nLength == 10 || nLength == 26;
}

BOOL IsAsciiKeyLength(int nLength)
{
    return nLength == 5 || nLength == 13;
}

BOOL IsAllHex(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (HexDigitValue(strText[i]) > 15)
            return FALSE;
    }
    return TRUE;
}

} // namespace

IMPLEMENT_DYNAMIC(CAuthSecuDlg, CDialog)

BEGIN_MESSAGE_MAP(CAuthSecuDlg, CDialog)
ON_CBN_SELCHANGE(IDC_SECU_AUTH_COMBO, OnSelchangeAuth)
ON_CBN_SELCHANGE(IDC_SECU_ENCRYPT_COMBO, OnSelchangeEncryption)
ON_CBN_SELCHANGE(IDC_SECU_KEY1_TYPE, OnSelchangeKey1Type)
ON_CBN_SELCHANGE(IDC_SECU_KEY2_TYPE, OnSelchangeKey2Type)
ON_CBN_SELCHANGE(IDC_SECU_KEY3_TYPE, OnSelchangeKey3Type)
ON_CBN_SELCHANGE(IDC_SECU_KEY4_TYPE, OnSelchangeKey4Type)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SECU_KEY1_RADIO, IDC_SECU_KEY4_RADIO, OnKeyRadio)
ON_BN_CLICKED(IDC_SECU_REKEY_UNIT, OnRekeyUnit)
ON_BN_CLICKED(IDC_SECU_SHOW_PASSWORD, OnShowPassword)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAuthSecuDlg::CAuthSecuDlg(CWnd* pParent)
    : CDialog(CAuthSecuDlg::IDD, pParent), m_nAuthPosition(0), m_nAuthCode(0),
      m_nEncryptPosition(0), m_nDefaultKey(0), m_nRekeyInterval(0), m_nRekeyMethod(0),
      m_nRadiusPort(0), m_dwRadiusIp(0)
{
    for (int i = 0; i < AP_WEP_KEYS; i++)
        m_nKeyType[i] = KEY_TYPE_HEX;
}

CAuthSecuDlg::~CAuthSecuDlg() {}

int CAuthSecuDlg::AuthCodeOfPosition(int nPosition)
{
    if (nPosition < 0 || nPosition >= AP_AUTH_POSITIONS)
        return 0;
    return kAuthCodes[nPosition];
}

int CAuthSecuDlg::AuthPositionOfCode(int nCode)
{
    switch (nCode)
    {
    case 4:
        return 2;
    case 7:
        return 3;
    case 9:
        return 4;
    default:
        return nCode;
    }
}

int CAuthSecuDlg::EncryptionCodeOfPosition(int nAuthCode, int nPosition)
{
    if (nAuthCode == 0 || nAuthCode == 1)
        return nPosition == 1 ? 0 : 1;
    if (nPosition == 2)
        return 8;
    return nPosition == 1 ? 6 : 4;
}

int CAuthSecuDlg::EncryptionPositionOfCode(int nEncryption)
{
    if (nEncryption == 0 || nEncryption == 6)
        return 1;
    return nEncryption == 8 ? 2 : 0;
}

void CAuthSecuDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SECU_AUTH_COMBO, m_cbAuth);
    DDX_Control(pDX, IDC_SECU_ENCRYPT_COMBO, m_cbEncryption);
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        DDX_Control(pDX, kKeyType[i], m_cbKeyType[i]);
        DDX_Control(pDX, kKeyHex[i], m_editHexKey[i]);
        DDX_Control(pDX, kKeyAscii[i], m_editAsciiKey[i]);
    }
    DDX_CBIndex(pDX, IDC_SECU_AUTH_COMBO, m_nAuthPosition);
    DDX_CBIndex(pDX, IDC_SECU_ENCRYPT_COMBO, m_nEncryptPosition);
    DDX_Text(pDX, IDC_SECU_PSK_EDIT, m_strPsk);
    DDV_MaxChars(pDX, m_strPsk, 64);
    DDX_Text(pDX, IDC_SECU_REKEY_EDIT, m_nRekeyInterval);
    DDX_IPAddress(pDX, IDC_SECU_RADIUS_IP, m_dwRadiusIp);
    DDX_Text(pDX, IDC_SECU_RADIUS_PORT, m_nRadiusPort);
    DDX_Text(pDX, IDC_SECU_RADIUS_KEY, m_strRadiusKey);
    DDV_MaxChars(pDX, m_strRadiusKey, 64);
    DDX_Radio(pDX, IDC_SECU_KEY1_RADIO, m_nDefaultKey);
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        DDX_CBIndex(pDX, kKeyType[i], m_nKeyType[i]);
        DDX_Text(pDX, kKeyHex[i], m_strHexKey[i]);
        DDV_MaxChars(pDX, m_strHexKey[i], 26);
        DDX_Text(pDX, kKeyAscii[i], m_strAsciiKey[i]);
        DDV_MaxChars(pDX, m_strAsciiKey[i], 13);
    }
    DDX_Text(pDX, IDC_SECU_AUTH_LABEL, m_strAuthLabel);
    DDX_Text(pDX, IDC_SECU_ENCRYPT_LABEL, m_strEncryptLabel);
    DDX_Text(pDX, IDC_SECU_PSK_LABEL, m_strPskLabel);
    DDX_Text(pDX, IDC_SECU_REKEY_LABEL, m_strRekeyLabel);
    if (pDX->m_bSaveAndValidate)
    {
        // Nothing selected (or no radio checked) reads as the first entry.
        if (m_nAuthPosition < 0)
            m_nAuthPosition = 0;
        if (m_nEncryptPosition < 0)
            m_nEncryptPosition = 0;
        if (m_nDefaultKey < 0)
            m_nDefaultKey = 0;
        for (int i = 0; i < AP_WEP_KEYS; i++)
        {
            if (m_nKeyType[i] < 0)
                m_nKeyType[i] = KEY_TYPE_HEX;
        }
    }
}

BOOL CAuthSecuDlg::OnInitDialog()
{
    m_dwRadiusIp = m_Settings.dwRadiusIp;
    m_nRadiusPort = m_Settings.nRadiusPort;
    m_strRadiusKey = m_Settings.strRadiusKey;
    m_strPsk = m_Settings.strWpaPsk;
    m_nAuthCode = m_Settings.nAuthMode;
    m_nEncryptPosition = EncryptionPositionOfCode(m_Settings.nEncryption);
    // A default key outside 1-4 as stored counts as the first.
    m_nDefaultKey = m_Settings.nDefaultKey >= 0 && m_Settings.nDefaultKey < AP_WEP_KEYS
                        ? m_Settings.nDefaultKey
                        : 0;
    m_nRekeyInterval = m_Settings.nRekeyInterval;
    m_nRekeyMethod = m_Settings.nRekeyMethod;
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        m_nKeyType[i] = m_Settings.nKeyType[i] == KEY_TYPE_ASCII ? KEY_TYPE_ASCII : KEY_TYPE_HEX;
        m_strHexKey[i].Empty();
        m_strAsciiKey[i].Empty();
        if (m_nKeyType[i] == KEY_TYPE_ASCII)
            WepHexToAscii(m_Settings.strKey[i], m_strAsciiKey[i]);
        else
            m_strHexKey[i] = m_Settings.strKey[i];
    }
    m_strAuthLabel = LoadText(IDS_SECU_AUTH_LABEL);
    m_strEncryptLabel = LoadText(IDS_SECU_ENCRYPT_LABEL);
    m_strPskLabel = LoadText(IDS_SECU_PSK_LABEL);
    m_strRekeyLabel = LoadText(IDS_SECU_REKEY_LABEL);

    CDialog::OnInitDialog();
    m_strWepLengthMessage = LoadText(IDS_SECU_WEP_LENGTH);
    m_strPskLengthMessage = LoadText(IDS_SECU_PSK_LENGTH);
    for (int i = 0; i < AP_WEP_KEYS; i++)
        m_editHexKey[i].SetCharMask(SMARTEDIT_MASK_HEX);

    SetWindowText(LoadText(IDS_SECU_TITLE));
    SetDlgItemText(IDOK, LoadText(IDS_OK));
    SetDlgItemText(IDCANCEL, LoadText(IDS_CANCEL));
    SetDlgItemText(IDC_SECU_WEP_GROUP, LoadText(IDS_SECU_WEP_GROUP));
    SetDlgItemText(IDC_SECU_SHOW_PASSWORD, LoadText(IDS_SECU_SHOW_PASSWORD));
    for (int i = 0; i < AP_WEP_KEYS; i++)
        SetDlgItemText(kKeyRadio[i], LoadText(kKeyText[i]));
    SetRekeyUnitText();

    m_cbAuth.ResetContent();
    for (UINT nID : kAuthTexts)
        m_cbAuth.AddString(LoadText(nID));
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        m_cbKeyType[i].ResetContent();
        m_cbKeyType[i].AddString(LoadText(IDS_SECU_HEX));
        m_cbKeyType[i].AddString(LoadText(IDS_SECU_ASCII));
    }

    // The encryption list of the stored authentication first, so that its entry is selected.
    FillEncryptionList();
    SelectLists();
    OnSelchangeAuth();
    return TRUE;
}

BOOL CAuthSecuDlg::ReadBack()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_nAuthCode = AuthCodeOfPosition(m_nAuthPosition);
    return TRUE;
}

void CAuthSecuDlg::SelectLists()
{
    int nPosition = AuthPositionOfCode(m_nAuthCode);
    if (nPosition < 0 || nPosition >= m_cbAuth.GetCount())
    {
        nPosition = 0;
        m_nAuthCode = 0;
    }
    m_nAuthPosition = nPosition;
    if (m_nEncryptPosition < 0 || m_nEncryptPosition >= m_cbEncryption.GetCount())
        m_nEncryptPosition = 0;
    UpdateData(FALSE);
}

void CAuthSecuDlg::FillEncryptionList()
{
    m_cbEncryption.ResetContent();
    switch (AuthPositionOfCode(m_nAuthCode))
    {
    case 2: // WPA-PSK
    case 4: // WPA-PSK/WPA2-PSK
        m_cbEncryption.AddString(LoadText(IDS_SECU_TKIP));
        m_cbEncryption.AddString(LoadText(IDS_SECU_AES));
        break;
    case 3: // WPA2-PSK
        m_cbEncryption.AddString(LoadText(IDS_SECU_TKIP));
        m_cbEncryption.AddString(LoadText(IDS_SECU_AES));
        m_cbEncryption.AddString(LoadText(IDS_SECU_BOTH));
        break;
    default: // Open, Shared
        m_cbEncryption.AddString(LoadText(IDS_SECU_NOT_USE));
        m_cbEncryption.AddString(LoadText(IDS_SECU_WEP));
        break;
    }
}

BOOL CAuthSecuDlg::IsWepSelected() const
{
    return m_nAuthCode == 1 || (m_nAuthCode == 0 && m_nEncryptPosition == 1);
}

BOOL CAuthSecuDlg::IsWpaSelected() const
{
    return m_nAuthCode == 4 || m_nAuthCode == 7 || m_nAuthCode == 9;
}

void CAuthSecuDlg::SetEnableState()
{
    auto enable = [this](int nID, BOOL bEnable)
    {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    };
    BOOL bWpa = IsWpaSelected();
    BOOL bWep = IsWepSelected();
    enable(IDC_SECU_PSK_EDIT, bWpa);
    enable(IDC_SECU_REKEY_EDIT, bWpa);
    enable(IDC_SECU_REKEY_UNIT, bWpa);
    enable(IDC_SECU_WEP_GROUP, bWep);
    enable(IDC_SECU_WEP_NOTE, bWep);
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        enable(kKeyRadio[i], bWep);
        enable(kKeyType[i], bWep);
        enable(kKeyHex[i], bWep);
        enable(kKeyAscii[i], bWep);
    }
    for (int i = 0; i < AP_WEP_KEYS; i++)
        ShowKeyEdits(i);
    SetDlgItemText(IDC_SECU_WEP_NOTE, LoadText(IDS_SECU_WEP_NOTE));
}

void CAuthSecuDlg::ShowKeyEdits(int nKey)
{
    BOOL bAscii = m_nKeyType[nKey] == KEY_TYPE_ASCII;
    m_editHexKey[nKey].ShowWindow(bAscii ? SW_HIDE : SW_SHOW);
    m_editAsciiKey[nKey].ShowWindow(bAscii ? SW_SHOW : SW_HIDE);
}

void CAuthSecuDlg::SetRekeyUnitText()
{
    CString strUnit;
    if (m_nRekeyMethod == 0)
        strUnit = LoadText(IDS_SECU_REKEY_SECONDS);
    else if (m_nRekeyMethod == 1)
        strUnit = LoadText(IDS_SECU_REKEY_KPACKETS);
    SetDlgItemText(IDC_SECU_REKEY_UNIT, strUnit);
}

void CAuthSecuDlg::OnSelchangeAuth()
{
    if (!ReadBack())
        return;
    FillEncryptionList();
    SelectLists();
    SetEnableState();
}

void CAuthSecuDlg::OnSelchangeEncryption()
{
    if (!ReadBack())
        return;
    SetEnableState();
}

void CAuthSecuDlg::OnSelchangeKeyType(int nKey)
{
    if (!ReadBack())
        return;
    ShowKeyEdits(nKey);
    SetDlgItemText(IDC_SECU_WEP_NOTE, LoadText(IDS_SECU_WEP_NOTE));
}

void CAuthSecuDlg::OnSelchangeKey1Type()
{
    OnSelchangeKeyType(0);
}

void CAuthSecuDlg::OnSelchangeKey2Type()
{
    OnSelchangeKeyType(1);
}

void CAuthSecuDlg::OnSelchangeKey3Type()
{
    OnSelchangeKeyType(2);
}

void CAuthSecuDlg::OnSelchangeKey4Type()
{
    OnSelchangeKeyType(3);
}

void CAuthSecuDlg::OnKeyRadio(UINT /*nID*/)
{
    if (!ReadBack())
        return;
    SetDlgItemText(IDC_SECU_WEP_NOTE, LoadText(IDS_SECU_WEP_NOTE));
}

void CAuthSecuDlg::OnRekeyUnit()
{
    m_nRekeyMethod = m_nRekeyMethod == 0 ? 1 : 0;
    SetRekeyUnitText();
}

void CAuthSecuDlg::OnShowPassword()
{
    char chPassword = IsDlgButtonChecked(IDC_SECU_SHOW_PASSWORD) ? '\0' : '*';
    CWnd* apEdits[2 * AP_WEP_KEYS + 1];
    int nEdits = 0;
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        apEdits[nEdits++] = &m_editHexKey[i];
        apEdits[nEdits++] = &m_editAsciiKey[i];
    }
    apEdits[nEdits++] = GetDlgItem(IDC_SECU_PSK_EDIT);
    for (int i = 0; i < nEdits; i++)
    {
        CWnd* pEdit = apEdits[i];
        if (pEdit == NULL || pEdit->m_hWnd == 0)
            continue;
        // A disabled edit would not redraw with its new character.
        BOOL bDisabled = !pEdit->IsWindowEnabled();
        if (bDisabled)
            pEdit->EnableWindow(TRUE);
        pEdit->SendMessage(EM_SETPASSWORDCHAR, static_cast<WPARAM>(chPassword), 0);
        pEdit->Invalidate();
        if (bDisabled)
            pEdit->EnableWindow(FALSE);
    }
    if (CWnd* pPsk = GetDlgItem(IDC_SECU_PSK_EDIT))
        pPsk->SetFocus();
}

UINT CAuthSecuDlg::CheckKeys() const
{
    if (IsWpaSelected())
    {
        int nLength = m_strPsk.GetLength();
        if (nLength <= 7)
            return IDS_SECU_PSK_LENGTH;
        if (nLength == 64)
        {
            CString strUpper = m_strPsk;
            strUpper.MakeUpper();
            for (int i = 0; i < nLength; i++)
            {
                char ch = strUpper[i];
                if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')))
                    return IDS_SECU_PSK_LENGTH;
            }
        }
        return 0;
    }
    if (!IsWepSelected())
        return 0;
    // The default key must be set; every other key is empty or of a length its type takes. A
    // hex key is hexadecimal digits only (a pasted text is not filtered as it is typed).
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        BOOL bAscii = m_nKeyType[i] == KEY_TYPE_ASCII;
        const CString& strKey = bAscii ? m_strAsciiKey[i] : m_strHexKey[i];
        int nLength = strKey.GetLength();
        if (nLength == 0 && i != m_nDefaultKey)
            continue;
        BOOL bValid =
            bAscii ? IsAsciiKeyLength(nLength) : IsHexKeyLength(nLength) && IsAllHex(strKey);
        if (!bValid)
            return IDS_SECU_WEP_LENGTH;
    }
    return 0;
}

void CAuthSecuDlg::OnOK()
{
    if (!ReadBack())
        return;
    UINT nMessage = CheckKeys();
    if (nMessage != 0)
    {
        MessageBox(nMessage == IDS_SECU_PSK_LENGTH ? m_strPskLengthMessage : m_strWepLengthMessage,
                   NULL, MB_OK);
        return;
    }

    BOOL bWep = IsWepSelected();
    m_Settings.dwRadiusIp = m_dwRadiusIp;
    m_Settings.nAuthMode = m_nAuthCode;
    m_Settings.nEncryption = EncryptionCodeOfPosition(m_nAuthCode, m_nEncryptPosition);
    m_Settings.nDefaultKey = m_nDefaultKey;
    for (int i = 0; i < AP_WEP_KEYS; i++)
        m_Settings.nKeyType[i] = m_nKeyType[i];
    m_Settings.nRadiusPort = m_nRadiusPort;
    m_Settings.strRadiusKey = m_strRadiusKey;
    m_Settings.nRekeyInterval = m_nRekeyInterval;
    m_Settings.nRekeyMethod = m_nRekeyMethod;
    m_Settings.strWpaPsk = m_strPsk;
    // The keys change only while WEP is chosen: a WPA choice keeps the stored WEP keys.
    if (bWep)
    {
        for (int i = 0; i < AP_WEP_KEYS; i++)
        {
            if (m_nKeyType[i] != KEY_TYPE_ASCII)
                m_Settings.strKey[i] = m_strHexKey[i];
            else if (m_strAsciiKey[i].IsEmpty())
                m_Settings.strKey[i].Empty();
            else if (IsAsciiKeyLength(m_strAsciiKey[i].GetLength()))
                m_Settings.strKey[i] = WepAsciiToHex(m_strAsciiKey[i]);
        }
    }
    EndDialog(IDOK);
}

// A dialog destroyed while it runs ends as cancelled; one that ended with OK keeps IDOK.
void CAuthSecuDlg::OnDestroy()
{
    EndDialog(IDCANCEL);
    CDialog::OnDestroy();
}
