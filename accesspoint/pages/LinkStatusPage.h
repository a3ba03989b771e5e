#pragma once
// The "Link Status" page: the access point's link as its driver reports it (state, SSID and
// BSSID with the address, channel, rates, signals and the 802.11n details), refreshed every two
// seconds while the page is active. The sheet holds one and never shows it.

#include "adapter/radio/HTTable.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

#define AP_LINK_TIMER 1
#define AP_LINK_PERIOD 2000

class CLinkStatusPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CLinkStatusPage)
public:
    CLinkStatusPage();
    virtual ~CLinkStatusPage();

    enum
    {
        IDD = IDD_LINKSTATUS_PAGE
    };

    CHTTable m_HtTable;
    CString m_strStatus;
    CString m_strExtraInfo;
    CString m_strChannel;
    CString m_strTxRate;
    CString m_strRxRate;
    CString m_strSignal[3];
    CString m_strBw;
    CString m_strGi;
    CString m_strStbc;
    CString m_strMcs;
    CString m_strSnr0;
    CString m_strSnr1;
    BOOL m_bSecondRssiSupported;
    BOOL m_bThirdRssiSupported;
    BOOL m_bHtRows;
    UINT_PTR m_nTimerId;

    // The 802.11n fields of a transmit-rate word; the bare labels when bLabels.
    void ShowHtInfo(BOOL bLabels, WORD wTxRate);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

    void ShowNoLink(DWORD dwLinkState);
    void ShowLink(DWORD dwLinkState, BOOL bLinkStateRead);
    // The rate of the word the driver answers for that query; its 802.11n fields when bShowHt.
    double DecodeRate(DWORD dwOid, BOOL bShowHt);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
