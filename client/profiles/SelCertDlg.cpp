#include "client/profiles/SelCertDlg.h"

#include "resources/TessarynUI/TessarynUIStrings.h"

BEGIN_MESSAGE_MAP(CSelCertDlg, CDialog)
END_MESSAGE_MAP()

CSelCertDlg::CSelCertDlg(CWnd* pParent) : CDialog(CSelCertDlg::IDD, pParent), m_bPreselect(0) {}

CSelCertDlg::~CSelCertDlg() {}

void CSelCertDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELCERT_LIST, m_listCert);
}

void CSelCertDlg::LoadMyCertificates(LPCSTR pszStore)
{
    AppendStoreCertDescs(pszStore, m_CertDescList);
}

BOOL CSelCertDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_listCert.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    CRect rect;
    m_listCert.GetWindowRect(&rect);
    const int nWidth = static_cast<int>(rect.Width() / 10 * 2.5);
    const UINT kColumns[] = {IDS_DA_ISSUED_TO, IDS_DA_ISSUED_BY, IDS_DA_EXPIRED_ON,
                             IDS_DA_FRIENDLY_NAME};
    for (int i = 0; i < 4; i++)
        m_listCert.InsertColumn(i, LoadText(kColumns[i]), LVCFMT_LEFT, nWidth);

    SetDlgItemText(IDOK, LoadText(IDS_DIALOG_OK));
    SetDlgItemText(IDCANCEL, LoadText(IDS_DIALOG_CANCEL));
    SetWindowText(LoadText(IDS_SELCERT_CAPTION));

    m_CertDescList.RemoveAll();
    LoadMyCertificates("MY");
    m_listCert.DeleteAllItems();
    for (int i = 0; i < m_CertDescList.GetSize(); i++)
    {
        const CertDesc& desc = m_CertDescList[i];
        m_listCert.InsertItem(i, desc.szIssuedTo);
        m_listCert.SetItemText(i, 1, desc.szIssuedBy);
        m_listCert.SetItemText(i, 2, desc.szExpiredOn);
        m_listCert.SetItemText(i, 3, desc.szFriendlyName);
    }
    if (m_bPreselect)
    {
        for (int i = 0; i < m_CertDescList.GetSize(); i++)
        {
            if (!IsSameCertDesc(m_CertDescList[i], m_InputDesc))
                continue;
            m_listCert.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            break;
        }
    }
    return TRUE;
}

void CSelCertDlg::OnOK()
{
    int nRow = m_listCert.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0 || nRow >= m_CertDescList.GetSize())
        return;
    m_OutputDesc = m_CertDescList[nRow];
    m_CertDescList.RemoveAll();
    EndDialog(IDOK);
}

void CSelCertDlg::OnCancel()
{
    m_CertDescList.RemoveAll();
    EndDialog(IDCANCEL);
}
