#include "client/status/LinkStatusPage.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/NdisTypes.h"
#include "adapter/radio/ChannelFrequencyTable.h"
#include "adapter/radio/TxRateWord.h"
#include "client/access/AdapterState.h"
#include "client/access/OidAccessor.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"

#include <cstring>

namespace
{

// Labels and the string each one shows.
const struct
{
    int nID;
    UINT nString;
} kLabels[] = {
    {IDC_LS_STATUS_LABEL, IDS_LS_STATUS_LABEL},
    {IDC_LS_EXTRA_INFO_LABEL, IDS_LS_EXTRA_INFO_LABEL},
    {IDC_LS_CHANNEL_LABEL, IDS_LS_CHANNEL_LABEL},
    {IDC_LS_RATE_LABEL, IDS_LS_RATE_LABEL},
    {IDC_LS_TX_RATE_LABEL, IDS_LS_TX_MBPS},
    {IDC_LS_RX_RATE_LABEL, IDS_LS_RX_MBPS},
    {IDC_LS_THROUGHPUT_LABEL, IDS_LS_THROUGHPUT_LABEL},
    {IDC_LS_TX_THROUGHPUT_LABEL, IDS_LS_TX_KBPS},
    {IDC_LS_RX_THROUGHPUT_LABEL, IDS_LS_RX_KBPS},
    {IDC_LS_QUALITY_LABEL, IDS_LS_QUALITY_LABEL},
    {IDC_LS_SIGNAL1_LABEL, IDS_LS_SIGNAL1_LABEL},
    {IDC_LS_SIGNAL2_LABEL, IDS_LS_SIGNAL2_LABEL},
    {IDC_LS_SIGNAL3_LABEL, IDS_LS_SIGNAL3_LABEL},
    {IDC_LS_NOISE_LABEL, IDS_LS_NOISE_LABEL},
    {IDC_LS_DBM, IDS_LS_DBM},
};

// The rows that move, each as label, bar, word, value; m_rcTemplate keeps them in this order.
enum
{
    ROW_SIGNAL2 = 0,
    ROW_SIGNAL3 = 4,
    ROW_NOISE = 8
};
const int kRowControls[12] = {
    IDC_LS_SIGNAL2_LABEL, IDC_LS_SIGNAL2_BAR, IDC_LS_SIGNAL2_WORD, IDC_LS_SIGNAL2,
    IDC_LS_SIGNAL3_LABEL, IDC_LS_SIGNAL3_BAR, IDC_LS_SIGNAL3_WORD, IDC_LS_SIGNAL3,
    IDC_LS_NOISE_LABEL,   IDC_LS_NOISE_BAR,   IDC_LS_NOISE_WORD,   IDC_LS_NOISE,
};

const int kHtControls[] = {IDC_LS_HT_GROUP, IDC_LS_HT_BW,   IDC_LS_HT_GI,  IDC_LS_HT_STBC,
                           IDC_LS_HT_MCS,   IDC_LS_HT_SNR0, IDC_LS_HT_SNR1};

// Receive-rate codes of adapters without 802.11n, in Mbps.
const double kRxRates[12] = {1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54};

// Good above 70, Normal from 41, else Weak.
CString LevelWord(int nPercent)
{
    if (nPercent > 70)
        return LoadText(IDS_LS_GOOD);
    if (nPercent > 40)
        return LoadText(IDS_LS_NORMAL);
    return LoadText(IDS_LS_WEAK);
}

// The driver's link-state codes 0 to 10 in order; any other code has no text.
const UINT kLinkStateText[] = {
    IDS_LS_LINK_UP,        IDS_LS_LINK_DOWN,        IDS_LS_HW_RADIO_OFF, IDS_LS_SW_RADIO_OFF,
    IDS_LS_OPEN_AUTH_FAIL, IDS_LS_SHARED_AUTH_FAIL, IDS_LS_ASSOC_FAIL,   IDS_LS_DEAUTH_MIC,
    IDS_LS_DEAUTH_4WAY,    IDS_LS_DEAUTH_GROUP_KEY, IDS_LS_EAP_SUCCEED};

CString ExtraInfoText(DWORD dwCode)
{
    if (dwCode >= sizeof(kLinkStateText) / sizeof(kLinkStateText[0]))
        return CString();
    return LoadText(kLinkStateText[dwCode]);
}

// A signal the driver did not answer counts as no antenna.
LONG QueryRssi(DWORD oid)
{
    LONG lRssi = 0;
    DWORD dwReturned = 0;
    if (!OidQueryInformation(oid, &lRssi, sizeof(lRssi), &dwReturned))
        return RSSI_NO_ANTENNA;
    return lRssi;
}

DWORD LinkRecordSize()
{
    return g_bHtSupported == 1 ? sizeof(LINK_RECORD) : 16;
}

// The record zeroed first: a failed query leaves nothing of an earlier one.
BOOL QueryLinkRecord(LINK_RECORD& record)
{
    memset(&record, 0, sizeof(record));
    DWORD dwReturned = 0;
    return OidQueryInformation(OID_LINK_RECORD, &record, LinkRecordSize(), &dwReturned);
}

// The current SSID as text, at most the 32 bytes its field holds.
CString CurrentSsidText(NativeWifiClient& client)
{
    NDIS_802_11_SSID ssid;
    memset(&ssid, 0, sizeof(ssid));
    client.GetCurrentSsid(&ssid);
    ULONG nSsidLength = ssid.SsidLength;
    if (nSsidLength > sizeof(ssid.Ssid))
        nSsidLength = sizeof(ssid.Ssid);
    return CString((LPCSTR)ssid.Ssid, (int)nSsidLength);
}

// The adapter's transmit power as the extra information shows it.
CString TxPowerText(NativeWifiClient& client)
{
    DWORD dwTxPower = 0;
    if (client.GetOidAccessor() != NULL)
        client.GetOidAccessor()->QueryTxPower(&dwTxPower);
    int nTxPower = (int)dwTxPower;
    CString strTxPower;
    if (nTxPower == -1 || nTxPower == 100)
        strTxPower = "100%";
    else if (nTxPower >= 0 && nTxPower <= 6)
        strTxPower = "Lowest";
    else
        strTxPower.Format("%d%%", nTxPower);
    return strTxPower;
}

} // namespace

IMPLEMENT_DYNCREATE(CLinkStatusPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CLinkStatusPage, CPropertyPage)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_LS_RECONNECT, OnReconnect)
ON_BN_CLICKED(IDC_LS_REAUTHENTICATE, OnReauthenticate)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CLinkStatusPage::CLinkStatusPage()
    : CPropertyPage(CLinkStatusPage::IDD, IDS_PAGE_LINK_STATUS), m_bDbmFormat(0), m_nPrevQuality(0),
      m_nPrevTxBytes(0), m_nPrevRxBytes(0), m_bSecondRssiSupported(0), m_bThirdRssiSupported(0),
      m_nTimerId(0), m_bTemplateKnown(FALSE)
{
    memset(m_rcTemplate, 0, sizeof(m_rcTemplate));
}

CLinkStatusPage::~CLinkStatusPage() {}

void CLinkStatusPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LS_QUALITY_BAR, m_QualityBar);
    DDX_Control(pDX, IDC_LS_SIGNAL1_BAR, m_Signal1Bar);
    DDX_Control(pDX, IDC_LS_NOISE_BAR, m_NoiseBar);
    DDX_Control(pDX, IDC_LS_SIGNAL2_BAR, m_Signal2Bar);
    DDX_Control(pDX, IDC_LS_SIGNAL3_BAR, m_Signal3Bar);
    DDX_Text(pDX, IDC_LS_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_LS_EXTRA_INFO, m_strExtraInfo);
    DDX_Text(pDX, IDC_LS_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_LS_TX_RATE, m_strTxRate);
    DDX_Text(pDX, IDC_LS_RX_RATE, m_strRxRate);
    DDX_Text(pDX, IDC_LS_TX_THROUGHPUT, m_strTxThroughput);
    DDX_Text(pDX, IDC_LS_RX_THROUGHPUT, m_strRxThroughput);
    DDX_Text(pDX, IDC_LS_QUALITY, m_strQuality);
    DDX_Text(pDX, IDC_LS_QUALITY_WORD, m_strQualityWord);
    DDX_Text(pDX, IDC_LS_SIGNAL1, m_strSignal1);
    DDX_Text(pDX, IDC_LS_SIGNAL1_WORD, m_strSignal1Word);
    DDX_Text(pDX, IDC_LS_SIGNAL2, m_strSignal2);
    DDX_Text(pDX, IDC_LS_SIGNAL2_WORD, m_strSignal2Word);
    DDX_Text(pDX, IDC_LS_SIGNAL3, m_strSignal3);
    DDX_Text(pDX, IDC_LS_SIGNAL3_WORD, m_strSignal3Word);
    DDX_Text(pDX, IDC_LS_NOISE, m_strNoise);
    DDX_Text(pDX, IDC_LS_NOISE_WORD, m_strNoiseWord);
    DDX_Text(pDX, IDC_LS_HT_BW, m_strBw);
    DDX_Text(pDX, IDC_LS_HT_GI, m_strGi);
    DDX_Text(pDX, IDC_LS_HT_STBC, m_strStbc);
    DDX_Text(pDX, IDC_LS_HT_MCS, m_strMcs);
    DDX_Text(pDX, IDC_LS_HT_SNR0, m_strSnr0);
    DDX_Text(pDX, IDC_LS_HT_SNR1, m_strSnr1);
    DDX_Check(pDX, IDC_LS_DBM, m_bDbmFormat);
}

BOOL CLinkStatusPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_HtTable.BuildTables();
    for (const auto& label : kLabels)
        SetDlgItemText(label.nID, LoadText(label.nString));
    m_QualityBar.SetRange(0, 100);
    m_Signal1Bar.SetRange(0, 100);
    m_NoiseBar.SetRange(0, 100);
    m_Signal2Bar.SetRange(0, 100);
    m_Signal3Bar.SetRange(0, 100);

    // Where the template puts the rows that the antenna layout moves.
    for (int i = 0; i < 12; i++)
    {
        CWnd* pCtrl = GetDlgItem(kRowControls[i]);
        if (pCtrl == NULL)
            continue;
        pCtrl->GetWindowRect(&m_rcTemplate[i]);
        ScreenToClient(&m_rcTemplate[i]);
    }
    m_bTemplateKnown = TRUE;

    UpdateData(FALSE);
    ShowHtControls();
    return TRUE;
}

void CLinkStatusPage::ShowHtControls()
{
    int nShow = g_bHtSupported == 1 ? SW_SHOW : SW_HIDE;
    for (int nID : kHtControls)
    {
        CWnd* pCtrl = GetDlgItem(nID);
        if (pCtrl != NULL)
            pCtrl->ShowWindow(nShow);
    }
}

void CLinkStatusPage::LayoutSignalRows()
{
    if (!m_bTemplateKnown)
        return;
    // Back to the template first, then the moves for the antennas missing now.
    RECT rcPlace[12];
    memcpy(rcPlace, m_rcTemplate, sizeof(rcPlace));
    BOOL bShow[12];
    for (int i = 0; i < 12; i++)
        bShow[i] = TRUE;
    if (!m_bSecondRssiSupported)
    {
        for (int i = 0; i < 4; i++)
        {
            bShow[ROW_SIGNAL2 + i] = FALSE;
            bShow[ROW_SIGNAL3 + i] = FALSE;
            rcPlace[ROW_NOISE + i] = m_rcTemplate[ROW_SIGNAL2 + i];
        }
    }
    else if (!m_bThirdRssiSupported)
    {
        for (int i = 0; i < 4; i++)
        {
            bShow[ROW_SIGNAL3 + i] = FALSE;
            rcPlace[ROW_NOISE + i] = m_rcTemplate[ROW_SIGNAL3 + i];
        }
    }
    for (int i = 0; i < 12; i++)
    {
        CWnd* pCtrl = GetDlgItem(kRowControls[i]);
        if (pCtrl == NULL)
            continue;
        pCtrl->MoveWindow(&rcPlace[i]);
        pCtrl->ShowWindow(bShow[i] ? SW_SHOW : SW_HIDE);
    }
}

BOOL CLinkStatusPage::OnSetActive()
{
    LINK_RECORD record;
    // A driver that does not answer now leaves the counters of the last tick.
    if (QueryLinkRecord(record))
    {
        m_nPrevTxBytes = record.TxBytes;
        m_nPrevRxBytes = record.RxBytes;
    }

    LONG lRssi = 0;
    DWORD dwReturned = 0;
    m_bSecondRssiSupported =
        OidQueryInformation(OID_SECOND_RSSI, &lRssi, sizeof(lRssi), &dwReturned) ? 1 : 0;
    m_bThirdRssiSupported =
        OidQueryInformation(OID_THIRD_RSSI, &lRssi, sizeof(lRssi), &dwReturned) ? 1 : 0;
    LayoutSignalRows();

    m_nTimerId = (int)SetTimer(LINK_STATUS_TIMER, LINK_STATUS_PERIOD);
    return CPropertyPage::OnSetActive();
}

BOOL CLinkStatusPage::OnKillActive()
{
    KillTimer(m_nTimerId);
    return CPropertyPage::OnKillActive();
}

void CLinkStatusPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    KillTimer(m_nTimerId);
}

void CLinkStatusPage::OnReconnect() {}

void CLinkStatusPage::OnReauthenticate() {}

void CLinkStatusPage::SetHtText(int nID, CString& strField, LPCSTR pszText)
{
    strField = pszText;
    SetDlgItemText(nID, strField);
}

void CLinkStatusPage::ShowHtInfo(int nMode, WORD wTxRate)
{
    if (g_bHtSupported != 1)
        return;
    if (nMode == 1)
    {
        SetHtText(IDC_LS_HT_BW, m_strBw, "BW: ");
        SetHtText(IDC_LS_HT_GI, m_strGi, "GI: ");
        SetHtText(IDC_LS_HT_STBC, m_strStbc, "STBC: ");
        SetHtText(IDC_LS_HT_MCS, m_strMcs, "MCS: ");
        SetHtText(IDC_LS_HT_SNR0, m_strSnr0, "SNR0: ");
        SetHtText(IDC_LS_HT_SNR1, m_strSnr1, "SNR1: ");
        return;
    }
    if (nMode != 0)
        return;
    TxRateWord txRate = {wTxRate};
    SetHtText(IDC_LS_HT_BW, m_strBw, txRate.Is40MHz() ? "BW: 40" : "BW: 20");
    SetHtText(IDC_LS_HT_GI, m_strGi, txRate.IsShortGi() ? "GI: short" : "GI: long");
    SetHtText(IDC_LS_HT_STBC, m_strStbc, txRate.Stbc() != 0 ? "STBC: used" : "STBC: none");
    CString strMcs;
    strMcs.Format("MCS: %d", txRate.RateCode());
    SetHtText(IDC_LS_HT_MCS, m_strMcs, strMcs);
}

void CLinkStatusPage::ClearHtInfo()
{
    DWORD dwWord = 0;
    DWORD dwReturned = 0;
    OidQueryInformation(OID_TX_RATE, &dwWord, sizeof(dwWord), &dwReturned);
    TxRateWord txRate = {LOWORD(dwWord)};
    if (txRate.IsHt())
        return;
    SetHtText(IDC_LS_HT_BW, m_strBw, "BW: n/a");
    SetHtText(IDC_LS_HT_GI, m_strGi, "GI: n/a");
    SetHtText(IDC_LS_HT_STBC, m_strStbc, "STBC: n/a");
    SetHtText(IDC_LS_HT_MCS, m_strMcs, "MCS: n/a");
    SetHtText(IDC_LS_HT_SNR0, m_strSnr0, "SNR0: n/a");
    SetHtText(IDC_LS_HT_SNR1, m_strSnr1, "SNR1: n/a");
}

void CLinkStatusPage::DecodeTxRate(DWORD oid, double& rate, int& isHt)
{
    isHt = 0;
    // Cleared first: a failed query decodes as CCK code 0 (1 Mbps).
    DWORD dwWord = 0;
    DWORD dwReturned = 0;
    OidQueryInformation(oid, &dwWord, sizeof(dwWord), &dwReturned);
    WORD wTxRate = LOWORD(dwWord);
    DecodeTxRateWord(m_HtTable, wTxRate, rate, isHt);
    if (oid == OID_TX_RATE)
        ShowHtInfo(0, wTxRate);
}

void CLinkStatusPage::ClearLinkValues()
{
    m_strChannel.Empty();
    m_strTxRate.Empty();
    m_strRxRate.Empty();
    m_strTxThroughput.Empty();
    m_strRxThroughput.Empty();
    m_strQuality.Empty();
    m_strSignal1.Empty();
    m_strSignal1Word.Empty();
    m_strSignal2.Empty();
    m_strSignal2Word.Empty();
    m_strSignal3.Empty();
    m_strSignal3Word.Empty();
    m_QualityBar.SetPos(0);
    m_Signal1Bar.SetPos(0);
    m_Signal2Bar.SetPos(0);
    m_Signal3Bar.SetPos(0);
}

void CLinkStatusPage::ShowSignal(LONG lRssi, CString& strValue, CString& strWord,
                                 CProgressCtrl& bar)
{
    if (lRssi == RSSI_NO_ANTENNA)
    {
        strValue.Empty();
        strWord.Empty();
        bar.SetPos(0);
        return;
    }
    int nPercent = RssiToPercent(lRssi);
    if (nPercent > 100)
        nPercent = 100;
    strWord = LevelWord(nPercent);
    if (m_bDbmFormat)
        strValue.Format("%d dBm", (int)lRssi);
    else
        strValue.Format("%d%%", nPercent);
    bar.SetPos(nPercent);
}

void CLinkStatusPage::OnTimer(UINT_PTR nIDEvent)
{
    UpdateData(TRUE);

    BOOL bConnected = FALSE;
    NativeWifiClient* pClient = g_pHideDlg != NULL ? &g_pHideDlg->m_WifiClient : NULL;
    if (pClient == NULL || pClient->IsInterfaceConnected(&bConnected) != ERROR_SUCCESS)
    {
        ShowNotReady();
        return;
    }

    BYTE abBssid[6] = {0};
    pClient->GetCurrentBssid(abBssid);
    if (!bConnected || IsZeroMac(abBssid))
    {
        ShowNoLink();
        return;
    }

    CString strSsid = CurrentSsidText(*pClient);
    BOOL bChannelShown = ShowChannel(*pClient, abBssid);
    CString strTxPower = TxPowerText(*pClient);
    ShowSsidAndBssid(strSsid, abBssid);
    ShowExtraInfo();
    ShowRxRate();
    LINK_RECORD record;
    BOOL bRecord = QueryLinkRecord(record);
    ShowTxRate(*pClient, abBssid, record, bRecord, bChannelShown);
    ShowThroughput(record, bRecord);
    ShowQuality(record, bRecord);
    LONG alRssi[3];
    ShowSignals(*pClient, alRssi);
    SNR_READINGS snr = ShowSnr();
    ShowNoise(alRssi, snr);
    AppendIcvErrorAndTxPower(strTxPower);

    UpdateData(FALSE);
    ClearHtInfo();
}

void CLinkStatusPage::ShowNotReady()
{
    m_strStatus = LoadText(IDS_NOT_READY);
    ClearLinkValues();
    UpdateData(FALSE);
}

void CLinkStatusPage::ShowNoLink()
{
    m_strStatus = LoadText(g_bRadioOn ? IDS_DISCONNECTED : IDS_RF_OFF);
    ClearLinkValues();
    m_strQualityWord.Empty();
    m_strNoise.Empty();
    m_strNoiseWord.Empty();
    m_NoiseBar.SetPos(0);
    m_strExtraInfo = LoadText(IDS_LS_LINK_DOWN);
    ShowHtInfo(1, 0);
    m_strSnr0 = "SNR0:";
    m_strSnr1 = "SNR1:";
    UpdateData(FALSE);
    m_nPrevTxBytes = 0;
    m_nPrevRxBytes = 0;
}

BOOL CLinkStatusPage::ShowChannel(NativeWifiClient& client, const BYTE* pBssid)
{
    // The line is built anew each tick; an unknown channel keeps the last one as it stands.
    int nChannel = client.ChannelFromBssid(pBssid);
    if (nChannel == -1)
    {
        if (g_pHideDlg->IsSheetOpen())
            g_pHideDlg->PostRescan();
        return FALSE;
    }
    INT nFrequency = ChannelToFrequency(nChannel);
    if (nChannel == 208)
        m_strChannel.Format("J8 <--> %d KHz", nFrequency);
    else if (nChannel == 212)
        m_strChannel.Format("J12 <--> %d KHz", nFrequency);
    else if (nChannel == 216)
        m_strChannel.Format("J16 <--> %d KHz", nFrequency);
    else
        m_strChannel.Format("%u <--> %d KHz", (UINT)nChannel, nFrequency);
    return TRUE;
}

void CLinkStatusPage::ShowSsidAndBssid(const CString& strSsid, const BYTE* pBssid)
{
    // With the adapter's address when it has one.
    BYTE abIp[4] = {0};
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_IP_ADDRESS, abIp, sizeof(abIp), &dwReturned) &&
        (abIp[0] | abIp[1] | abIp[2] | abIp[3]) != 0)
        m_strStatus.Format("%s <--> %02X-%02X-%02X-%02X-%02X-%02X [%d.%d.%d.%d]", (LPCSTR)strSsid,
                           pBssid[0], pBssid[1], pBssid[2], pBssid[3], pBssid[4], pBssid[5],
                           abIp[0], abIp[1], abIp[2], abIp[3]);
    else
        m_strStatus.Format("%s <--> %02X-%02X-%02X-%02X-%02X-%02X", (LPCSTR)strSsid, pBssid[0],
                           pBssid[1], pBssid[2], pBssid[3], pBssid[4], pBssid[5]);
}

void CLinkStatusPage::ShowExtraInfo()
{
    DWORD dwLinkState = 0;
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_LINK_STATE, &dwLinkState, sizeof(dwLinkState), &dwReturned))
        m_strExtraInfo = ExtraInfoText(dwLinkState);
    else
        m_strExtraInfo.Empty();
}

void CLinkStatusPage::ShowRxRate()
{
    double dRxRate = 1.0;
    if (g_bHtSupported == 1)
    {
        int isHt = 0;
        DecodeTxRate(OID_RX_RATE, dRxRate, isHt);
    }
    else
    {
        DWORD dwCode = 0;
        DWORD dwReturned = 0;
        if (OidQueryInformation(OID_RX_RATE, &dwCode, sizeof(dwCode), &dwReturned) && dwCode < 12)
            dRxRate = kRxRates[dwCode];
    }
    m_strRxRate.Format("%.1f", dRxRate);
}

void CLinkStatusPage::ShowTxRate(NativeWifiClient& client, const BYTE* pBssid,
                                 const LINK_RECORD& record, BOOL bRecord, BOOL bChannelShown)
{
    if (g_bHtSupported == 1)
    {
        // Also fills the 802.11n fields.
        double dTxRate = 0;
        int isHt = 0;
        DecodeTxRate(OID_TX_RATE, dTxRate, isHt);
        if (bRecord)
        {
            m_strTxRate.Format("%.1f", dTxRate);
            if (bChannelShown && client.GetCurrentSecurity(pBssid) == 1)
            {
                m_strChannel += "; " + LoadText(IDS_LS_CENTRAL_CHANNEL);
                m_strChannel.AppendFormat(" : %d", (int)record.CentralChannel);
            }
        }
    }
    else if (bRecord)
        m_strTxRate.Format("%.1f", record.TxRate / 2.0);
    if (!bRecord)
        m_strTxRate.Empty();
}

void CLinkStatusPage::ShowThroughput(const LINK_RECORD& record, BOOL bRecord)
{
    // Without a record the counters of the last tick are kept for the next.
    if (!bRecord)
    {
        m_strTxThroughput.Empty();
        m_strRxThroughput.Empty();
        return;
    }
    m_strTxThroughput.Format("%.1f", (UINT)(record.TxBytes - m_nPrevTxBytes) / 250.0);
    m_nPrevTxBytes = record.TxBytes;
    m_strRxThroughput.Format("%.1f", (UINT)(record.RxBytes - m_nPrevRxBytes) / 250.0);
    m_nPrevRxBytes = record.RxBytes;
}

void CLinkStatusPage::ShowQuality(const LINK_RECORD& record, BOOL bRecord)
{
    if (!bRecord)
    {
        m_strQuality.Empty();
        m_strQualityWord.Empty();
        m_QualityBar.SetPos(0);
        return;
    }
    double dQuality = record.Quality * 1.2 + 10;
    UINT nQuality = dQuality > 100 ? 100 : (UINT)dQuality;
    if (m_nPrevQuality != 0)
        nQuality = (UINT)((m_nPrevQuality + nQuality) / 2.0 + 0.5);
    m_nPrevQuality = nQuality;
    m_strQualityWord = LevelWord((int)nQuality);
    m_strQuality.Format("%d%%", (int)nQuality);
    m_QualityBar.SetPos((int)nQuality);
}

void CLinkStatusPage::ShowSignals(NativeWifiClient& client, LONG alRssi[3])
{
    // An antenna the driver does not answer for counts as none.
    alRssi[0] = RSSI_NO_ANTENNA;
    if (client.GetRssi(&alRssi[0]) != ERROR_SUCCESS)
        alRssi[0] = RSSI_NO_ANTENNA;
    alRssi[1] = QueryRssi(OID_SECOND_RSSI);
    alRssi[2] = QueryRssi(OID_THIRD_RSSI);
    ShowSignal(alRssi[0], m_strSignal1, m_strSignal1Word, m_Signal1Bar);
    ShowSignal(alRssi[1], m_strSignal2, m_strSignal2Word, m_Signal2Bar);
    ShowSignal(alRssi[2], m_strSignal3, m_strSignal3Word, m_Signal3Bar);
}

SNR_READINGS CLinkStatusPage::ShowSnr()
{
    SNR_READINGS snr = {FALSE, 0, FALSE, 0};
    DWORD dwReturned = 0;
    snr.bSnr0 = OidQueryInformation(OID_SNR0, &snr.dwSnr0, sizeof(snr.dwSnr0), &dwReturned);
    snr.bSnr1 = OidQueryInformation(OID_SNR1, &snr.dwSnr1, sizeof(snr.dwSnr1), &dwReturned);
    if (!snr.bSnr0 || snr.dwSnr0 == SNR_NO_READING)
        m_strSnr0 = "SNR0: n/a";
    else
        m_strSnr0.Format("SNR0: %d", (int)snr.dwSnr0);
    if (!snr.bSnr1 || snr.dwSnr1 == SNR_NO_READING)
        m_strSnr1 = "SNR1: n/a";
    else
        m_strSnr1.Format("SNR1: %d", (int)snr.dwSnr1);
    return snr;
}

void CLinkStatusPage::ShowNoise(const LONG alRssi[3], const SNR_READINGS& snr)
{
    DWORD dwNoise = 0;
    DWORD dwReturned = 0;
    BOOL bNoise = OidQueryInformation(OID_NOISE_LEVEL, &dwNoise, sizeof(dwNoise), &dwReturned);
    int nNoiseDbm = 0;
    if (bNoise && g_bHtSupported == 1)
    {
        LONG lStrongest = alRssi[0];
        if (alRssi[1] > lStrongest)
            lStrongest = alRssi[1];
        if (alRssi[2] > lStrongest)
            lStrongest = alRssi[2];
        if (lStrongest < -70)
        {
            // Only the ratios the driver gave count.
            DWORD dwSnr = snr.bSnr0 ? snr.dwSnr0 : snr.dwSnr1;
            if (snr.bSnr0 && snr.bSnr1 && snr.dwSnr1 < snr.dwSnr0)
                dwSnr = snr.dwSnr1;
            if (snr.bSnr0 || snr.bSnr1)
                nNoiseDbm = (int)lStrongest - (int)dwSnr;
            else
                bNoise = FALSE;
        }
        else
            nNoiseDbm = -92;
    }
    else if (bNoise)
        nNoiseDbm = (int)dwNoise - 143;
    if (!bNoise)
    {
        m_strNoise.Empty();
        m_strNoiseWord.Empty();
        m_NoiseBar.SetPos(0);
        return;
    }
    int nPercent = (nNoiseDbm + 100) * 10 / 3;
    if (nPercent < 0)
        nPercent = 0;
    if (nPercent > 100)
        nPercent = 100;
    if (nPercent > 90)
        m_strNoiseWord = LoadText(IDS_LS_NOISE_STRONG);
    else if (nPercent > 50)
        m_strNoiseWord = LoadText(IDS_LS_NOISE_NORMAL);
    else
        m_strNoiseWord = LoadText(IDS_LS_NOISE_LOW);
    m_NoiseBar.SetPos(nPercent);
    if (m_bDbmFormat)
        m_strNoise.Format("%d dBm", nNoiseDbm);
    else
        m_strNoise.Format("%d%%", nPercent);
}

void CLinkStatusPage::AppendIcvErrorAndTxPower(const CString& strTxPower)
{
    if (g_bWepError)
        m_strExtraInfo.AppendFormat(" -- %s ", (LPCSTR)LoadText(IDS_ICV_ERROR));
    m_strExtraInfo.AppendFormat(" [TxPower:%s]", (LPCSTR)strTxPower);
}
