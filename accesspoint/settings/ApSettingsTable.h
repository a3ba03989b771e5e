#pragma once
// The access point's stored settings: one value each under the subkey "ApDefault" of the
// adapter's driver key, copied into the driver key itself, which is what the settings push
// reads. Texts are decimal unless said otherwise, written without a terminating zero; the MAC
// lists are multi-strings of 12 hexadecimal digits an entry.

#include "platform/Windows.h"

#define AP_DEFAULT_SUBKEY "ApDefault"

// Readers take values into a zeroed buffer of this size (always terminated).
#define AP_VALUE_BUFFER 1024

enum ApFirstRun
{
    AP_FIRST_TEXT,    // pszFirstRun as it stands
    AP_FIRST_SSID,    // "SoftAP-%02X" of the adapter's last MAC byte
    AP_FIRST_MODE,    // pszFirstRun passed through AdjustApWirelessModeText
    AP_FIRST_LIST,    // an empty list
    AP_FIRST_NOT_SET, // not written by the first run
};

struct ApSettingValue
{
    LPCSTR pszName;
    LPCSTR pszRegisterName; // names the value in the failure texts
    int nFirstRun;          // ApFirstRun
    LPCSTR pszFirstRun;
};

// Every value, those of the first run first, in the order the first run writes them.
extern const ApSettingValue g_ApSettingValues[];
extern const int g_nApSettingValues;

// The register name of a value (the value's own name when the table lacks it).
LPCSTR ApRegisterName(LPCSTR pszName);

// The failure texts of a value, with its register name.
void ReportApReadFailure(LPCSTR pszName);
void ReportApWriteFailure(LPCSTR pszName, LPCSTR pszText);

// Writes a text value; a failure is reported, not returned.
void WriteApText(HKEY hKey, LPCSTR pszName, LPCSTR pszText);
// The same for a number, as decimal text ("%d").
void WriteApNumber(HKEY hKey, LPCSTR pszName, int nValue);
// A list as a multi-string: each entry with its zero byte, then one more (an empty list is the
// single zero byte).
void WriteApList(HKEY hKey, LPCSTR pszName, const CStringArray& entries);
