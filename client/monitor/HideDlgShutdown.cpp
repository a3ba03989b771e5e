// The monitor window's hand-over of the adapter to the access-point program, and the end of the
// program. Both rest on the driver key: its own values are the driver's current parameters,
// "Default" keeps them for station use and "ApDefault" holds the access-point settings.

#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/LockedBlock.h"
#include "adapter/registry/RegistryCopy.h"
#include "client/access/AdapterState.h"
#include "client/access/OidAccessor.h"
#include "client/access/ScanList.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/profiles/ProfilePage.h"
#include "client/sheet/VnPropSheet.h"

#include <cstring>

namespace
{

const char kDefaultSubkey[] = "Default";
const char kApDefaultSubkey[] = "ApDefault";
const char kSwitchCommand[] = "\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"";

void WriteTextValue(HKEY hKey, LPCSTR lpszName, LPCSTR lpszData)
{
    if (SetDriverText(hKey, lpszName, lpszData) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx '%s' failed\n", lpszName);
}

// An empty list: one zero byte.
void WriteEmptyList(HKEY hKey, LPCSTR lpszName)
{
    if (SetDriverEmptyList(hKey, lpszName) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx '%s' failed\n", lpszName);
}

void ReportOpenFailure(LPCSTR lpszKey)
{
    ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", lpszKey);
}

// Copies every value of one key under HKEY_LOCAL_MACHINE into another; nothing is copied
// unless both open.
void CopyDriverKeyValues(const CString& strSource, const CString& strDest)
{
    HKEY hSource = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strSource, 0, KEY_QUERY_VALUE, &hSource) != ERROR_SUCCESS)
    {
        ReportOpenFailure(strSource);
        return;
    }
    HKEY hDest = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strDest, 0, KEY_ALL_ACCESS, &hDest) != ERROR_SUCCESS)
    {
        ReportOpenFailure(strDest);
        RegCloseKey(hSource);
        return;
    }
    CopyRegistryKeyValues(hSource, hDest);
    RegCloseKey(hDest);
    RegCloseKey(hSource);
}

} // namespace

int CHideDlg::WriteApDefaults()
{
    CString strKey = g_strDriverKey + "\\" + kApDefaultSubkey;
    HKEY hKey = 0;
    // The set is written only once: later runs keep what the access-point program stored.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS)
    {
        RegCloseKey(hKey);
        return 1;
    }
    DWORD dwDisposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, strKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &hKey, &dwDisposition) != ERROR_SUCCESS)
    {
        CString strError;
        strError.Format("RegCreateKeyEx '%s' failed\n", (LPCSTR)strKey);
        OutputDebugStringA(strError);
        return 1;
    }

    BYTE abMac[6];
    memset(abMac, 0, sizeof(abMac));
    OidAccessor oid;
    oid.QueryCurrentAddress(abMac);
    CString strSsid;
    strSsid.Format("SoftAP-%02X", abMac[5]);

    WriteTextValue(hKey, "SSID", strSsid);
    WriteTextValue(hKey, "WirelessMode", "0");
    WriteTextValue(hKey, "TransRate", "0");
    WriteTextValue(hKey, "TurboRate", "0");
    WriteTextValue(hKey, "BGProtection", "0");
    WriteTextValue(hKey, "ShortSlot", "1");
    WriteTextValue(hKey, "Channel", "0");
    WriteTextValue(hKey, "PreambleType", "0");
    WriteTextValue(hKey, "TXPower", "0");
    WriteTextValue(hKey, "RtsThresh", "2347");
    WriteTextValue(hKey, "FragThresh", "0");
    WriteTextValue(hKey, "AuthenType", "0");
    WriteTextValue(hKey, "Encryption", "1");
    WriteTextValue(hKey, "WPAPSK", "");
    WriteTextValue(hKey, "WEPKey1Type", "0");
    WriteTextValue(hKey, "WEPKey2Type", "0");
    WriteTextValue(hKey, "WEPKey3Type", "0");
    WriteTextValue(hKey, "WEPKey4Type", "0");
    WriteTextValue(hKey, "WEPKeyUse", "1");
    WriteTextValue(hKey, "WEPKey1", "");
    WriteTextValue(hKey, "WEPKey2", "");
    WriteTextValue(hKey, "WEPKey3", "");
    WriteTextValue(hKey, "WEPKey4", "");
    WriteTextValue(hKey, "RekeyInterval", "60");
    WriteTextValue(hKey, "RekeyMethod", "0");
    WriteTextValue(hKey, "TXPower", "0");
    WriteTextValue(hKey, "RadiusIP", "");
    WriteTextValue(hKey, "RadiusPort", "");
    WriteTextValue(hKey, "RadiusKey", "");
    WriteTextValue(hKey, "AccessControlPolicy", "0");
    WriteEmptyList(hKey, "AccessControlList");
    WriteTextValue(hKey, "WdsEnable", "1");
    WriteEmptyList(hKey, "WdsList");
    WriteTextValue(hKey, "AutoChannelSelect", "0");
    WriteTextValue(hKey, "NoForwarding", "0");
    WriteTextValue(hKey, "HideSSID", "0");
    WriteTextValue(hKey, "BeaconPeriod", "100");
    RegCloseKey(hKey);
    return 1;
}

void CHideDlg::SaveDriverKeyToDefault()
{
    CopyDriverKeyValues(g_strDriverKey, g_strDriverKey + "\\" + kDefaultSubkey);
}

void CHideDlg::LoadApDefaultIntoDriverKey()
{
    CopyDriverKeyValues(g_strDriverKey + "\\" + kApDefaultSubkey, g_strDriverKey);
}

int CHideDlg::SetApOpMode()
{
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "OpMode", "1");
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) ==
        ERROR_SUCCESS)
    {
        WriteTextValue(hKey, "OpMode", "1");
        RegCloseKey(hKey);
    }
    else
    {
        ReportOpenFailure(g_strDriverKey);
    }
    OidAccessor oid;
    oid.SetOpMode(1);
    return 1;
}

void CHideDlg::OnSwitchToApMode()
{
    // A modal step still runs: leaving now would put the adapter into access-point mode under
    // a running station client.
    if (m_bBusy)
        return;
    StopWlanService(TRUE);
    OnTrayExit();
    m_bSwitchingToAp = TRUE;
    SaveDriverKeyToDefault();
    LoadApDefaultIntoDriverKey();
    SetApOpMode();
    WinExec(kSwitchCommand, SW_MINIMIZE);
}

void CHideDlg::CloseSheet()
{
    if (m_pPropSheet == NULL)
        return;
    if (m_pPropSheet->m_hWnd != 0 && ::IsWindow(m_pPropSheet->m_hWnd))
    {
        m_pPropSheet->CloseModalChild();
        CloseHiddenSsidDialogs();
        CloseSysConfigPages();
        m_pPropSheet->DestroyWindow();
    }
    g_bSheetClosing = TRUE;
    delete m_pPropSheet;
    m_pPropSheet = NULL;
}

void CHideDlg::OnTrayExit()
{
    if (m_bBusy)
        return;
    CloseSheet();
    DeleteTrayIcon();
    KillAllTimers();
    EndDialog(IDOK);
}

void CHideDlg::OnDestroy()
{
    CDialog::OnDestroy();
    // The switch took the backup before it loaded the access-point values.
    if (!m_bSwitchingToAp)
        SaveDriverKeyToDefault();
    FreeLockedBlock(g_pBssidList);
    g_pBssidList = NULL;
    FreeLockedBlock(g_pBssidListCopy);
    g_pBssidListCopy = NULL;
    ClearActionQueue();
    ClearRetryQueue();
    if (g_pCurrentProfile != NULL)
    {
        FreeStationProfile(g_pCurrentProfile);
        g_pCurrentProfile = NULL;
    }
    // A profile editor that the closing sheet ended is kept for the next open; there is none.
    delete g_pProfileEditor;
    g_pProfileEditor = NULL;
}
