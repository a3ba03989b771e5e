#include "accesspoint/pages/StatisticPage.h"

#include "adapter/driver/DriverRequest.h"
#include "resources/TessarynAp/resource.h"

#include <cstring>

// The NDIS 802.11 statistics record; this page reads its first 176 bytes.
#define OID_AP_STATISTICS 0x0D020212
#define AP_STATISTICS_SIZE 176
// Frames received, and those dropped for want of receive buffers.
#define OID_AP_FRAMES_RECEIVED 0x00020102
#define OID_AP_RCV_NO_BUFFER 0x00020105
// Clears the driver's counters (no data); sent as 0x0DF10103.
#define OID_AP_RESET_COUNTERS 0x0D710103

#define STATISTIC_TIMER_ID 1
#define STATISTIC_PERIOD 2000

namespace
{

// The 64-bit counter at that byte offset of the record.
LONGLONG CounterAt(const BYTE* pRecord, size_t nOffset)
{
    LONGLONG llValue = 0;
    memcpy(&llValue, pRecord + nOffset, sizeof(llValue));
    return llValue;
}

const StatisticLayout kLayout = {
    {IDC_STAT_TX_SUCCESS, IDC_STAT_TX_NO_RETRY, IDC_STAT_TX_RETRY, IDC_STAT_TX_ACK_FAIL,
     IDC_STAT_RTS_SUCCESS, IDC_STAT_RTS_FAIL, IDC_STAT_RX_SUCCESS, IDC_STAT_RX_CRC_ERROR,
     IDC_STAT_RX_NO_RESOURCE, IDC_STAT_RX_DUPLICATE},
    {IDC_STAT_TX_SUCCESS_LABEL, IDC_STAT_TX_NO_RETRY_LABEL, IDC_STAT_TX_RETRY_LABEL,
     IDC_STAT_TX_ACK_FAIL_LABEL, IDC_STAT_RTS_SUCCESS_LABEL, IDC_STAT_RTS_FAIL_LABEL,
     IDC_STAT_RX_SUCCESS_LABEL, IDC_STAT_RX_CRC_ERROR_LABEL, IDC_STAT_RX_NO_RESOURCE_LABEL,
     IDC_STAT_RX_DUPLICATE_LABEL},
    {IDS_STAT_TX_SUCCESS, IDS_STAT_TX_NO_RETRY, IDS_STAT_TX_RETRY, IDS_STAT_TX_ACK_FAIL,
     IDS_STAT_RTS_SUCCESS, IDS_STAT_RTS_FAIL, IDS_STAT_RX_SUCCESS, IDS_STAT_RX_CRC_ERROR,
     IDS_STAT_RX_NO_RESOURCE, IDS_STAT_RX_DUPLICATE},
    IDC_STAT_TX_GROUP,
    IDS_STAT_TX_GROUP,
    IDC_STAT_RX_GROUP,
    IDS_STAT_RX_GROUP,
    IDC_STAT_RESET,
    IDS_STAT_RESET,
};

} // namespace

IMPLEMENT_DYNCREATE(CStatisticPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CStatisticPage, CPropertyPage)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_STAT_RESET, OnResetCounters)
END_MESSAGE_MAP()

CStatisticPage::CStatisticPage()
    : CPropertyPage(CStatisticPage::IDD, IDS_PAGE_STATISTICS), m_nTimerId(0)
{
}

CStatisticPage::~CStatisticPage() {}

void CStatisticPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    m_Fields.Exchange(pDX, kLayout);
}

BOOL CStatisticPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_Fields.LoadTexts(*this, kLayout);
    // The counters stay empty until the first tick.
    UpdateData(FALSE);
    return TRUE;
}

BOOL CStatisticPage::OnSetActive()
{
    m_nTimerId = SetTimer(STATISTIC_TIMER_ID, STATISTIC_PERIOD, NULL);
    return CPropertyPage::OnSetActive();
}

// Leaving the page is the only place the timer stops; a page destroyed while shown takes its
// timer with its window.
BOOL CStatisticPage::OnKillActive()
{
    KillTimer(m_nTimerId);
    return CPropertyPage::OnKillActive();
}

void CStatisticPage::OnTimer(UINT_PTR nIDEvent)
{
    BYTE abRecord[AP_STATISTICS_SIZE];
    memset(abRecord, 0, sizeof(abRecord));
    DWORD dwBytes = 0;
    if (!OidQueryInformation(OID_AP_STATISTICS, abRecord, sizeof(abRecord), &dwBytes))
        memset(abRecord, 0, sizeof(abRecord));

    DWORD dwReceived = 0;
    if (!OidQueryInformation(OID_AP_FRAMES_RECEIVED, &dwReceived, sizeof(dwReceived), &dwBytes))
        dwReceived = 0;
    DWORD dwNoBuffer = 0;
    if (!OidQueryInformation(OID_AP_RCV_NO_BUFFER, &dwNoBuffer, sizeof(dwNoBuffer), &dwBytes))
        dwNoBuffer = 0;

    StatisticCounters counters;
    counters.llTransmitted = CounterAt(abRecord, 8);
    counters.llRetries = CounterAt(abRecord, 32);
    counters.llFailed = CounterAt(abRecord, 24);
    counters.llRtsSuccess = CounterAt(abRecord, 48);
    counters.llRtsFailure = CounterAt(abRecord, 56);
    counters.llFcsErrors = CounterAt(abRecord, 96);
    counters.llDuplicates = CounterAt(abRecord, 72);
    counters.nReceived = static_cast<UINT>(dwReceived);
    counters.nNoBuffer = static_cast<UINT>(dwNoBuffer);
    m_Fields.Show(counters);

    UpdateData(FALSE);
    CPropertyPage::OnTimer(nIDEvent);
}

void CStatisticPage::OnResetCounters()
{
    m_Fields.Zero();
    UpdateData(FALSE);

    // Whether the driver took it shows at the next tick.
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_RESET_COUNTERS, NULL, 0, &dwBytes, 3);
}
