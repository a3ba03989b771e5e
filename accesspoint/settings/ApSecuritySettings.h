#pragma once
// The security part of the access point's settings, as the Config page keeps it and its
// security dialog edits it, and its values in a settings key.

#include "accesspoint/settings/ApSettingsReader.h"
#include "platform/Windows.h"

#define AP_WEP_KEYS 4

// Authentication codes ("AuthenType"): 0 Open, 1 Shared, 2 802.1X, 3 WPA, 4 WPA-PSK, 6 WPA2,
// 7 WPA2-PSK, 9 WPA-PSK/WPA2-PSK. Encryption codes ("Encryption"): 0 WEP, 1 none, 4 TKIP, 6 AES,
// 8 TKIP and AES.
struct ApSecuritySettings
{
    ApSecuritySettings();

    int nAuthMode;               // "AuthenType"
    int nEncryption;             // "Encryption"
    CString strWpaPsk;           // "WPAPSK": 8 to 63 characters, or 64 hex digits
    UINT nRekeyInterval;         // "RekeyInterval", in the unit of the method
    int nRekeyMethod;            // "RekeyMethod": 0 units of 10 seconds, 1 thousands of packets
    UINT nRadiusPort;            // "RadiusPort"
    DWORD dwRadiusIp;            // "RadiusIP": first octet in the most significant byte
    CString strRadiusKey;        // "RadiusKey"
    int nDefaultKey;             // "WEPKeyUse" minus 1: 0 to 3
    int nKeyType[AP_WEP_KEYS];   // "WEPKey1Type" to "WEPKey4Type": 0 hex, 1 ASCII
    CString strKey[AP_WEP_KEYS]; // "WEPKey1" to "WEPKey4", always hexadecimal digits
};

// WEP keys are sent: Shared, or an encryption of WEP as the authentication allows it.
BOOL IsApWepInUse(const ApSecuritySettings& settings);

// The values that can be read replace the fields; the others keep theirs.
void ReadApSecuritySettings(const CApSettingsReader& reader, ApSecuritySettings& settings);
// "AuthenType", "Encryption", "RadiusIP", "RadiusPort", "RadiusKey", "RekeyInterval",
// "RekeyMethod", "WEPKeyUse" (only while WEP is in use), "WEPKey1Type" to "WEPKey4Type",
// "WEPKey1" to "WEPKey4" and "WPAPSK", in this order.
void WriteApSecuritySettings(HKEY hKey, const ApSecuritySettings& settings);
