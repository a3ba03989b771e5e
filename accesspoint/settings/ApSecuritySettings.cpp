#include "accesspoint/settings/ApSecuritySettings.h"

#include "accesspoint/settings/ApRateSets.h"
#include "accesspoint/settings/ApSettingsTable.h"

namespace
{

CString KeyValueName(LPCSTR pszFormat, int nKey)
{
    CString str;
    str.Format(pszFormat, nKey + 1);
    return str;
}

} // namespace

ApSecuritySettings::ApSecuritySettings()
    : nAuthMode(0), nEncryption(1), nRekeyInterval(0), nRekeyMethod(0), nRadiusPort(0),
      dwRadiusIp(0), nDefaultKey(0)
{
    for (int i = 0; i < AP_WEP_KEYS; i++)
        nKeyType[i] = 0;
}

BOOL IsApWepInUse(const ApSecuritySettings& settings)
{
    return settings.nAuthMode == 1 ||
           CorrectApEncryption(settings.nAuthMode, settings.nEncryption) == 0;
}

void ReadApSecuritySettings(const CApSettingsReader& reader, ApSecuritySettings& settings)
{
    int nValue = 0;
    if (reader.ReadNumber("AuthenType", nValue))
        settings.nAuthMode = nValue;
    if (reader.ReadNumber("Encryption", nValue))
        settings.nEncryption = nValue;
    reader.ReadText("WPAPSK", settings.strWpaPsk);
    if (reader.ReadNumber("RekeyInterval", nValue))
        settings.nRekeyInterval = static_cast<UINT>(nValue);
    if (reader.ReadNumber("RekeyMethod", nValue))
        settings.nRekeyMethod = nValue;
    if (reader.ReadNumber("RadiusPort", nValue))
        settings.nRadiusPort = static_cast<UINT>(nValue);
    if (reader.ReadNumber("RadiusIP", nValue))
        settings.dwRadiusIp = static_cast<DWORD>(nValue);
    reader.ReadText("RadiusKey", settings.strRadiusKey);
    if (reader.ReadNumber("WEPKeyUse", nValue))
        settings.nDefaultKey = nValue - 1;
    for (int i = 0; i < AP_WEP_KEYS; i++)
    {
        if (reader.ReadNumber(KeyValueName("WEPKey%dType", i), nValue))
            settings.nKeyType[i] = nValue;
        reader.ReadText(KeyValueName("WEPKey%d", i), settings.strKey[i]);
    }
}

void WriteApSecuritySettings(HKEY hKey, const ApSecuritySettings& settings)
{
    WriteApNumber(hKey, "AuthenType", settings.nAuthMode);
    WriteApNumber(hKey, "Encryption", settings.nEncryption);
    // The address is one 32-bit number, kept as signed decimal; so are the port and interval.
    WriteApNumber(hKey, "RadiusIP", static_cast<int>(settings.dwRadiusIp));
    WriteApNumber(hKey, "RadiusPort", static_cast<int>(settings.nRadiusPort));
    WriteApText(hKey, "RadiusKey", settings.strRadiusKey);
    WriteApNumber(hKey, "RekeyInterval", static_cast<int>(settings.nRekeyInterval));
    WriteApNumber(hKey, "RekeyMethod", settings.nRekeyMethod);
    if (IsApWepInUse(settings))
        WriteApNumber(hKey, "WEPKeyUse", settings.nDefaultKey + 1);
    for (int i = 0; i < AP_WEP_KEYS; i++)
        WriteApNumber(hKey, KeyValueName("WEPKey%dType", i), settings.nKeyType[i]);
    for (int i = 0; i < AP_WEP_KEYS; i++)
        WriteApText(hKey, KeyValueName("WEPKey%d", i), settings.strKey[i]);
    WriteApText(hKey, "WPAPSK", settings.strWpaPsk);
}
