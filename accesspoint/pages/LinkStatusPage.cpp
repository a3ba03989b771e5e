#include "accesspoint/pages/LinkStatusPage.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/NdisTypes.h"
#include "adapter/radio/ChannelFrequencyTable.h"
#include "adapter/radio/TxRateWord.h"

#include <cstring>

// What the page reads of the access point's driver.
#define OID_AP_LAYOUT 0x0D710102
#define OID_AP_SECOND_RSSI 0x0D710125
#define OID_AP_THIRD_RSSI 0x0D710134
#define OID_AP_LINK_STATE 0x0D71011D
#define OID_AP_MEDIA_STATE 0x00010114
#define OID_AP_BSSID 0x0D010101
#define OID_AP_SSID 0x0D010102
#define OID_AP_CONFIGURATION 0x0D010211
#define OID_AP_FREQUENCY 0x0D710118
#define OID_AP_IP_ADDRESS 0x0D71011F
#define OID_AP_TX_RATE 0x0D71011B
#define OID_AP_RX_RATE 0x0D71011C
#define OID_AP_RSSI 0x0D010206
#define OID_AP_SNR0 0x0D710135
#define OID_AP_SNR1 0x0D710136
#define OID_AP_TX_POWER 0x0D71011A
#define OID_AP_NO_LINK 0x0D710111

// NDIS media state: 0 connected.
#define MEDIA_CONNECTED 0
// The driver's SNR when it has no reading.
#define AP_SNR_NO_READING 44

namespace
{

// The driver's link-state codes, and their texts.
const UINT kLinkStateText[] = {IDS_LS_LINK_UP, IDS_LS_LINK_DOWN, IDS_LS_HW_RADIO_OFF};
#define LINK_STATE_RADIO_OFF 2

BOOL QueryDword(DWORD dwOid, DWORD& dwValue)
{
    dwValue = 0;
    DWORD dwBytes = 0;
    if (OidQueryInformation(dwOid, &dwValue, sizeof(dwValue), &dwBytes))
        return TRUE;
    dwValue = 0;
    return FALSE;
}

} // namespace

IMPLEMENT_DYNCREATE(CLinkStatusPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CLinkStatusPage, CPropertyPage)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CLinkStatusPage::CLinkStatusPage()
    : CPropertyPage(CLinkStatusPage::IDD, IDS_PAGE_LINK_STATUS), m_bSecondRssiSupported(FALSE),
      m_bThirdRssiSupported(FALSE), m_bHtRows(FALSE), m_nTimerId(0)
{
}

CLinkStatusPage::~CLinkStatusPage() {}

void CLinkStatusPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LS_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_LS_EXTRA_INFO, m_strExtraInfo);
    DDX_Text(pDX, IDC_LS_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_LS_TX_RATE, m_strTxRate);
    DDX_Text(pDX, IDC_LS_RX_RATE, m_strRxRate);
    DDX_Text(pDX, IDC_LS_SIGNAL1, m_strSignal[0]);
    DDX_Text(pDX, IDC_LS_SIGNAL2, m_strSignal[1]);
    DDX_Text(pDX, IDC_LS_SIGNAL3, m_strSignal[2]);
    DDX_Text(pDX, IDC_LS_BW, m_strBw);
    DDX_Text(pDX, IDC_LS_GI, m_strGi);
    DDX_Text(pDX, IDC_LS_STBC, m_strStbc);
    DDX_Text(pDX, IDC_LS_MCS, m_strMcs);
    DDX_Text(pDX, IDC_LS_SNR0, m_strSnr0);
    DDX_Text(pDX, IDC_LS_SNR1, m_strSnr1);
}

BOOL CLinkStatusPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_HtTable.BuildTables();
    UpdateData(FALSE);
    return TRUE;
}

BOOL CLinkStatusPage::OnSetActive()
{
    // Which rows the adapter has: the 802.11n group, and the second and third antennas.
    BYTE abLayout[20];
    memset(abLayout, 0, sizeof(abLayout));
    DWORD dwBytes = 0;
    m_bHtRows =
        g_bHtSupported && OidQueryInformation(OID_AP_LAYOUT, abLayout, sizeof(abLayout), &dwBytes);
    DWORD dwUnused = 0;
    m_bSecondRssiSupported = QueryDword(OID_AP_SECOND_RSSI, dwUnused);
    m_bThirdRssiSupported = m_bSecondRssiSupported && QueryDword(OID_AP_THIRD_RSSI, dwUnused);
    const struct
    {
        int nId;
        BOOL bShow;
    } rows[] = {
        {IDC_LS_SIGNAL2_LABEL, m_bSecondRssiSupported},
        {IDC_LS_SIGNAL2, m_bSecondRssiSupported},
        {IDC_LS_SIGNAL3_LABEL, m_bThirdRssiSupported},
        {IDC_LS_SIGNAL3, m_bThirdRssiSupported},
        {IDC_LS_HT_GROUP, m_bHtRows},
        {IDC_LS_BW, m_bHtRows},
        {IDC_LS_GI, m_bHtRows},
        {IDC_LS_STBC, m_bHtRows},
        {IDC_LS_MCS, m_bHtRows},
        {IDC_LS_SNR0, m_bHtRows},
        {IDC_LS_SNR1, m_bHtRows},
    };
    for (const auto& row : rows)
        GetDlgItem(row.nId)->ShowWindow(row.bShow ? SW_SHOW : SW_HIDE);

    m_nTimerId = SetTimer(AP_LINK_TIMER, AP_LINK_PERIOD, NULL);
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

void CLinkStatusPage::ShowHtInfo(BOOL bLabels, WORD wTxRate)
{
    if (bLabels)
    {
        m_strBw = "BW: ";
        m_strGi = "GI: ";
        m_strStbc = "STBC: ";
        m_strMcs = "MCS: ";
        return;
    }
    TxRateWord word = {wTxRate};
    if (!word.IsHt())
    {
        m_strBw = "BW: n/a";
        m_strGi = "GI: n/a";
        m_strStbc = "STBC: n/a";
        m_strMcs = "MCS: n/a";
        return;
    }
    m_strBw = word.Is40MHz() ? "BW: 40" : "BW: 20";
    m_strGi = word.IsShortGi() ? "GI: short" : "GI: long";
    m_strStbc = word.Stbc() != 0 ? "STBC: used" : "STBC: none";
    m_strMcs.Format("MCS: %d", word.RateCode());
}

double CLinkStatusPage::DecodeRate(DWORD dwOid, BOOL bShowHt)
{
    // A failed query decodes as CCK code 0 (1 Mbps).
    DWORD dwWord = 0;
    QueryDword(dwOid, dwWord);
    double dRate = 0;
    int isHt = 0;
    DecodeTxRateWord(m_HtTable, LOWORD(dwWord), dRate, isHt);
    if (bShowHt)
        ShowHtInfo(FALSE, LOWORD(dwWord));
    return dRate;
}

void CLinkStatusPage::OnTimer(UINT_PTR nIDEvent)
{
    DWORD dwLinkState = 0;
    BOOL bLinkStateRead = QueryDword(OID_AP_LINK_STATE, dwLinkState);
    DWORD dwMedia = 0;
    if (QueryDword(OID_AP_MEDIA_STATE, dwMedia) && dwMedia == MEDIA_CONNECTED)
        ShowLink(dwLinkState, bLinkStateRead);
    else
        ShowNoLink(dwLinkState);
    UpdateData(FALSE);
    CPropertyPage::OnTimer(nIDEvent);
}

void CLinkStatusPage::ShowNoLink(DWORD dwLinkState)
{
    // The driver's state block answers while its radio is on.
    BYTE abState[32];
    memset(abState, 0, sizeof(abState));
    DWORD dwBytes = 0;
    BOOL bRadioOn = OidQueryInformation(OID_AP_NO_LINK, abState, sizeof(abState), &dwBytes) &&
                    dwLinkState != LINK_STATE_RADIO_OFF;
    m_strStatus.LoadString(bRadioOn ? IDS_LS_DISCONNECTED : IDS_LS_RF_OFF);
    m_strExtraInfo.LoadString(IDS_LS_LINK_DOWN);
    m_strChannel.Empty();
    m_strTxRate.Empty();
    m_strRxRate.Empty();
    for (CString& strSignal : m_strSignal)
        strSignal.Empty();
    ShowHtInfo(TRUE, 0);
    m_strSnr0 = "SNR0:";
    m_strSnr1 = "SNR1:";
}

void CLinkStatusPage::ShowLink(DWORD dwLinkState, BOOL bLinkStateRead)
{
    BYTE abBssid[6];
    memset(abBssid, 0, sizeof(abBssid));
    DWORD dwBytes = 0;
    OidQueryInformation(OID_AP_BSSID, abBssid, sizeof(abBssid), &dwBytes);
    NDIS_802_11_SSID ssid;
    memset(&ssid, 0, sizeof(ssid));
    OidQueryInformation(OID_AP_SSID, &ssid, sizeof(ssid), &dwBytes);
    ULONG nSsidLength = ssid.SsidLength <= sizeof(ssid.Ssid) ? ssid.SsidLength : sizeof(ssid.Ssid);
    CString strSsid(reinterpret_cast<const char*>(ssid.Ssid), static_cast<int>(nSsidLength));

    DWORD dwIp = 0;
    BOOL bIp = QueryDword(OID_AP_IP_ADDRESS, dwIp) && dwIp != 0;
    const BYTE* pIp = reinterpret_cast<const BYTE*>(&dwIp);
    m_strStatus.Format("%s <--> %02X-%02X-%02X-%02X-%02X-%02X", strSsid.GetString(), abBssid[0],
                       abBssid[1], abBssid[2], abBssid[3], abBssid[4], abBssid[5]);
    if (bIp)
        m_strStatus.AppendFormat(" [%d.%d.%d.%d]", pIp[0], pIp[1], pIp[2], pIp[3]);

    m_strExtraInfo.Empty();
    if (bLinkStateRead && dwLinkState < sizeof(kLinkStateText) / sizeof(kLinkStateText[0]))
        m_strExtraInfo.LoadString(kLinkStateText[dwLinkState]);

    NDIS_802_11_CONFIGURATION config;
    memset(&config, 0, sizeof(config));
    if (OidQueryInformation(OID_AP_CONFIGURATION, &config, sizeof(config), &dwBytes))
    {
        INT nChannel = FrequencyToChannel(static_cast<INT>(config.DSConfig));
        m_strChannel.Format("%u <--> %d KHz", static_cast<UINT>(nChannel),
                            static_cast<int>(config.DSConfig));
        DWORD dwCentral = 0;
        if (m_bHtRows && QueryDword(OID_AP_FREQUENCY, dwCentral))
        {
            CString strCentral;
            strCentral.LoadString(IDS_LS_CENTRAL_CHANNEL);
            m_strChannel.AppendFormat("; %s : %d", strCentral.GetString(),
                                      static_cast<int>(dwCentral));
        }
    }

    m_strTxRate.Format("%.1f", DecodeRate(OID_AP_TX_RATE, m_bHtRows));
    m_strRxRate.Format("%.1f", DecodeRate(OID_AP_RX_RATE, FALSE));

    const DWORD adwRssiOid[3] = {OID_AP_RSSI, OID_AP_SECOND_RSSI, OID_AP_THIRD_RSSI};
    const BOOL abAntenna[3] = {TRUE, m_bSecondRssiSupported, m_bThirdRssiSupported};
    for (int i = 0; i < 3; i++)
    {
        DWORD dwRssi = 0;
        m_strSignal[i].Empty();
        if (abAntenna[i] && QueryDword(adwRssiOid[i], dwRssi))
            m_strSignal[i].Format("%d dBm", static_cast<LONG>(dwRssi));
    }

    DWORD dwSnr = 0;
    if (QueryDword(OID_AP_SNR0, dwSnr) && dwSnr != AP_SNR_NO_READING)
        m_strSnr0.Format("SNR0: %d", static_cast<int>(dwSnr));
    else
        m_strSnr0 = "SNR0: n/a";
    if (QueryDword(OID_AP_SNR1, dwSnr) && dwSnr != AP_SNR_NO_READING)
        m_strSnr1.Format("SNR1: %d", static_cast<int>(dwSnr));
    else
        m_strSnr1 = "SNR1: n/a";

    DWORD dwPower = 0;
    if (QueryDword(OID_AP_TX_POWER, dwPower))
    {
        CString strPower;
        if (dwPower == static_cast<DWORD>(-1) || dwPower == 100)
            strPower = "100%";
        else if (dwPower <= 6)
            strPower = "Lowest";
        else
            strPower.Format("%d%%", static_cast<int>(dwPower));
        m_strExtraInfo.AppendFormat(" [TxPower:%s]", strPower.GetString());
    }
}
