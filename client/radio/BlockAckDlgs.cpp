#include "client/radio/BlockAckDlgs.h"

#include "adapter/blockack/BlockAckDialogs.h"
#include "adapter/driver/MacText.h"
#include "client/monitor/ClientGlobals.h"
#include "client/radio/BlockAck.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <algorithm>
#include <cstring>

namespace
{

#define OID_CONNECTED_BSSIDS 0xFF0C0029 // u32 count, 32 entries of 10 bytes

const BYTE kNoBssid[6] = {0};

// What both dialogs show alike: the caption, the TID and peer labels, OK and CANCEL, and the
// TID list.
void SetSessionDialogTexts(CDialog& dlg, UINT nCaption, CComboBox& tidCombo)
{
    dlg.SetWindowText(LoadText(nCaption));
    dlg.SetDlgItemText(IDC_BADLG_TID_LABEL, LoadText(IDS_BA_TID));
    dlg.SetDlgItemText(IDC_BADLG_BSSIDS_LABEL, LoadText(IDS_BA_CONNECTED_BSSIDS));
    dlg.SetDlgItemText(IDOK, LoadText(IDS_BA_OK));
    dlg.SetDlgItemText(IDCANCEL, LoadText(IDS_BA_CANCEL));
    FillTidCombo(tidCombo);
}

} // namespace

BEGIN_MESSAGE_MAP(CAddBlockAckDlg, CDialog)
END_MESSAGE_MAP()

CAddBlockAckDlg::CAddBlockAckDlg(CBlockAck* pPage, BOOL bOriginator, CWnd* pParent)
    : CDialog(CAddBlockAckDlg::IDD, pParent), m_nWindowSize(32), m_nTid(0), m_pPage(pPage),
      m_bOriginator(bOriginator)
{
    memset(m_abBssid, 0, sizeof(m_abBssid));
}

CAddBlockAckDlg::CAddBlockAckDlg(CWnd* pParent) : CAddBlockAckDlg(NULL, TRUE, pParent) {}

CAddBlockAckDlg::~CAddBlockAckDlg() {}

void CAddBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BADLG_TID, m_cbTid);
    DDX_Control(pDX, IDC_BADLG_BSSIDS, m_lcBssid);
    DDX_Text(pDX, IDC_ADDBA_WINDOW, m_nWindowSize);
}

std::vector<CString> CAddBlockAckDlg::QueryBssidList(const std::vector<CString>& exclude)
{
    BYTE abBssids[BA_CONNECTED_MAX][6];
    int nCount = QueryConnectedBssids(OID_CONNECTED_BSSIDS, abBssids);
    std::vector<CString> list;
    for (int i = 0; i < nCount; i++)
    {
        CString strBssid = MacText(abBssids[i]);
        if (std::find(exclude.begin(), exclude.end(), strBssid) == exclude.end())
            list.push_back(strBssid);
    }
    return list;
}

BOOL CAddBlockAckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetSessionDialogTexts(*this, IDS_ADDBA_CAPTION, m_cbTid);
    SetDlgItemText(IDC_ADDBA_WINDOW_LABEL, LoadText(IDS_ADDBA_WINDOW));

    InitBssidList(m_lcBssid);
    std::vector<CString> bssids = QueryBssidList({});
    const CString strNone = MacText(kNoBssid);
    bssids.erase(std::remove(bssids.begin(), bssids.end(), strNone), bssids.end());
    // The current connection's BSSID first, the others in the driver's order.
    auto current = std::find(bssids.begin(), bssids.end(), MacText(g_CurrentBssid));
    if (current != bssids.end())
        std::rotate(bssids.begin(), current, current + 1);
    for (const CString& strBssid : bssids)
        m_lcBssid.InsertItem(m_lcBssid.GetItemCount(), strBssid);
    SelectFirstBssid(m_lcBssid);
    return TRUE;
}

void CAddBlockAckDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!ReadBaChoice(m_lcBssid, m_cbTid, m_abBssid, &m_nTid))
    {
        AfxMessageBox(IDS_BA_CHOOSE_BSSID, MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}

BEGIN_MESSAGE_MAP(CDeleteBlockAckDlg, CDialog)
END_MESSAGE_MAP()

CDeleteBlockAckDlg::CDeleteBlockAckDlg(CBlockAck* pPage, BOOL bOriginator, CWnd* pParent,
                                       BOOL bShowTid)
    : CDialog(CDeleteBlockAckDlg::IDD, pParent), m_nTid(0), m_pPage(pPage),
      m_bOriginator(bOriginator), m_bShowTid(bShowTid)
{
    memset(m_abBssid, 0, sizeof(m_abBssid));
}

CDeleteBlockAckDlg::CDeleteBlockAckDlg(CWnd* pParent)
    : CDeleteBlockAckDlg(NULL, TRUE, pParent, TRUE)
{
}

CDeleteBlockAckDlg::~CDeleteBlockAckDlg() {}

void CDeleteBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BADLG_BSSIDS, m_lcBssid);
    DDX_Control(pDX, IDC_BADLG_TID, m_cbTid);
}

BOOL CDeleteBlockAckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetSessionDialogTexts(*this, IDS_DELBA_CAPTION, m_cbTid);

    if (m_pPage != NULL)
    {
        if (m_bOriginator)
            m_pPage->GetOriginatorSessions(m_Sessions);
        else
            m_pPage->GetRecipientSessions(m_Sessions);
    }
    InitBssidList(m_lcBssid);
    for (INT_PTR i = 0; i < m_Sessions.GetSize(); i++)
    {
        const BYTE* pMac = m_Sessions[i].Session[0].PeerMac;
        if (memcmp(pMac, kNoBssid, sizeof(kNoBssid)) != 0)
            AddBssidRow(m_lcBssid, pMac);
    }
    SelectFirstBssid(m_lcBssid);
    if (!m_bShowTid)
    {
        GetDlgItem(IDC_BADLG_TID)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_BADLG_TID_LABEL)->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CDeleteBlockAckDlg::OnOK()
{
    UpdateData(TRUE);
    if (!ReadBaChoice(m_lcBssid, m_cbTid, m_abBssid, &m_nTid))
    {
        AfxMessageBox(IDS_BA_CHOOSE_BSSID, MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}
