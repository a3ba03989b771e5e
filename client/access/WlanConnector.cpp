#include "client/access/WlanConnector.h"

#include "client/access/PrivateMessages.h"
#include "client/access/StationProfile.h"

#include <atomic>
#include <cstring>

namespace
{

// Profile-edit workers between their start and the close of their editor. A counter, so that
// the flag stays up while a second editor is still open.
std::atomic<int> g_nProfileEditWorkers{0};

// What a profile-edit worker needs; each worker gets its own copy and frees it.
struct ProfileEditRecord
{
    HWND hOwner;
    GUID InterfaceGuid;
    WCHAR szProfileName[WLAN_EDIT_NAME_CHARS];
    DOT11_BSS_TYPE BssType;
    HANDLE hClient;
};

// The service connects by the stored profile of that name.
void ConnectByProfile(HANDLE hClient, const GUID* pInterfaceGuid, LPCWSTR pszName,
                      DOT11_BSS_TYPE bssType)
{
    WLAN_CONNECTION_PARAMETERS params;
    memset(&params, 0, sizeof(params));
    params.wlanConnectionMode = wlan_connection_mode_profile;
    params.strProfile = pszName;
    params.pDot11Ssid = NULL;
    params.pDesiredBssidList = NULL;
    params.dot11BssType = bssType;
    params.dwFlags = 0;
    WlanConnect(hClient, pInterfaceGuid, &params, NULL);
}

UINT ProfileEditWorker(LPVOID pParam)
{
    ProfileEditRecord* pRecord = static_cast<ProfileEditRecord*>(pParam);
    ++g_nProfileEditWorkers;
    PostMessageA(pRecord->hOwner, WM_PROFILE_EDIT_STATE, 0, 0);

    // Blocks until the user closes the editor.
    DWORD dwReason = 0;
    WlanUIEditProfile(WLAN_UI_API_VERSION, pRecord->szProfileName, &pRecord->InterfaceGuid,
                      pRecord->hOwner, WLSecurityPage, NULL, &dwReason);

    --g_nProfileEditWorkers;
    PostMessageA(pRecord->hOwner, WM_PROFILE_EDIT_STATE, 1, 0);

    ConnectByProfile(pRecord->hClient, &pRecord->InterfaceGuid, pRecord->szProfileName,
                     pRecord->BssType);

    delete pRecord;
    return 0;
}

} // namespace

int IsProfileEditBusy()
{
    return g_nProfileEditWorkers.load() > 0 ? 1 : 0;
}

WlanConnector::WlanConnector(HWND hOwner, HANDLE* phClient, const GUID* pInterfaceGuid, int nScope)
    : m_hOwner(hOwner), m_phClient(phClient), m_pInterfaceGuid(pInterfaceGuid),
      m_ProfileManager(phClient, pInterfaceGuid, nScope), m_nScope(nScope)
{
}

void WlanConnector::Connect(const StationProfile* pProfile)
{
    if (pProfile == NULL)
        return;

    DOT11_BSSID_LIST bssidList;
    memset(&bssidList, 0, sizeof(bssidList));
    bssidList.Header.Type = NDIS_OBJECT_TYPE_DEFAULT;
    bssidList.Header.Revision = DOT11_BSSID_LIST_REVISION_1;
    bssidList.Header.Size = sizeof(DOT11_BSSID_LIST);
    bssidList.uNumOfEntries = 1;
    bssidList.uTotalNumOfEntries = 1;
    memcpy(bssidList.BSSIDs[0], pProfile->Bssid, sizeof(bssidList.BSSIDs[0]));

    WCHAR szName[WLAN_PROFILE_NAME_CHARS];
    WCHAR szXml[WLAN_PROFILE_XML_CHARS];
    DOT11_BSS_TYPE bssType = dot11_BSS_type_infrastructure;
    DWORD dwBssidGiven = 0;
    BOOL bSecured = FALSE;
    // A profile the document cannot carry is not connected at all, rather than with an empty
    // or cut document.
    if (!m_XmlWriter.Write(pProfile, szName, szXml, &bssType, &dwBssidGiven, &bSecured))
        return;

    if (dwBssidGiven != 0)
    {
        DOT11_SSID ssid;
        memset(&ssid, 0, sizeof(ssid));
        ssid.uSSIDLength = pProfile->SsidLength > 32 ? 32 : pProfile->SsidLength;
        memcpy(ssid.ucSSID, pProfile->Ssid, ssid.uSSIDLength);

        WLAN_CONNECTION_PARAMETERS params;
        memset(&params, 0, sizeof(params));
        params.wlanConnectionMode = bSecured ? wlan_connection_mode_discovery_secure
                                             : wlan_connection_mode_discovery_unsecure;
        params.strProfile = u"";
        params.pDot11Ssid = &ssid;
        params.pDesiredBssidList = dwBssidGiven == 1 ? &bssidList : NULL;
        params.dot11BssType = bssType;
        params.dwFlags = 0;
        WlanConnect(*m_phClient, m_pInterfaceGuid, &params, NULL);
        return;
    }

    if (pProfile->Use8021X != 0)
    {
        // The editor works on the stored profile: replace any older one of that name first.
        m_ProfileManager.DeleteWlanProfile(szName);
        m_ProfileManager.SetWlanProfile(szXml);
        StartProfileEdit(szName, bssType);
        return;
    }

    m_ProfileManager.SetWlanProfile(szXml);
    ConnectByProfile(*m_phClient, m_pInterfaceGuid, szName, bssType);
}

BOOL WlanConnector::StartProfileEdit(LPCWSTR pszName, DOT11_BSS_TYPE bssType)
{
    ProfileEditRecord* pRecord = new ProfileEditRecord;
    memset(pRecord, 0, sizeof(*pRecord));
    pRecord->hOwner = m_hOwner;
    if (m_pInterfaceGuid != NULL)
        memcpy(&pRecord->InterfaceGuid, m_pInterfaceGuid, sizeof(GUID));
    int n = 0;
    while (n < WLAN_EDIT_NAME_CHARS - 1 && pszName[n] != 0)
    {
        pRecord->szProfileName[n] = pszName[n];
        n++;
    }
    pRecord->BssType = bssType;
    // The handle's value: the worker may outlive the client object.
    pRecord->hClient = *m_phClient;

    if (AfxBeginThread(ProfileEditWorker, pRecord) == NULL)
    {
        delete pRecord;
        return FALSE;
    }
    return TRUE;
}
