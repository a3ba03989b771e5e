#include "client/radio/RunLoopDlg.h"

#include "adapter/registry/RegistryCopy.h"

namespace
{

const char kPerfKey[] = "SYSTEM\\CurrentControlSet\\Services\\PerfOS\\Performance";

} // namespace

BEGIN_MESSAGE_MAP(CRunLoopDlg, CDialog)
END_MESSAGE_MAP()

CRunLoopDlg::CRunLoopDlg(CWnd* pParent)
    : CDialog(CRunLoopDlg::IDD, pParent), m_nLogRunCount(0), m_nLineRunCount(0), m_nRunPeriod(0),
      m_nTxLimit(0), m_nRxLimit(0), m_nTxRxLimit(0), m_nCpuUsage(0), m_bUseLine(0), m_bUseLog(0)
{
}

CRunLoopDlg::~CRunLoopDlg() {}

void CRunLoopDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RUN_LOG_COUNT, m_nLogRunCount);
    DDX_Text(pDX, IDC_RUN_LINE_COUNT, m_nLineRunCount);
    DDX_Text(pDX, IDC_RUN_PERIOD, m_nRunPeriod);
    DDX_Text(pDX, IDC_RUN_TX_LIMIT, m_nTxLimit);
    DDX_Text(pDX, IDC_RUN_RX_LIMIT, m_nRxLimit);
    DDX_Text(pDX, IDC_RUN_TXRX_LIMIT, m_nTxRxLimit);
    DDX_Text(pDX, IDC_RUN_CPU, m_nCpuUsage);
    DDX_Check(pDX, IDC_RUN_USE_LINE, m_bUseLine);
    DDX_Check(pDX, IDC_RUN_USE_LOG, m_bUseLog);
}

int SetPerfCountersDisabled(int bEnable)
{
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPerfKey, 0,
                      KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    // A value that was not written is no success.
    LONG lResult = SetDwordValue(hKey, "Disable Performance Counters", bEnable == 0 ? 1 : 0);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? 1 : 0;
}
