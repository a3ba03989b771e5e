#include "accesspoint/pages/MacTablePage.h"

#include "accesspoint/pages/ReportColumns.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/MacText.h"
#include "adapter/radio/TxRateWord.h"
#include "resources/TessarynAp/TessarynApStrings.h"

#include <cstring>
#include <iterator>

namespace
{

const ReportColumn kColumns[] = {
    {IDS_MAC_ADDRESS, 22},
    {IDS_MACTABLE_AID, 8},
    {IDS_MACTABLE_POWER_SAVE, 8},
    {IDS_MACTABLE_STATUS, 65},
};

} // namespace

CString MacTableRateText(const CHTTable& table, WORD wTxRate)
{
    TxRateWord txRate = {wTxRate};
    double dRate = 0;
    int nIsHt = 0;
    DecodeTxRateWord(table, wTxRate, dRate, nIsHt);
    CString strText;
    if (txRate.PhyMode() == TXRATE_PHY_CCK)
        strText = "B: ";
    else if (nIsHt)
    {
        CString strMcs;
        strMcs.Format("MCS = %d, ", txRate.RateCode());
        strText = "N: " + strMcs;
        strText += txRate.Is40MHz() ? "BW = 40, " : "BW = 20, ";
        strText += txRate.IsShortGi() ? "GI = 400, " : "GI = 800, ";
        strText += txRate.Stbc() != 0 ? "STBC : used, " : "STBC : none, ";
    }
    CString strRate;
    strRate.Format("Rate = %.2f", dRate);
    return strText + strRate;
}

IMPLEMENT_DYNCREATE(CMacTablePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMacTablePage, CPropertyPage)
ON_WM_TIMER()
END_MESSAGE_MAP()

CMacTablePage::CMacTablePage() : CPropertyPage(CMacTablePage::IDD, IDS_PAGE_MAC_TABLE) {}

CMacTablePage::~CMacTablePage() {}

void CMacTablePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MACTABLE_LIST, m_listMacTable);
}

BOOL CMacTablePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitReportColumns(m_listMacTable, kColumns, static_cast<int>(std::size(kColumns)));
    m_HtTable.BuildTables();
    return TRUE;
}

BOOL CMacTablePage::OnSetActive()
{
    SetTimer(STATION_PAGE_TIMER_ID, STATION_PAGE_PERIOD, NULL);
    return CPropertyPage::OnSetActive();
}

BOOL CMacTablePage::OnKillActive()
{
    KillTimer(STATION_PAGE_TIMER_ID);
    return CPropertyPage::OnKillActive();
}

void CMacTablePage::OnTimer(UINT_PTR nIDEvent)
{
    RefreshStations();
    CPropertyPage::OnTimer(nIDEvent);
}

void CMacTablePage::RefreshStations()
{
    MacTableRecord record;
    memset(&record, 0, sizeof(record));
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_AP_STATION_TABLE, &record, sizeof(record), &dwReturned))
        return;
    m_listMacTable.DeleteAllItems();

    // No more rows than the record holds, nor than the driver filled in.
    DWORD dwRows = record.dwCount;
    if (dwRows > MAC_TABLE_MAX_ENTRIES)
        dwRows = MAC_TABLE_MAX_ENTRIES;
    DWORD dwFilled =
        dwReturned > sizeof(DWORD) ? (dwReturned - sizeof(DWORD)) / sizeof(MacTableEntry) : 0;
    if (dwRows > dwFilled)
        dwRows = dwFilled;

    CString strYes = LoadText(IDS_YES);
    CString strNo = LoadText(IDS_NO);
    for (int i = 0; i < static_cast<int>(dwRows); i++)
    {
        const MacTableEntry& entry = record.entries[i];
        m_listMacTable.InsertItem(i, MacText(entry.abMac));
        CString strAid;
        strAid.Format("%d", entry.bAid);
        m_listMacTable.SetItemText(i, 1, strAid);
        m_listMacTable.SetItemText(i, 2, entry.bPowerSave != 0 ? strYes : strNo);
        if (g_bHtSupported)
            m_listMacTable.SetItemText(i, 3, MacTableRateText(m_HtTable, entry.wTxRate));
    }
}
