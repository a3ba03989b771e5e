#include "accesspoint/pages/BlockAckDlg.h"

#include "adapter/blockack/BlockAckDialogs.h"
#include "adapter/driver/DriverRequest.h"

#include <algorithm>
#include <cstring>

// The access point's joined stations: u32 count, then entries of 10 bytes that begin with the
// station's MAC.
#define OID_AP_STATION_TABLE 0x0D71010B
#define AP_STATION_TABLE_SIZE 324
#define AP_STATION_ENTRY_SIZE 10
#define AP_STATION_ENTRIES 32

namespace
{

const BYTE kNoMac[6] = {0, 0, 0, 0, 0, 0};

void ShowSelectBssid(CWnd& dlg)
{
    CString strText;
    strText.LoadString(IDS_BA_SELECT_BSSID);
    dlg.MessageBox(strText, NULL, MB_ICONSTOP);
}

} // namespace

BEGIN_MESSAGE_MAP(CAddBlockAckDlg, CDialog)
END_MESSAGE_MAP()

CAddBlockAckDlg::CAddBlockAckDlg(CWnd* pParent, BOOL bOriginator)
    : CDialog(CAddBlockAckDlg::IDD, pParent), m_nWindowSize(32), m_nTid(0),
      m_bOriginator(bOriginator)
{
    memset(m_abBssid, 0, sizeof(m_abBssid));
}

void CAddBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BADLG_TID, m_comboTid);
    DDX_Control(pDX, IDC_BADLG_BSSID_LIST, m_listBssid);
    DDX_Text(pDX, IDC_BADLG_WINDOW_SIZE, m_nWindowSize);
}

int CAddBlockAckDlg::QueryStations(BYTE (*pMacs)[6], int nMax)
{
    BYTE abRecord[AP_STATION_TABLE_SIZE];
    memset(abRecord, 0, sizeof(abRecord));
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_AP_STATION_TABLE, abRecord, sizeof(abRecord), &dwReturned) ||
        dwReturned < 4)
        return 0;
    DWORD dwCount = 0;
    memcpy(&dwCount, abRecord, sizeof(dwCount));
    // The driver's count is not trusted past the entries it returned.
    DWORD dwHeld = (dwReturned - 4) / AP_STATION_ENTRY_SIZE;
    int nCount = static_cast<int>(std::min<DWORD>({dwCount, dwHeld, AP_STATION_ENTRIES}));
    if (nCount > nMax)
        nCount = nMax;
    for (int i = 0; i < nCount; i++)
        memcpy(pMacs[i], abRecord + 4 + i * AP_STATION_ENTRY_SIZE, 6);
    return nCount;
}

BOOL CAddBlockAckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillTidCombo(m_comboTid);
    InitBssidList(m_listBssid);
    BYTE abMacs[AP_STATION_ENTRIES][6];
    int nCount = QueryStations(abMacs, AP_STATION_ENTRIES);
    for (int i = 0; i < nCount; i++)
        AddBssidRow(m_listBssid, abMacs[i]);
    SelectFirstBssid(m_listBssid);
    return TRUE;
}

void CAddBlockAckDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!ReadBaChoice(m_listBssid, m_comboTid, m_abBssid, &m_nTid))
    {
        ShowSelectBssid(*this);
        return;
    }
    EndDialog(IDOK);
}

BEGIN_MESSAGE_MAP(CDeleteBlockAckDlg, CDialog)
END_MESSAGE_MAP()

CDeleteBlockAckDlg::CDeleteBlockAckDlg(CWnd* pParent, const CBaSessionArray& sessions,
                                       BOOL bOriginator, BOOL bShowTid)
    : CDialog(CDeleteBlockAckDlg::IDD, pParent), m_nTid(0), m_bOriginator(bOriginator),
      m_bShowTid(bShowTid)
{
    m_Sessions.Copy(sessions);
    memset(m_abBssid, 0, sizeof(m_abBssid));
}

void CDeleteBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BADLG_TID, m_comboTid);
    DDX_Control(pDX, IDC_BADLG_BSSID_LIST, m_listBssid);
}

BOOL CDeleteBlockAckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillTidCombo(m_comboTid);
    InitBssidList(m_listBssid);
    for (int i = 0; i < m_Sessions.GetSize(); i++)
    {
        const BYTE* pMac = m_Sessions[i].Session[0].PeerMac;
        if (memcmp(pMac, kNoMac, sizeof(kNoMac)) != 0)
            AddBssidRow(m_listBssid, pMac);
    }
    SelectFirstBssid(m_listBssid);
    if (!m_bShowTid)
    {
        m_comboTid.ShowWindow(SW_HIDE);
        GetDlgItem(IDC_BADLG_TID_LABEL)->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CDeleteBlockAckDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!ReadBaChoice(m_listBssid, m_comboTid, m_abBssid, &m_nTid))
    {
        ShowSelectBssid(*this);
        return;
    }
    EndDialog(IDOK);
}
