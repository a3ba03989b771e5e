#include "client/access/WlanProfileManager.h"

#include <cstring>

WlanProfileManager::WlanProfileManager(HANDLE* phClient, const GUID* pInterfaceGuid, int nScope)
    : m_phClient(phClient), m_pInterfaceGuid(pInterfaceGuid), m_nScope(nScope)
{
}

DWORD WlanProfileManager::SetWlanProfile(LPCWSTR pszXml)
{
    DWORD dwFlags = m_nScope == 1 ? 0 : WLAN_PROFILE_USER;
    DWORD dwReason = 0;
    return WlanSetProfile(*m_phClient, m_pInterfaceGuid, dwFlags, pszXml, NULL, TRUE, NULL,
                          &dwReason);
}

DWORD WlanProfileManager::DeleteWlanProfile(LPCWSTR pszName)
{
    return WlanDeleteProfile(*m_phClient, m_pInterfaceGuid, pszName, NULL);
}

BOOL WlanProfileManager::WlanProfileExists(LPCSTR pszName)
{
    if (pszName == NULL)
        return 0;
    WCHAR wszName[WLAN_PROFILE_LOOKUP_CHARS + 1];
    memset(wszName, 0, sizeof(wszName));
    int nBytes = static_cast<int>(strnlen(pszName, WLAN_PROFILE_LOOKUP_CHARS));
    if (nBytes > 0 &&
        MultiByteToWideChar(CP_ACP, 0, pszName, nBytes, wszName, WLAN_PROFILE_LOOKUP_CHARS) == 0)
        return 0;

    PWLAN_PROFILE_INFO_LIST pList = NULL;
    if (WlanGetProfileList(*m_phClient, m_pInterfaceGuid, NULL, &pList) != ERROR_SUCCESS)
        return 0;
    BOOL bFound = 0;
    if (pList != NULL)
    {
        for (DWORD i = 0; i < pList->dwNumberOfItems && !bFound; i++)
        {
            const WCHAR* pListed = pList->ProfileInfo[i].strProfileName;
            int n = 0;
            while (n < static_cast<int>(WLAN_MAX_NAME_LENGTH) && pListed[n] == wszName[n] &&
                   wszName[n] != 0)
                n++;
            if (n < static_cast<int>(WLAN_MAX_NAME_LENGTH) && pListed[n] == wszName[n])
                bFound = 1;
        }
        WlanFreeMemory(pList);
    }
    return bFound;
}
