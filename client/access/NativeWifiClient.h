#pragma once
// TessarynUI's one connection to the WLAN service: the client handle, the WLAN interface of the
// adapter that discovery chose, and the companion objects that work on that interface. Every
// page reads link state, statistics and the scan list through it; the scan list is rebuilt in
// the NDIS layout (NdisTypes.h) that all pages walk.
//
// Unless noted, an operation returns the WLAN API's result (0 success) and works on the chosen
// interface. An out-parameter keeps its initial value when its query fails.

#include "adapter/driver/NdisTypes.h"
#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

class WlanConnector;
class OidAccessor;
class WlanNotifier;
class WlanProfileXmlWriter;
class WlanProfileManager;
struct StationProfile;

class NativeWifiClient
{
public:
    NativeWifiClient();
    ~NativeWifiClient();
    NativeWifiClient(const NativeWifiClient&) = delete;
    NativeWifiClient& operator=(const NativeWifiClient&) = delete;

    // Chooses the interface whose description equals the friendly name and re-creates the
    // companion objects (which registers for notifications); returns WlanEnumInterfaces'
    // result. When no description matches, the previous interface stays chosen.
    DWORD SelectInterface(LPCSTR pszFriendlyName, HWND hOwner, int nScope);
    // Closes the client handle and deletes the companion objects.
    void Close();

    DWORD ScanNetworks();
    DWORD DisconnectInterface();
    DWORD IsInterfaceConnected(BOOL* pbConnected);
    DWORD SupportsABand(BOOL* pbABand);
    DWORD GetCurrentSsid(NDIS_802_11_SSID* pSsid);
    DWORD GetCurrentBssid(BYTE* pMac); // 6 bytes
    DWORD GetCurrentPhy(DWORD* pdwPhyType, DWORD* pdwPhyIndex);
    DWORD GetConnectionBssType(DWORD* pdwBssType);
    DWORD GetAuthAlgorithm(DWORD* pdwAuth);
    DWORD GetCipherAlgorithm(DWORD* pdwCipher);
    DWORD IsOneXEnabled(BOOL* pbOneX);
    DWORD GetBssType(DWORD* pdwMode); // 1 infrastructure, 0 independent, 2 other
    DWORD GetRssi(LONG* plRssi);
    DWORD GetLinkStatistics(LinkStatistics* pStats, ULONGLONG* pullReceivedFrames);
    // *pbChanged = 1 when the unicast WEP ICV error count moved since the last change.
    DWORD CheckWepIcvErrors(BOOL* pbChanged);
    DWORD GetRadioState(BOOL* pbSoftwareOn, BOOL* pbHardwareOn);
    DWORD SetRadioState(BOOL bOn);
    // Rebuilds g_pBssidList; pPhyTypes receives the PHY type of each entry (room for
    // BSSID_LIST_MAX_ENTRIES). Returns the result of the last WLAN API call made.
    DWORD BuildBssidList(DWORD* pPhyTypes);
    // Channel of the published-list entry with that MAC, -1 when none.
    int ChannelFromBssid(const BYTE* pMac);
    // 1 when the published-list entry with that MAC shows 802.11n support.
    int GetCurrentSecurity(const BYTE* pMac);
    BOOL QueryCurrentChannel(DWORD* pdwChannel);
    // Transmit power through the OID accessor, then the connector.
    void ConnectFromSurvey(StationProfile* pProfile);

    OidAccessor* GetOidAccessor() const { return m_pOidAccessor; }
    WlanConnector* GetConnector() const { return m_pConnector; }
    WlanProfileManager* GetProfileManager() const { return m_pProfileManager; }
    HANDLE GetClientHandle() const { return m_hClient; }
    const WLAN_INTERFACE_INFO& GetInterface() const { return m_Interface; }

private:
    void DeleteCompanions();
    DWORD QueryConnection(WLAN_CONNECTION_ATTRIBUTES* pAttributes);

    HWND m_hOwner;
    HANDLE m_hClient;
    WLAN_INTERFACE_INFO m_Interface;
    WlanConnector* m_pConnector;
    OidAccessor* m_pOidAccessor;
    WlanNotifier* m_pNotifier;
    WlanProfileXmlWriter* m_pXmlWriter;
    WlanProfileManager* m_pProfileManager;
    int m_nScope; // 0 settings per user, 1 shared
    ULONGLONG m_ullLastWepIcvErrors;
};
