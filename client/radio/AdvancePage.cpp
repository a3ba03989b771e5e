#include "client/radio/AdvancePage.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/registry/RegistryCopy.h"
#include "adapter/system/OsVersion.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/radio/WirelessModeText.h"
#include "resources/TessarynUI/AdvanceResources.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

int g_nAdvRegionBgSelection = 0;
int g_nAdvRegionASelection = 0;

namespace
{

#define ADVANCE_TIMER_ID 1
#define ADVANCE_PERIOD 2000

const char* const kRatesB[] = {"Auto", "1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
const char* const kRatesOfdm[] = {"Auto",    "6 Mbps",  "9 Mbps",  "12 Mbps", "18 Mbps",
                                  "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
const char* const kRatesAll[] = {"Auto",    "1 Mbps",  "2 Mbps",  "5.5 Mbps", "11 Mbps",
                                 "6 Mbps",  "9 Mbps",  "12 Mbps", "18 Mbps",  "24 Mbps",
                                 "36 Mbps", "48 Mbps", "54 Mbps"};

template <size_t N>
void AddTexts(CComboBox& combo, const char* const (&texts)[N], size_t nCount = N)
{
    for (size_t i = 0; i < nCount && i < N; i++)
        combo.AddString(texts[i]);
}

BOOL IsStyleVisible(CWnd* pWnd)
{
    return (pWnd->GetStyle() & WS_VISIBLE) != 0;
}

void ShowItem(CWnd* pPage, int nId, BOOL bShow)
{
    pPage->GetDlgItem(nId)->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void EnableItem(CWnd* pPage, int nId, BOOL bEnable)
{
    pPage->GetDlgItem(nId)->EnableWindow(bEnable);
}

} // namespace

IMPLEMENT_DYNCREATE(CAdvancePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAdvancePage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_ADV_MODE, OnWirelessModeChange)
ON_BN_CLICKED(IDC_ADV_APPLY, OnApplyClicked)
ON_BN_CLICKED(IDC_ADV_RADIO, OnRadioOnOff)
ON_BN_CLICKED(IDC_ADV_CCX, OnCcxClick)
ON_BN_CLICKED(IDC_ADV_RADIO_MEASUREMENTS, OnRadioMeasurementClick)
ON_BN_CLICKED(IDC_ADV_NON_SERVING, OnNonServingClick)
ON_BN_CLICKED(IDC_ADV_FAST_ROAMING, OnFastRoamingClick)
ON_CBN_SELCHANGE(IDC_ADV_REGION_BG, OnRegionBgChange)
ON_CBN_SELCHANGE(IDC_ADV_HT_MCS, OnHtRateChange)
ON_BN_CLICKED(IDC_ADV_HT_BW_20, OnHtRateChange)
ON_BN_CLICKED(IDC_ADV_HT_BW_AUTO, OnHtRateChange)
ON_BN_CLICKED(IDC_ADV_HT_GI_LONG, OnHtRateChange)
ON_BN_CLICKED(IDC_ADV_HT_GI_AUTO, OnHtRateChange)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAdvancePage::CAdvancePage()
    : CPropertyPage(CAdvancePage::IDD, IDS_PAGE_ADVANCED), m_bTxBurst(0), m_nBgProtection(0),
      m_bCcx(0), m_bCckm(0), m_bRadioMeasurements(0), m_bNonServing(0), m_nLimit(250),
      m_bFastRoaming(0), m_nRoamThreshold(-70), m_bQos(0), m_nRegionBg(0), m_nRegionA(0),
      m_nStbc(1), m_nBandwidth(1), m_nGuardInterval(1), m_nHtMode(0), m_nExtChannel(0),
      m_strMcs(LoadText(IDS_NET_AUTO)), m_nTxRate(0), m_bFirstChange(TRUE), m_nTimerId(0),
      m_bBgRegionVisible(TRUE), m_bARegionVisible(TRUE)
{
}

CAdvancePage::~CAdvancePage() {}

void CAdvancePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADV_REGION_A, m_cbRegionA);
    DDX_Control(pDX, IDC_ADV_REGION_BG, m_cbRegionBg);
    DDX_Control(pDX, IDC_ADV_QOS, m_btnQos);
    DDX_Control(pDX, IDC_ADV_LIMIT, m_edLimit);
    DDX_Control(pDX, IDC_ADV_NON_SERVING, m_btnNonServing);
    DDX_Control(pDX, IDC_ADV_CCX, m_btnCcx);
    DDX_Control(pDX, IDC_ADV_CCKM, m_btnCckm);
    DDX_Control(pDX, IDC_ADV_RADIO_MEASUREMENTS, m_btnRadioMeasurements);
    DDX_Control(pDX, IDC_ADV_MODE, m_cbWirelessMode);
    DDX_Control(pDX, IDC_ADV_RADIO, m_btnRadio);
    DDX_Control(pDX, IDC_ADV_PROTECTION, m_cbProtection);
    DDX_Control(pDX, IDC_ADV_TX_RATE, m_cbTxRate);
    DDX_Control(pDX, IDC_ADV_RADIO_BITMAP, m_stRadioBitmap);
    DDX_Control(pDX, IDC_ADV_HT_MCS, m_cbMcs);
    DDX_CBString(pDX, IDC_ADV_MODE, m_strWirelessMode);
    DDX_CBIndex(pDX, IDC_ADV_PROTECTION, m_nBgProtection);
    DDX_CBIndex(pDX, IDC_ADV_REGION_BG, m_nRegionBg);
    DDX_CBIndex(pDX, IDC_ADV_REGION_A, m_nRegionA);
    DDX_Check(pDX, IDC_ADV_TX_BURST, m_bTxBurst);
    DDX_Text(pDX, IDC_ADV_PROTECTION_LABEL, m_strProtectionLabel);
    DDX_Text(pDX, IDC_ADV_MODE_LABEL, m_strModeLabel);
    DDX_Check(pDX, IDC_ADV_CCX, m_bCcx);
    DDX_Check(pDX, IDC_ADV_CCKM, m_bCckm);
    DDX_Check(pDX, IDC_ADV_RADIO_MEASUREMENTS, m_bRadioMeasurements);
    DDX_Check(pDX, IDC_ADV_NON_SERVING, m_bNonServing);
    DDX_Text(pDX, IDC_ADV_LIMIT, m_nLimit);
    DDV_MinMaxUInt(pDX, m_nLimit, 0, 2000);
    DDX_Check(pDX, IDC_ADV_FAST_ROAMING, m_bFastRoaming);
    DDX_Text(pDX, IDC_ADV_ROAM_THRESHOLD, m_nRoamThreshold);
    DDV_MinMaxInt(pDX, m_nRoamThreshold, -90, -60);
    DDX_Check(pDX, IDC_ADV_QOS, m_bQos);
    DDX_Radio(pDX, IDC_ADV_HT_STBC_NONE, m_nStbc);
    DDX_Radio(pDX, IDC_ADV_HT_BW_20, m_nBandwidth);
    DDX_Radio(pDX, IDC_ADV_HT_GI_LONG, m_nGuardInterval);
    DDX_Radio(pDX, IDC_ADV_HT_MM, m_nHtMode);
    DDX_Radio(pDX, IDC_ADV_HT_EXT_NONE, m_nExtChannel);
    DDX_CBString(pDX, IDC_ADV_HT_MCS, m_strMcs);
    if (pDX->m_bSaveAndValidate)
    {
        // Nothing chosen reads as the first choice, never as -1 in a stored bit field.
        int* apnChoices[] = {&m_nBgProtection, &m_nRegionBg,      &m_nRegionA, &m_nStbc,
                             &m_nBandwidth,    &m_nGuardInterval, &m_nHtMode,  &m_nExtChannel};
        for (int* pnChoice : apnChoices)
        {
            if (*pnChoice < 0)
                *pnChoice = 0;
        }
    }
}

BOOL CAdvancePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_HtTable.BuildTables();
    m_strModeLabel = LoadText(IDS_ADV_WIRELESS_MODE);
    m_strProtectionLabel = LoadText(IDS_ADV_BG_PROTECTION);

    // Only these modes are offered; a stored 802.11n mode shows as the first entry.
    m_cbWirelessMode.AddString(LoadText(IDS_MODE_BG));
    m_cbWirelessMode.AddString(LoadText(IDS_MODE_B));
    if (g_bABandSupported)
    {
        m_cbWirelessMode.AddString(LoadText(IDS_MODE_A));
        m_cbWirelessMode.AddString(LoadText(IDS_MODE_ABG));
    }
    if (!g_bHtSupported)
        HideHtGroup();

    FillRegionCombos();
    ShowRadioState();

    SetDlgItemText(IDC_ADV_TX_BURST, LoadText(IDS_ADV_TX_BURST));
    SetDlgItemText(IDC_ADV_QOS, LoadText(IDS_ADV_QOS));
    SetDlgItemText(IDC_ADV_APPLY, LoadText(IDS_APPLY));
    m_cbTxRate.AddString("Auto");
    m_cbProtection.AddString("Auto");
    m_cbProtection.AddString("On");
    m_cbProtection.AddString("Off");
    SetDlgItemText(IDC_ADV_CCX, LoadText(IDS_ADV_CCX));
    SetDlgItemText(IDC_ADV_CCKM, LoadText(IDS_ADV_CCKM));
    SetDlgItemText(IDC_ADV_RADIO_MEASUREMENTS, LoadText(IDS_ADV_RADIO_MEASUREMENTS));
    SetDlgItemText(IDC_ADV_NON_SERVING, LoadText(IDS_ADV_NON_SERVING));
    // The TCP tuning of Windows 2000 and later.
    if (OsVersionCode < 7)
        EnableItem(this, IDC_ADV_TCP_WINDOW, FALSE);

    LoadAdvancedSettings();
    UpdateControls(FALSE);
    OnWirelessModeChange();
    UpdateControls(FALSE);
    m_bFirstChange = FALSE;

    switch (WirelessModeFromText(m_strWirelessMode))
    {
    case 2:
        m_bBgRegionVisible = FALSE;
        m_bARegionVisible = TRUE;
        break;
    case 3:
        m_bBgRegionVisible = TRUE;
        m_bARegionVisible = TRUE;
        break;
    case 0:
    case 1:
    case 4:
        m_bBgRegionVisible = TRUE;
        m_bARegionVisible = FALSE;
        break;
    default:
        break;
    }
    g_nAdvRegionBgSelection = m_cbRegionBg.GetCurSel();
    g_nAdvRegionASelection = m_cbRegionA.GetCurSel();
    return TRUE;
}

void CAdvancePage::FillRegionCombos()
{
    if (g_nChipType == 0 || g_nChipType == 1)
    {
        m_cbRegionBg.ResetContent();
        AddTexts(m_cbRegionBg, g_aszRegionBgNames);
    }
    else if (g_nChipType >= 4 && g_nChipType <= 8)
    {
        m_cbRegionBg.ResetContent();
        AddTexts(m_cbRegionBg, g_aszRegionBgChannels);
    }
    if (g_nChipType >= 6 && g_nChipType <= 8)
    {
        m_cbRegionA.ResetContent();
        AddTexts(m_cbRegionA, g_aszRegionAChannels, REGION_A_NINE);
    }

    if (!g_bRegionValid && !g_bABandRegionValid)
    {
        SetDlgItemText(IDC_ADV_REGION_GROUP, LoadText(IDS_ADV_REGION_GROUP));
        EnableItem(this, IDC_ADV_REGION_GROUP, FALSE);
    }
    SetDlgItemText(IDC_ADV_REGION_BG_LABEL, LoadText(IDS_ADV_REGION_BG));
    SetDlgItemText(IDC_ADV_REGION_A_LABEL, LoadText(IDS_ADV_REGION_A));
    if (!g_bRegionValid)
    {
        EnableItem(this, IDC_ADV_REGION_BG_LABEL, FALSE);
        EnableItem(this, IDC_ADV_REGION_BG, FALSE);
    }
    if (!g_bABandRegionValid)
    {
        EnableItem(this, IDC_ADV_REGION_A_LABEL, FALSE);
        EnableItem(this, IDC_ADV_REGION_A, FALSE);
    }
    if (!g_bABandSupported)
    {
        ShowItem(this, IDC_ADV_REGION_A_LABEL, FALSE);
        ShowItem(this, IDC_ADV_REGION_A, FALSE);
    }
}

void CAdvancePage::ShowRadioState()
{
    m_btnRadio.SetWindowText(LoadText(g_bRadioOn ? IDS_ADV_RADIO_OFF : IDS_ADV_RADIO_ON));
    m_stRadioBitmap.SetBitmap(::LoadBitmapA(
        AfxGetInstanceHandle(), MAKEINTRESOURCE(g_bRadioOn ? IDB_RADIO_ON : IDB_RADIO_OFF)));
}

void CAdvancePage::UpdateControls(BOOL bSave)
{
    UpdateData(bSave);
    if (bSave)
        return;
    if (m_bCcx)
    {
        EnableItem(this, IDC_ADV_CCKM, TRUE);
        EnableItem(this, IDC_ADV_RADIO_MEASUREMENTS, TRUE);
        EnableItem(this, IDC_ADV_QOS, TRUE);
        EnableItem(this, IDC_ADV_NON_SERVING, m_bRadioMeasurements != 0);
        BOOL bLimit = m_bRadioMeasurements && m_bNonServing;
        EnableItem(this, IDC_ADV_LIMIT, bLimit);
        EnableItem(this, IDC_ADV_LIMIT_LABEL, bLimit);
        EnableItem(this, IDC_ADV_LIMIT_UNIT, bLimit);
    }
    else
    {
        for (int nId : {IDC_ADV_CCKM, IDC_ADV_RADIO_MEASUREMENTS, IDC_ADV_NON_SERVING, IDC_ADV_QOS,
                        IDC_ADV_LIMIT, IDC_ADV_LIMIT_LABEL, IDC_ADV_LIMIT_UNIT})
            EnableItem(this, nId, FALSE);
    }
    EnableItem(this, IDC_ADV_ROAM_THRESHOLD, m_bFastRoaming != 0);
    EnableItem(this, IDC_ADV_ROAM_DBM, m_bFastRoaming != 0);

    // A prefix search after entry 0 that wraps round: an empty text finds entry 1.
    int nSel = m_cbWirelessMode.FindString(0, m_strWirelessMode);
    m_cbWirelessMode.SetCurSel(nSel == CB_ERR ? 0 : nSel);
}

void CAdvancePage::OnWirelessModeChange()
{
    CString strMcs = m_strMcs;
    UpdateData(TRUE);
    m_strMcs = strMcs;
    if (!m_bFirstChange)
        AfxMessageBox(IDS_ADV_CHANNEL_BY_MODE, MB_OK);

    m_cbTxRate.ResetContent();
    ShowHtControls(FALSE, g_nHtVariant, 0);

    int nMode = WirelessModeFromText(m_strWirelessMode);
    switch (nMode)
    {
    case 0:
    case 1:
    case 4:
    case 9:
        ShowItem(this, IDC_ADV_REGION_BG_LABEL, TRUE);
        ShowItem(this, IDC_ADV_REGION_BG, TRUE);
        ShowItem(this, IDC_ADV_REGION_A_LABEL, FALSE);
        ShowItem(this, IDC_ADV_REGION_A, FALSE);
        break;
    case 2:
        ShowItem(this, IDC_ADV_REGION_BG_LABEL, FALSE);
        ShowItem(this, IDC_ADV_REGION_BG, FALSE);
        ShowItem(this, IDC_ADV_REGION_A_LABEL, TRUE);
        ShowItem(this, IDC_ADV_REGION_A, TRUE);
        break;
    case 3:
    case 5:
        for (int nId :
             {IDC_ADV_REGION_BG_LABEL, IDC_ADV_REGION_BG, IDC_ADV_REGION_A_LABEL, IDC_ADV_REGION_A})
            ShowItem(this, nId, TRUE);
        break;
    default:
        break;
    }

    switch (nMode)
    {
    case 1:
        AddTexts(m_cbTxRate, kRatesB);
        if (m_nTxRate > 4)
            m_nTxRate = 0;
        break;
    case 2:
    case 4:
        AddTexts(m_cbTxRate, kRatesOfdm);
        if (m_nTxRate > 8)
            m_nTxRate = 0;
        break;
    case 6:
        m_cbTxRate.AddString("Auto");
        break;
    default:
        AddTexts(m_cbTxRate, kRatesAll);
        break;
    }
    if (nMode == 0 || nMode == 3 || nMode == 5 || nMode == 7 || nMode == 8 || nMode == 9)
        EnableItem(this, IDC_ADV_PROTECTION, TRUE);

    if (g_bHtSupported)
    {
        FillMcsCombo(g_nHtVariant, m_nBandwidth, m_strMcs);
        UpdateTxRateLabel(g_nHtVariant);
        ShowHtControls(TRUE, g_nHtVariant, nMode);
    }
    m_cbTxRate.SetCurSel(m_nTxRate);
    UpdateControls(FALSE);
    OnRegionBgChange();
}

BOOL CAdvancePage::OnApply()
{
    if (g_bHtSupported && !IsHtCombinationValid())
    {
        AfxMessageBox(IDS_ADV_HT_COMBINATION, MB_OK);
        return FALSE;
    }
    // The exchange has told the user of a value out of its range.
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_nLimit > 2000 || m_nRoamThreshold < -90 || m_nRoamThreshold > -60)
        return FALSE;

    BOOL bBgVisible = IsStyleVisible(GetDlgItem(IDC_ADV_REGION_BG));
    BOOL bAVisible = IsStyleVisible(GetDlgItem(IDC_ADV_REGION_A));
    int nBgSelection = m_cbRegionBg.GetCurSel();
    int nASelection = m_cbRegionA.GetCurSel();
    if (nBgSelection != g_nAdvRegionBgSelection || nASelection != g_nAdvRegionASelection ||
        bBgVisible != m_bBgRegionVisible || bAVisible != m_bARegionVisible)
    {
        AfxMessageBox(IDS_ADV_REGION_WARNING, MB_OK);
        if (g_pHideDlg != NULL)
            g_pHideDlg->m_WifiClient.DisconnectInterface();
        g_nAdvRegionBgSelection = nBgSelection;
        g_nAdvRegionASelection = nASelection;
        m_bBgRegionVisible = bBgVisible;
        m_bARegionVisible = bAVisible;
    }

    SaveAdvancedSettings();
    ApplyQosFromDriver();
    if (g_pHideDlg != NULL)
        g_pHideDlg->PostRescan();
    return TRUE;
}

void CAdvancePage::OnApplyClicked()
{
    OnApply();
}

void CAdvancePage::OnRadioOnOff()
{
    // As the button says: the switch and its record follow the click whatever the WLAN service
    // made of it; the next Site Survey tick reads the radio again.
    g_bRadioOn = !g_bRadioOn;
    if (g_pHideDlg != NULL)
        g_pHideDlg->m_WifiClient.SetRadioState(g_bRadioOn);
    ShowRadioState();

    CString strRadio;
    strRadio.Format("%d", g_bRadioOn ? 0 : 1);
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "Radio", strRadio);
    if (!g_bIsAdmin)
        return;
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", g_strDriverKey);
        return;
    }
    if (SetDriverText(hKey, "Radio", strRadio) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_RADIO '%s' failed\n", strRadio);
    RegCloseKey(hKey);
}

void CAdvancePage::OnCcxClick()
{
    if (!UpdateData(TRUE))
        return;
    int nAll = m_bCcx ? 1 : 0;
    m_bCckm = nAll;
    m_bRadioMeasurements = nAll;
    m_bNonServing = nAll;
    m_bQos = nAll;
    if (!m_bCcx)
        m_nLimit = 250;
    UpdateControls(FALSE);
}

void CAdvancePage::OnRadioMeasurementClick()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_bRadioMeasurements)
    {
        m_bNonServing = 0;
        m_nLimit = 250;
    }
    UpdateControls(FALSE);
}

void CAdvancePage::OnNonServingClick()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_bNonServing)
        m_nLimit = 250;
    UpdateControls(FALSE);
}

void CAdvancePage::OnFastRoamingClick()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_bFastRoaming)
        m_nRoamThreshold = -70;
    UpdateControls(FALSE);
}

void CAdvancePage::OnHtRateChange()
{
    UpdateData(TRUE);
    UpdateTxRateLabel(g_nHtVariant);
}

BOOL CAdvancePage::OnSetActive()
{
    m_nTimerId = SetTimer(ADVANCE_TIMER_ID, ADVANCE_PERIOD, NULL);
    return CPropertyPage::OnSetActive();
}

BOOL CAdvancePage::OnKillActive()
{
    // A value out of range keeps the page shown, and its timer running.
    BOOL bLeaving = CPropertyPage::OnKillActive();
    if (bLeaving)
        KillTimer(m_nTimerId);
    return bLeaving;
}

void CAdvancePage::OnDestroy()
{
    KillTimer(m_nTimerId);
    CPropertyPage::OnDestroy();
}

void CAdvancePage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == ADVANCE_TIMER_ID)
        ShowRadioState();
    CPropertyPage::OnTimer(nIDEvent);
}

void CAdvancePage::OnPaint()
{
    CPaintDC dc(this);
    m_stRadioBitmap.SetBitmap(::LoadBitmapA(
        AfxGetInstanceHandle(), MAKEINTRESOURCE(g_bRadioOn ? IDB_RADIO_ON : IDB_RADIO_OFF)));
}
