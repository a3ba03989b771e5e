#include "client/profiles/Dot1xAuthPage.h"

#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/Dot1xSheet.h"
#include "client/profiles/SelCertDlg.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstring>
#include <utility>

// What the current profile's PAC path field holds, without its terminator.
#define PAC_PATH_MAX 255

namespace
{

struct InnerEntry
{
    int nCode;
    const char* pszText;
};
// The inner methods of PEAP and FAST (also FAST's provisioning tunnel), and of TTLS.
const InnerEntry kPeapInner[] = {
    {26, "EAP-MSCHAP v2"}, {13, "EAP-TLS/Smart card"}, {6, "Generic Token Card"}};
const InnerEntry kTtlsInner[] = {
    {1, "CHAP"}, {2, "MS-CHAP"}, {3, "MS-CHAP-V2"}, {4, "PAP"}, {5, "EAP-MD5"}};

template <int N> void FillList(CComboBox& combo, const InnerEntry (&entries)[N])
{
    combo.ResetContent();
    for (const InnerEntry& e : entries)
        combo.AddString(e.pszText);
}

// The list index of a code; a code the list lacks is the first entry.
template <int N> int IndexOfCode(const InnerEntry (&entries)[N], int nCode)
{
    for (int i = 0; i < N; i++)
        if (entries[i].nCode == nCode)
            return i;
    return 0;
}

// The code of a list index; an index outside the list is the first entry's.
template <int N> int CodeOfIndex(const InnerEntry (&entries)[N], int nIndex)
{
    return entries[nIndex >= 0 && nIndex < N ? nIndex : 0].nCode;
}

BOOL IsPeapOrFast(int nMethod)
{
    return nMethod == DOT1X_METHOD_PEAP || nMethod == DOT1X_METHOD_FAST;
}

const int kTunnelControls[] = {IDC_DA_CLIENT_CERT_CHECK,     IDC_DA_TUNNEL_GROUP,
                               IDC_DA_PROTOCOL_LABEL,        IDC_DA_PROTOCOL_COMBO,
                               IDC_DA_TUNNEL_ID_LABEL,       IDC_DA_TUNNEL_ID_EDIT,
                               IDC_DA_TUNNEL_PASSWORD_LABEL, IDC_DA_TUNNEL_PASSWORD_EDIT};

} // namespace

IMPLEMENT_DYNCREATE(C8021xAuthPage, CPropertyPage)

BEGIN_MESSAGE_MAP(C8021xAuthPage, CPropertyPage)
ON_BN_CLICKED(IDC_DA_MORE, OnSelectClientCert)
ON_CBN_SELCHANGE(IDC_DA_METHOD_COMBO, OnMethodChange)
ON_BN_CLICKED(IDC_DA_CLIENT_CERT_CHECK, OnUseClientCert)
ON_BN_CLICKED(IDC_DA_WINDOWS_LOGON_CHECK, OnWindowsLogon)
ON_CBN_SELCHANGE(IDC_DA_PROTOCOL_COMBO, OnInnerChange)
ON_BN_CLICKED(IDC_DA_SOFT_TOKEN_RADIO, OnSoftToken)
ON_BN_CLICKED(IDC_DA_STATIC_PASSWORD_RADIO, OnStaticPassword)
ON_BN_CLICKED(IDC_DA_PAC_IMPORT, OnPacImport)
ON_BN_CLICKED(IDC_DA_USE_PAC_CHECK, OnUsePac)
ON_BN_CLICKED(IDC_DA_PAC_REMOVE, OnPacRemove)
ON_BN_CLICKED(IDC_DA_PROVISION_CHECK, OnProvisionMode)
ON_CBN_SELCHANGE(IDC_DA_PROVISION_COMBO, OnProvisioningChange)
END_MESSAGE_MAP()

C8021xAuthPage::C8021xAuthPage()
    : CPropertyPage(C8021xAuthPage::IDD), m_nMethodIndex(0), m_nInnerIndex(0),
      m_nProvisioningIndex(0), m_nSessionResumption(0), m_nPasswordMode(1), m_bUseClientCert(0),
      m_bWindowsLogon(0), m_bUsePac(0), m_bProvisionMode(0)
{
    SetDot1xDefaults(m_dot1x, 6);
}

C8021xAuthPage::~C8021xAuthPage() {}

void C8021xAuthPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DA_METHOD_COMBO, m_cbMethod);
    DDX_Control(pDX, IDC_DA_PROTOCOL_COMBO, m_cbInnerType);
    DDX_Control(pDX, IDC_DA_PROVISION_COMBO, m_cbProvisioning);
    DDX_CBIndex(pDX, IDC_DA_METHOD_COMBO, m_nMethodIndex);
    DDX_CBIndex(pDX, IDC_DA_PROTOCOL_COMBO, m_nInnerIndex);
    DDX_CBIndex(pDX, IDC_DA_PROVISION_COMBO, m_nProvisioningIndex);
    DDX_CBIndex(pDX, IDC_DA_RESUME_COMBO, m_nSessionResumption);
    DDX_Text(pDX, IDC_DA_ID_EDIT, m_strIdentity);
    DDV_MaxChars(pDX, m_strIdentity, 63);
    DDX_Text(pDX, IDC_DA_PASSWORD_EDIT, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, 63);
    DDX_Text(pDX, IDC_DA_TUNNEL_ID_EDIT, m_strTunnelID);
    DDV_MaxChars(pDX, m_strTunnelID, 63);
    DDX_Text(pDX, IDC_DA_TUNNEL_PASSWORD_EDIT, m_strTunnelPassword);
    DDV_MaxChars(pDX, m_strTunnelPassword, 63);
    DDX_Radio(pDX, IDC_DA_SOFT_TOKEN_RADIO, m_nPasswordMode);
    DDX_Check(pDX, IDC_DA_CLIENT_CERT_CHECK, m_bUseClientCert);
    DDX_Check(pDX, IDC_DA_WINDOWS_LOGON_CHECK, m_bWindowsLogon);
    DDX_Check(pDX, IDC_DA_USE_PAC_CHECK, m_bUsePac);
    DDX_Check(pDX, IDC_DA_PROVISION_CHECK, m_bProvisionMode);
}

CString C8021xAuthPage::CertLineText(UINT nID, LPCSTR pszText)
{
    return LoadText(nID) + " : " + pszText;
}

void C8021xAuthPage::SetValidateServer(BOOL bValidate)
{
    if (C8021xSheet* pSheet = Dot1xSheetOf(this))
        pSheet->m_bValidateServer = bValidate;
}

void C8021xAuthPage::EnableItem(int nID, BOOL bEnable)
{
    if (CWnd* pWnd = GetDlgItem(nID))
        pWnd->EnableWindow(bEnable);
}

void C8021xAuthPage::ShowItem(int nID, BOOL bShow)
{
    if (CWnd* pWnd = GetDlgItem(nID))
        pWnd->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void C8021xAuthPage::ShowPasswordMode(BOOL bShow)
{
    for (int nID :
         {IDC_DA_PASSWORD_MODE_GROUP, IDC_DA_SOFT_TOKEN_RADIO, IDC_DA_STATIC_PASSWORD_RADIO})
        ShowItem(nID, bShow);
}

void C8021xAuthPage::EnableTunnelPassword(BOOL bEnable)
{
    EnableItem(IDC_DA_TUNNEL_PASSWORD_LABEL, bEnable);
    EnableItem(IDC_DA_TUNNEL_PASSWORD_EDIT, bEnable);
}

void C8021xAuthPage::EnableCertificateLines(BOOL bEnable)
{
    for (int nID :
         {IDC_DA_ISSUED_TO, IDC_DA_ISSUED_BY, IDC_DA_EXPIRED_ON, IDC_DA_FRIENDLY_NAME, IDC_DA_MORE})
        EnableItem(nID, bEnable);
}

void C8021xAuthPage::EnablePacControls(BOOL bEnable)
{
    for (int nID : {IDC_DA_PAC_IMPORT, IDC_DA_PAC_PATH, IDC_DA_PAC_REMOVE})
        EnableItem(nID, bEnable);
}

void C8021xAuthPage::ShowCertificateLines(const CertDesc& desc)
{
    SetDlgItemText(IDC_DA_ISSUED_TO, CertLineText(IDS_DA_ISSUED_TO, desc.szIssuedTo));
    SetDlgItemText(IDC_DA_ISSUED_BY, CertLineText(IDS_DA_ISSUED_BY, desc.szIssuedBy));
    SetDlgItemText(IDC_DA_EXPIRED_ON, CertLineText(IDS_DA_EXPIRED_ON, desc.szExpiredOn));
    SetDlgItemText(IDC_DA_FRIENDLY_NAME, CertLineText(IDS_DA_FRIENDLY_NAME, desc.szFriendlyName));
}

void C8021xAuthPage::ShowPacPath(LPCSTR pszPath)
{
    SetDlgItemText(IDC_DA_PAC_PATH, CertLineText(IDS_DA_FILE_PATH, pszPath));
}

void C8021xAuthPage::TakeRecordValues()
{
    const Dot1xSettings& d = m_dot1x;
    m_strIdentity = d.strID;
    m_strPassword = d.strPassword;
    m_strTunnelID = d.strTunnelID;
    m_strTunnelPassword = d.strTunnelPassword;
    m_nPasswordMode = d.nPasswordMode;
    m_nSessionResumption = d.nSessionResumption;
    m_bUseClientCert = d.bUseClientCert;
    m_bUsePac = d.bUsePAC;
    m_bProvisionMode = d.bProvisionMode;
}

BOOL C8021xAuthPage::SaveToRecord(BOOL bSave)
{
    Dot1xSettings& d = m_dot1x;
    if (!bSave)
    {
        m_nMethodIndex = d.nAuthenProtocol;
        UpdateData(FALSE);
        return TRUE;
    }
    if (!UpdateData(TRUE))
        return FALSE;
    // A stored method the list has no entry for (FAST) stays as it is.
    if (m_nMethodIndex >= 0)
        d.nAuthenProtocol = m_nMethodIndex;
    const int nMethod = d.nAuthenProtocol;
    if (IsPeapOrFast(nMethod))
        d.nTunnelProtocol = CodeOfIndex(kPeapInner, m_nInnerIndex);
    if (nMethod == DOT1X_METHOD_FAST)
        d.nProvisioningTunnel = CodeOfIndex(kPeapInner, m_nProvisioningIndex);
    if (nMethod == DOT1X_METHOD_TTLS)
        d.nTtlsInnerMethod = CodeOfIndex(kTtlsInner, m_nInnerIndex);
    d.strID = m_strIdentity;
    d.strPassword = m_strPassword;
    d.strTunnelID = m_strTunnelID;
    d.strTunnelPassword = m_strTunnelPassword;
    // No radio of the group checked reads as static password, no entry as disabled.
    d.nPasswordMode = m_nPasswordMode < 0 ? 1 : m_nPasswordMode;
    d.nSessionResumption = m_nSessionResumption < 0 ? 0 : m_nSessionResumption;
    d.bUseClientCert = m_bUseClientCert;
    d.bUsePAC = m_bUsePac;
    d.bProvisionMode = m_bProvisionMode;
    d.nClientCertHashLen = static_cast<int>(m_ClientCert.cbHash);
    memcpy(d.abClientCertHash, m_ClientCert.abHash, sizeof d.abClientCertHash);
    return TRUE;
}

void C8021xAuthPage::ApplyInnerRules()
{
    const Dot1xSettings& d = m_dot1x;
    const BOOL bPeapOrFast = IsPeapOrFast(d.nAuthenProtocol);
    const BOOL bFast = d.nAuthenProtocol == DOT1X_METHOD_FAST;
    if (bPeapOrFast && d.nTunnelProtocol == 13)
    {
        m_bUseClientCert = 1;
        EnableItem(IDC_DA_CLIENT_CERT_CHECK, FALSE);
        EnableTunnelPassword(
            !(d.nAuthenProtocol == DOT1X_METHOD_PEAP || (bFast && d.nProvisioningTunnel == 13)));
    }
    else
    {
        EnableItem(IDC_DA_CLIENT_CERT_CHECK, TRUE);
        EnableTunnelPassword(TRUE);
    }
    if ((bPeapOrFast && d.nTunnelProtocol == 6) || (bFast && d.nProvisioningTunnel == 6))
    {
        ShowPasswordMode(TRUE);
        EnableTunnelPassword(m_nPasswordMode == 1);
        if (bFast && d.nProvisioningTunnel == 13)
        {
            m_bUseClientCert = 1;
            EnableItem(IDC_DA_CLIENT_CERT_CHECK, FALSE);
        }
    }
    else
    {
        ShowPasswordMode(FALSE);
        m_nPasswordMode = 1;
    }
}

void C8021xAuthPage::RefreshMethodControls()
{
    SaveToRecord(TRUE);
    m_cbInnerType.ResetContent();
    m_cbProvisioning.ResetContent();
    const Dot1xSettings& d = m_dot1x;
    const int nMethod = d.nAuthenProtocol;
    const BOOL bFast = nMethod == DOT1X_METHOD_FAST;

    const BOOL bResumption = nMethod == DOT1X_METHOD_PEAP || nMethod == DOT1X_METHOD_TLS ||
                             nMethod == DOT1X_METHOD_TTLS || bFast;
    ShowItem(IDC_DA_RESUME_LABEL, bResumption);
    ShowItem(IDC_DA_RESUME_COMBO, bResumption);
    if (!bResumption)
        m_nSessionResumption = 0;
    for (int nID : {IDC_DA_PROVISION_CHECK, IDC_DA_PROVISION_LABEL, IDC_DA_PROVISION_COMBO})
        EnableItem(nID, bFast);

    if (nMethod == DOT1X_METHOD_TLS || nMethod == DOT1X_METHOD_MD5)
    {
        const BOOL bMd5 = nMethod == DOT1X_METHOD_MD5;
        if (bMd5)
            EnableItem(IDC_DA_WINDOWS_LOGON_CHECK, TRUE);
        else
            ShowItem(IDC_DA_WINDOWS_LOGON_CHECK, FALSE);
        EnableItem(IDC_DA_PASSWORD_LABEL, bMd5);
        EnableItem(IDC_DA_PASSWORD_EDIT, bMd5);
        for (int nID : kTunnelControls)
            EnableItem(nID, FALSE);
        m_bUseClientCert = bMd5 ? 0 : 1;
        ShowPasswordMode(FALSE);
        m_nPasswordMode = 1;
        SetValidateServer(!bMd5);
    }
    else if (IsPeapOrFast(nMethod) || nMethod == DOT1X_METHOD_TTLS)
    {
        if (nMethod == DOT1X_METHOD_TTLS)
        {
            FillList(m_cbInnerType, kTtlsInner);
            m_nInnerIndex = IndexOfCode(kTtlsInner, d.nTtlsInnerMethod);
        }
        else
        {
            FillList(m_cbInnerType, kPeapInner);
            m_nInnerIndex = IndexOfCode(kPeapInner, d.nTunnelProtocol);
        }
        m_cbInnerType.SetCurSel(m_nInnerIndex);
        if (bFast)
        {
            FillList(m_cbProvisioning, kPeapInner);
            m_nProvisioningIndex = IndexOfCode(kPeapInner, d.nProvisioningTunnel);
            m_cbProvisioning.SetCurSel(m_nProvisioningIndex);
        }
        EnableItem(IDC_DA_WINDOWS_LOGON_CHECK, TRUE);
        EnableItem(IDC_DA_PASSWORD_LABEL, FALSE);
        EnableItem(IDC_DA_PASSWORD_EDIT, FALSE);
        for (int nID : {IDC_DA_TUNNEL_GROUP, IDC_DA_PROTOCOL_LABEL, IDC_DA_PROTOCOL_COMBO,
                        IDC_DA_TUNNEL_ID_LABEL, IDC_DA_TUNNEL_ID_EDIT})
            EnableItem(nID, TRUE);
        ApplyInnerRules();
        SetValidateServer(TRUE);
    }

    if (!bFast)
        m_bUsePac = 0;
    EnableItem(IDC_DA_USE_PAC_CHECK, bFast);
    EnableCertificateLines(m_bUseClientCert);
    SaveToRecord(FALSE);
}

BOOL C8021xAuthPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    Dot1xSettings& d = m_dot1x;
    C8021xSheet* pSheet = Dot1xSheetOf(this);
    const BOOL bWpaMode = pSheet != NULL && pSheet->m_bWpaMode;
    if (!bWpaMode)
        m_cbMethod.AddString("Md5-Challenge");
    else if (d.nAuthenProtocol == DOT1X_METHOD_MD5)
        d.nAuthenProtocol = DOT1X_METHOD_PEAP;

    const BOOL bFast = d.nAuthenProtocol == DOT1X_METHOD_FAST;
    if (IsPeapOrFast(d.nAuthenProtocol))
    {
        FillList(m_cbInnerType, kPeapInner);
        m_nInnerIndex = IndexOfCode(kPeapInner, d.nTunnelProtocol);
        if (bFast)
        {
            FillList(m_cbProvisioning, kPeapInner);
            m_nProvisioningIndex = IndexOfCode(kPeapInner, d.nProvisioningTunnel);
        }
    }
    else if (d.nAuthenProtocol == DOT1X_METHOD_TTLS)
    {
        FillList(m_cbInnerType, kTtlsInner);
        m_nInnerIndex = IndexOfCode(kTtlsInner, d.nTtlsInnerMethod);
    }
    if (!bFast)
        d.bUsePAC = 0;
    EnableItem(IDC_DA_USE_PAC_CHECK, bFast);

    const std::pair<int, UINT> kTexts[] = {
        {IDC_DA_CLIENT_CERT_CHECK, IDS_DA_USE_CLIENT_CERT},
        {IDC_DA_TUNNEL_GROUP, IDS_DA_TUNNELED_AUTH},
        {IDC_DA_WINDOWS_LOGON_CHECK, IDS_DA_WINDOWS_LOGON},
        {IDC_DA_MORE, IDS_DA_MORE},
        {IDC_DA_USE_PAC_CHECK, IDS_DA_USE_PAC},
        {IDC_DA_PAC_IMPORT, IDS_DA_PAC_IMPORT},
        {IDC_DA_PAC_REMOVE, IDS_DA_PAC_REMOVE},
        {IDC_DA_PROVISION_CHECK, IDS_DA_PROVISION},
        {IDC_DA_TUNNEL_ID_LABEL, IDS_DA_IDENTITY},
        {IDC_DA_TUNNEL_PASSWORD_LABEL, IDS_DA_PASSWORD},
        {IDC_DA_ID_LABEL, IDS_DA_IDENTITY},
        {IDC_DA_PASSWORD_LABEL, IDS_DA_PASSWORD},
        {IDC_DA_PROTOCOL_LABEL, IDS_DA_PROTOCOL},
        {IDC_DA_PROVISION_LABEL, IDS_DA_PROVISIONING_TUNNEL},
        {IDC_DA_METHOD_LABEL, IDS_DA_AUTH_TYPE},
    };
    for (const auto& text : kTexts)
        SetDlgItemText(text.first, LoadText(text.second));

    TakeRecordValues();
    // The stored certificate is looked up, but the lines show the page's own choice: a profile
    // opened anew shows none until the user picks one.
    PCCERT_CONTEXT pStored = FindClientCertificate(g_nClientCertLen, g_pClientCertData);
    ShowCertificateLines(CertDesc());

    // The current profile's PAC path changes only when the sheet ends with OK.
    if (d.bUsePAC)
    {
        if (g_pCurrentProfile != NULL)
            d.strPACFilePath =
                CString(g_pCurrentProfile->PACFilePath,
                        static_cast<int>(strnlen(g_pCurrentProfile->PACFilePath, PAC_PATH_MAX)));
    }
    else
    {
        d.strPACFilePath.Empty();
        if (pSheet != NULL)
            pSheet->SetCurrentProfilePac("");
    }
    m_strShownPacPath = d.strPACFilePath;
    ShowPacPath(m_strShownPacPath);

    for (int nID : {IDC_DA_PROVISION_CHECK, IDC_DA_PROVISION_LABEL, IDC_DA_PROVISION_COMBO})
        EnableItem(nID, bFast);
    EnablePacControls(d.bUsePAC);

    if (pStored != NULL)
    {
        CertFreeCertificateContext(pStored);
        ShowCertificateLines(m_ClientCert);
    }

    SaveToRecord(FALSE);
    RefreshMethodControls();
    return TRUE;
}

BOOL C8021xAuthPage::OnApply()
{
    C8021xSheet* pSheet = Dot1xSheetOf(this);
    if (pSheet == NULL || !pSheet->CollectDot1xSettings())
        return FALSE;
    pSheet->SetCurrentProfilePac(m_strShownPacPath);
    OnOK();
    return TRUE;
}

void C8021xAuthPage::OnSelectClientCert()
{
    SaveToRecord(TRUE);
    CString strIssuedTo;
    GetDlgItemText(IDC_DA_ISSUED_TO, strIssuedTo);
    g_SelCertDlg.m_InputDesc = m_ClientCert;
    g_SelCertDlg.m_bPreselect = strIssuedTo != CertLineText(IDS_DA_ISSUED_TO, "");
    // Over this sheet, which it keeps from the user while it is up.
    g_SelCertDlg.m_pParentWnd = this;
    INT_PTR nResult = g_SelCertDlg.DoModal();
    g_SelCertDlg.m_pParentWnd = NULL;
    if (nResult != IDOK)
        return;
    m_ClientCert = g_SelCertDlg.m_OutputDesc;
    ShowCertificateLines(m_ClientCert);
    SaveToRecord(FALSE);
}

void C8021xAuthPage::OnMethodChange()
{
    RefreshMethodControls();
    if (m_dot1x.nAuthenProtocol != DOT1X_METHOD_FAST)
        return;
    m_nInnerIndex = 2;
    m_cbInnerType.SetCurSel(m_nInnerIndex);
    ShowPasswordMode(TRUE);
    EnableTunnelPassword(m_nPasswordMode == 1);
}

void C8021xAuthPage::OnUseClientCert()
{
    SaveToRecord(TRUE);
    EnableCertificateLines(m_bUseClientCert);
}

void C8021xAuthPage::OnWindowsLogon() {}

void C8021xAuthPage::OnInnerChange()
{
    SaveToRecord(TRUE);
    ApplyInnerRules();
    EnableItem(IDC_DA_MORE, m_bUseClientCert);
    SaveToRecord(FALSE);
}

void C8021xAuthPage::OnSoftToken()
{
    SaveToRecord(TRUE);
    EnableTunnelPassword(FALSE);
}

void C8021xAuthPage::OnStaticPassword()
{
    SaveToRecord(TRUE);
    EnableTunnelPassword(TRUE);
}

void C8021xAuthPage::OnPacImport()
{
    CFileDialog dlg(TRUE, NULL, "*.pac", OFN_FILEMUSTEXIST, "PAC Files(*.pac)|*.pac||", this);
    if (dlg.DoModal() != IDOK)
        return;
    CString strPath = dlg.GetPathName();
    // The current profile's field cannot hold a longer path: it would name another file.
    if (strPath.GetLength() > PAC_PATH_MAX)
        return;
    m_strShownPacPath = strPath;
    ShowPacPath(strPath);
    m_dot1x.strPACFilePath = strPath;
}

void C8021xAuthPage::OnUsePac()
{
    SaveToRecord(TRUE);
    EnablePacControls(m_bUsePac);
}

void C8021xAuthPage::OnPacRemove()
{
    m_strShownPacPath.Empty();
    ShowPacPath("");
    if (!m_dot1x.strPACFilePath.IsEmpty())
        DeleteFileA(m_dot1x.strPACFilePath);
    if (C8021xSheet* pSheet = Dot1xSheetOf(this))
        pSheet->SetCurrentProfilePac("");
    m_dot1x.strPACFilePath.Empty();
    SaveToRecord(FALSE);
}

void C8021xAuthPage::OnProvisionMode()
{
    SaveToRecord(TRUE);
}

void C8021xAuthPage::OnProvisioningChange()
{
    SaveToRecord(TRUE);
    RefreshMethodControls();
}
