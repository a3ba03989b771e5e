#pragma once
// The Statistics page of the main sheet: the frame counters of the link, refreshed every two
// seconds while the page is shown, and a button that clears them in the driver.

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

    CButton m_btnTransmitGroup;
    CButton m_btnReceiveGroup;
    CButton m_btnResetCounters;

    // Counters
    CString m_strTxSuccess;
    CString m_strTxNoRetry;
    CString m_strTxRetry;
    CString m_strTxAckFail;
    CString m_strRtsSuccess;
    CString m_strRtsFail;
    CString m_strRxSuccess;
    CString m_strRxCrcError;
    CString m_strRxNoResource;
    CString m_strRxDuplicate;

    // Labels
    CString m_strTxSuccessLabel;
    CString m_strTxNoRetryLabel;
    CString m_strTxRetryLabel;
    CString m_strTxAckFailLabel;
    CString m_strRtsSuccessLabel;
    CString m_strRtsFailLabel;
    CString m_strRxSuccessLabel;
    CString m_strRxCrcErrorLabel;
    CString m_strRxNoResourceLabel;
    CString m_strRxDuplicateLabel;

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
