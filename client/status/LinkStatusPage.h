#pragma once
// The Link Status page of the main sheet: the state and quality of the link, refreshed every
// two seconds while the page is active.

#include "adapter/radio/HTTable.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

// Driver queries of the page.
#define OID_LINK_RECORD 0xFF0C0009
#define OID_NOISE_LEVEL 0xFF0C000A
#define OID_LINK_STATE 0xFF0C000D
#define OID_RX_RATE 0xFF0C000E
#define OID_SECOND_RSSI 0xFF0C0010
#define OID_THIRD_RSSI 0xFF0C0022
#define OID_SNR0 0xFF0C0023
#define OID_SNR1 0xFF0C0024
#define OID_IP_ADDRESS 0x0D71011F

#define LINK_STATUS_TIMER 1
#define LINK_STATUS_PERIOD 2000

// The signal of an antenna the adapter does not have.
#define RSSI_NO_ANTENNA (-200)
// The driver's SNR when it has no reading.
#define SNR_NO_READING 44

// OID_LINK_RECORD: 20 bytes on adapters with 802.11n, else the first 16.
struct LINK_RECORD
{
    DWORD TxRate;  // 500 kb/s units
    DWORD Quality; // raw
    DWORD TxBytes; // wraps at 2^32
    DWORD RxBytes; // wraps at 2^32
    DWORD CentralChannel;
};
static_assert(sizeof(LINK_RECORD) == 20);

// The two signal-to-noise answers of a tick; the noise of 802.11n adapters comes from them.
struct SNR_READINGS
{
    BOOL bSnr0; // the driver answered
    DWORD dwSnr0;
    BOOL bSnr1;
    DWORD dwSnr1;
};

class NativeWifiClient;

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

    // The rate of a transmit-rate word queried from oid; isHt becomes 1 for an HT word. The
    // word of OID_TX_RATE is also shown in the 802.11n fields.
    void DecodeTxRate(DWORD oid, double& rate, int& isHt);
    // nMode 1: the bare labels; nMode 0: the fields of a transmit-rate word. Only on adapters
    // with 802.11n.
    void ShowHtInfo(int nMode, WORD wTxRate);
    // "n/a" in every 802.11n field unless the link now runs at an HT rate.
    void ClearHtInfo();

    CHTTable m_HtTable;
    CProgressCtrl m_QualityBar;
    CProgressCtrl m_Signal1Bar;
    CProgressCtrl m_NoiseBar;
    CProgressCtrl m_Signal2Bar;
    CProgressCtrl m_Signal3Bar;

    CString m_strStatus;
    CString m_strExtraInfo;
    CString m_strChannel;
    CString m_strTxRate;
    CString m_strRxRate;
    CString m_strTxThroughput;
    CString m_strRxThroughput;
    CString m_strQuality;
    CString m_strQualityWord;
    CString m_strSignal1;
    CString m_strSignal1Word;
    CString m_strSignal2;
    CString m_strSignal2Word;
    CString m_strSignal3;
    CString m_strSignal3Word;
    CString m_strNoise;
    CString m_strNoiseWord;
    CString m_strBw;
    CString m_strGi;
    CString m_strStbc;
    CString m_strMcs;
    CString m_strSnr0;
    CString m_strSnr1;
    int m_bDbmFormat;

    UINT m_nPrevQuality; // 0: none shown yet
    UINT m_nPrevTxBytes;
    UINT m_nPrevRxBytes;
    BYTE m_bSecondRssiSupported;
    BYTE m_bThirdRssiSupported;
    int m_nTimerId;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnReconnect();
    afx_msg void OnReauthenticate();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void ShowHtControls();
    // The rows of signal 2, signal 3 and noise for the antennas the driver answered for, from
    // the template's places each time (an earlier activation may have moved them).
    void LayoutSignalRows();
    void SetHtText(int nID, CString& strField, LPCSTR pszText);
    void ClearLinkValues();
    void ShowSignal(LONG lRssi, CString& strValue, CString& strWord, CProgressCtrl& bar);

    // The parts of a tick, in the order OnTimer runs them.
    void ShowNotReady(); // the WLAN service cannot tell the link
    void ShowNoLink();   // disconnected or radio off: every value empty
    // Channel and centre frequency; FALSE when the channel is unknown (a rescan is asked for
    // and the last line stays).
    BOOL ShowChannel(NativeWifiClient& client, const BYTE* pBssid);
    void ShowSsidAndBssid(const CString& strSsid, const BYTE* pBssid); // the status line
    void ShowExtraInfo();                                              // the driver's link state
    void ShowRxRate();
    // With 802.11n also the 802.11n fields and the central channel.
    void ShowTxRate(NativeWifiClient& client, const BYTE* pBssid, const LINK_RECORD& record,
                    BOOL bRecord, BOOL bChannelShown);
    void ShowThroughput(const LINK_RECORD& record, BOOL bRecord);
    void ShowQuality(const LINK_RECORD& record, BOOL bRecord);
    // The three signal rows; alRssi receives the three readings (RSSI_NO_ANTENNA for none).
    void ShowSignals(NativeWifiClient& client, LONG alRssi[3]);
    SNR_READINGS ShowSnr();
    void ShowNoise(const LONG alRssi[3], const SNR_READINGS& snr);
    void AppendIcvErrorAndTxPower(const CString& strTxPower); // the end of the extra info

    RECT m_rcTemplate[12]; // the three moving rows as the template places them
    BOOL m_bTemplateKnown;
};
