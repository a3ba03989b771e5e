// The pieces of the settings push: each reads its values from an open settings key (the driver
// key, which holds a copy of "ApDefault") and sends its record to the driver. Records the driver
// reports back are sent only when they differ from its answer. The start sequence's push and
// the Config page's APPLY send them, each in its own order.

#include "accesspoint/settings/ApSettingsPush.h"

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApRateSets.h"
#include "accesspoint/settings/TransmitSetting.h"
#include "adapter/crypto/HexToBytes.h"
#include "adapter/crypto/PasswordHash.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/radio/ChannelFrequencyTable.h"

#include <cstring>
#include <vector>

namespace
{

const int kSetTries = 3;

// The salt of the WDS link key, the same in every access point of this family.
const BYTE kWdsSalt[6] = {0x54, 0x57, 0x44, 0x53, 0x4B, 0x51};

// Sends the record unless the driver already holds it. A failed query leaves zeros to compare
// with: the record is sent unless it is all zeros.
void SetWhenDifferent(DWORD dwQuery, DWORD dwSet, const void* pRecord, DWORD cbRecord)
{
    std::vector<BYTE> current(cbRecord, 0);
    DWORD dwReturned = 0;
    OidQueryInformation(dwQuery, current.data(), cbRecord, &dwReturned);
    if (memcmp(current.data(), pRecord, cbRecord) != 0)
        SetApRecord(dwSet, pRecord, cbRecord);
}

template <typename T> void ReadInto(const CApSettingsReader& reader, LPCSTR pszName, T& field)
{
    int nValue = 0;
    if (reader.ReadNumber(pszName, nValue))
        field = static_cast<T>(nValue);
}

// The pairwise master key: 64 hexadecimal digits are the key itself, anything else a
// passphrase hashed with the broadcast SSID. FALSE, with no key, when neither applies.
BOOL DerivePsk(const CString& strPassphrase, const NDIS_802_11_SSID& ssid, BYTE abKey[32])
{
    if (strPassphrase.GetLength() == 64)
    {
        if (!IsHexText(strPassphrase, 64))
            return FALSE;
        HexToBytes(strPassphrase, abKey, AP_PSK_LENGTH);
        return TRUE;
    }
    BYTE abHash[40];
    memset(abHash, 0, sizeof(abHash));
    if (!PasswordHash(strPassphrase, ssid.Ssid, ssid.SsidLength, abHash))
        return FALSE;
    memcpy(abKey, abHash, AP_PSK_LENGTH);
    return TRUE;
}

// An NDIS 802.11 key add of nKeyLength bytes.
std::vector<BYTE> KeyRecord(DWORD dwKeyIndex, const BYTE* pKey, DWORD nKeyLength, BYTE bBssid)
{
    std::vector<BYTE> record(AP_KEY_HEADER + nKeyLength, 0);
    DWORD dwLength = static_cast<DWORD>(record.size());
    memcpy(&record[0], &dwLength, 4);
    memcpy(&record[4], &dwKeyIndex, 4);
    memcpy(&record[8], &nKeyLength, 4);
    memset(&record[12], bBssid, 6);
    memcpy(&record[AP_KEY_MATERIAL_OFFSET], pKey, nKeyLength);
    return record;
}

// The listed addresses that read as MAC addresses, at most nMax; returns how many.
int ReadMacList(const CApSettingsReader& reader, LPCSTR pszName, BYTE (*pEntries)[8],
                size_t cbEntry, int nMax)
{
    CStringArray entries;
    if (!reader.ReadList(pszName, entries, nMax))
        return 0;
    int nCount = 0;
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
    {
        BYTE abMac[6];
        if (!ParseMacText(entries[i], abMac))
            continue;
        memcpy(reinterpret_cast<BYTE*>(pEntries) + nCount * cbEntry, abMac, sizeof(abMac));
        nCount++;
    }
    return nCount;
}

} // namespace

void SetApRecord(DWORD dwOid, const void* pRecord, DWORD cbRecord)
{
    DWORD dwReturned = 0;
    OidSetInformation(dwOid, const_cast<void*>(pRecord), cbRecord, &dwReturned, kSetTries);
}

void SetApDword(DWORD dwOid, DWORD dwValue)
{
    SetApRecord(dwOid, &dwValue, sizeof(dwValue));
}

void SendApHtSetting(const CApSettingsReader& reader)
{
    DWORD dwTransmitSetting = 0;
    reader.ReadBytes("TransmitSetting", reinterpret_cast<BYTE*>(&dwTransmitSetting),
                     sizeof(dwTransmitSetting));
    AP_HT_SETTING setting;
    BuildApHtSetting(dwTransmitSetting, setting);
    SetApRecord(OID_AP_HT_SETTING_SET, &setting, sizeof(setting));
}

void SendApRates(const CApSettingsReader& reader, int nMode)
{
    int nTransRate = 0;
    reader.ReadNumber("TransRate", nTransRate);
    BYTE abRates[AP_RATE_SET_BYTES];
    BuildApRateSet(nMode, nTransRate, abRates);
    SetApRecord(OID_AP_RATES, abRates, sizeof(abRates));
}

// Beacon period and channel. The record's other fields are the driver's: without its answer
// nothing is sent, so that they are not overwritten with zeros.
void SendApConfiguration(const CApSettingsReader& reader)
{
    NDIS_802_11_CONFIGURATION config;
    memset(&config, 0, sizeof(config));
    DWORD dwReturned = 0;
    BOOL bQueried = OidQueryInformation(OID_AP_CONFIGURATION, &config, sizeof(config), &dwReturned);
    NDIS_802_11_CONFIGURATION answered = config;

    int nAutoChannel = 0;
    if (!reader.ReadNumber("AutoChannelSelect", nAutoChannel) || nAutoChannel == 0)
    {
        int nChannel = 0;
        if (reader.ReadNumber("Channel", nChannel))
        {
            INT nFrequency = ChannelToFrequency(nChannel);
            if (nFrequency != 0)
                config.DSConfig = static_cast<ULONG>(nFrequency);
        }
    }
    ReadInto(reader, "BeaconPeriod", config.BeaconPeriod);
    if (bQueried && memcmp(&config, &answered, sizeof(config)) != 0)
        SetApRecord(OID_AP_CONFIGURATION, &config, sizeof(config));
}

void SendApThresholds(const CApSettingsReader& reader)
{
    DWORD dwPreamble = 0;
    ReadInto(reader, "PreambleType", dwPreamble);
    if (dwPreamble > 1)
        dwPreamble = 0;
    SetWhenDifferent(OID_AP_PREAMBLE_QUERY, OID_AP_PREAMBLE_SET, &dwPreamble, sizeof(dwPreamble));

    DWORD dwRts = 0;
    ReadInto(reader, "RtsThresh", dwRts);
    SetWhenDifferent(OID_AP_RTS_THRESHOLD, OID_AP_RTS_THRESHOLD, &dwRts, sizeof(dwRts));

    DWORD dwFrag = 0;
    ReadInto(reader, "FragThresh", dwFrag);
    SetWhenDifferent(OID_AP_FRAG_THRESHOLD, OID_AP_FRAG_THRESHOLD, &dwFrag, sizeof(dwFrag));
}

// A value that cannot be read keeps the driver's answer in its field.
void SendApAdvancedConfig(const CApSettingsReader& reader, int nMode)
{
    AP_ADVANCED_CONFIG config;
    memset(&config, 0, sizeof(config));
    DWORD dwReturned = 0;
    OidQueryInformation(OID_AP_ADVANCED_QUERY, &config, sizeof(config), &dwReturned);
    AP_ADVANCED_CONFIG answered = config;

    // 11b/g protection applies only where 11b and 11g stations meet.
    if (nMode == 0 || nMode == 3)
        ReadInto(reader, "BGProtection", config.BgProtection);
    else
        config.BgProtection = 0;
    ReadInto(reader, "TXBurst", config.TxBurst);
    ReadInto(reader, "TurboRate", config.TurboRate);
    ReadInto(reader, "NoForwarding", config.NoForwarding);
    ReadInto(reader, "HideSSID", config.HideSsid);
    ReadInto(reader, "ShortSlot", config.ShortSlot);
    ReadInto(reader, "IdleTime", config.IdleTime);
    if (memcmp(&config, &answered, sizeof(config)) != 0)
        SetApRecord(OID_AP_ADVANCED_SET, &config, sizeof(config));
}

// The SSID the access point broadcasts: the stored one (32 bytes at most), or "SoftAP-" and
// the last byte of the adapter's MAC address when none is stored.
NDIS_802_11_SSID ApEffectiveSsid(const CString& strStored)
{
    CString strSsid = strStored;
    if (strSsid.IsEmpty())
    {
        BYTE abMac[6];
        memset(abMac, 0, sizeof(abMac));
        DWORD dwReturned = 0;
        OidQueryInformation(OID_AP_CURRENT_ADDRESS, abMac, sizeof(abMac), &dwReturned);
        strSsid.Format("SoftAP-%02X", abMac[5]);
    }
    NDIS_802_11_SSID ssid;
    memset(&ssid, 0, sizeof(ssid));
    ssid.SsidLength = static_cast<ULONG>(strSsid.GetLength());
    if (ssid.SsidLength > sizeof(ssid.Ssid))
        ssid.SsidLength = sizeof(ssid.Ssid);
    memcpy(ssid.Ssid, static_cast<LPCSTR>(strSsid), ssid.SsidLength);
    return ssid;
}

void SendApPsk(const CApSettingsReader& reader, const NDIS_802_11_SSID& ssid)
{
    CString strPassphrase;
    reader.ReadText("WPAPSK", strPassphrase);
    g_strApPassphrase = strPassphrase;
    BYTE abKey[AP_PSK_LENGTH];
    memset(abKey, 0, sizeof(abKey));
    if (!DerivePsk(strPassphrase, ssid, abKey))
        return; // a key of zeros or of whatever lay in memory would be worse than none
    std::vector<BYTE> record = KeyRecord(AP_KEY_TRANSMIT, abKey, AP_PSK_LENGTH, 0x00);
    SetApRecord(OID_AP_ADD_KEY, record.data(), static_cast<DWORD>(record.size()));
}

void SendApRadius(const CApSettingsReader& reader)
{
    AP_RADIUS_CONFIG radius;
    memset(&radius, 0, sizeof(radius));
    ReadInto(reader, "RadiusIP", radius.Address);
    ReadInto(reader, "RadiusPort", radius.Port);
    CString strKey;
    if (reader.ReadText("RadiusKey", strKey))
    {
        size_t nLength = static_cast<size_t>(strKey.GetLength());
        memcpy(radius.Key, static_cast<LPCSTR>(strKey),
               nLength < sizeof(radius.Key) ? nLength : sizeof(radius.Key));
    }
    SetWhenDifferent(OID_AP_RADIUS_QUERY, OID_AP_RADIUS_SET, &radius, sizeof(radius));
}

void SendApRekey(const CApSettingsReader& reader)
{
    AP_REKEY_CONFIG rekey;
    memset(&rekey, 0, sizeof(rekey));
    ReadInto(reader, "RekeyMethod", rekey.Method);
    ReadInto(reader, "RekeyInterval", rekey.Interval);
    SetWhenDifferent(OID_AP_REKEY_QUERY, OID_AP_REKEY_SET, &rekey, sizeof(rekey));
}

// Keys 1 to 4: 10 or 26 hexadecimal digits are added, anything else removes the key.
void SendApWepKeys(const CApSettingsReader& reader)
{
    int nKeyUse = 0;
    reader.ReadNumber("WEPKeyUse", nKeyUse);
    for (int n = 1; n <= 4; n++)
    {
        CString strName;
        strName.Format("WEPKey%d", n);
        CString strKey;
        reader.ReadText(strName, strKey);
        DWORD dwIndex = static_cast<DWORD>(n - 1);
        if (IsHexText(strKey, 10) || IsHexText(strKey, 26))
        {
            BYTE abKey[13];
            DWORD nKeyLength = static_cast<DWORD>(strKey.GetLength() / 2);
            HexToBytes(strKey, abKey, static_cast<int>(nKeyLength));
            if (n == nKeyUse)
                dwIndex |= AP_KEY_TRANSMIT;
            std::vector<BYTE> record = KeyRecord(dwIndex, abKey, nKeyLength, 0xFF);
            SetApRecord(OID_AP_ADD_KEY, record.data(), static_cast<DWORD>(record.size()));
        }
        else
        {
            AP_KEY_REMOVE remove;
            memset(&remove, 0, sizeof(remove));
            remove.Length = sizeof(remove);
            remove.KeyIndex = dwIndex;
            memset(remove.Bssid, 0xFF, sizeof(remove.Bssid));
            SetApRecord(OID_AP_REMOVE_KEY, &remove, sizeof(remove));
        }
    }
}

void SendApKeys(const CApSettingsReader& reader, int nAuthMode, int nEncryption,
                const NDIS_802_11_SSID& ssid)
{
    if (IsApPskAuthMode(nAuthMode))
        SendApPsk(reader, ssid);
    if (nAuthMode == 2 || nAuthMode == 3)
        SendApRadius(reader);
    if (IsApWpaAuthMode(nAuthMode))
        SendApRekey(reader);
    if (nEncryption == 0 || nAuthMode == 1)
        SendApWepKeys(reader);
}

void BuildApAccessControl(int nPolicy, const CStringArray& entries, AP_ACCESS_CONTROL& acl)
{
    memset(&acl, 0, sizeof(acl));
    if (nPolicy == 0)
        return;
    for (INT_PTR i = 0; i < entries.GetSize() && acl.Count < AP_ACCESS_CONTROL_ENTRIES; i++)
    {
        BYTE abMac[6];
        if (!ParseMacText(entries[i], abMac))
            continue;
        memcpy(acl.Entries[acl.Count], abMac, sizeof(abMac));
        acl.Count++;
    }
    // A policy over an empty list would shut every station out or let every one in.
    if (acl.Count != 0)
        acl.Policy = static_cast<DWORD>(nPolicy);
}

void SendApAccessControl(const CApSettingsReader& reader)
{
    int nPolicy = 0;
    reader.ReadNumber("AccessControlPolicy", nPolicy);
    CStringArray entries;
    if (nPolicy != 0)
        reader.ReadList("AccessControlList", entries, AP_ACCESS_CONTROL_ENTRIES);
    AP_ACCESS_CONTROL acl;
    BuildApAccessControl(nPolicy, entries, acl);
    SetApRecord(OID_AP_ACCESS_CONTROL_SET, &acl, sizeof(acl));
}

void SendApWds(const CApSettingsReader& reader, int nAuthMode, int nEncryption)
{
    AP_WDS_CONFIG wds;
    memset(&wds, 0, sizeof(wds));
    int nWdsEnable = 1;
    if (reader.ReadNumber("WdsEnable", nWdsEnable) && nWdsEnable == 0)
    {
        BYTE abPeers[AP_WDS_PEERS][8];
        memset(abPeers, 0, sizeof(abPeers));
        int nPeers = ReadMacList(reader, "WdsList", abPeers, sizeof(abPeers[0]), AP_WDS_PEERS);
        for (int i = 0; i < nPeers; i++)
            memcpy(wds.Peers[i], abPeers[i], 6);
        wds.Count = static_cast<DWORD>(nPeers);
        if (IsApPskAuthMode(nAuthMode))
        {
            BYTE abHash[40];
            memset(abHash, 0, sizeof(abHash));
            if (PasswordHash(g_strApPassphrase, kWdsSalt, sizeof(kWdsSalt), abHash))
            {
                wds.KeyLength = sizeof(wds.Key);
                memcpy(wds.Key, abHash, sizeof(wds.Key));
            }
        }
    }
    // WDS links carry WEP or no encryption only.
    if (nEncryption >= 4)
        wds.Count = 0;
    SetApRecord(OID_AP_WDS_SET, &wds, sizeof(wds));
}
