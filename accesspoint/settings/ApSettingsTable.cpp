#include "accesspoint/settings/ApSettingsTable.h"

#include "adapter/registry/RegistryCopy.h"

#include <cstring>
#include <vector>

const ApSettingValue g_ApSettingValues[] = {
    {"SSID", "REGSTR_SSID", AP_FIRST_SSID, ""},
    {"WirelessMode", "REGSTR_WIRELESS_MODE", AP_FIRST_MODE, "9"},
    {"TransRate", "REGSTR_TRANS_RATE", AP_FIRST_TEXT, "0"},
    {"TurboRate", "REGSTR_TURBO_RATE", AP_FIRST_TEXT, "0"},
    {"BGProtection", "REGSTR_BG_PROTECTION", AP_FIRST_TEXT, "0"},
    {"ShortSlot", "REGSTR_SHORT_SLOT", AP_FIRST_TEXT, "1"},
    {"CountryRegion", "REGSTR_COUNTRY_REGION", AP_FIRST_TEXT, "0"},
    {"CountryRegionABand", "REGSTR_COUNTRY_REGION_ABAND", AP_FIRST_TEXT, "0"},
    {"Channel", "REGSTR_CHANNEL", AP_FIRST_TEXT, "0"},
    {"PreambleType", "REGSTR_PREAMBLE_TYPE", AP_FIRST_TEXT, "0"},
    {"TXPower", "REGSTR_TX_POWER", AP_FIRST_TEXT, "0"},
    {"RtsThresh", "REGSTR_RTS_THRESH", AP_FIRST_TEXT, "2347"},
    {"FragThresh", "REGSTR_FRAG_THRESH", AP_FIRST_TEXT, "2346"},
    {"AuthenType", "REGSTR_AUTHEN_TYPE", AP_FIRST_TEXT, "0"},
    {"Encryption", "REGSTR_ENCRYPTION", AP_FIRST_TEXT, "1"},
    {"WPAPSK", "REGSTR_WPAPSK", AP_FIRST_TEXT, ""},
    {"WEPKey1Type", "REGSTR_WEP_KEY1_TYPE", AP_FIRST_TEXT, "0"},
    {"WEPKey2Type", "REGSTR_WEP_KEY2_TYPE", AP_FIRST_TEXT, "0"},
    {"WEPKey3Type", "REGSTR_WEP_KEY3_TYPE", AP_FIRST_TEXT, "0"},
    {"WEPKey4Type", "REGSTR_WEP_KEY4_TYPE", AP_FIRST_TEXT, "0"},
    {"WEPKeyUse", "REGSTR_WEP_KEY_USE", AP_FIRST_TEXT, "1"},
    {"WEPKey1", "REGSTR_WEP_KEY1", AP_FIRST_TEXT, ""},
    {"WEPKey2", "REGSTR_WEP_KEY2", AP_FIRST_TEXT, ""},
    {"WEPKey3", "REGSTR_WEP_KEY3", AP_FIRST_TEXT, ""},
    {"WEPKey4", "REGSTR_WEP_KEY4", AP_FIRST_TEXT, ""},
    {"RekeyInterval", "REGSTR_REKEY_INTERVAL", AP_FIRST_TEXT, "60"},
    {"RekeyMethod", "REGSTR_REKEY_METHOD", AP_FIRST_TEXT, "0"},
    {"RadiusIP", "REGSTR_RADIUS_IP", AP_FIRST_TEXT, ""},
    {"RadiusPort", "REGSTR_RADIUS_PORT", AP_FIRST_TEXT, ""},
    {"RadiusKey", "REGSTR_RADIUS_KEY", AP_FIRST_TEXT, ""},
    {"AccessControlPolicy", "REGSTR_ACCESS_CONTROL_POLICY", AP_FIRST_TEXT, "0"},
    {"AccessControlList", "REGSTR_ACCESS_CONTROL_LIST", AP_FIRST_LIST, ""},
    {"WdsEnable", "REGSTR_WDS_ENABLE", AP_FIRST_TEXT, "0"},
    {"WdsList", "REGSTR_WDS_LIST", AP_FIRST_LIST, ""},
    {"AutoChannelSelect", "REGSTR_AUTO_CHANNEL_SELECT", AP_FIRST_TEXT, "0"},
    {"NoForwarding", "REGSTR_NO_FORWARDING", AP_FIRST_TEXT, "0"},
    {"HideSSID", "REGSTR_HIDE_SSID", AP_FIRST_TEXT, "0"},
    {"BeaconPeriod", "REGSTR_BEACON_PERIOD", AP_FIRST_TEXT, "100"},
    {"IdleTime", "REGSTR_IDLE_TIME", AP_FIRST_TEXT, "300"},
    // Written by others, or later.
    {"TransmitSetting", "REGSTR_TRANSMIT_SETTING", AP_FIRST_NOT_SET, ""},
    {"TXBurst", "REGSTR_TX_BURST", AP_FIRST_NOT_SET, ""},
    {"RunOnceInitConfigTxBurst", "RunOnceInitConfigTxBurst", AP_FIRST_NOT_SET, ""},
    {"AllowBW40Capability", "REGSTR_ALLOW_BW40_CAPABILITY", AP_FIRST_NOT_SET, ""},
    {"AllowBW40InBGBand", "REGSTR_ALLOW_BW40_IN_BG_BAND", AP_FIRST_NOT_SET, ""},
    {"BACapability", "REGSTR_BA_CAPABILITY", AP_FIRST_NOT_SET, ""},
};

const int g_nApSettingValues = sizeof(g_ApSettingValues) / sizeof(g_ApSettingValues[0]);

LPCSTR ApRegisterName(LPCSTR pszName)
{
    for (int i = 0; i < g_nApSettingValues; i++)
    {
        if (strcmp(g_ApSettingValues[i].pszName, pszName) == 0)
            return g_ApSettingValues[i].pszRegisterName;
    }
    return pszName;
}

void ReportApReadFailure(LPCSTR pszName)
{
    ReportRegistryFailure("RegQueryValueEx '%s' failed\n", ApRegisterName(pszName));
}

void ReportApWriteFailure(LPCSTR pszName, LPCSTR pszText)
{
    CString strFormat;
    strFormat.Format("RegSetValueEx %s '%%s' failed\n", ApRegisterName(pszName));
    ReportRegistryFailure(strFormat, pszText);
}

void WriteApText(HKEY hKey, LPCSTR pszName, LPCSTR pszText)
{
    if (SetDriverText(hKey, pszName, pszText) != ERROR_SUCCESS)
        ReportApWriteFailure(pszName, pszText);
}

void WriteApNumber(HKEY hKey, LPCSTR pszName, int nValue)
{
    CString strText;
    strText.Format("%d", nValue);
    WriteApText(hKey, pszName, strText);
}

void WriteApList(HKEY hKey, LPCSTR pszName, const CStringArray& entries)
{
    std::vector<BYTE> data;
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
    {
        LPCSTR pszEntry = entries[i];
        data.insert(data.end(), pszEntry, pszEntry + strlen(pszEntry) + 1);
    }
    data.push_back(0);
    if (RegSetValueExA(hKey, pszName, 0, REG_MULTI_SZ, data.data(),
                       static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        ReportApWriteFailure(pszName, "");
}
