#include "client/profiles/AuthSecuDlg.h"

#include "client/monitor/ClientGlobals.h"
#include "client/profiles/ProfileStore.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

IMPLEMENT_DYNCREATE(CAuthSecuDlg, CDialog)

BEGIN_MESSAGE_MAP(CAuthSecuDlg, CDialog)
ON_AUTHSECU_FORM_NOTIFICATIONS()
ON_BN_CLICKED(IDC_AS_USE_8021X_CHECK, OnUse8021xToggle)
END_MESSAGE_MAP()

CAuthSecuDlg::CAuthSecuDlg(CWnd* pParent) : CAuthSecuFormT<CDialog>(CAuthSecuDlg::IDD)
{
    m_pParentWnd = pParent;
}

CAuthSecuDlg::~CAuthSecuDlg() {}

void CAuthSecuDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    ExchangeAuthControls(pDX);
}

void CAuthSecuDlg::FillAuthList()
{
    m_cbAuthType.ResetContent();
    m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_OPEN));
    m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_SHARED));
    if (!g_bAllowSecuredConnect || g_nWpaSupport < 4)
        return;
    if (!m_bInfrastructure)
    {
        m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA_NONE));
        return;
    }
    m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA));
    m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA_PSK));
    if (OsHasWpa2())
    {
        m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA2));
        m_cbAuthType.AddString(AuthTypeText(AUTH_INDEX_WPA2_PSK));
    }
}

BOOL CAuthSecuDlg::OffersTkip()
{
    return TRUE;
}

BOOL CAuthSecuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ReadCcx2Control();
    SetWindowText(LoadText(IDS_ASD_CAPTION));
    SetDlgItemText(IDOK, LoadText(IDS_DIALOG_OK));
    SetDlgItemText(IDCANCEL, LoadText(IDS_DIALOG_CANCEL));
    InitAuthControls();
    RefreshAuthControls();
    return TRUE;
}

void CAuthSecuDlg::OnUse8021xToggle()
{
    // The click has turned the check over already: the flag turns with it, once.
    int bWasOn = m_bUse8021x;
    SyncAuthControls(TRUE);
    m_bUse8021x = !bWasOn;
    UpdateWepKeysFor8021x();
    SyncAuthControls(FALSE);
}

void CAuthSecuDlg::OnOK()
{
    SyncAuthControls(TRUE);
    if (!IsDot1xConfigValid())
        return;
    if (m_bInfrastructure && m_nAuthIndex == AUTH_INDEX_LEAP)
    {
        m_strLeapUser.Trim();
        if (m_strLeapUser.IsEmpty() || m_strLeapPassword.IsEmpty())
        {
            AfxMessageBox(IDS_LEAP_ID_PASSWORD, MB_ICONERROR);
            return;
        }
    }
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        if (m_nWepKeyType[i] == 1)
            m_strWepKeyHex[i] = WepAsciiToHex(m_strWepKeyAscii[i]);
    }
    EndDialog(IDOK);
}
