#pragma once
// Connects the chosen interface to the network of a station profile through the WLAN service:
// the profile document is written and stored, then the service connects by it. An 802.1X
// network first goes through the service's credential editor on a worker thread.

#include "client/access/WlanProfileManager.h"
#include "client/access/WlanProfileXmlWriter.h"
#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

struct StationProfile;

// The profile name a worker carries, in characters with the terminator.
inline constexpr int WLAN_EDIT_NAME_CHARS = 40;

// 1 while any profile-edit worker has its editor open or is about to, else 0. The Profile page
// reads it.
int IsProfileEditBusy();

class WlanConnector
{
public:
    WlanConnector(HWND hOwner, HANDLE* phClient, const GUID* pInterfaceGuid, int nScope);
    WlanConnector(const WlanConnector&) = delete;
    WlanConnector& operator=(const WlanConnector&) = delete;

    // Failures of the service calls are not reported: the link state shows them.
    void Connect(const StationProfile* pProfile);

private:
    // Starts the credential editor's worker for a stored profile; FALSE when it cannot start.
    BOOL StartProfileEdit(LPCWSTR pszName, DOT11_BSS_TYPE bssType);

    HWND m_hOwner;
    HANDLE* m_phClient;
    const GUID* m_pInterfaceGuid;
    WlanProfileXmlWriter m_XmlWriter;
    WlanProfileManager m_ProfileManager;
    int m_nScope;
};
