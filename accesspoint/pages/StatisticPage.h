#pragma once
// The "Statistics" page: the adapter's transmit and receive counters from the driver, refreshed
// every two seconds while the page is shown, and RESET COUNTERS, which clears them in the driver.

#include "adapter/status/StatisticFields.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CStatisticPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CStatisticPage)
public:
    CStatisticPage();
    virtual ~CStatisticPage();

    enum
    {
        IDD = IDD_STATISTIC_PAGE
    };

    CStatisticFields m_Fields;
    UINT_PTR m_nTimerId;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnResetCounters();
    DECLARE_MESSAGE_MAP()
};
