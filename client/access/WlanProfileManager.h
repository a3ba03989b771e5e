#pragma once
// Stores and removes the WLAN service's copies of the client's profiles on the chosen
// interface.

#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

// The longest name WlanProfileExists compares, in characters.
inline constexpr int WLAN_PROFILE_LOOKUP_CHARS = 39;

class WlanProfileManager
{
public:
    // nScope: 0 settings per user, 1 shared (all users).
    WlanProfileManager(HANDLE* phClient, const GUID* pInterfaceGuid, int nScope);

    // Stores the document, replacing a profile of the same name: per user for scope 0 (and any
    // value but 1), for all users for scope 1. Returns the WLAN API's result.
    DWORD SetWlanProfile(LPCWSTR pszXml);
    DWORD DeleteWlanProfile(LPCWSTR pszName);
    // 1 when the service lists a profile of exactly that name (case counts), else 0, also when
    // the list cannot be read.
    BOOL WlanProfileExists(LPCSTR pszName);

private:
    HANDLE* m_phClient;
    const GUID* m_pInterfaceGuid;
    int m_nScope;
};
