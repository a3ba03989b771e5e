#include "accesspoint/pages/EventLogPage.h"

#include "accesspoint/pages/ReportColumns.h"
#include "adapter/driver/MacText.h"
#include "resources/TessarynAp/TessarynApStrings.h"

#include <iterator>

namespace
{

const ReportColumn kColumns[] = {
    {IDS_EVENTLOG_TIME, 40},
    {IDS_EVENTLOG_MESSAGE, 59},
};

// The texts of event codes 0 to 5.
const UINT kEventText[] = {IDS_EVENT_RESTART,  IDS_EVENT_ASSOCIATED,     IDS_EVENT_LEFT,
                           IDS_EVENT_AGED_OUT, IDS_EVENT_COUNTERMEASURE, IDS_EVENT_INVALID_PSK};

} // namespace

CString EventTimeText(const FILETIME& ftTime)
{
    FILETIME ftLocal = {};
    SYSTEMTIME st = {};
    FileTimeToLocalFileTime(&ftTime, &ftLocal);
    FileTimeToSystemTime(&ftLocal, &st);
    CString strTime;
    strTime.Format("%04d / %02d / %02d - %02d : %02d : %02d", st.wYear, st.wMonth, st.wDay,
                   st.wHour, st.wMinute, st.wSecond);
    return strTime;
}

CString EventMessageText(const ApEventRecord& record)
{
    if (record.wEvent >= std::size(kEventText))
        return CString();
    CString strText = LoadText(kEventText[record.wEvent]);
    if (record.wEvent == 0)
        return strText;
    CString strMessage;
    strMessage.Format(" %s %s", static_cast<LPCSTR>(MacText(record.abMac)),
                      static_cast<LPCSTR>(strText));
    return strMessage;
}

IMPLEMENT_DYNCREATE(CEventLogPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEventLogPage, CPropertyPage)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_EVENTLOG_CLEAR, OnClear)
END_MESSAGE_MAP()

CEventLogPage::CEventLogPage() : CPropertyPage(CEventLogPage::IDD, IDS_PAGE_EVENT_LOG) {}

CEventLogPage::~CEventLogPage() {}

void CEventLogPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EVENTLOG_LIST, m_listEventLog);
}

BOOL CEventLogPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitReportColumns(m_listEventLog, kColumns, static_cast<int>(std::size(kColumns)));
    SetDlgItemText(IDC_EVENTLOG_CLEAR, LoadText(IDS_EVENTLOG_CLEAR));
    return TRUE;
}

BOOL CEventLogPage::OnSetActive()
{
    SetTimer(STATION_PAGE_TIMER_ID, STATION_PAGE_PERIOD, NULL);
    return CPropertyPage::OnSetActive();
}

BOOL CEventLogPage::OnKillActive()
{
    KillTimer(STATION_PAGE_TIMER_ID);
    return CPropertyPage::OnKillActive();
}

void CEventLogPage::OnTimer(UINT_PTR nIDEvent)
{
    int nRows = m_listEventLog.GetItemCount();
    int nSize = static_cast<int>(g_ApEventLog.GetSize());
    for (int i = g_nEventLogShown; i < nSize; i++)
    {
        int nRow = nRows + i - g_nEventLogShown;
        const ApEventRecord& record = g_ApEventLog[i];
        m_listEventLog.InsertItem(nRow, EventTimeText(record.ftTime));
        m_listEventLog.SetItemText(nRow, 1, EventMessageText(record));
    }
    g_nEventLogShown = nSize;

    int nExcess = m_listEventLog.GetItemCount() - EVENT_LOG_MAX_ROWS;
    for (int i = 0; i < nExcess; i++)
        m_listEventLog.DeleteItem(0);
    CPropertyPage::OnTimer(nIDEvent);
}

void CEventLogPage::OnClear()
{
    m_listEventLog.DeleteAllItems();
    g_ApEventLog.RemoveAll();
    g_nEventLogShown = 0;
}
