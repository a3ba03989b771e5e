// The monitor window's start-up and card initialisation: from whatever state the adapter was
// left in (access-point use, another region, a channel the region forbids) to station
// operation with the current configuration.

#include "client/monitor/HideDlg.h"

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/LockedBlock.h"
#include "adapter/radio/RegionChannels.h"
#include "adapter/registry/RegistryCopy.h"
#include "adapter/sheet/SheetButtons.h"
#include "adapter/system/Administrator.h"
#include "adapter/system/OsVersion.h"
#include "adapter/system/ServiceControl.h"
#include "adapter/system/Wow64.h"
#include "client/access/AdapterState.h"
#include "client/access/DetectOsVersion.h"
#include "client/access/OidAccessor.h"
#include "client/access/PrivateMessages.h"
#include "client/access/ScanList.h"
#include "client/app/ProgramObjects.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/SetOidFromReg.h"
#include "client/radio/WirelessModeText.h"
#include "client/sheet/VnPropSheet.h"
#include "resources/TessarynUI/resource.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

const char kMonitorTitle[] = "Vantir Wireless UI";
const char kInstallerKey[] = "SOFTWARE\\Tessaryn\\WLAN\\InstallShield";
const char kBridgeRemoveCommand[] = "\"lanmeld.exe\" remove";

#define OID_TX_BURST_CONFIG 0x0D710111 // the 32-byte advanced configuration block
#define EEPROM_WORD_UNSET 0xFFFF
#define EEPROM_ADDRESS_CAPABILITY 0x36
#define REGISTER_KIND_EEPROM 3

// The operating mode records: the second DWORD is 2 in access-point operation.
#define OPMODE_ACCESS_POINT 2

// 2.4 GHz channels by region code for chip types 0 and 1; a code beyond the list uses row 0.
const ChannelRow kBgChannelsFirstGen[] = {
    {11, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {11, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {13, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
    {2, {10, 11}},
    {4, {10, 11, 12, 13}},
    {1, {14}},
    {14, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    {7, {3, 4, 5, 6, 7, 8, 9}},
    {9, {5, 6, 7, 8, 9, 10, 11, 12, 13}},
};

const ChannelRow& FirstGenBgRow(int nRegion)
{
    const int nRows =
        static_cast<int>(sizeof(kBgChannelsFirstGen) / sizeof(kBgChannelsFirstGen[0]));
    return nRegion >= 0 && nRegion < nRows ? kBgChannelsFirstGen[nRegion] : kBgChannelsFirstGen[0];
}

// Adapter discovery names the chosen adapter; the WLAN client takes the interface of that
// description.
void OnAdapterChosen(LPCSTR pszDescription)
{
    if (g_pHideDlg != NULL)
        g_pHideDlg->m_WifiClient.SelectInterface(pszDescription, g_pHideDlg->m_hWnd,
                                                 theApp.GetStorageType());
}

// The client's name for the check both programs make.
BOOL DetectWow64()
{
    return IsWow64();
}

} // namespace

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
ON_COMMAND(ID_TRAY_SWITCH_AP, OnSwitchToApMode)
ON_MESSAGE(WM_WLAN_CONNECTED, OnWlanConnected)
ON_MESSAGE(WM_WLAN_ROAMED, OnWlanRoamed)
ON_MESSAGE(WM_WLAN_INTERFACE_ARRIVAL, OnWlanInterfaceArrival)
ON_MESSAGE(WM_SCAN_COMPLETE, OnScanComplete)
ON_MESSAGE(WM_WLAN_DISCONNECTED, OnWlanDisconnected)
ON_MESSAGE(WM_SCAN_FAILED, OnScanFailed)
ON_MESSAGE(WM_PROFILE_EDIT_STATE, OnProfileEditState)
ON_MESSAGE(WM_RADIO_ON, OnRadioOn)
ON_MESSAGE(WM_RADIO_OFF, OnRadioOff)
ON_MESSAGE(WM_DRIVER_EVENT, OnDriverEvent)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent)
    : CDialog(IDD_HIDE_DIALOG, pParent), m_bWepCheckArmed(FALSE), m_bDeviceExist(FALSE),
      m_bOpenSheetAtStart(TRUE), m_bSwitchingToAp(FALSE), m_bBusy(FALSE), m_bTrayIconPresent(FALSE),
      m_pPropSheet(NULL), m_nRescanTimerId(0)
{
}

CHideDlg::~CHideDlg()
{
    // Every way out of the program, not only the tray's Exit, leaves no sheet behind.
    CloseSheet();
    if (g_pfnAdapterChosen == OnAdapterChosen && g_pHideDlg == this)
        g_pfnAdapterChosen = NULL;
    if (g_pHideDlg == this)
        g_pHideDlg = NULL;
}

void CHideDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CHideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    g_pHideDlg = this;
    SetWindowText(kMonitorTitle);
    OutputDebugStringA(m_bOpenSheetAtStart ? "monitor started\n"
                                           : "monitor started in the notification area\n");

    g_pBssidList = static_cast<BYTE*>(AllocLockedBlock(BSSID_LIST_BYTES));
    g_pBssidListCopy = static_cast<BYTE*>(AllocLockedBlock(BSSID_LIST_BYTES));
    memset(&g_CurrentSsid, 0, sizeof(g_CurrentSsid));
    memset(g_CurrentBssid, 0, sizeof(g_CurrentBssid));

    DetectOsVersion();
    g_bWow64 = DetectWow64();

    CheckAdministrator();
    if (g_bIsAdmin == TRUE)
        StartWlanService();

    g_pfnAdapterChosen = OnAdapterChosen;
    m_bDeviceExist = DiscoverDevice();
    CString strAdapter;
    if (m_bDeviceExist)
        strAdapter.Format("adapter %s (chip type %d)\n", (LPCSTR)g_strDevicePath, g_nChipType);
    else
        strAdapter = "no adapter\n";
    OutputDebugStringA(strAdapter);
    if (m_bDeviceExist)
        InitCard(m_bOpenSheetAtStart);

    SetTimer(TIMER_WATCHDOG, WATCHDOG_PERIOD, NULL);
    AddTrayIcon();

    m_WmiReceiver.SetNotifyWindow(m_hWnd);
    m_WmiReceiver.ConnectWmiEvents();
    return TRUE;
}

// The adapter choice may run a modal dialog: the watchdog and the tray wait meanwhile.
BOOL CHideDlg::DiscoverDevice()
{
    BOOL bWasBusy = m_bBusy;
    m_bBusy = TRUE;
    BOOL bFound = DiscoverAdapter() ? TRUE : FALSE;
    m_bBusy = bWasBusy;
    return bFound;
}

void CHideDlg::InitCard(BOOL bOpenSheet)
{
    QueryABandSupport();
    InitTxBurst();
    QueryEepromBit8();
    QueryEepromBit9();
    IsClientOpMode();
    IsIeee80211hEnabled();
    WriteApDefaults();

    m_bBusy = TRUE;
    CheckChannelForRegion();
    QueryDriverVersion();
    m_bBusy = FALSE;

    BOOL bSoftwareOn = FALSE;
    BOOL bHardwareOn = FALSE;
    if (m_WifiClient.GetRadioState(&bSoftwareOn, &bHardwareOn) == ERROR_SUCCESS)
        g_bRadioOn = bSoftwareOn;

    g_nConfigOwner = 2;
    g_bAllowSecuredConnect = TRUE;
    g_nWpaSupport = 6;
    g_bScanPending = TRUE;

    RequestScan();
    SetOidFromReg(TRUE, "", FALSE);

    if (bOpenSheet)
        ShowPropSheet();
}

void CHideDlg::CheckChannelForRegion()
{
    DWORD dwRegion = 0;
    DWORD dwReturned = 0;
    BOOL bRegionRead =
        OidQueryInformation(OID_COUNTRY_REGION, &dwRegion, sizeof(dwRegion), &dwReturned);
    if (bRegionRead)
    {
        g_bRegionValid = (dwRegion & 0x80) != 0 ? FALSE : TRUE;
        g_bABandRegionValid = (dwRegion & 0x8000) != 0 ? FALSE : TRUE;
        dwRegion &= ~0x8080u;
        g_nCountryRegion = static_cast<int>(dwRegion);
    }

    char szValue[128] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "WirelessMode", szValue,
                sizeof(szValue));
    if (szValue[0] != '\0')
        G_enumWirelessMode = atoi(szValue);
    G_enumWirelessMode = AdjustWirelessMode(G_enumWirelessMode);

    // Without the driver's region there is nothing to check against: a guessed region 0
    // would rewrite a valid channel.
    if (!bRegionRead)
        return;

    CDWordArray allowed;
    BuildRegionChannelList(g_nChipType, G_enumWirelessMode, g_nCountryRegion, allowed);

    memset(szValue, 0, sizeof(szValue));
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "Channel", szValue,
                sizeof(szValue));
    if (szValue[0] != '\0')
    {
        DWORD dwChannel = static_cast<DWORD>(atoi(szValue));
        for (INT_PTR i = 0; i < allowed.GetSize(); i++)
        {
            if (allowed[i] == dwChannel)
                return;
        }
    }

    CString strChannel;
    strChannel.Format("%u", allowed.GetSize() > 0 ? allowed[0] : 0);
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "Channel", strChannel);
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", g_strDriverKey);
        return;
    }
    if (SetDriverText(hKey, "Channel", strChannel) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_PROFILE_CHANNEL '%s' failed\n", strChannel);
    RegCloseKey(hKey);
}

BOOL CHideDlg::IsSheetOpen() const
{
    return m_pPropSheet != NULL && m_pPropSheet->m_hWnd != 0 && ::IsWindow(m_pPropSheet->m_hWnd);
}

void CHideDlg::ShowPropSheet()
{
    if (m_bBusy)
        return;
    if (!m_bDeviceExist)
    {
        m_bBusy = TRUE;
        CString strText;
        strText.LoadString(IDS_NOT_READY);
        MessageBox(strText, NULL, MB_ICONSTOP);
        m_bBusy = FALSE;
        return;
    }
    if (IsSheetOpen())
    {
        m_pPropSheet->SetForegroundWindow();
        return;
    }
    if (m_pPropSheet != NULL)
    {
        delete m_pPropSheet;
        m_pPropSheet = NULL;
    }
    CVnPropSheet* pSheet = new CVnPropSheet(IDS_SHEET_CAPTION, this);
    if (!pSheet->Create(this))
    {
        delete pSheet;
        return;
    }
    // The sheet ends 10 pixels below its OK button.
    FitSheetBelowOk(*pSheet, 10);
    m_pPropSheet = pSheet;
    m_pPropSheet->SetForegroundWindow();
}

// The window is never seen: whenever it would be painted, it hides again.
void CHideDlg::OnPaint()
{
    PAINTSTRUCT ps;
    BeginPaint(m_hWnd, &ps);
    EndPaint(m_hWnd, &ps);
    ShowWindow(SW_HIDE);
}

void BuildRegionChannelList(int nChipType, int nWirelessMode, int nCountryRegion, CDWordArray& list)
{
    list.RemoveAll();
    int nBgRegion = nCountryRegion & 0x7F;
    int nARegion = (nCountryRegion >> 8) & 0x7F;
    if (nWirelessMode != 2)
    {
        if (nChipType == 0 || nChipType == 1)
            AppendChannelRow(list, FirstGenBgRow(nBgRegion));
        else if (nChipType >= 4 && nChipType <= 8)
            AppendChannelRow(list, BgRegionChannels(nBgRegion));
    }
    if (nWirelessMode == 2 || nWirelessMode == 3 || nWirelessMode == 5)
        AppendChannelRow(list, ARegionChannels(nARegion));
}

void CheckAdministrator()
{
    g_bIsAdmin = IsAdministrator();
}

namespace
{

void SetStartType(SC_HANDLE hService, DWORD dwStartType)
{
    ChangeServiceConfigA(hService, SERVICE_NO_CHANGE, dwStartType, SERVICE_NO_CHANGE, NULL, NULL,
                         NULL, NULL, NULL, NULL, NULL);
}

} // namespace

void StartWlanService()
{
    CServiceHandles handles("Wlansvc", SERVICE_ALL_ACCESS);
    DWORD dwState = 0;
    if (!handles.QueryState(&dwState))
        return;
    if (dwState != SERVICE_RUNNING && dwState != SERVICE_START_PENDING)
        StartServiceA(handles.Service(), 0, NULL);
    SetStartType(handles.Service(), SERVICE_AUTO_START);
}

void StopWlanService(BOOL bSetOnDemand)
{
    CServiceHandles handles("Wlansvc", SERVICE_ALL_ACCESS);
    if (!handles.StopUnlessStopped())
        return;
    if (bSetOnDemand)
        SetStartType(handles.Service(), SERVICE_DEMAND_START);
}

void QueryABandSupport()
{
    g_bABandSupported = FALSE;
    if (g_pHideDlg == NULL)
        return;
    BOOL bABand = FALSE;
    if (g_pHideDlg->m_WifiClient.SupportsABand(&bABand) == ERROR_SUCCESS)
        g_bABandSupported = bABand ? TRUE : FALSE;
}

void InitTxBurst()
{
    HKEY hDriverKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hDriverKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", g_strDriverKey);
        return;
    }
    // Once per driver key: a later start keeps what the user set since.
    if (RegQueryValueExA(hDriverKey, "RunOnceInitConfigTxBurst", NULL, NULL, NULL, NULL) ==
        ERROR_SUCCESS)
    {
        RegCloseKey(hDriverKey);
        return;
    }

    DWORD dwSelect = 0;
    HKEY hInstaller = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallerKey, 0, KEY_READ, &hInstaller) == ERROR_SUCCESS)
    {
        DWORD dwType = 0;
        DWORD dwValue = 0;
        DWORD dwSize = sizeof(dwValue);
        if (RegQueryValueExA(hInstaller, "ConfigTxBurstSelect", NULL, &dwType,
                             reinterpret_cast<LPBYTE>(&dwValue), &dwSize) == ERROR_SUCCESS &&
            dwType == REG_DWORD && dwSize == sizeof(dwValue))
            dwSelect = dwValue;
        RegCloseKey(hInstaller);
    }
    if (dwSelect != 0 && dwSelect != 1)
        dwSelect = 0;

    // Only a block the driver gave back is sent: a zeroed one would overwrite its other
    // fields.
    BYTE abConfig[32] = {0};
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_TX_BURST_CONFIG, abConfig, sizeof(abConfig), &dwReturned))
    {
        memcpy(abConfig, &dwSelect, sizeof(dwSelect));
        OidSetInformation(OID_TX_BURST_CONFIG, abConfig, sizeof(abConfig), &dwReturned, 3);
    }

    CString strSelect;
    strSelect.Format("%u", dwSelect);
    if (SetDriverText(hDriverKey, "TXBurst", strSelect) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_TX_BURST '%s' failed\n", strSelect);
    if (SetDriverText(hDriverKey, "RunOnceInitConfigTxBurst", strSelect) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_TX_BURST '%s' failed\n", strSelect);
    RegCloseKey(hDriverKey);
}

namespace
{

// The EEPROM capability word, or FALSE when the driver did not give one.
BOOL QueryEepromCapability(DWORD* pdwValue)
{
    RegisterAccessRequest request = {REGISTER_KIND_EEPROM, EEPROM_ADDRESS_CAPABILITY, 0};
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_REGISTER, &request, sizeof(request), &dwReturned))
        return FALSE;
    if (request.Value == EEPROM_WORD_UNSET)
        return FALSE;
    *pdwValue = request.Value;
    return TRUE;
}

} // namespace

void QueryEepromBit8()
{
    DWORD dwValue = 0;
    if (QueryEepromCapability(&dwValue))
        g_bEepromBit8Clear = (dwValue & 0x100) == 0 ? TRUE : FALSE;
}

void QueryEepromBit9()
{
    DWORD dwValue = 0;
    if (QueryEepromCapability(&dwValue))
        g_bEepromBit9Clear = (dwValue & 0x200) == 0 ? TRUE : FALSE;
}

BOOL IsClientOpMode()
{
    OpModeRequest request = {0, 0};
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_OP_MODE, &request, sizeof(request), &dwReturned))
        return TRUE;
    if (request.Mode != OPMODE_ACCESS_POINT)
        return TRUE;
    // Left in access-point use: back to station, and the bridge of that use goes.
    OidAccessor accessor;
    accessor.SetOpMode(0);
    WinExec(kBridgeRemoveCommand, SW_MINIMIZE);
    return FALSE;
}

void IsIeee80211hEnabled()
{
    char szValue[128] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "IEEE80211H", szValue,
                sizeof(szValue));
    g_bIeee80211h = szValue[0] != '\0' && atoi(szValue) == 1 ? TRUE : FALSE;
}

int AdjustWirelessMode(int nMode)
{
    if (nMode == 7)
        nMode = 4;
    else if (nMode == 8 || nMode == 10)
        nMode = 2;
    if (!g_bABandSupported)
    {
        if (nMode == 2 || nMode == 3)
            nMode = 0;
        else if (nMode == 5)
            nMode = 9;
    }
    if (!g_bHtSupported)
    {
        if (nMode == 5)
            nMode = 3;
        else if (nMode == 6 || nMode == 9)
            nMode = 0;
    }
    return nMode;
}

CString AdjustWirelessModeText(LPCSTR pszText)
{
    return WirelessModeToText(AdjustWirelessMode(WirelessModeFromText(pszText)));
}
