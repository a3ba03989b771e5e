#include "client/profiles/SysConfigPage.h"

#include "adapter/driver/DriverRequest.h"
#include "client/access/AdapterState.h"
#include "client/access/ScanList.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/profiles/AuthSecuPage.h"
#include "client/profiles/ProfileSheet.h"
#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"

#include <cstring>

namespace
{

constexpr DWORD OID_ADVANCED_CONFIG = 0x0D710111;
// The transmit-power list in list order.
const UINT kTxPowerText[] = {IDS_SC_TXPOWER_AUTO,  IDS_SC_TXPOWER_100, IDS_SC_TXPOWER_75,
                             IDS_SC_TXPOWER_50,    IDS_SC_TXPOWER_25,  IDS_SC_TXPOWER_10,
                             IDS_SC_TXPOWER_LOWEST};
constexpr int RTS_DEFAULT = 2347;
constexpr int FRAG_MIN = 256;
constexpr int FRAG_DEFAULT = 2346;

// The 40 MHz-spaced channels of 5 GHz region 10 stay in the list but are never offered.
BOOL IsHiddenChannel(int nChannel)
{
    return nChannel == 34 || nChannel == 38 || nChannel == 42 || nChannel == 46;
}

} // namespace

void GetRegionChannelList(int nNetworkType, int nWirelessMode, int nAdhocMode, BYTE* pChannels,
                          int* pnCount)
{
    *pnCount = 0;
    // The region tables are the monitor window's; they take one wireless-mode code, so the
    // network type and ad-hoc mode are turned into the code that adds the same bands.
    int nMode = nWirelessMode;
    if (nNetworkType != 1)
    {
        BOOL b5GHz = nAdhocMode == 3 || nAdhocMode == 4 || nAdhocMode == 5;
        if (nNetworkType == 0 && nAdhocMode == 3)
            nMode = 2; // 5 GHz only
        else
            nMode = b5GHz ? 3 : 0;
    }
    CDWordArray list;
    BuildRegionChannelList(g_nChipType, nMode, g_nCountryRegion, list);
    for (INT_PTR i = 0; i < list.GetSize() && *pnCount < REGION_CHANNEL_LIST_SIZE; i++)
        pChannels[(*pnCount)++] = static_cast<BYTE>(list[i]);
}

void QueryAdhocMode(int* pnAdhocMode)
{
    DWORD adwRecord[8] = {};
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_ADVANCED_CONFIG, adwRecord, sizeof(adwRecord), &dwReturned))
        *pnAdhocMode = static_cast<int>(adwRecord[4]);
}

IMPLEMENT_DYNCREATE(CSysConfigPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSysConfigPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_SC_NETWORK_TYPE_COMBO, OnNetworkTypeChange)
ON_BN_CLICKED(IDC_SC_RTS_CHECK, OnRtsThresholdCheck)
ON_BN_CLICKED(IDC_SC_FRAG_CHECK, OnFragThresholdCheck)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSysConfigPage::CSysConfigPage()
    : CPropertyPage(CSysConfigPage::IDD), m_nPowerSaveMode(0), m_nPreamble(0), m_nNetworkType(1),
      m_nRtsThreshold(RTS_DEFAULT), m_nFragThreshold(FRAG_DEFAULT), m_bCamOnAcPower(0),
      m_bUseFragThreshold(0), m_bUseRtsThreshold(0), m_nTxPower(0), m_strChannel("-1"),
      m_nAdhocMode(1)
{
}

CSysConfigPage::~CSysConfigPage() {}

void CSysConfigPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SC_SSID_COMBO, m_cbSsid);
    DDX_Control(pDX, IDC_SC_CHANNEL_COMBO, m_cbChannel);
    DDX_Control(pDX, IDC_SC_TX_POWER_COMBO, m_cbTxPower);
    DDX_Control(pDX, IDC_SC_PREAMBLE_COMBO, m_cbPreamble);
    DDX_Control(pDX, IDC_SC_NETWORK_TYPE_COMBO, m_cbNetworkType);
    DDX_Control(pDX, IDC_SC_CAM_ON_AC_CHECK, m_btnCamOnAcPower);
    DDX_Control(pDX, IDC_SC_RTS_EDIT, m_editRtsThreshold);
    DDX_Control(pDX, IDC_SC_FRAG_EDIT, m_editFragThreshold);
    DDX_Control(pDX, IDC_SC_RTS_SLIDER, m_sliderRtsThreshold);
    DDX_Control(pDX, IDC_SC_FRAG_SLIDER, m_sliderFragThreshold);
    DDX_Radio(pDX, IDC_SC_CAM_RADIO, m_nPowerSaveMode);
    DDX_CBIndex(pDX, IDC_SC_PREAMBLE_COMBO, m_nPreamble);
    DDX_CBIndex(pDX, IDC_SC_NETWORK_TYPE_COMBO, m_nNetworkType);
    DDX_Text(pDX, IDC_SC_RTS_EDIT, m_nRtsThreshold);
    DDX_Text(pDX, IDC_SC_FRAG_EDIT, m_nFragThreshold);
    DDX_Check(pDX, IDC_SC_CAM_ON_AC_CHECK, m_bCamOnAcPower);
    DDX_Check(pDX, IDC_SC_FRAG_CHECK, m_bUseFragThreshold);
    DDX_Check(pDX, IDC_SC_RTS_CHECK, m_bUseRtsThreshold);
    DDX_CBIndex(pDX, IDC_SC_TX_POWER_COMBO, m_nTxPower);
    DDX_Text(pDX, IDC_SC_PROFILE_NAME_EDIT, m_strProfileName);
    DDV_MaxChars(pDX, m_strProfileName, 32);
    DDX_Text(pDX, IDC_SC_NETWORK_TYPE_LABEL, m_strNetworkTypeLabel);
    DDX_Text(pDX, IDC_SC_PREAMBLE_LABEL, m_strPreambleLabel);
    DDX_Text(pDX, IDC_SC_TX_POWER_LABEL, m_strTxPowerLabel);
    DDX_Text(pDX, IDC_SC_CHANNEL_LABEL, m_strChannelLabel);
    DDX_CBString(pDX, IDC_SC_SSID_COMBO, m_strSsid);
    DDV_MaxChars(pDX, m_strSsid, 32);
    DDX_Text(pDX, IDC_SC_PROFILE_NAME_LABEL, m_strProfileNameLabel);
    DDX_Text(pDX, IDC_SC_SSID_LABEL, m_strSsidLabel);
    if (pDX->m_bSaveAndValidate)
    {
        // A stored index the list has no entry for leaves nothing selected (-1); the page
        // reports its default then, never -1.
        if (m_nPowerSaveMode < 0)
            m_nPowerSaveMode = 0;
        if (m_nPreamble < 0)
            m_nPreamble = 0;
        if (m_nNetworkType < 0)
            m_nNetworkType = 1;
        if (m_nTxPower < 0)
            m_nTxPower = 0;
    }
}

void CSysConfigPage::FillChannelCombo()
{
    BYTE abChannels[REGION_CHANNEL_LIST_SIZE] = {};
    int nCount = 0;
    GetRegionChannelList(m_nNetworkType, G_enumWirelessMode, m_nAdhocMode, abChannels, &nCount);

    m_cbChannel.ResetContent();
    int nStored = atoi(m_strChannel);
    int nSelect = 0;
    for (int i = 0; i < nCount; i++)
    {
        if (IsHiddenChannel(abChannels[i]))
            continue;
        CString strEntry;
        strEntry.Format("%d", abChannels[i]);
        int nEntry = m_cbChannel.AddString(strEntry);
        if (abChannels[i] == nStored)
            nSelect = nEntry;
    }
    m_cbChannel.SetCurSel(nSelect);
}

void CSysConfigPage::FillSsidCombo()
{
    m_cbSsid.ResetContent();
    if (!m_strSsid.IsEmpty())
        m_cbSsid.AddString(m_strSsid);

    if (g_pBssidListCopy != NULL)
    {
        ULONG nItems = 0;
        memcpy(&nItems, g_pBssidListCopy, sizeof(nItems));
        ULONG nOffset = sizeof(ULONG);
        for (ULONG i = 0; i < nItems; i++)
        {
            if (nOffset + NDIS_WLAN_BSSID_EX_FIXED > BSSID_LIST_BYTES)
                break;
            NDIS_WLAN_BSSID_EX entry;
            memcpy(&entry, g_pBssidListCopy + nOffset, NDIS_WLAN_BSSID_EX_FIXED);
            if (entry.Length < NDIS_WLAN_BSSID_EX_FIXED)
                break;
            ULONG nLength = entry.Ssid.SsidLength > 32 ? 32 : entry.Ssid.SsidLength;
            CString strSsid(reinterpret_cast<const char*>(entry.Ssid.Ssid),
                            static_cast<int>(nLength));
            if (m_cbSsid.FindString(-1, strSsid) == CB_ERR)
                m_cbSsid.AddString(strSsid);
            if (entry.Length > BSSID_LIST_BYTES - nOffset)
                break;
            nOffset += entry.Length;
        }
    }
    UpdateData(FALSE);
}

void CSysConfigPage::StoreSelectedChannel()
{
    if (m_nNetworkType == 1)
        m_cbChannel.SetCurSel(0);
    int nSel = m_cbChannel.GetCurSel();
    // With no channel to choose from the stored channel stays as it was.
    if (nSel == CB_ERR)
        return;
    m_cbChannel.GetLBText(nSel, m_strChannel);
}

BOOL CSysConfigPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillSsidCombo();

    m_btnCamOnAcPower.ShowWindow(SW_HIDE);

    m_editRtsThreshold.AttachSlider(this, IDC_SC_RTS_SLIDER);
    m_editRtsThreshold.SetRange(0, RTS_DEFAULT, 32, 256);
    m_editRtsThreshold.SetValue(m_nRtsThreshold);
    m_sliderRtsThreshold.SetValue(m_nRtsThreshold);
    m_editFragThreshold.AttachSlider(this, IDC_SC_FRAG_SLIDER);
    m_editFragThreshold.SetRange(FRAG_MIN, FRAG_DEFAULT, 32, 256);
    m_editFragThreshold.SetValue(m_nFragThreshold);
    m_sliderFragThreshold.SetValue(m_nFragThreshold);

    SetDlgItemText(IDC_SC_POWERSAVE_GROUP, LoadText(IDS_SC_PSM_GROUP));
    SetDlgItemText(IDC_SC_CAM_RADIO, LoadText(IDS_SC_CAM));
    SetDlgItemText(IDC_SC_CAM_ON_AC_CHECK, LoadText(IDS_SC_CAM_ON_AC));
    SetDlgItemText(IDC_SC_PSM_RADIO, LoadText(IDS_SC_PSM));
    SetDlgItemText(IDC_SC_RTS_CHECK, LoadText(IDS_SC_RTS_THRESHOLD));

    m_cbNetworkType.ResetContent();
    m_cbNetworkType.AddString(LoadText(IDS_SC_ADHOC));
    m_cbNetworkType.AddString(LoadText(IDS_SC_INFRASTRUCTURE));
    m_cbPreamble.ResetContent();
    m_cbPreamble.AddString(LoadText(IDS_SC_PREAMBLE_AUTO));
    m_cbPreamble.AddString(LoadText(IDS_SC_PREAMBLE_LONG));
    m_cbTxPower.ResetContent();
    for (UINT nID : kTxPowerText)
        m_cbTxPower.AddString(LoadText(nID));
    SetDlgItemText(IDC_SC_FRAG_CHECK, LoadText(IDS_SC_FRAG_THRESHOLD));

    m_strTxPowerLabel = LoadText(IDS_SC_LABEL_TX_POWER);
    m_strPreambleLabel = LoadText(IDS_SC_LABEL_PREAMBLE);
    m_strNetworkTypeLabel = LoadText(IDS_SC_LABEL_NETWORK_TYPE);
    m_strChannelLabel = LoadText(IDS_SC_LABEL_CHANNEL);
    m_strProfileNameLabel = LoadText(IDS_SC_LABEL_PROFILE_NAME);
    m_strSsidLabel = LoadText(IDS_SC_LABEL_SSID);

    UpdateData(FALSE);
    QueryAdhocMode(&m_nAdhocMode);
    FillChannelCombo();
    OnNetworkTypeChange();
    OnRtsThresholdCheck();
    OnFragThresholdCheck();
    return TRUE;
}

void CSysConfigPage::OnNetworkTypeChange()
{
    UpdateData(TRUE);
    CAuthSecuPage* pAuthSecu = NULL;
    if (CPropertySheet* pSheet = GetSheet())
    {
        for (int i = 0; i < pSheet->GetPageCount(); i++)
        {
            CPropertyPage* pPage = pSheet->GetPage(i);
            if (pPage != NULL && pPage->IsKindOf(RUNTIME_CLASS(CAuthSecuPage)))
                pAuthSecu = static_cast<CAuthSecuPage*>(pPage);
        }
    }
    BOOL bInfrastructure = m_nNetworkType == 1;
    m_cbPreamble.EnableWindow(!bInfrastructure);
    if (CWnd* pLabel = GetDlgItem(IDC_SC_PREAMBLE_LABEL))
        pLabel->EnableWindow(!bInfrastructure);
    if (bInfrastructure)
        m_nPreamble = 0;
    if (pAuthSecu != NULL)
        pAuthSecu->m_bInfrastructure = bInfrastructure ? 1 : 0;
    if (!bInfrastructure)
        FillChannelCombo();
    UpdateData(FALSE);
}

void CSysConfigPage::OnRtsThresholdCheck()
{
    UpdateData(TRUE);
    m_editRtsThreshold.EnableWindow(m_bUseRtsThreshold);
    m_sliderRtsThreshold.EnableWindow(m_bUseRtsThreshold);
    if (!m_bUseRtsThreshold)
    {
        // The text may have been typed since the value was last stored.
        m_editRtsThreshold.SetValue(RTS_DEFAULT);
        CString strDefault;
        strDefault.Format("%d", RTS_DEFAULT);
        m_editRtsThreshold.SetWindowText(strDefault);
        m_sliderRtsThreshold.SetValue(RTS_DEFAULT);
    }
}

void CSysConfigPage::OnFragThresholdCheck()
{
    UpdateData(TRUE);
    m_editFragThreshold.EnableWindow(m_bUseFragThreshold);
    m_sliderFragThreshold.EnableWindow(m_bUseFragThreshold);
    if (!m_bUseFragThreshold)
    {
        // The text may have been typed since the value was last stored.
        m_editFragThreshold.SetValue(FRAG_DEFAULT);
        CString strDefault;
        strDefault.Format("%d", FRAG_DEFAULT);
        m_editFragThreshold.SetWindowText(strDefault);
        m_sliderFragThreshold.SetValue(FRAG_DEFAULT);
    }
}

BOOL CSysConfigPage::OnHelpInfo(HELPINFO* /*pHelpInfo*/)
{
    return TRUE;
}

void CSysConfigPage::OnOK()
{
    CPropertyPage::OnOK();
}

BOOL CSysConfigPage::OnApply()
{
    CPropertySheet* pSheet = GetSheet();
    if (pSheet == NULL || !pSheet->IsKindOf(RUNTIME_CLASS(CProfileSheet)))
        return 0;
    if (!static_cast<CProfileSheet*>(pSheet)->ApplyProfile())
        return 0;
    OnOK();
    return TRUE;
}
