#include "client/status/HiddenSsidDlg.h"

IMPLEMENT_DYNCREATE(CHiddenSsidDlg, CDialog)

BEGIN_MESSAGE_MAP(CHiddenSsidDlg, CDialog)
END_MESSAGE_MAP()

CHiddenSsidDlg::CHiddenSsidDlg(CWnd* pParent) : CDialog(CHiddenSsidDlg::IDD, pParent) {}

CHiddenSsidDlg::~CHiddenSsidDlg() {}

void CHiddenSsidDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HIDDEN_SSID_EDIT, m_strSsid);
    DDV_MaxChars(pDX, m_strSsid, 32);
    DDX_Text(pDX, IDC_HIDDEN_SSID_PROMPT, m_strPrompt);
}

BOOL CHiddenSsidDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(" ");
    m_strPrompt.LoadString(IDS_HIDDEN_SSID_PROMPT);
    CString strText;
    strText.LoadString(IDS_HIDDEN_SSID_OK);
    SetDlgItemText(IDOK, strText);
    strText.LoadString(IDS_HIDDEN_SSID_CANCEL);
    SetDlgItemText(IDCANCEL, strText);
    UpdateData(FALSE);
    return TRUE;
}

void CHiddenSsidDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strSsid.IsEmpty())
    {
        AfxMessageBox(IDS_HIDDEN_SSID_PROMPT, MB_OK);
        return;
    }
    EndDialog(IDOK);
}
