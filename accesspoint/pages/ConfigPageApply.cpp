// The Config page's settings: loaded from the driver key, put back to their defaults by DEFAULT,
// and applied by APPLY: written to "ApDefault", copied into the driver key and sent to the
// driver in the page's order, the SSID last.

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/pages/ConfigPage.h"
#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApRateSets.h"
#include "accesspoint/settings/ApSettingsPush.h"
#include "accesspoint/settings/ApSettingsReader.h"
#include "accesspoint/settings/ApSettingsTable.h"
#include "accesspoint/settings/ApWirelessMode.h"
#include "accesspoint/settings/TransmitSetting.h"
#include "accesspoint/sheet/VnPropSheet.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/radio/JapaneseChannels.h"
#include "adapter/registry/RegistryCopy.h"
#include "resources/TessarynAp/TessarynApStrings.h"

#include <cstdlib>

namespace
{

#define OID_AP_REGION_SET 0x0DF10107 // u32: byte 0 the 2.4 GHz region, byte 1 the 5 GHz one

// The MCS that "Auto" stands for.
const int kMcsAuto = 33;

// Extension-channel codes of "TransmitSetting".
#define EXT_CHANNEL_NONE 0
#define EXT_CHANNEL_ABOVE 1
#define EXT_CHANNEL_BELOW 3

CString DecimalText(int nValue)
{
    CString str;
    str.Format("%d", nValue);
    return str;
}

void ReadNumberInto(const CApSettingsReader& reader, LPCSTR pszName, int& nMember)
{
    int nValue = 0;
    if (reader.ReadNumber(pszName, nValue))
        nMember = nValue;
}

BOOL IsDecimalText(const CString& strText)
{
    if (strText.IsEmpty())
        return FALSE;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] < '0' || strText[i] > '9')
            return FALSE;
    }
    return TRUE;
}

} // namespace

void CConfigPage::ReadConfigFromRegistry()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_READ);
    if (hKey == 0)
        return;
    CApSettingsReader reader(hKey);

    reader.ReadText("SSID", m_strSsid);
    int nMode = 0;
    if (reader.ReadNumber("WirelessMode", nMode))
        m_strWirelessMode = ApWirelessModeText(nMode);
    ReadNumberInto(reader, "TXPower", m_nTxPower);
    ReadNumberInto(reader, "TransRate", m_nTransRate);
    ReadNumberInto(reader, "AutoChannelSelect", m_bAutoChannelSelect);
    CString strChannel;
    if (reader.ReadText("Channel", strChannel))
        m_strChannel = ChannelTextFromStored(strChannel);
    ReadNumberInto(reader, "BeaconPeriod", m_nBeaconPeriod);
    ReadNumberInto(reader, "PreambleType", m_nPreamble);
    ReadNumberInto(reader, "RtsThresh", m_nRtsThreshold);
    ReadNumberInto(reader, "FragThresh", m_nFragThreshold);
    ReadNumberInto(reader, "BGProtection", m_nBgProtection);
    ReadNumberInto(reader, "TXBurst", m_bTxBurst);
    ReadNumberInto(reader, "TurboRate", m_bTurboRate);
    ReadNumberInto(reader, "NoForwarding", m_bNoForwarding);
    ReadNumberInto(reader, "HideSSID", m_bHideSsid);
    ReadNumberInto(reader, "ShortSlot", m_bShortSlot);
    ReadNumberInto(reader, "IdleTime", m_nIdleTime);
    ReadNumberInto(reader, "CountryRegion", m_nCountryRegion);
    ReadNumberInto(reader, "CountryRegionABand", m_nCountryRegionABand);
    ReadNumberInto(reader, "AllowBW40Capability", m_bAllowBw40);
    ReadApSecuritySettings(reader, m_SecuritySettings);

    DWORD dwSetting = 0;
    if (reader.ReadBytes("TransmitSetting", reinterpret_cast<BYTE*>(&dwSetting), sizeof(dwSetting)))
    {
        AP_HT_SETTING setting;
        BuildApHtSetting(dwSetting, setting);
        m_nStbc = setting.Stbc;
        m_nBandwidth = setting.Bandwidth;
        m_nGuardInterval = setting.GuardInterval;
        m_nHtMode = setting.HtMode;
        if (setting.Mcs == kMcsAuto)
            m_strHtMcs = "Auto";
        else
            m_strHtMcs = DecimalText(setting.Mcs);
        int nChannel = atoi(StoredChannelFromText(m_strChannel));
        if (setting.ExtChannel == EXT_CHANNEL_ABOVE)
            m_strExtChannel = DecimalText(nChannel + 4);
        else if (setting.ExtChannel == EXT_CHANNEL_BELOW)
            m_strExtChannel = DecimalText(nChannel - 4);
        else
            m_strExtChannel = "none";
    }
    RegCloseKey(hKey);
}

void CConfigPage::OnApplyButton()
{
    if (!ReadControls())
        return;
    UpdateData(FALSE);
    if (m_strSsid.IsEmpty())
    {
        MessageBox(LoadText(IDS_CONFIG_NO_SSID));
        return;
    }
    WriteConfigToRegistryAndSetOid();
}

void CConfigPage::WriteConfigToRegistryAndSetOid()
{
    CString strMode = DecimalText(CurrentWirelessMode());
    AdjustApWirelessModeText(strMode);
    int nMode = atoi(strMode);
    if ((nMode == 1 && m_nTransRate > 4) || ((nMode == 2 || nMode == 4) && m_nTransRate > 8))
        m_nTransRate = 0;

    CString strApDefault = g_strDriverKey + "\\" + AP_DEFAULT_SUBKEY;
    HKEY hApDefault = OpenMachineKey(strApDefault, KEY_ALL_ACCESS);
    if (hApDefault == 0)
        return;
    WriteApText(hApDefault, "WirelessMode", strMode);
    WriteApNumber(hApDefault, "TransRate", m_nTransRate);
    WriteApNumber(hApDefault, "TXPower", m_nTxPower);
    WriteApText(hApDefault, "Channel", StoredChannelFromText(m_strChannel));
    WriteApNumber(hApDefault, "BeaconPeriod", m_nBeaconPeriod);
    WriteApNumber(hApDefault, "BGProtection", m_nBgProtection);
    WriteApNumber(hApDefault, "CountryRegion", m_nCountryRegion);
    WriteApNumber(hApDefault, "CountryRegionABand", m_nCountryRegionABand);
    WriteApNumber(hApDefault, "PreambleType", m_nPreamble);
    WriteApNumber(hApDefault, "RtsThresh", m_nRtsThreshold);
    WriteApNumber(hApDefault, "FragThresh", m_nFragThreshold);
    WriteApNumber(hApDefault, "TXBurst", m_bTxBurst);
    WriteApNumber(hApDefault, "TurboRate", m_bTurboRate);
    WriteApNumber(hApDefault, "NoForwarding", m_bNoForwarding);
    WriteApNumber(hApDefault, "HideSSID", m_bHideSsid);
    WriteApNumber(hApDefault, "ShortSlot", m_bShortSlot);
    WriteApSecuritySettings(hApDefault, m_SecuritySettings);
    WriteApNumber(hApDefault, "AutoChannelSelect", m_bAutoChannelSelect);
    WriteApText(hApDefault, "SSID", m_strSsid);
    WriteApNumber(hApDefault, "IdleTime", m_nIdleTime);
    if (g_bHtSupported)
    {
        int nExtChannel = EXT_CHANNEL_NONE;
        // Only a number names an extension channel; "none" (or an empty list) is none.
        if (m_nBandwidth != 0 && IsDecimalText(m_strExtChannel))
        {
            int nChannel = atoi(StoredChannelFromText(m_strChannel));
            nExtChannel = atoi(m_strExtChannel) > nChannel ? EXT_CHANNEL_ABOVE : EXT_CHANNEL_BELOW;
        }
        DWORD dwSetting = AssembleTransmitSetting(
            nMode, m_strHtMcs == "Auto" ? kMcsAuto : atoi(m_strHtMcs), m_nBandwidth,
            m_nGuardInterval, m_nStbc, m_nHtMode, nExtChannel);
        if (RegSetValueExA(hApDefault, "TransmitSetting", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&dwSetting),
                           sizeof(dwSetting)) != ERROR_SUCCESS)
            ReportApWriteFailure("TransmitSetting", DecimalText(static_cast<int>(dwSetting)));
    }
    WriteApNumber(hApDefault, "AllowBW40Capability", m_bAllowBw40);

    HKEY hDriverKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hDriverKey == 0)
    {
        RegCloseKey(hApDefault);
        return;
    }
    CopyRegistryValues(hApDefault, hDriverKey);
    RegCloseKey(hApDefault);

    // What was just copied is what is sent: the pieces read the driver key as the start
    // sequence does.
    CApSettingsReader reader(hDriverKey);
    SendApConfiguration(reader);
    g_nApWirelessMode = nMode;
    SetApDword(OID_AP_WIRELESS_MODE_SET, static_cast<DWORD>(nMode));
    if (g_bHtSupported)
        SendApHtSetting(reader);
    SendApRates(reader, nMode);
    SendApThresholds(reader);
    SetApDword(OID_AP_TX_POWER_SET, ApTxPowerPercent(m_nTxPower));
    SendApAdvancedConfig(reader, nMode);
    if (g_bRegionValid || g_bABandRegionValid)
    {
        DWORD dwRegion = (static_cast<DWORD>(m_nCountryRegion) & 0xFF) |
                         ((static_cast<DWORD>(m_nCountryRegionABand) & 0xFF) << 8);
        SetApDword(OID_AP_REGION_SET, dwRegion);
    }

    int nAuthMode = m_SecuritySettings.nAuthMode;
    g_nApAuthMode = nAuthMode;
    SetApDword(OID_AP_AUTHENTICATION, static_cast<DWORD>(nAuthMode));
    int nEncryption = CorrectApEncryption(nAuthMode, m_SecuritySettings.nEncryption);
    g_bWdsAllowed = nEncryption < 4 ? TRUE : FALSE;
    CPropertySheet* pSheet = GetSheet();
    if (pSheet != NULL && pSheet->IsKindOf(RUNTIME_CLASS(CVnPropSheet)))
        static_cast<CVnPropSheet*>(pSheet)->UpdateWdsPage();
    // The WDS link key is derived from the passphrase being applied.
    g_strApPassphrase = m_SecuritySettings.strWpaPsk;
    SendApWds(reader, nAuthMode, nEncryption);
    SetApDword(OID_AP_ENCRYPTION, static_cast<DWORD>(nEncryption));

    NDIS_802_11_SSID ssid = ApEffectiveSsid(m_strSsid);
    SendApKeys(reader, nAuthMode, nEncryption, ssid);
    SetApRecord(OID_AP_SSID, &ssid, sizeof(ssid));
    RegCloseKey(hDriverKey);
}

void CConfigPage::OnDefault()
{
    m_strSsid.Format("SoftAP-%02X", m_abMac[5]);
    m_strWirelessMode = ApWirelessModeText(0);
    m_nTransRate = 0;
    m_nTxPower = 0;
    m_nBgProtection = 0;
    m_nPreamble = 0;
    m_nBeaconPeriod = 100;
    m_nRtsThreshold = 2347;
    m_nFragThreshold = 2346;
    m_bTxBurst = 0;
    m_bTurboRate = 0;
    m_bNoForwarding = 0;
    m_bHideSsid = 0;
    m_bShortSlot = 0;
    m_bAutoChannelSelect = 0;
    m_bAllowBw40 = 1;
    // Open, no encryption, no keys.
    m_SecuritySettings = ApSecuritySettings();
    m_nIdleTime = 300;
    m_nStbc = 1;
    m_nBandwidth = 1;
    m_nGuardInterval = 1;
    m_nHtMode = 0;
    m_strHtMcs = "Auto";
    m_strExtChannel = "none";
    // The channel list's first entry.
    m_strChannel.Empty();
    EnableControl(IDC_CONFIG_CHANNEL_COMBO, TRUE);
    SelectWirelessModeText();
    UpdateData(FALSE);
    OnSelchangeWirelessMode();
    UpdateData(FALSE);
}
