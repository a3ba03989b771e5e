#pragma once
// Turns a station profile into the WLAN service's profile document, with the values the
// connector needs beside it.

#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

struct StationProfile;

// The connector's buffers, in wide characters with the terminator.
inline constexpr int WLAN_PROFILE_NAME_CHARS = 100;
inline constexpr int WLAN_PROFILE_XML_CHARS = 3000;

class WlanProfileXmlWriter
{
public:
    // Fills the profile name (at most 100 wide characters with the terminator) and the
    // document (at most 3000 with the terminator), the BSS type for the connection, the
    // profile's BSSID-given value and the secured flag. Returns FALSE, with an empty name and
    // document, when either would not fit.
    BOOL Write(const StationProfile* pProfile, WCHAR* pszName, WCHAR* pszXml,
               DOT11_BSS_TYPE* pBssType, DWORD* pdwBssidGiven, BOOL* pbSecured);
};
