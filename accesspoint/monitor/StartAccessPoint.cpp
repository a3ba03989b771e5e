// The access point's start sequence: once per driver load the connection sharing is reset and
// the uplink selector started; bridging is switched on; the stored settings are prepared,
// checked against what the adapter and its region allow, and pushed to the driver, which then
// runs the access point.

#include "accesspoint/access/BridgeDevice.h"
#include "accesspoint/access/WzcService.h"
#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/monitor/ApRegionChannels.h"
#include "accesspoint/monitor/HideDlg.h"
#include "accesspoint/settings/ApSettingsReader.h"
#include "accesspoint/settings/ApSettingsTable.h"
#include "accesspoint/settings/ApWirelessMode.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/DriverVersion.h"
#include "adapter/registry/RegistryCopy.h"

#include <cstdlib>
#include <cstring>

namespace
{

#define OID_AP_START_MARKER 0x0D710126
#define OID_AP_START_MARKER_SET 0x0DF10126
#define OID_AP_NETWORK_TYPES 0x0D010203 // u32 count, then up to 4 u32 network types
#define OID_AP_REGION 0x0D710107        // byte 0 the 2.4 GHz code, byte 1 the 5 GHz code
#define OID_AP_REGISTER 0x0D710105      // {u32 kind, u32 offset, u32 value}

#define NETWORK_TYPE_OFDM5 2
#define NETWORK_TYPES_HELD 4
#define REGION_INVALID 0x80

const char kBridgeDeviceName[] = "NBRG";
const char kUplinkResetCommand[] = "\"UplinkPick.exe\" ICS_DOWN";
const char kUplinkCommand[] = "UplinkPick.exe";
const DWORD kSmallValueBuffer = 128;

struct RegisterRequest
{
    DWORD Kind;
    DWORD Offset;
    DWORD Value;
};

void WriteChannel(HKEY hKey, const CString& strChannel)
{
    if (SetDriverText(hKey, "Channel", strChannel) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_CHANNEL '%s' failed\n", strChannel);
}

} // namespace

BOOL IsApInitialised()
{
    DWORD dwMarker = 0;
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_AP_START_MARKER, &dwMarker, sizeof(dwMarker), &dwReturned))
        return TRUE;
    return dwMarker == 1;
}

void QueryBbpRegister54()
{
    RegisterRequest request = {3, 54, 0};
    DWORD dwReturned = 0;
    OidQueryInformation(OID_AP_REGISTER, &request, sizeof(request), &dwReturned);
    g_bBbpQueried = TRUE;
}

void CHideDlg::StartAccessPoint(BOOL bOpenSheet)
{
    if (!IsApInitialised())
    {
        DWORD dwMarker = 1;
        DWORD dwReturned = 0;
        OidSetInformation(OID_AP_START_MARKER_SET, &dwMarker, sizeof(dwMarker), &dwReturned, 3);
        WinExec(kUplinkResetCommand, SW_HIDE);
        WinExec(kUplinkCommand, SW_SHOW);
    }

    g_nBridgeEnabled = 0;
    BridgeDevice bridge;
    bridge.OpenBridgeDevice(kBridgeDeviceName);
    if (bridge.GetBridgingState() == 0)
        EnableBridging();

    m_bBusy = TRUE;
    InitTxBurst();
    CreateDefaultApSettings();
    QueryNetworkTypes();
    if (g_nChipType == 0 || g_nChipType == 1)
        VerifyCountryRegion();
    QueryDriverVersion();
    m_bBusy = FALSE;

    ReadAllowBw40InBgBand();
    QueryBbpRegister54();
    QueryBbpRegister54();
    if (IsWzcServiceRunning())
        StopWzcService();
    ApplyApSettings();
    if (bOpenSheet)
        OpenConfigSheet();
    bridge.Close();
}

int CHideDlg::EnableBridging()
{
    BridgeDevice bridge;
    int nResult = 0;
    if (bridge.OpenBridgeDevice(kBridgeDeviceName) && bridge.SetBridging(1))
    {
        g_nBridgeEnabled++;
        nResult = 1;
    }
    bridge.Close();
    return nResult;
}

void CHideDlg::InitTxBurst()
{
    CString strApDefault = g_strDriverKey + "\\" + AP_DEFAULT_SUBKEY;
    HKEY hApDefault = OpenMachineKey(strApDefault, KEY_ALL_ACCESS);
    if (hApDefault == 0)
        return;
    // Taken over once: a later start keeps what the user set since.
    if (RegQueryValueExA(hApDefault, "RunOnceInitConfigTxBurst", NULL, NULL, NULL, NULL) ==
        ERROR_SUCCESS)
    {
        RegCloseKey(hApDefault);
        return;
    }
    HKEY hDriverKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hDriverKey == 0)
    {
        RegCloseKey(hApDefault);
        return;
    }
    BYTE abChoice[4];
    memset(abChoice, 0, sizeof(abChoice));
    DWORD dwType = 0;
    DWORD cbChoice = sizeof(abChoice);
    if (RegQueryValueExA(hDriverKey, "RunOnceInitConfigTxBurst", NULL, &dwType, abChoice,
                         &cbChoice) == ERROR_SUCCESS)
    {
        if (RegSetValueExA(hApDefault, "TXBurst", 0, REG_SZ, abChoice, cbChoice) != ERROR_SUCCESS)
            ReportRegistryFailure("RegSetValueEx REGSTR_TX_BURST '%s' failed\n", "TXBurst");
        if (RegSetValueExA(hApDefault, "RunOnceInitConfigTxBurst", 0, REG_SZ, abChoice, cbChoice) !=
            ERROR_SUCCESS)
            ReportRegistryFailure("RegSetValueEx RunOnceInitConfigTxBurst '%s' failed\n",
                                  "RunOnceInitConfigTxBurst");
    }
    RegCloseKey(hDriverKey);
    RegCloseKey(hApDefault);
}

void CHideDlg::QueryNetworkTypes()
{
    DWORD adwAnswer[1 + NETWORK_TYPES_HELD];
    memset(adwAnswer, 0, sizeof(adwAnswer));
    DWORD dwReturned = 0;
    g_bABandSupported = FALSE;
    if (!OidQueryInformation(OID_AP_NETWORK_TYPES, adwAnswer, sizeof(adwAnswer), &dwReturned))
        return;
    // The count is taken only as far as the buffer and the answer hold types.
    DWORD dwCount = adwAnswer[0];
    DWORD dwHeld = dwReturned > sizeof(DWORD) ? (dwReturned - sizeof(DWORD)) / sizeof(DWORD) : 0;
    if (dwCount > dwHeld)
        dwCount = dwHeld;
    if (dwCount > NETWORK_TYPES_HELD)
        dwCount = NETWORK_TYPES_HELD;
    for (DWORD i = 0; i < dwCount; i++)
    {
        if (adwAnswer[1 + i] == NETWORK_TYPE_OFDM5)
        {
            g_bABandSupported = TRUE;
            if (!g_bHtSupported)
                break;
        }
    }
}

void CHideDlg::VerifyCountryRegion()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hKey == 0)
        return;
    BYTE abRegion[4];
    memset(abRegion, 0, sizeof(abRegion));
    DWORD dwReturned = 0;
    // Without the driver's region there is nothing to check against: a guessed region 0 would
    // rewrite a valid channel and the stored regions.
    if (!OidQueryInformation(OID_AP_REGION, abRegion, sizeof(abRegion), &dwReturned))
    {
        RegCloseKey(hKey);
        return;
    }
    BOOL bBgValid = (abRegion[0] & REGION_INVALID) == 0;
    BOOL bAValid = (abRegion[1] & REGION_INVALID) == 0;
    g_bRegionValid = bBgValid;
    g_bABandRegionValid = bAValid;
    int nBgRegion = abRegion[0] & 0x7F;
    int nARegion = abRegion[1] & 0x7F;

    CApSettingsReader reader(hKey);
    int nMode = 0;
    reader.ReadNumber("WirelessMode", nMode);
    AdjustApWirelessMode(nMode);
    CDWordArray allowed;
    BuildApChannelList(nMode, nBgRegion, nARegion, allowed);

    CString strChannel;
    BOOL bAllowed = FALSE;
    if (reader.ReadText("Channel", strChannel))
    {
        DWORD dwChannel = static_cast<DWORD>(atoi(strChannel));
        for (INT_PTR i = 0; i < allowed.GetSize() && !bAllowed; i++)
            bAllowed = allowed[i] == dwChannel;
    }
    if (!bAllowed && allowed.GetSize() > 0)
    {
        strChannel.Format("%u", allowed[0]);
        WriteChannel(hKey, strChannel);
        CString strApDefault = g_strDriverKey + "\\" + AP_DEFAULT_SUBKEY;
        HKEY hApDefault = OpenMachineKey(strApDefault, KEY_ALL_ACCESS);
        if (hApDefault != 0)
        {
            WriteChannel(hApDefault, strChannel);
            RegCloseKey(hApDefault);
        }
    }

    CString strRegion;
    if (bBgValid)
    {
        strRegion.Format("%d", nBgRegion);
        if (SetDriverText(hKey, "CountryRegion", strRegion) != ERROR_SUCCESS)
            ReportRegistryFailure("RegSetValueEx REGSTR_COUNTRY_REGION '%s' failed\n", strRegion);
    }
    if (bAValid)
    {
        strRegion.Format("%d", nARegion);
        if (SetDriverText(hKey, "CountryRegionABand", strRegion) != ERROR_SUCCESS)
            ReportRegistryFailure("RegSetValueEx REGSTR_COUNTRY_REGION '%s' failed\n", strRegion);
    }
    RegCloseKey(hKey);
}

void CHideDlg::QueryDriverVersion()
{
    ::QueryDriverVersion();
}

void CHideDlg::ReadAllowBw40InBgBand()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_READ);
    if (hKey == 0)
        return;
    char szValue[kSmallValueBuffer];
    if (ReadDriverValue(hKey, "AllowBW40InBGBand", szValue, sizeof(szValue)) == ERROR_SUCCESS)
        g_bAllowBw40InBgBand = atoi(szValue) == 1 ? TRUE : FALSE;
    else
        ReportRegistryFailure("RegQueryValueEx '%s' failed\n", "REGSTR_ALLOW_BW40_IN_BG_BAND");
    RegCloseKey(hKey);
}
