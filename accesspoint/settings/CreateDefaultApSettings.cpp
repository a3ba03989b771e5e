// The access point's first-run settings: "ApDefault" created with them when it is missing,
// completed when it lacks values the access point needs, and copied into the driver key, which
// is what the settings push reads.

#include "accesspoint/monitor/HideDlg.h"
#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApSettingsTable.h"
#include "accesspoint/settings/ApWirelessMode.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"

#include <cstring>

namespace
{

// Values a set written by the other program or an older one may lack.
const struct
{
    LPCSTR pszName;
    LPCSTR pszValue;
} kCompletion[] = {
    {"AllowBW40Capability", "1"},
    {"CountryRegion", "0"},
    {"CountryRegionABand", "0"},
};

void CompleteApSettings(HKEY hApDefault)
{
    for (const auto& value : kCompletion)
    {
        if (RegQueryValueExA(hApDefault, value.pszName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            WriteApText(hApDefault, value.pszName, value.pszValue);
    }
}

void WriteFirstRunValues(HKEY hApDefault)
{
    BYTE abMac[6];
    memset(abMac, 0, sizeof(abMac));
    DWORD dwReturned = 0;
    OidQueryInformation(OID_AP_CURRENT_ADDRESS, abMac, sizeof(abMac), &dwReturned);

    for (int i = 0; i < g_nApSettingValues; i++)
    {
        const ApSettingValue& value = g_ApSettingValues[i];
        CString strText = value.pszFirstRun;
        switch (value.nFirstRun)
        {
        case AP_FIRST_NOT_SET:
            continue;
        case AP_FIRST_LIST:
            if (SetDriverEmptyList(hApDefault, value.pszName) != ERROR_SUCCESS)
                ReportApWriteFailure(value.pszName, "");
            continue;
        case AP_FIRST_SSID:
            strText.Format("SoftAP-%02X", abMac[5]);
            break;
        case AP_FIRST_MODE:
            AdjustApWirelessModeText(strText);
            break;
        default:
            break;
        }
        WriteApText(hApDefault, value.pszName, strText);
    }
}

} // namespace

void CHideDlg::CreateDefaultApSettings()
{
    CString strKey = g_strDriverKey + "\\" + AP_DEFAULT_SUBKEY;
    HKEY hApDefault = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &hApDefault) == ERROR_SUCCESS)
    {
        HKEY hDriverKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
        if (hDriverKey != 0)
        {
            CompleteApSettings(hApDefault);
            CopyRegistryValues(hApDefault, hDriverKey);
            RegCloseKey(hDriverKey);
        }
        RegCloseKey(hApDefault);
        return;
    }

    DWORD dwDisposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, strKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &hApDefault, &dwDisposition) != ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegCreateKeyEx '%s' failed\n", strKey);
        return;
    }
    WriteFirstRunValues(hApDefault);
    HKEY hDriverKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hDriverKey != 0)
    {
        CopyRegistryValues(hApDefault, hDriverKey);
        RegCloseKey(hDriverKey);
    }
    RegCloseKey(hApDefault);
}
