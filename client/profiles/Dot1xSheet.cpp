#include "client/profiles/Dot1xSheet.h"

#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstring>

IMPLEMENT_DYNAMIC(C8021xSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(C8021xSheet, CPropertySheet)
END_MESSAGE_MAP()

namespace
{

BOOL HasWindow(const CWnd& wnd)
{
    return wnd.m_hWnd != 0 && ::IsWindow(wnd.m_hWnd);
}

BOOL IsPeapOrFast(int nMethod)
{
    return nMethod == DOT1X_METHOD_PEAP || nMethod == DOT1X_METHOD_FAST;
}

// PEAP's inner type, or for FAST its inner or provisioning type, is this one.
BOOL UsesInnerType(const Dot1xSettings& d, int nType)
{
    return IsPeapOrFast(d.nAuthenProtocol) &&
           (d.nTunnelProtocol == nType ||
            (d.nAuthenProtocol == DOT1X_METHOD_FAST && d.nProvisioningTunnel == nType));
}

int Refuse(UINT nIDPrompt, int nPage)
{
    AfxMessageBox(nIDPrompt, MB_ICONERROR);
    return nPage;
}

} // namespace

C8021xSheet::C8021xSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_bValidateServer(0), m_bWpaMode(0),
      m_bCurrentPacSet(0)
{
    AddDot1xPages();
}

C8021xSheet::C8021xSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_bValidateServer(0), m_bWpaMode(0),
      m_bCurrentPacSet(0)
{
    AddDot1xPages();
}

C8021xSheet::~C8021xSheet() {}

void C8021xSheet::AddDot1xPages()
{
    AddPage(&m_AuthPage);
    AddPage(&m_CaServerPage);
}

BOOL C8021xSheet::OnInitDialog()
{
    // The base shows the first page, whose initialisation has made the record its own by then
    // (the method WPA mode allows, the PAC path of the current profile): only a page not shown
    // yet takes the record again.
    BOOL bResult = CPropertySheet::OnInitDialog();
    if (!HasWindow(m_AuthPage))
        m_AuthPage.m_dot1x = m_dot1x;
    if (!HasWindow(m_CaServerPage))
        m_CaServerPage.m_dot1x = m_dot1x;
    return bResult;
}

void C8021xSheet::PushDot1xSettings()
{
    m_AuthPage.m_dot1x = m_dot1x;
    m_CaServerPage.m_dot1x = m_dot1x;
}

BOOL C8021xSheet::CollectDot1xSettings()
{
    if (HasWindow(m_AuthPage) && !m_AuthPage.SaveToRecord(TRUE))
        return FALSE;
    if (HasWindow(m_CaServerPage) && !m_CaServerPage.SaveCaControls(TRUE))
        return FALSE;

    const Dot1xSettings& a = m_AuthPage.m_dot1x;
    m_dot1x.nAuthenProtocol = a.nAuthenProtocol;
    m_dot1x.nTunnelProtocol = a.nTunnelProtocol;
    m_dot1x.nProvisioningTunnel = a.nProvisioningTunnel;
    m_dot1x.nTtlsInnerMethod = a.nTtlsInnerMethod;
    m_dot1x.strID = a.strID;
    m_dot1x.strPassword = a.strPassword;
    m_dot1x.strTunnelID = a.strTunnelID;
    m_dot1x.strTunnelPassword = a.strTunnelPassword;
    m_dot1x.bUseClientCert = a.bUseClientCert;
    m_dot1x.bUsePAC = a.bUsePAC;
    m_dot1x.bProvisionMode = a.bProvisionMode;
    m_dot1x.strPACFilePath = a.strPACFilePath;
    m_dot1x.nPasswordMode = a.nPasswordMode;
    m_dot1x.nSessionResumption = a.nSessionResumption;
    // The client certificate chosen travels with the record, so the owner can save it.
    m_dot1x.nClientCertHashLen = a.nClientCertHashLen;
    memcpy(m_dot1x.abClientCertHash, a.abClientCertHash, sizeof m_dot1x.abClientCertHash);

    const Dot1xSettings& c = m_CaServerPage.m_dot1x;
    m_dot1x.bUseServerCert = c.bUseServerCert;
    if (c.bUseServerCert)
    {
        m_dot1x.bIntermediateCert = c.bIntermediateCert;
        m_dot1x.strServerName = c.strServerName;
        m_dot1x.strServerName.Trim();
        m_dot1x.nNameRule = c.nNameRule;
    }
    else
    {
        m_dot1x.bIntermediateCert = 0;
        m_dot1x.strServerName.Empty();
        m_dot1x.nNameRule = 0;
    }

    int nPage = Validate8021xSettings();
    if (nPage < 0)
        return TRUE;
    SetActivePage(nPage);
    return FALSE;
}

int C8021xSheet::Validate8021xSettings()
{
    const Dot1xSettings& d = m_dot1x;
    BOOL bCertChosen = FALSE;
    if (HasWindow(m_AuthPage))
    {
        CString strIssuedTo;
        m_AuthPage.GetDlgItemText(IDC_DA_ISSUED_TO, strIssuedTo);
        bCertChosen = strIssuedTo != C8021xAuthPage::CertLineText(IDS_DA_ISSUED_TO, "");
    }

    if (d.strID.IsEmpty())
        return Refuse(IDS_DOT1X_IDENTITY_REQUIRED, 0);
    if (UsesInnerType(d, 26) || d.nAuthenProtocol == DOT1X_METHOD_TTLS)
    {
        if (d.strTunnelID.IsEmpty() || d.strTunnelPassword.IsEmpty())
            return Refuse(IDS_DOT1X_TUNNEL_ID_PASSWORD_REQUIRED, 0);
    }
    else if (UsesInnerType(d, 13))
    {
        if (d.strTunnelID.IsEmpty())
            return Refuse(IDS_DOT1X_TUNNEL_ID_REQUIRED, 0);
    }
    else if (UsesInnerType(d, 6))
    {
        if (d.strTunnelID.IsEmpty())
            return Refuse(IDS_DOT1X_TUNNEL_ID_REQUIRED, 0);
        if (d.nPasswordMode == 1 && d.strTunnelPassword.IsEmpty())
            return Refuse(IDS_DOT1X_TUNNEL_ID_PASSWORD_REQUIRED, 0);
    }
    if (d.nAuthenProtocol == DOT1X_METHOD_MD5 && d.strPassword.IsEmpty())
        return Refuse(IDS_DOT1X_MD5_PASSWORD_REQUIRED, 0);
    if (d.bUseClientCert && !bCertChosen)
        return Refuse(IDS_DOT1X_SELECT_CLIENT_CERT, 0);
    if (d.bUseServerCert && d.strServerName.IsEmpty())
        return Refuse(IDS_DOT1X_SERVER_ID_REQUIRED, 1);
    if (d.bUseServerCert && d.nNameRule == 1)
    {
        int nDot = d.strServerName.Find('.');
        if (nDot <= 0 || nDot == d.strServerName.GetLength() - 1)
            return Refuse(IDS_DOT1X_INVALID_DOMAIN, 1);
    }
    return -1;
}

void C8021xSheet::SetCurrentProfilePac(LPCSTR pszPath)
{
    m_bCurrentPacSet = TRUE;
    m_strCurrentPac = pszPath;
}

void C8021xSheet::CommitCurrentProfilePac()
{
    if (!m_bCurrentPacSet || g_pCurrentProfile == NULL)
        return;
    char* pszField = g_pCurrentProfile->PACFilePath;
    memset(pszField, 0, sizeof g_pCurrentProfile->PACFilePath);
    strncpy(pszField, m_strCurrentPac, sizeof g_pCurrentProfile->PACFilePath - 1);
}

C8021xSheet* Dot1xSheetOf(const CPropertyPage* pPage)
{
    CPropertySheet* pSheet = pPage->GetSheet();
    if (pSheet == NULL || !pSheet->IsKindOf(RUNTIME_CLASS(C8021xSheet)))
        return NULL;
    return static_cast<C8021xSheet*>(pSheet);
}
