#include "client/profiles/PeapSettingDlg.h"

BEGIN_MESSAGE_MAP(CPeapSettingDlg, CDialog)
END_MESSAGE_MAP()

CPeapSettingDlg::CPeapSettingDlg(CWnd* pParent)
    : CDialog(CPeapSettingDlg::IDD, pParent), m_bIdentityOnly(0)
{
}

CPeapSettingDlg::~CPeapSettingDlg() {}

void CPeapSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PEAP_ID_EDIT, m_strTunnelID);
    DDX_Text(pDX, IDC_PEAP_PASSWORD_EDIT, m_strTunnelPassword);
}

BOOL CPeapSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_bIdentityOnly)
    {
        GetDlgItem(IDC_PEAP_PASSWORD_EDIT)->EnableWindow(FALSE);
        GetDlgItem(IDC_PEAP_PASSWORD_LABEL)->EnableWindow(FALSE);
    }
    return TRUE;
}

void CPeapSettingDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strTunnelID.IsEmpty())
    {
        AfxMessageBox(IDS_PEAP_IDENTITY_REQUIRED, MB_OK);
        return;
    }
    if (!m_bIdentityOnly && m_strTunnelPassword.IsEmpty())
    {
        AfxMessageBox(IDS_PEAP_PASSWORD_REQUIRED, MB_OK);
        return;
    }
    EndDialog(IDOK);
}
