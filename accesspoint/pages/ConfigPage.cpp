// The Config page's members and their data exchange, its initialisation, the security dialog,
// "Use MAC Address" and the 1-second refresh of the 802.11n rate.

#include "accesspoint/pages/ConfigPage.h"

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/pages/AuthSecuDlg.h"
#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApWirelessMode.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "resources/TessarynAp/TessarynApStrings.h"

#include <cstring>

namespace
{

// The 5 GHz region list of the 802.11n chips stops at region 8.
const int kHtChipARegions = 9;

BOOL IsHtChipType(int nChipType)
{
    return nChipType == 6 || nChipType == 7 || nChipType == 8;
}

// A list without a selection (a stored value it has no entry for, or a list not filled yet)
// keeps the member as it was, so that APPLY writes back what was stored instead of -1 or an
// empty text.
void DDX_CBIndexKept(CDataExchange* pDX, int nIDC, int& index)
{
    int nKept = index;
    DDX_CBIndex(pDX, nIDC, index);
    if (pDX->m_bSaveAndValidate && index < 0)
        index = nKept;
}

void DDX_CBStringKept(CDataExchange* pDX, int nIDC, CString& value)
{
    CString strKept = value;
    DDX_CBString(pDX, nIDC, value);
    if (pDX->m_bSaveAndValidate &&
        ::SendMessageA(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC), CB_GETCURSEL, 0, 0) == CB_ERR)
        value = strKept;
}

} // namespace

IMPLEMENT_DYNCREATE(CConfigPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CConfigPage, CPropertyPage)
ON_BN_CLICKED(IDC_CONFIG_APPLY, OnApplyButton)
ON_BN_CLICKED(IDC_CONFIG_DEFAULT, OnDefault)
ON_BN_CLICKED(IDC_CONFIG_SECURITY, OnSecurity)
ON_BN_CLICKED(IDC_CONFIG_USE_MAC, OnUseMacAddress)
ON_CBN_SELCHANGE(IDC_CONFIG_MODE_COMBO, OnSelchangeWirelessMode)
ON_BN_CLICKED(IDC_CONFIG_AUTO_CHANNEL_CHECK, OnAutoChannelSelect)
ON_CBN_SELCHANGE(IDC_CONFIG_BG_REGION_COMBO, OnSelchangeCountryRegion)
ON_CBN_SELCHANGE(IDC_CONFIG_A_REGION_COMBO, OnSelchangeCountryRegion)
ON_CBN_SELCHANGE(IDC_CONFIG_MCS_COMBO, OnHtSettingChange)
ON_BN_CLICKED(IDC_CONFIG_GI_LONG, OnHtSettingChange)
ON_BN_CLICKED(IDC_CONFIG_GI_AUTO, OnHtSettingChange)
ON_BN_CLICKED(IDC_CONFIG_BW_20, OnBw20)
ON_BN_CLICKED(IDC_CONFIG_BW_40, OnBw40)
ON_CBN_SELCHANGE(IDC_CONFIG_CHANNEL_COMBO, OnSelchangeChannel)
ON_CBN_SELCHANGE(IDC_CONFIG_EXT_CHANNEL_COMBO, OnSelchangeExtChannel)
ON_BN_CLICKED(IDC_CONFIG_ALLOW_BW40_CHECK, OnAllowBw40)
ON_WM_TIMER()
END_MESSAGE_MAP()

CConfigPage::CConfigPage()
    : CPropertyPage(CConfigPage::IDD), m_nPreamble(0), m_nBeaconPeriod(100), m_nFragThreshold(2346),
      m_nRtsThreshold(2347), m_bTxBurst(0), m_bNoForwarding(0), m_bHideSsid(0), m_bTurboRate(0),
      m_bShortSlot(0), m_nBgProtection(0), m_bAutoChannelSelect(0), m_nTxPower(0),
      m_nCountryRegion(0), m_nCountryRegionABand(0), m_nIdleTime(300), m_nStbc(1), m_nBandwidth(1),
      m_nGuardInterval(1), m_nHtMode(0), m_strHtMcs("Auto"), m_bAllowBw40(0), m_nTransRate(0)
{
    memset(m_abMac, 0, sizeof(m_abMac));
}

CConfigPage::~CConfigPage() {}

void CConfigPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONFIG_MODE_COMBO, m_cbWirelessMode);
    DDX_Control(pDX, IDC_CONFIG_CHANNEL_COMBO, m_cbChannel);
    DDX_Control(pDX, IDC_CONFIG_RATE_COMBO, m_cbTransRate);
    DDX_Control(pDX, IDC_CONFIG_MCS_COMBO, m_cbHtMcs);
    DDX_Control(pDX, IDC_CONFIG_EXT_CHANNEL_COMBO, m_cbExtChannel);
    DDX_Control(pDX, IDC_CONFIG_BG_PROTECTION_COMBO, m_cbBgProtection);
    DDX_Control(pDX, IDC_CONFIG_PREAMBLE_COMBO, m_cbPreamble);
    DDX_Control(pDX, IDC_CONFIG_TX_POWER_COMBO, m_cbTxPower);
    DDX_Control(pDX, IDC_CONFIG_A_REGION_COMBO, m_cbARegion);

    DDX_Text(pDX, IDC_CONFIG_SSID_EDIT, m_strSsid);
    DDV_MaxChars(pDX, m_strSsid, 32);
    DDX_CBIndexKept(pDX, IDC_CONFIG_PREAMBLE_COMBO, m_nPreamble);
    DDX_Text(pDX, IDC_CONFIG_BEACON_EDIT, m_nBeaconPeriod);
    DDV_MinMaxInt(pDX, m_nBeaconPeriod, 20, 1000);
    DDX_Text(pDX, IDC_CONFIG_FRAG_EDIT, m_nFragThreshold);
    DDX_Text(pDX, IDC_CONFIG_RTS_EDIT, m_nRtsThreshold);
    DDX_Check(pDX, IDC_CONFIG_TX_BURST_CHECK, m_bTxBurst);
    DDX_Check(pDX, IDC_CONFIG_NO_FORWARDING_CHECK, m_bNoForwarding);
    DDX_Check(pDX, IDC_CONFIG_HIDE_SSID_CHECK, m_bHideSsid);
    DDX_Check(pDX, IDC_CONFIG_TURBO_RATE_CHECK, m_bTurboRate);
    DDX_Check(pDX, IDC_CONFIG_SHORT_SLOT_CHECK, m_bShortSlot);
    DDX_CBStringKept(pDX, IDC_CONFIG_MODE_COMBO, m_strWirelessMode);
    DDX_CBIndexKept(pDX, IDC_CONFIG_BG_PROTECTION_COMBO, m_nBgProtection);
    DDX_Check(pDX, IDC_CONFIG_AUTO_CHANNEL_CHECK, m_bAutoChannelSelect);
    DDX_CBIndexKept(pDX, IDC_CONFIG_TX_POWER_COMBO, m_nTxPower);
    DDX_CBIndexKept(pDX, IDC_CONFIG_BG_REGION_COMBO, m_nCountryRegion);
    DDX_CBIndexKept(pDX, IDC_CONFIG_A_REGION_COMBO, m_nCountryRegionABand);
    DDX_Text(pDX, IDC_CONFIG_IDLE_EDIT, m_nIdleTime);
    DDV_MinMaxInt(pDX, m_nIdleTime, 60, 3600);
    DDX_Radio(pDX, IDC_CONFIG_STBC_NONE, m_nStbc);
    DDX_Radio(pDX, IDC_CONFIG_BW_20, m_nBandwidth);
    DDX_Radio(pDX, IDC_CONFIG_GI_LONG, m_nGuardInterval);
    DDX_Radio(pDX, IDC_CONFIG_HT_MM, m_nHtMode);
    DDX_CBStringKept(pDX, IDC_CONFIG_MCS_COMBO, m_strHtMcs);
    DDX_CBStringKept(pDX, IDC_CONFIG_EXT_CHANNEL_COMBO, m_strExtChannel);
    DDX_Check(pDX, IDC_CONFIG_ALLOW_BW40_CHECK, m_bAllowBw40);
    DDX_CBIndexKept(pDX, IDC_CONFIG_RATE_COMBO, m_nTransRate);
    DDX_CBStringKept(pDX, IDC_CONFIG_CHANNEL_COMBO, m_strChannel);
    if (pDX->m_bSaveAndValidate)
    {
        // A radio group with no button checked reads as its first button.
        for (int* pnRadio : {&m_nStbc, &m_nBandwidth, &m_nGuardInterval, &m_nHtMode})
        {
            if (*pnRadio < 0)
                *pnRadio = 0;
        }
    }
}

BOOL CConfigPage::ReadControls()
{
    CString strExtChannel = m_strExtChannel;
    BOOL bRead = UpdateData(TRUE);
    m_strExtChannel = strExtChannel;
    return bRead;
}

void CConfigPage::ShowControl(int nID, BOOL bShow)
{
    if (CWnd* pWnd = GetDlgItem(nID))
        pWnd->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CConfigPage::EnableControl(int nID, BOOL bEnable)
{
    if (CWnd* pWnd = GetDlgItem(nID))
        pWnd->EnableWindow(bEnable);
}

void CConfigPage::ShowHtGroup(BOOL bShow)
{
    for (int nID = IDC_CONFIG_HT_FIRST; nID <= IDC_CONFIG_HT_LAST; nID++)
        ShowControl(nID, bShow);
    ShowControl(IDC_CONFIG_ALLOW_BW40_CHECK, bShow);
}

int CConfigPage::CurrentWirelessMode() const
{
    int nMode = ApWirelessModeOfText(m_strWirelessMode);
    return nMode < 0 ? 0 : nMode;
}

void CConfigPage::SelectWirelessModeText()
{
    if (m_cbWirelessMode.FindStringExact(-1, m_strWirelessMode) == CB_ERR &&
        m_cbWirelessMode.GetCount() > 0)
        m_cbWirelessMode.GetLBText(0, m_strWirelessMode);
    m_cbWirelessMode.SetCurSel(m_cbWirelessMode.FindStringExact(-1, m_strWirelessMode));
}

void CConfigPage::QueryMacAddress()
{
    memset(m_abMac, 0, sizeof(m_abMac));
    DWORD dwReturned = 0;
    OidQueryInformation(OID_AP_CURRENT_ADDRESS, m_abMac, sizeof(m_abMac), &dwReturned);
    m_strMacSsid.Format("AP%02X%02X%02X%02X%02X%02X", m_abMac[0], m_abMac[1], m_abMac[2],
                        m_abMac[3], m_abMac[4], m_abMac[5]);
}

BOOL CConfigPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_HtTable.BuildTables();

    SetDlgItemText(IDC_CONFIG_REGION_GROUP, LoadText(IDS_CONFIG_REGION_GROUP));
    SetDlgItemText(IDC_CONFIG_IDLE_LABEL, LoadText(IDS_CONFIG_IDLE_LABEL));
    SetDlgItemText(IDC_CONFIG_ALLOW_BW40_CHECK, LoadText(IDS_CONFIG_ALLOW_BW40));
    if (IsHtChipType(g_nChipType))
    {
        while (m_cbARegion.GetCount() > kHtChipARegions)
            m_cbARegion.DeleteString(static_cast<UINT>(m_cbARegion.GetCount() - 1));
    }

    for (int nID : {IDC_CONFIG_PREAMBLE_COMBO, IDC_CONFIG_PREAMBLE_LABEL, IDC_CONFIG_TX_BURST_CHECK,
                    IDC_CONFIG_SHORT_SLOT_CHECK, IDC_CONFIG_AUTO_CHANNEL_CHECK})
        ShowControl(nID, FALSE);
    if (!g_bHtSupported)
        ShowHtGroup(FALSE);

    if (!g_bRegionValid)
    {
        EnableControl(IDC_CONFIG_REGION_GROUP, FALSE);
        EnableControl(IDC_CONFIG_BG_REGION_COMBO, FALSE);
    }
    if (!g_bABandRegionValid)
        EnableControl(IDC_CONFIG_A_REGION_COMBO, FALSE);
    if (!g_bABandSupported)
    {
        ShowControl(IDC_CONFIG_A_REGION_COMBO, FALSE);
        ShowControl(IDC_CONFIG_A_REGION_LABEL, FALSE);
    }

    m_cbBgProtection.ResetContent();
    for (const char* pszText : {"Auto", "ON", "OFF"})
        m_cbBgProtection.AddString(pszText);
    m_cbPreamble.ResetContent();
    m_cbPreamble.AddString("Long Preamble");
    m_cbPreamble.AddString("Short Preamble");
    FillTransRateList(1);
    m_cbTxPower.AddString("Lowest");
    m_cbWirelessMode.ResetContent();
    m_cbWirelessMode.AddString(ApWirelessModeText(0));
    m_cbWirelessMode.AddString(ApWirelessModeText(1));
    if (g_bABandSupported)
        m_cbWirelessMode.AddString(ApWirelessModeText(2));
    m_cbWirelessMode.AddString(ApWirelessModeText(4));
    if (g_bHtSupported)
    {
        m_cbWirelessMode.AddString(ApWirelessModeText(9));
        if (g_bABandSupported)
            m_cbWirelessMode.AddString(ApWirelessModeText(8));
    }

    ReadConfigFromRegistry();
    SelectWirelessModeText();
    UpdateData(FALSE);
    OnSelchangeWirelessMode();
    UpdateData(FALSE);

    QueryMacAddress();
    SetTimer(CONFIG_TIMER_ID, CONFIG_TIMER_PERIOD, NULL);
    return TRUE;
}

BOOL CConfigPage::OnSetActive()
{
    SetTimer(CONFIG_TIMER_ID, CONFIG_TIMER_PERIOD, NULL);
    return CPropertyPage::OnSetActive();
}

BOOL CConfigPage::OnKillActive()
{
    KillTimer(CONFIG_TIMER_ID);
    return CPropertyPage::OnKillActive();
}

void CConfigPage::OnOK() {}

void CConfigPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != CONFIG_TIMER_ID)
    {
        CPropertyPage::OnTimer(nIDEvent);
        return;
    }
    KillTimer(CONFIG_TIMER_ID);
    int nMode = CurrentWirelessMode();
    if (nMode == 5 || nMode == 6 || nMode == 9)
        RefreshTxRateText();
    SetTimer(CONFIG_TIMER_ID, CONFIG_TIMER_PERIOD, NULL);
}

void CConfigPage::OnSecurity()
{
    CAuthSecuDlg dlg(this);
    dlg.m_Settings = m_SecuritySettings;
    if (dlg.DoModal() == IDOK)
        m_SecuritySettings = dlg.m_Settings;
}

void CConfigPage::OnUseMacAddress()
{
    m_strSsid = m_strMacSsid;
    SetDlgItemText(IDC_CONFIG_SSID_EDIT, m_strSsid);
}

void CConfigPage::OnAutoChannelSelect()
{
    if (!ReadControls())
        return;
    EnableControl(IDC_CONFIG_CHANNEL_COMBO, !m_bAutoChannelSelect);
}
