#pragma once
// The parameters of a timed traffic run: counts, period, the traffic limits that start it and
// the CPU usage. Nothing of the program opens it; only the three limits are usable.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CRunLoopDlg : public CDialog
{
public:
    explicit CRunLoopDlg(CWnd* pParent);
    virtual ~CRunLoopDlg();

    enum
    {
        IDD = IDD_RUNLOOP_DLG
    };

    UINT m_nLogRunCount;
    UINT m_nLineRunCount;
    UINT m_nRunPeriod;
    int m_nTxLimit;
    int m_nRxLimit;
    int m_nTxRxLimit;
    int m_nCpuUsage;
    int m_bUseLine;
    int m_bUseLog;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    DECLARE_MESSAGE_MAP()
};

// The operating system's performance counters: "Disable Performance Counters" 1 when bEnable is
// 0, else 0. 1 when it is written; 0 when the key cannot be opened (nothing is created) or the
// value cannot be written.
int SetPerfCountersDisabled(int bEnable);
