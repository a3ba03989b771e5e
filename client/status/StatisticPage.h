#pragma once
// The Statistics page of the main sheet: the frame counters of the link, refreshed every two
// seconds while the page is shown, and a button that clears them in the driver.

#include "adapter/status/StatisticFields.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
