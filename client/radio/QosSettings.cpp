#include "client/radio/QosSettings.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"
#include "client/app/SettingsStore.h"

#include <cstdlib>

namespace
{

const int kSetAttempts = 3;

struct QosValue
{
    LPCSTR pszName;
    int bChosen;
    int nValue;
};

void ReadConfigNumber(LPCSTR pszName, int* pnValue)
{
    char szValue[128] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", pszName, szValue,
                sizeof(szValue));
    if (szValue[0] != '\0')
        *pnValue = atoi(szValue);
}

} // namespace

void ApplyQosToDriver(int bSetApsd, int bSetDls, int bSetWmm, DWORD dwApsd, DWORD dwDls,
                      DWORD dwWmm)
{
    DWORD dwReturned = 0;
    if (bSetApsd == 1)
        OidSetInformation(OID_APSD, &dwApsd, sizeof(dwApsd), &dwReturned, kSetAttempts);
    if (bSetDls == 1)
        OidSetInformation(OID_DLS, &dwDls, sizeof(dwDls), &dwReturned, kSetAttempts);
    if (bSetWmm == 1)
    {
        BYTE bWmm = static_cast<BYTE>(dwWmm);
        OidSetInformation(OID_WMM, &bWmm, sizeof(bWmm), &dwReturned, kSetAttempts);
    }
}

void SaveQosSettings(int bSaveApsd, int bSaveDls, int bSaveWmm, int nApsd, int nDls, int nWmm)
{
    const QosValue values[] = {
        {"APSDCapable", bSaveApsd, nApsd},
        {"DLSCapable", bSaveDls, nDls},
        {"WMMCapable", bSaveWmm, nWmm},
    };
    for (const QosValue& v : values)
    {
        if (v.bChosen == 1)
            SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", v.pszName,
                        v.nValue == 1 ? "1" : "0");
    }
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hKey == 0)
        return;
    for (const QosValue& v : values)
    {
        if (v.bChosen == 1)
            SetDriverText(hKey, v.pszName, v.nValue == 1 ? "1" : "0");
    }
    RegCloseKey(hKey);
}

void LoadQosSettings(int* pnApsd, int* pnDls, int* pnWmm)
{
    ReadConfigNumber("WMMCapable", pnWmm);
    ReadConfigNumber("APSDCapable", pnApsd);
    ReadConfigNumber("DLSCapable", pnDls);
}

void SaveConfigAndDriverValue(LPCSTR pszName, int nValue, LPCSTR pszOpenFailure,
                              LPCSTR pszSetFailure)
{
    CString strValue;
    strValue.Format("%d", nValue);
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", pszName, strValue);
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure(pszOpenFailure, strValue);
        return;
    }
    if (SetDriverText(hKey, pszName, strValue) != ERROR_SUCCESS)
        ReportRegistryFailure(pszSetFailure, strValue);
    RegCloseKey(hKey);
}
