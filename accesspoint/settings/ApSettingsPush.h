#pragma once
// The pieces of the settings push, each sending one record (or a few) to the driver from the
// values of an open settings key. The start sequence (ApplyApSettings.cpp) and the Config page's
// APPLY send them in their own orders. Sets go through OidSetInformation with 3 tries.

#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApSettingsReader.h"
#include "adapter/driver/NdisTypes.h"
#include "platform/Windows.h"

void SetApRecord(DWORD dwOid, const void* pRecord, DWORD cbRecord);
void SetApDword(DWORD dwOid, DWORD dwValue);

// "TransmitSetting" as the 802.11n record.
void SendApHtSetting(const CApSettingsReader& reader);
// "TransRate" as the rate set of the mode.
void SendApRates(const CApSettingsReader& reader, int nMode);
// The channel's frequency (unless "AutoChannelSelect" is set) and the beacon period, into the
// driver's own configuration record.
void SendApConfiguration(const CApSettingsReader& reader);
// Preamble, RTS and fragmentation thresholds, in this order.
void SendApThresholds(const CApSettingsReader& reader);
// TX burst, turbo rate, forwarding, hidden SSID, 11b/g protection (modes 0 and 3 only), short
// slot and idle time.
void SendApAdvancedConfig(const CApSettingsReader& reader, int nMode);

// The SSID the access point broadcasts: the stored one (32 bytes at most), or "SoftAP-" and the
// last byte of the adapter's MAC address when none is stored.
NDIS_802_11_SSID ApEffectiveSsid(const CString& strStored);
// "WPAPSK" into g_strApPassphrase, and the pairwise key derived from it with the SSID.
void SendApPsk(const CApSettingsReader& reader, const NDIS_802_11_SSID& ssid);
void SendApRadius(const CApSettingsReader& reader);
void SendApRekey(const CApSettingsReader& reader);
// Keys 1 to 4: 10 or 26 hexadecimal digits are added, anything else removes the key.
void SendApWepKeys(const CApSettingsReader& reader);
// The keys of an authentication code and the encryption sent: the pre-shared key, the RADIUS
// record, the rekey record and the WEP keys, each when the code (or WEP) takes it.
void SendApKeys(const CApSettingsReader& reader, int nAuthMode, int nEncryption,
                const NDIS_802_11_SSID& ssid);

// The access-control record of a policy and its list (12 hexadecimal digits an entry; others
// are left out, at most 32 are taken). Policy 0, or a list without an address, sends policy and
// count 0.
void BuildApAccessControl(int nPolicy, const CStringArray& entries, AP_ACCESS_CONTROL& acl);
void SendApAccessControl(const CApSettingsReader& reader);
// "WdsEnable" and "WdsList", with the link key of the passphrase last applied for the
// pre-shared-key codes; no peers while the encryption is TKIP or AES.
void SendApWds(const CApSettingsReader& reader, int nAuthMode, int nEncryption);
