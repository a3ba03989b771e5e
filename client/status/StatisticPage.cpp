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
    DDX_Control(pDX, IDC_STAT_TX_GROUP, m_btnTransmitGroup);
    DDX_Control(pDX, IDC_STAT_RX_GROUP, m_btnReceiveGroup);
    DDX_Control(pDX, IDC_STAT_RESET, m_btnResetCounters);
    DDX_Text(pDX, IDC_STAT_TX_SUCCESS, m_strTxSuccess);
    DDX_Text(pDX, IDC_STAT_TX_NO_RETRY, m_strTxNoRetry);
    DDX_Text(pDX, IDC_STAT_TX_RETRY, m_strTxRetry);
    DDX_Text(pDX, IDC_STAT_TX_ACK_FAIL, m_strTxAckFail);
    DDX_Text(pDX, IDC_STAT_RTS_SUCCESS, m_strRtsSuccess);
    DDX_Text(pDX, IDC_STAT_RTS_FAIL, m_strRtsFail);
    DDX_Text(pDX, IDC_STAT_RX_SUCCESS, m_strRxSuccess);
    DDX_Text(pDX, IDC_STAT_RX_CRC_ERROR, m_strRxCrcError);
    DDX_Text(pDX, IDC_STAT_RX_NO_RESOURCE, m_strRxNoResource);
    DDX_Text(pDX, IDC_STAT_RX_DUPLICATE, m_strRxDuplicate);
    DDX_Text(pDX, IDC_STAT_TX_SUCCESS_LABEL, m_strTxSuccessLabel);
    DDX_Text(pDX, IDC_STAT_TX_NO_RETRY_LABEL, m_strTxNoRetryLabel);
    DDX_Text(pDX, IDC_STAT_TX_RETRY_LABEL, m_strTxRetryLabel);
    DDX_Text(pDX, IDC_STAT_TX_ACK_FAIL_LABEL, m_strTxAckFailLabel);
    DDX_Text(pDX, IDC_STAT_RTS_SUCCESS_LABEL, m_strRtsSuccessLabel);
    DDX_Text(pDX, IDC_STAT_RTS_FAIL_LABEL, m_strRtsFailLabel);
    DDX_Text(pDX, IDC_STAT_RX_SUCCESS_LABEL, m_strRxSuccessLabel);
    DDX_Text(pDX, IDC_STAT_RX_CRC_ERROR_LABEL, m_strRxCrcErrorLabel);
    DDX_Text(pDX, IDC_STAT_RX_NO_RESOURCE_LABEL, m_strRxNoResourceLabel);
    DDX_Text(pDX, IDC_STAT_RX_DUPLICATE_LABEL, m_strRxDuplicateLabel);
}

BOOL CStatisticPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    CString strText;
    strText.LoadString(IDS_STAT_TX_GROUP);
    m_btnTransmitGroup.SetWindowText(strText);
    strText.LoadString(IDS_STAT_RX_GROUP);
    m_btnReceiveGroup.SetWindowText(strText);
    strText.LoadString(IDS_STAT_RESET);
    m_btnResetCounters.SetWindowText(strText);

    m_strTxSuccessLabel.LoadString(IDS_STAT_TX_SUCCESS);
    m_strTxNoRetryLabel.LoadString(IDS_STAT_TX_NO_RETRY);
    m_strTxRetryLabel.LoadString(IDS_STAT_TX_RETRY);
    m_strTxAckFailLabel.LoadString(IDS_STAT_TX_ACK_FAIL);
    m_strRtsSuccessLabel.LoadString(IDS_STAT_RTS_SUCCESS);
    m_strRtsFailLabel.LoadString(IDS_STAT_RTS_FAIL);
    m_strRxSuccessLabel.LoadString(IDS_STAT_RX_SUCCESS);
    m_strRxCrcErrorLabel.LoadString(IDS_STAT_RX_CRC_ERROR);
    m_strRxNoResourceLabel.LoadString(IDS_STAT_RX_NO_RESOURCE);
    m_strRxDuplicateLabel.LoadString(IDS_STAT_RX_DUPLICATE);

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

    // Signed on purpose: more retries than transmitted fragments show as a negative count.
    LONGLONG llNoRetry = static_cast<LONGLONG>(stats.TransmittedFragmentCount - stats.RetryCount);
    m_strTxSuccess.Format("%I64d", static_cast<LONGLONG>(stats.TransmittedFragmentCount));
    m_strTxNoRetry.Format("%I64d", llNoRetry);
    m_strTxRetry.Format("%I64d", static_cast<LONGLONG>(stats.RetryCount));
    m_strTxAckFail.Format("%I64d", static_cast<LONGLONG>(stats.FailedCount));
    m_strRtsSuccess.Format("%I64d", static_cast<LONGLONG>(stats.RTSSuccessCount));
    m_strRtsFail.Format("%I64d", static_cast<LONGLONG>(stats.RTSFailureCount));
    // The received-frame count is shown in 32 bits.
    m_strRxSuccess.Format("%u", static_cast<UINT>(ullReceived));
    m_strRxCrcError.Format("%I64d", static_cast<LONGLONG>(stats.FCSErrorCount));
    m_strRxNoResource.Format("%u", static_cast<UINT>(dwNoBuffer));
    m_strRxDuplicate.Format("%I64d", static_cast<LONGLONG>(stats.FrameDuplicateCount));

    UpdateData(FALSE);
    CPropertyPage::OnTimer(nIDEvent);
}

void CStatisticPage::OnResetCounters()
{
    m_strTxSuccess = "0";
    m_strTxNoRetry = "0";
    m_strTxRetry = "0";
    m_strTxAckFail = "0";
    m_strRtsSuccess = "0";
    m_strRtsFail = "0";
    m_strRxSuccess = "0";
    m_strRxCrcError = "0";
    m_strRxNoResource = "0";
    m_strRxDuplicate = "0";
    UpdateData(FALSE);

    // Whether the driver took it shows at the next tick.
    DWORD dwBytes = 0;
    OidSetInformation(OID_RESET_COUNTERS, NULL, 0, &dwBytes, 3);
}
