#include "client/profiles/Dot1xCaServerPage.h"

#include "client/profiles/CertSelections.h"
#include "client/profiles/Dot1xSheet.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstring>

IMPLEMENT_DYNCREATE(C8021xCaServerPage, CPropertyPage)

BEGIN_MESSAGE_MAP(C8021xCaServerPage, CPropertyPage)
ON_BN_CLICKED(IDC_CA_CHAIN_CHECK, OnValidateChainCheck)
END_MESSAGE_MAP()

C8021xCaServerPage::C8021xCaServerPage()
    : CPropertyPage(C8021xCaServerPage::IDD), m_bValidateChain(0), m_bIntermediateCert(0),
      m_nNameRule(0), m_nIssuerIndex(0)
{
    SetDot1xDefaults(m_dot1x, 6);
}

C8021xCaServerPage::~C8021xCaServerPage() {}

void C8021xCaServerPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CA_ISSUER_COMBO, m_cbIssuer);
    DDX_Check(pDX, IDC_CA_CHAIN_CHECK, m_bValidateChain);
    DDX_Check(pDX, IDC_CA_INTERMEDIATE_CHECK, m_bIntermediateCert);
    DDX_Text(pDX, IDC_CA_SERVER_NAME_EDIT, m_strServerName);
    DDX_Radio(pDX, IDC_CA_EXACT_RADIO, m_nNameRule);
    DDX_CBIndex(pDX, IDC_CA_ISSUER_COMBO, m_nIssuerIndex);
    DDX_Text(pDX, IDC_CA_SERVER_NAME_LABEL, m_strServerNameLabel);
    DDX_Text(pDX, IDC_CA_ISSUER_LABEL, m_strIssuerLabel);
}

void C8021xCaServerPage::EnumRootCertificates(LPCSTR pszStore)
{
    AppendStoreCertDescs(pszStore, m_RootCertList);
}

BOOL C8021xCaServerPage::SaveCaControls(BOOL bSave)
{
    if (!UpdateData(bSave))
        return FALSE;
    if (bSave)
    {
        m_dot1x.bUseServerCert = m_bValidateChain;
        m_dot1x.bIntermediateCert = m_bIntermediateCert;
        m_dot1x.strServerName = m_strServerName;
        m_dot1x.nNameRule = m_nNameRule < 0 ? 0 : m_nNameRule;
    }
    return TRUE;
}

void C8021xCaServerPage::OnValidateChainCheck()
{
    SaveCaControls(TRUE);
    for (int nID : {IDC_CA_ISSUER_LABEL, IDC_CA_ISSUER_COMBO, IDC_CA_INTERMEDIATE_CHECK,
                    IDC_CA_SERVER_NAME_LABEL, IDC_CA_SERVER_NAME_EDIT, IDC_CA_EXACT_RADIO,
                    IDC_CA_DOMAIN_RADIO})
        GetDlgItem(nID)->EnableWindow(m_bValidateChain);
}

BOOL C8021xCaServerPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_cbIssuer.ResetContent();
    m_cbIssuer.AddString(LoadText(IDS_CA_ANY_TRUSTED));
    m_RootCertList.RemoveAll();
    EnumRootCertificates("ROOT");

    m_bValidateChain = m_dot1x.bUseServerCert;
    m_bIntermediateCert = m_dot1x.bIntermediateCert;
    m_strServerName = m_dot1x.strServerName;
    m_nNameRule = m_dot1x.nNameRule;

    m_strServerNameLabel = LoadText(IDS_CA_SERVER_NAME);
    m_strIssuerLabel = LoadText(IDS_CA_ISSUER);
    SetDlgItemText(IDC_CA_INTERMEDIATE_CHECK, LoadText(IDS_CA_INTERMEDIATE));
    SetDlgItemText(IDC_CA_EXACT_RADIO, LoadText(IDS_CA_EXACT_NAME));
    SetDlgItemText(IDC_CA_DOMAIN_RADIO, LoadText(IDS_CA_DOMAIN_NAME));
    SetDlgItemText(IDC_CA_CHAIN_CHECK, LoadText(IDS_CA_USE_CHAIN));

    m_StoredIssuer = GetCaCertDesc();
    for (int i = 0; i < m_RootCertList.GetSize(); i++)
        m_cbIssuer.AddString(m_RootCertList[i].szIssuedTo);

    m_nIssuerIndex = 0;
    if (m_bValidateChain && m_StoredIssuer.cbHash != 0)
    {
        // The last certificate with the stored hash wins.
        for (int i = 0; i < m_RootCertList.GetSize(); i++)
        {
            const CertDesc& cert = m_RootCertList[i];
            if (cert.cbHash == m_StoredIssuer.cbHash &&
                memcmp(cert.abHash, m_StoredIssuer.abHash, cert.cbHash) == 0)
                m_nIssuerIndex = i + 1;
        }
    }
    SaveCaControls(FALSE);
    return TRUE;
}

BOOL C8021xCaServerPage::OnSetActive()
{
    SaveCaControls(FALSE);
    C8021xSheet* pSheet = Dot1xSheetOf(this);
    const BOOL bValidateServer = pSheet != NULL && pSheet->m_bValidateServer;
    if (!bValidateServer)
        m_bValidateChain = 0;
    GetDlgItem(IDC_CA_CHAIN_CHECK)->EnableWindow(bValidateServer);
    SaveCaControls(FALSE);
    OnValidateChainCheck();
    return CPropertyPage::OnSetActive();
}

BOOL C8021xCaServerPage::OnApply()
{
    C8021xSheet* pSheet = Dot1xSheetOf(this);
    if (pSheet == NULL)
        return FALSE;
    // The issuer by its place in the list: two roots may share a subject (an old and a renewed
    // one). "- Any Trusted CA -" keeps the issuer stored before.
    const int nEntry = m_cbIssuer.GetCurSel();
    const BOOL bChosen = nEntry >= 1 && nEntry - 1 < m_RootCertList.GetSize();
    CertDesc chosen = bChosen ? m_RootCertList[nEntry - 1] : m_ChosenIssuer;
    if (!pSheet->CollectDot1xSettings())
        return FALSE;
    // Only a record that passed its check changes the program-wide description.
    if (bChosen)
    {
        m_ChosenIssuer = chosen;
        SetCaCertDesc(chosen);
    }
    m_RootCertList.RemoveAll();
    OnOK();
    return TRUE;
}
