#include "client/status/StatisticPage.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/NdisTypes.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "resources/TessarynUI/resource.h"

#include <cstring>

// Frames the driver dropped for want of receive buffers.
#define OID_GEN_RCV_NO_BUFFER 0x00020105
// Clears the driver's frame counters (no data).
#define OID_RESET_COUNTERS 0xFF8C000C

#define STATISTIC_TIMER_ID 1
#define STATISTIC_PERIOD 2000

namespace
{

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
ON_WM_DESTROY()
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

BOOL CStatisticPage::OnKillActive()
{
    KillTimer(m_nTimerId);
    return CPropertyPage::OnKillActive();
}

void CStatisticPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    KillTimer(m_nTimerId);
}

void CStatisticPage::OnTimer(UINT_PTR nIDEvent)
{
    LinkStatistics stats;
    memset(&stats, 0, sizeof(stats));
    ULONGLONG ullReceived = 0;
    if (g_pHideDlg != NULL)
        g_pHideDlg->m_WifiClient.GetLinkStatistics(&stats, &ullReceived);

    DWORD dwNoBuffer = 0;
    DWORD dwBytes = 0;
    if (!OidQueryInformation(OID_GEN_RCV_NO_BUFFER, &dwNoBuffer, sizeof(dwNoBuffer), &dwBytes))
        dwNoBuffer = 0;

    StatisticCounters counters;
    counters.llTransmitted = static_cast<LONGLONG>(stats.TransmittedFragmentCount);
    counters.llRetries = static_cast<LONGLONG>(stats.RetryCount);
    counters.llFailed = static_cast<LONGLONG>(stats.FailedCount);
    counters.llRtsSuccess = static_cast<LONGLONG>(stats.RTSSuccessCount);
    counters.llRtsFailure = static_cast<LONGLONG>(stats.RTSFailureCount);
    counters.llFcsErrors = static_cast<LONGLONG>(stats.FCSErrorCount);
    counters.llDuplicates = static_cast<LONGLONG>(stats.FrameDuplicateCount);
    counters.nReceived = static_cast<UINT>(ullReceived);
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
    OidSetInformation(OID_RESET_COUNTERS, NULL, 0, &dwBytes, 3);
}
