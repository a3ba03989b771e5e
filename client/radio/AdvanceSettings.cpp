// The Advanced page's load and save: "Config", the driver key, the driver, and the TCP window
// tuning of the operating system.

#include "client/radio/AdvancePage.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"
#include "adapter/system/OsVersion.h"
#include "client/access/OidAccessor.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/radio/QosSettings.h"
#include "client/radio/RadioReconnect.h"
#include "client/radio/WirelessModeText.h"

#include <cstdlib>
#include <cstring>

namespace
{

const char kTcpipKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

#define OID_ADVANCED_CONFIG 0x0D710111 // 32 bytes: TX burst at 0, protection at 8, mode at 16
#define ADVANCED_CONFIG_SIZE 32

struct TcpValue
{
    LPCSTR pszName;
    DWORD dwValue;
    LPCSTR pszSetFailure;
    LPCSTR pszDeleteFailure;
};

const TcpValue kTcpValues[] = {
    {"TCPWindowSize", 0x10000, "RegSetValueEx TcpWindowSize failed\n",
     "RegDeleteValue TcpWindowSize failed\n"},
    {"SackOpts", 1, "RegSetValueEx SackOpts failed\n", "RegDeleteValue SackOpts failed\n"},
    {"TcpMaxDupAcks", 2, "RegSetValueEx TcpMaxDupAcks failed\n",
     "RegDeleteValue TcpMaxDupAcks failed\n"},
    {"Tcp1323Opts", 1, "RegSetValueEx Tcp1323Opts failed\n", "RegDeleteValue Tcp1323Opts failed\n"},
};

REGSAM TcpipAccess(REGSAM samDesired)
{
    if (OsVersionCode > 9 && g_bWow64)
        samDesired |= KEY_WOW64_64KEY;
    return samDesired;
}

// "Config"'s value; FALSE (and the text empty) when it is empty.
BOOL ReadConfig(LPCSTR pszKey, CString& strValue)
{
    char szValue[128] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", pszKey, szValue,
                sizeof(szValue));
    strValue = szValue;
    return szValue[0] != '\0';
}

void ReadConfigNumber(LPCSTR pszKey, int* pnValue)
{
    CString strValue;
    if (ReadConfig(pszKey, strValue))
        *pnValue = atoi(strValue);
}

DWORD WordAt(const BYTE* pBlock, int nOffset)
{
    DWORD dwValue = 0;
    memcpy(&dwValue, pBlock + nOffset, sizeof(dwValue));
    return dwValue;
}

void PutWord(BYTE* pBlock, int nOffset, DWORD dwValue)
{
    memcpy(pBlock + nOffset, &dwValue, sizeof(dwValue));
}

// The mode's driver code, or the one the block holds when the mode has none.
DWORD DriverModeOr(int nMode, DWORD dwKept)
{
    int nDriver = 0;
    return MapModeCodeToDriver(nMode, &nDriver) ? static_cast<DWORD>(nDriver) : dwKept;
}

// Between the drop and the SSID: the mode goes to the driver, and is read back.
void SetPhyModeWhileDropped()
{
    OidAccessor accessor;
    accessor.SetPhyMode(static_cast<DWORD>(G_enumWirelessMode));
    DWORD dwMode = 0;
    accessor.QueryPhyMode(&dwMode);
}

struct DriverText
{
    LPCSTR pszName;
    CString strValue;
    LPCSTR pszFailure;
    BOOL bWrite;
};

} // namespace

void CAdvancePage::LoadTcpTuning()
{
    if (OsVersionCode <= 6)
        return;
    // Read access is enough to show the choice, and a user without the right to change it has
    // it too.
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpipKey, 0, TcpipAccess(KEY_READ), &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx REGSTR_SERVICES_TCPIP_PARAMETERS failed\n", "");
        CheckDlgButton(IDC_ADV_TCP_WINDOW, BST_UNCHECKED);
        return;
    }
    BOOL bTuned = RegQueryValueExA(hKey, "TCPWindowSize", NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    CheckDlgButton(IDC_ADV_TCP_WINDOW, bTuned ? BST_CHECKED : BST_UNCHECKED);
    RegCloseKey(hKey);
}

void CAdvancePage::SaveTcpTuning()
{
    if (OsVersionCode <= 6)
        return;
    // The tuning is optional: without the right to change it the radio settings still go.
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpipKey, 0, TcpipAccess(KEY_ALL_ACCESS), &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx REGSTR_SERVICES_TCPIP_PARAMETERS failed\n", "");
        return;
    }
    BOOL bTune = IsDlgButtonChecked(IDC_ADV_TCP_WINDOW) == BST_CHECKED;
    for (const TcpValue& v : kTcpValues)
    {
        if (bTune)
        {
            if (SetDwordValue(hKey, v.pszName, v.dwValue) != ERROR_SUCCESS)
                ReportRegistryFailure(v.pszSetFailure, v.pszName);
        }
        else if (RegDeleteValueA(hKey, v.pszName) != ERROR_SUCCESS)
            ReportRegistryFailure(v.pszDeleteFailure, v.pszName);
    }
    RegCloseKey(hKey);
}

DWORD CAdvancePage::BuildCcx2Control() const
{
    DWORD dwValue = 0;
    if (m_bCcx)
    {
        dwValue |= 0x01;
        if (m_bCckm)
            dwValue |= 0x02;
        if (m_bRadioMeasurements)
        {
            dwValue |= 0x04;
            if (m_bNonServing)
                dwValue |= 0x08;
        }
        if (m_bQos)
            dwValue |= 0x10;
        dwValue |= (m_nLimit & 0xFFFF) << 16;
    }
    else
        dwValue |= 250u << 16;
    if (m_bFastRoaming)
        dwValue |= 0x20 | ((static_cast<DWORD>(-m_nRoamThreshold) & 0xFF) << 8);
    else
        dwValue |= 0x46u << 8;
    return dwValue;
}

void CAdvancePage::LoadCcx2Control(DWORD dwValue)
{
    m_bCcx = dwValue & 0x01 ? 1 : 0;
    m_bCckm = dwValue & 0x02 ? 1 : 0;
    m_bRadioMeasurements = dwValue & 0x04 ? 1 : 0;
    m_bNonServing = dwValue & 0x08 ? 1 : 0;
    m_bQos = dwValue & 0x10 ? 1 : 0;
    m_bFastRoaming = dwValue & 0x20 ? 1 : 0;
    m_nLimit = dwValue >> 16;
    if (m_nLimit > 2000)
        m_nLimit = 250;
    m_nRoamThreshold = -static_cast<int>((dwValue >> 8) & 0xFF);
    if (m_nRoamThreshold < -90 || m_nRoamThreshold > -60)
        m_nRoamThreshold = -70;
}

BOOL CAdvancePage::LoadAdvancedSettings()
{
    LoadTcpTuning();

    CString strValue;
    if (ReadConfig("WirelessMode", strValue))
        m_strWirelessMode = WirelessModeToText(atoi(strValue));
    m_strWirelessMode = AdjustWirelessModeText(m_strWirelessMode);
    G_enumWirelessMode = WirelessModeFromText(m_strWirelessMode);
    OidAccessor accessor;
    accessor.SetPhyMode(static_cast<DWORD>(G_enumWirelessMode));

    if (g_bHtSupported)
        LoadTransmitSetting();

    // The mode in the advanced block too; only a block the driver gave goes back to it.
    BYTE abConfig[ADVANCED_CONFIG_SIZE] = {0};
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_ADVANCED_CONFIG, abConfig, sizeof(abConfig), &dwReturned))
    {
        DWORD dwMode = DriverModeOr(G_enumWirelessMode, WordAt(abConfig, 16));
        if (WordAt(abConfig, 16) != dwMode)
        {
            PutWord(abConfig, 16, dwMode);
            OidSetInformation(OID_ADVANCED_CONFIG, abConfig, sizeof(abConfig), &dwReturned, 3);
        }
    }

    ReadConfigNumber("TXBurst", &m_bTxBurst);
    ReadConfigNumber("BGProtection", &m_nBgProtection);
    if (g_bRegionValid)
    {
        if (ReadConfig("CountryRegion", strValue))
            m_nRegionBg = atoi(strValue) & 0x7F;
    }
    else
        m_nRegionBg = g_nCountryRegion & 0x7F;
    if (g_bABandRegionValid)
    {
        if (ReadConfig("CountryRegionABand", strValue))
            m_nRegionA = atoi(strValue) & 0x7F;
    }
    else
        m_nRegionA = (g_nCountryRegion >> 8) & 0x7F;
    ReadConfigNumber("TransRate", &m_nTxRate);

    if (ReadConfig("CCX2Control", strValue))
        LoadCcx2Control(static_cast<DWORD>(strtoul(strValue, NULL, 10)));
    return TRUE;
}

BOOL CAdvancePage::SaveAdvancedSettings()
{
    SaveTcpTuning();

    int nSel = m_cbTxRate.GetCurSel();
    m_nTxRate = nSel == CB_ERR ? 0 : nSel;
    m_strWirelessMode = AdjustWirelessModeText(m_strWirelessMode);
    G_enumWirelessMode = WirelessModeFromText(m_strWirelessMode);
    const int nMode = G_enumWirelessMode;
    if (nMode == 1 || (nMode == 2 && g_bABandSupported))
        m_nBgProtection = 0;
    if (nMode == 1 && m_nTxRate > 4)
        m_nTxRate = 0;
    if (nMode == 2 && g_bABandSupported && m_nTxRate > 8)
        m_nTxRate = 0;

    const DWORD dwCcx2 = BuildCcx2Control();
    const DWORD dwDriverMode = DriverModeOr(nMode, static_cast<DWORD>(nMode));
    const DWORD dwTransmit = g_bHtSupported ? BuildTransmitSetting() : 0;

    auto Number = [](long nValue)
    {
        CString strText;
        strText.Format("%d", static_cast<int>(nValue));
        return strText;
    };
    const DriverText texts[] = {
        {"WirelessMode", Number(nMode), "RegSetValueEx REGSTR_WIRELESS_MODE '%s' failed\n", TRUE},
        {"TXBurst", Number(m_bTxBurst), "RegSetValueEx REGSTR_TX_BURST '%s' failed\n", TRUE},
        {"BGProtection", Number(m_nBgProtection),
         "RegSetValueEx REGSTR_BG_PROTECTION '%s' failed\n", TRUE},
        {"CountryRegion", Number(m_nRegionBg), "RegSetValueEx REGSTR_COUNTRY_REGION '%s' failed\n",
         g_bRegionValid},
        {"CountryRegionABand", Number(m_nRegionA),
         "RegSetValueEx REGSTR_COUNTRY_REGION '%s' failed\n", g_bABandRegionValid},
        {"AdhocOfdm", Number(static_cast<long>(dwDriverMode)),
         "RegSetValueEx REGSTR_ADHOC_MODE '%s' failed\n", TRUE},
        {"TransRate", Number(m_nTxRate), "RegSetValueEx REGSTR_TRANS_RATE '%s' failed\n", TRUE},
    };
    for (const DriverText& t : texts)
    {
        if (t.bWrite)
            SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", t.pszName, t.strValue);
    }
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CCX2Control",
                Number(static_cast<long>(dwCcx2)));
    if (g_bHtSupported)
    {
        SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "TransmitSetting",
                    Number(static_cast<long>(dwTransmit)));
        g_nHtTransmitSetting = dwTransmit;
    }

    // Without the driver key nothing more is written or sent ("Config" has it all).
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", g_strDriverKey);
        return FALSE;
    }
    for (const DriverText& t : texts)
    {
        if (t.bWrite && SetDriverText(hKey, t.pszName, t.strValue) != ERROR_SUCCESS)
            ReportRegistryFailure(t.pszFailure, t.strValue);
    }
    if (SetDwordValue(hKey, "CCX2Control", dwCcx2) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_CCX2_CONTROL '%s' failed\n",
                              Number(static_cast<long>(dwCcx2)));
    if (g_bHtSupported && SetDwordValue(hKey, "TransmitSetting", dwTransmit) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_TRANSMIT_SETTING '%s' failed\n",
                              Number(static_cast<long>(dwTransmit)));
    RegCloseKey(hKey);

    // The mode takes effect on a reconnect to the same network.
    OidAccessor accessor;
    DWORD dwPhyMode = 0;
    accessor.QueryPhyMode(&dwPhyMode);
    ReconnectSameSsid(SetPhyModeWhileDropped);
    if (g_bHtSupported)
        SendHtPhyMode();

    DWORD dwCcx2Sent = dwCcx2;
    GetCcx2Control(&dwCcx2Sent);
    SetCcx2Control(1, dwCcx2Sent);
    if (g_pHideDlg != NULL)
        g_pHideDlg->PostRescan();

    // The advanced block: only one the driver gave goes back, with the page's fields in it.
    BYTE abConfig[ADVANCED_CONFIG_SIZE] = {0};
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_ADVANCED_CONFIG, abConfig, sizeof(abConfig), &dwReturned))
    {
        BYTE abChanged[ADVANCED_CONFIG_SIZE];
        memcpy(abChanged, abConfig, sizeof(abChanged));
        PutWord(abChanged, 0, static_cast<DWORD>(m_bTxBurst));
        PutWord(abChanged, 8, static_cast<DWORD>(m_nBgProtection));
        PutWord(abChanged, 16, dwDriverMode);
        PutWord(abChanged, 24, 0);
        if (memcmp(abChanged, abConfig, sizeof(abConfig)) != 0)
        {
            OidSetInformation(OID_ADVANCED_CONFIG, abChanged, sizeof(abChanged), &dwReturned, 3);
            memcpy(g_abAdvancedConfig, abChanged, sizeof(g_abAdvancedConfig));
        }
    }

    if (g_bRegionValid || g_bABandRegionValid)
    {
        accessor.SetCountryRegion(static_cast<DWORD>(m_nRegionA * 256 + m_nRegionBg));
        DWORD dwRegion = 0;
        accessor.QueryCountryRegionByte(&dwRegion);
        if (g_pHideDlg != NULL)
            g_pHideDlg->CheckChannelForRegion();
    }

    // The 802.11n modes take a desired-rate list; the others their rate set.
    if (nMode == 5 || nMode == 6 || nMode == 9)
        SetHtDesiredRates(McsFromText(m_strMcs) == 33);
    else
    {
        const BYTE* pRates = NULL;
        const BYTE* pExtRates = NULL;
        DWORD nRates = 0;
        DWORD nExtRates = 0;
        GetModeRates(nMode, &pRates, &nRates, &pExtRates, &nExtRates);
        accessor.SetRateSet(pRates, nRates, pExtRates, nExtRates);
    }

    BOOL bBssidGiven = g_pCurrentProfile != NULL && g_pCurrentProfile->BssidGiven == 1;
    SetCcx2Control(bBssidGiven ? 0 : 1, dwCcx2Sent);
    return TRUE;
}

void CAdvancePage::ApplyQosFromDriver()
{
    int nCode = WirelessModeFromText(m_strWirelessMode);
    DWORD dwApsd = 0;
    DWORD dwReturned = 0;
    OidQueryInformation(OID_APSD, &dwApsd, sizeof(dwApsd), &dwReturned);
    dwApsd &= 0x7E;
    // The 802.11n modes run with WMM on, without APSD and DLS.
    if (nCode == 5 || nCode == 6 || nCode == 9)
    {
        SaveQosSettings(1, 1, 1, 0, 0, 1);
        ApplyQosToDriver(1, 1, 1, dwApsd, 0, 1);
    }
}
