#include "client/access/NativeWifiClient.h"

#include "adapter/radio/ChannelFrequencyTable.h"
#include "client/access/OidAccessor.h"
#include "client/access/ScanList.h"
#include "client/access/SecurityIes.h"
#include "client/access/StationProfile.h"
#include "client/access/WlanConnector.h"
#include "client/access/WlanNotifier.h"
#include "client/access/WlanProfileManager.h"
#include "client/access/WlanProfileXmlWriter.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <unordered_set>

namespace
{

template <typename T> T ReadAt(const BYTE* p, size_t nOffset)
{
    T value;
    memcpy(&value, p + nOffset, sizeof(value));
    return value;
}

BOOL HasMac(const BYTE* pEntry, const BYTE* pMac)
{
    return memcmp(pEntry + offsetof(NDIS_WLAN_BSSID_EX, MacAddress), pMac, 6) == 0;
}

// Calls visit for each published-list entry with that MAC address until it returns TRUE; the
// entry it stopped at, or null.
template <typename Visit> const BYTE* FindPublishedEntry(const BYTE* pMac, Visit visit)
{
    if (pMac == NULL)
        return NULL;
    return WalkBssidList(g_pBssidListCopy,
                         [&](const BYTE* pEntry) { return HasMac(pEntry, pMac) && visit(pEntry); });
}

// The query's block copied into a record of the caller, zero where the block is shorter.
DWORD QueryRecord(HANDLE hClient, const GUID* pGuid, WLAN_INTF_OPCODE opcode, void* pRecord,
                  DWORD dwRecordSize)
{
    memset(pRecord, 0, dwRecordSize);
    DWORD dwSize = 0;
    PVOID pData = NULL;
    WLAN_OPCODE_VALUE_TYPE valueType = wlan_opcode_value_type_invalid;
    DWORD dwResult = WlanQueryInterface(hClient, pGuid, opcode, NULL, &dwSize, &pData, &valueType);
    if (dwResult == ERROR_SUCCESS && pData != NULL)
        memcpy(pRecord, pData, dwSize < dwRecordSize ? dwSize : dwRecordSize);
    if (pData != NULL)
        WlanFreeMemory(pData);
    return dwResult;
}

} // namespace

NativeWifiClient::NativeWifiClient()
    : m_hOwner(0), m_hClient(0), m_pConnector(NULL), m_pOidAccessor(NULL), m_pNotifier(NULL),
      m_pXmlWriter(NULL), m_pProfileManager(NULL), m_nScope(0), m_ullLastWepIcvErrors(0)
{
    memset(&m_Interface, 0, sizeof(m_Interface));
    DWORD dwNegotiated = 0;
    WlanOpenHandle(WLAN_API_VERSION_2_0, NULL, &dwNegotiated, &m_hClient);
}

NativeWifiClient::~NativeWifiClient()
{
    if (m_hClient != 0)
        Close();
    else
        DeleteCompanions();
}

void NativeWifiClient::DeleteCompanions()
{
    delete m_pConnector;
    m_pConnector = NULL;
    delete m_pOidAccessor;
    m_pOidAccessor = NULL;
    delete m_pNotifier;
    m_pNotifier = NULL;
    delete m_pXmlWriter;
    m_pXmlWriter = NULL;
    delete m_pProfileManager;
    m_pProfileManager = NULL;
}

DWORD NativeWifiClient::SelectInterface(LPCSTR pszFriendlyName, HWND hOwner, int nScope)
{
    // The old notifier is the callback's context until the service lets go of it.
    if (m_pNotifier != NULL)
    {
        DWORD dwPrevious = 0;
        WlanRegisterNotification(m_hClient, WLAN_NOTIFICATION_SOURCE_NONE, TRUE, NULL, NULL, NULL,
                                 &dwPrevious);
    }
    DeleteCompanions();

    PWLAN_INTERFACE_INFO_LIST pList = NULL;
    DWORD dwResult = WlanEnumInterfaces(m_hClient, NULL, &pList);
    if (dwResult == ERROR_SUCCESS && pList != NULL && pszFriendlyName != NULL)
    {
        for (DWORD i = 0; i < pList->dwNumberOfItems; i++)
        {
            const WLAN_INTERFACE_INFO& info = pList->InterfaceInfo[i];
            int nChars = 0;
            while (nChars < static_cast<int>(WLAN_MAX_NAME_LENGTH) &&
                   info.strInterfaceDescription[nChars] != 0)
                nChars++;
            char szDescription[256];
            memset(szDescription, 0, sizeof(szDescription));
            // One byte stays zero, so the buffer is always a terminated text.
            if (nChars > 0)
                WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, info.strInterfaceDescription, nChars,
                                    szDescription, sizeof(szDescription) - 1, NULL, NULL);
            if (strncmp(szDescription, pszFriendlyName, sizeof(szDescription)) == 0)
            {
                memcpy(&m_Interface, &info, sizeof(m_Interface));
                break;
            }
        }
    }
    if (pList != NULL)
        WlanFreeMemory(pList);

    m_hOwner = hOwner;
    m_nScope = nScope;
    m_pConnector = new WlanConnector(hOwner, &m_hClient, &m_Interface.InterfaceGuid, nScope);
    m_pOidAccessor = new OidAccessor;
    m_pNotifier = new WlanNotifier(&m_hClient, &m_Interface.InterfaceGuid, hOwner);
    m_pXmlWriter = new WlanProfileXmlWriter;
    m_pProfileManager = new WlanProfileManager(&m_hClient, &m_Interface.InterfaceGuid, nScope);
    return dwResult;
}

void NativeWifiClient::Close()
{
    // No callback of the handle runs once it is closed, so the notifier can go after it.
    WlanCloseHandle(m_hClient, NULL);
    m_hClient = 0;
    DeleteCompanions();
}

DWORD NativeWifiClient::ScanNetworks()
{
    return WlanScan(m_hClient, &m_Interface.InterfaceGuid, NULL, NULL, NULL);
}

DWORD NativeWifiClient::DisconnectInterface()
{
    return WlanDisconnect(m_hClient, &m_Interface.InterfaceGuid, NULL);
}

DWORD NativeWifiClient::IsInterfaceConnected(BOOL* pbConnected)
{
    if (pbConnected != NULL)
        *pbConnected = 0;
    DWORD dwState = 0;
    DWORD dwResult = QueryRecord(m_hClient, &m_Interface.InterfaceGuid,
                                 wlan_intf_opcode_interface_state, &dwState, sizeof(dwState));
    if (dwResult == ERROR_SUCCESS && dwState == wlan_interface_state_connected &&
        pbConnected != NULL)
        *pbConnected = 1;
    return dwResult;
}

DWORD NativeWifiClient::SupportsABand(BOOL* pbABand)
{
    if (pbABand != NULL)
        *pbABand = 0;
    PWLAN_INTERFACE_CAPABILITY pCapability = NULL;
    DWORD dwResult =
        WlanGetInterfaceCapability(m_hClient, &m_Interface.InterfaceGuid, NULL, &pCapability);
    if (dwResult == ERROR_SUCCESS && pCapability != NULL)
    {
        DWORD nPhys = pCapability->dwNumberOfSupportedPhys;
        if (nPhys > WLAN_MAX_PHY_INDEX)
            nPhys = WLAN_MAX_PHY_INDEX;
        for (DWORD i = 0; i < nPhys; i++)
        {
            if (pCapability->dot11PhyTypes[i] == dot11_phy_type_ofdm && pbABand != NULL)
                *pbABand = 1;
        }
    }
    if (pCapability != NULL)
        WlanFreeMemory(pCapability);
    return dwResult;
}

DWORD NativeWifiClient::QueryConnection(WLAN_CONNECTION_ATTRIBUTES* pAttributes)
{
    return QueryRecord(m_hClient, &m_Interface.InterfaceGuid, wlan_intf_opcode_current_connection,
                       pAttributes, sizeof(*pAttributes));
}

DWORD NativeWifiClient::GetCurrentSsid(NDIS_802_11_SSID* pSsid)
{
    if (pSsid != NULL)
        memset(pSsid, 0, sizeof(*pSsid));
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS && pSsid != NULL)
    {
        ULONG nLength = attributes.wlanAssociationAttributes.dot11Ssid.uSSIDLength;
        if (nLength > sizeof(pSsid->Ssid))
            nLength = sizeof(pSsid->Ssid);
        pSsid->SsidLength = nLength;
        memcpy(pSsid->Ssid, attributes.wlanAssociationAttributes.dot11Ssid.ucSSID, nLength);
    }
    return dwResult;
}

DWORD NativeWifiClient::GetCurrentBssid(BYTE* pMac)
{
    if (pMac != NULL)
        memset(pMac, 0, 6);
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS && pMac != NULL)
        memcpy(pMac, attributes.wlanAssociationAttributes.dot11Bssid, 6);
    return dwResult;
}

DWORD NativeWifiClient::GetCurrentPhy(DWORD* pdwPhyType, DWORD* pdwPhyIndex)
{
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS)
    {
        if (pdwPhyType != NULL)
            *pdwPhyType = attributes.wlanAssociationAttributes.dot11PhyType;
        if (pdwPhyIndex != NULL)
            *pdwPhyIndex = attributes.wlanAssociationAttributes.uDot11PhyIndex;
    }
    return dwResult;
}

DWORD NativeWifiClient::GetConnectionBssType(DWORD* pdwBssType)
{
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS && pdwBssType != NULL)
        *pdwBssType = attributes.wlanAssociationAttributes.dot11BssType;
    return dwResult;
}

DWORD NativeWifiClient::GetAuthAlgorithm(DWORD* pdwAuth)
{
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS && pdwAuth != NULL)
        *pdwAuth = attributes.wlanSecurityAttributes.dot11AuthAlgorithm;
    return dwResult;
}

DWORD NativeWifiClient::GetCipherAlgorithm(DWORD* pdwCipher)
{
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS && pdwCipher != NULL)
        *pdwCipher = attributes.wlanSecurityAttributes.dot11CipherAlgorithm;
    return dwResult;
}

DWORD NativeWifiClient::IsOneXEnabled(BOOL* pbOneX)
{
    WLAN_CONNECTION_ATTRIBUTES attributes;
    DWORD dwResult = QueryConnection(&attributes);
    if (dwResult == ERROR_SUCCESS && pbOneX != NULL)
        *pbOneX = attributes.wlanSecurityAttributes.bOneXEnabled;
    return dwResult;
}

DWORD NativeWifiClient::GetBssType(DWORD* pdwMode)
{
    DWORD dwBssType = 0;
    DWORD dwResult = QueryRecord(m_hClient, &m_Interface.InterfaceGuid, wlan_intf_opcode_bss_type,
                                 &dwBssType, sizeof(dwBssType));
    if (dwResult == ERROR_SUCCESS && pdwMode != NULL)
        *pdwMode = dwBssType == dot11_BSS_type_infrastructure ? 1
                   : dwBssType == dot11_BSS_type_independent  ? 0
                                                              : 2;
    return dwResult;
}

DWORD NativeWifiClient::GetRssi(LONG* plRssi)
{
    LONG lRssi = 0;
    DWORD dwResult = QueryRecord(m_hClient, &m_Interface.InterfaceGuid, wlan_intf_opcode_rssi,
                                 &lRssi, sizeof(lRssi));
    if (dwResult == ERROR_SUCCESS && plRssi != NULL)
        *plRssi = lRssi;
    return dwResult;
}

DWORD NativeWifiClient::GetLinkStatistics(LinkStatistics* pStats, ULONGLONG* pullReceivedFrames)
{
    DWORD dwPhyType = 0;
    DWORD dwPhyIndex = 0;
    DWORD dwResult = GetCurrentPhy(&dwPhyType, &dwPhyIndex);
    if (dwResult != ERROR_SUCCESS)
        return dwResult;

    DWORD dwSize = 0;
    PVOID pData = NULL;
    WLAN_OPCODE_VALUE_TYPE valueType = wlan_opcode_value_type_invalid;
    dwResult = WlanQueryInterface(m_hClient, &m_Interface.InterfaceGuid,
                                  wlan_intf_opcode_statistics, NULL, &dwSize, &pData, &valueType);
    if (dwResult == ERROR_SUCCESS && pData != NULL)
    {
        const BYTE* pBlock = static_cast<const BYTE*>(pData);
        // Only the PHY records that lie whole inside the block count.
        DWORD nPhys = 0;
        if (dwSize >= offsetof(WLAN_STATISTICS, PhyCounters))
        {
            nPhys = ReadAt<DWORD>(pBlock, offsetof(WLAN_STATISTICS, dwNumberOfPhys));
            DWORD nRoom = (dwSize - static_cast<DWORD>(offsetof(WLAN_STATISTICS, PhyCounters))) /
                          sizeof(WLAN_PHY_FRAME_STATISTICS);
            if (nPhys > nRoom)
                nPhys = nRoom;
        }
        DWORD nChosen = dwPhyIndex;
        for (DWORD i = 0; i < nPhys; i++)
        {
            WLAN_PHY_FRAME_STATISTICS phy = ReadAt<WLAN_PHY_FRAME_STATISTICS>(
                pBlock, offsetof(WLAN_STATISTICS, PhyCounters) + i * sizeof(phy));
            if (phy.ullTransmittedFragmentCount != 0)
            {
                nChosen = i;
                break;
            }
        }
        if (nChosen < nPhys)
        {
            WLAN_PHY_FRAME_STATISTICS phy = ReadAt<WLAN_PHY_FRAME_STATISTICS>(
                pBlock, offsetof(WLAN_STATISTICS, PhyCounters) + nChosen * sizeof(phy));
            if (pStats != NULL)
            {
                pStats->TransmittedFragmentCount = phy.ullTransmittedFragmentCount;
                pStats->MulticastTransmittedFrameCount = phy.ullMulticastTransmittedFrameCount;
                pStats->FailedCount = phy.ullFailedCount;
                pStats->RetryCount = phy.ullRetryCount;
                pStats->MultipleRetryCount = phy.ullMultipleRetryCount;
                pStats->RTSSuccessCount = phy.ullRTSSuccessCount;
                pStats->RTSFailureCount = phy.ullRTSFailureCount;
                pStats->ACKFailureCount = phy.ullACKFailureCount;
                pStats->FrameDuplicateCount = phy.ullFrameDuplicateCount;
                pStats->MulticastReceivedFrameCount = phy.ullMulticastReceivedFrameCount;
                pStats->FCSErrorCount = phy.ullFCSErrorCount;
            }
            if (pullReceivedFrames != NULL)
                *pullReceivedFrames = phy.ullReceivedFrameCount;
        }
        else
        {
            // The connection's PHY has no record: nothing to show rather than foreign bytes.
            dwResult = ERROR_INVALID_DATA;
        }
    }
    if (pData != NULL)
        WlanFreeMemory(pData);
    return dwResult;
}

DWORD NativeWifiClient::CheckWepIcvErrors(BOOL* pbChanged)
{
    if (pbChanged != NULL)
        *pbChanged = 0;
    DWORD dwPhyType = 0;
    DWORD dwPhyIndex = 0;
    DWORD dwResult = GetCurrentPhy(&dwPhyType, &dwPhyIndex);
    if (dwResult != ERROR_SUCCESS)
        return dwResult;

    DWORD dwSize = 0;
    PVOID pData = NULL;
    WLAN_OPCODE_VALUE_TYPE valueType = wlan_opcode_value_type_invalid;
    dwResult = WlanQueryInterface(m_hClient, &m_Interface.InterfaceGuid,
                                  wlan_intf_opcode_statistics, NULL, &dwSize, &pData, &valueType);
    const size_t nIcvEnd = offsetof(WLAN_STATISTICS, MacUcastCounters) +
                           offsetof(WLAN_MAC_FRAME_STATISTICS, ullWEPICVErrorCount) +
                           sizeof(ULONGLONG);
    if (dwResult == ERROR_SUCCESS && pData != NULL && dwSize >= nIcvEnd)
    {
        ULONGLONG ullErrors =
            ReadAt<ULONGLONG>(static_cast<const BYTE*>(pData), nIcvEnd - sizeof(ULONGLONG));
        // All 64 bits are kept: a count past 2^31 is no change by itself.
        if (ullErrors != 0 && ullErrors != m_ullLastWepIcvErrors)
        {
            m_ullLastWepIcvErrors = ullErrors;
            if (pbChanged != NULL)
                *pbChanged = 1;
        }
    }
    if (pData != NULL)
        WlanFreeMemory(pData);
    return dwResult;
}

DWORD NativeWifiClient::GetRadioState(BOOL* pbSoftwareOn, BOOL* pbHardwareOn)
{
    BOOL bSoftwareOn = 0;
    BOOL bHardwareOn = 1;
    WLAN_RADIO_STATE state;
    DWORD dwResult = QueryRecord(m_hClient, &m_Interface.InterfaceGuid,
                                 wlan_intf_opcode_radio_state, &state, sizeof(state));
    if (dwResult == ERROR_SUCCESS)
    {
        DWORD nPhys = state.dwNumberOfPhys;
        if (nPhys > WLAN_MAX_PHY_INDEX)
            nPhys = WLAN_MAX_PHY_INDEX;
        for (DWORD i = 0; i < nPhys; i++)
        {
            const WLAN_PHY_RADIO_STATE& phy = state.PhyRadioState[i];
            if (phy.dot11SoftwareRadioState == dot11_radio_state_unknown)
            {
                bSoftwareOn = 1;
                bHardwareOn = 0;
                break;
            }
            if (phy.dot11HardwareRadioState == dot11_radio_state_off)
            {
                bHardwareOn = 0;
                break;
            }
            if (phy.dot11SoftwareRadioState != dot11_radio_state_off)
            {
                bSoftwareOn = 1;
                break;
            }
        }
    }
    if (pbSoftwareOn != NULL)
        *pbSoftwareOn = bSoftwareOn;
    if (pbHardwareOn != NULL)
        *pbHardwareOn = bHardwareOn;
    return dwResult;
}

DWORD NativeWifiClient::SetRadioState(BOOL bOn)
{
    WLAN_RADIO_STATE state;
    DWORD dwResult = QueryRecord(m_hClient, &m_Interface.InterfaceGuid,
                                 wlan_intf_opcode_radio_state, &state, sizeof(state));
    if (dwResult != ERROR_SUCCESS)
        return dwResult;
    DWORD nPhys = state.dwNumberOfPhys;
    if (nPhys > WLAN_MAX_PHY_INDEX)
        nPhys = WLAN_MAX_PHY_INDEX;
    DWORD dwFirstFailure = ERROR_SUCCESS;
    for (DWORD i = 0; i < nPhys; i++)
    {
        WLAN_PHY_RADIO_STATE phy = state.PhyRadioState[i];
        phy.dot11SoftwareRadioState = bOn ? dot11_radio_state_on : dot11_radio_state_off;
        DWORD dwSet = WlanSetInterface(m_hClient, &m_Interface.InterfaceGuid,
                                       wlan_intf_opcode_radio_state, sizeof(phy), &phy, NULL);
        // A refused set is the answer, not the query's success.
        if (dwSet != ERROR_SUCCESS && dwFirstFailure == ERROR_SUCCESS)
            dwFirstFailure = dwSet;
    }
    return dwFirstFailure;
}

DWORD NativeWifiClient::BuildBssidList(DWORD* pPhyTypes)
{
    if (g_pBssidList == NULL)
        return ERROR_INVALID_PARAMETER;
    memset(g_pBssidList, 0, BSSID_LIST_BYTES);

    PWLAN_AVAILABLE_NETWORK_LIST pNetworks = NULL;
    DWORD dwResult =
        WlanGetAvailableNetworkList(m_hClient, &m_Interface.InterfaceGuid, 0, NULL, &pNetworks);
    DWORD nCount = 0;
    ULONG nEnd = 4;
    BOOL bFull = FALSE;
    std::unordered_set<std::string> seen;
    if (dwResult == ERROR_SUCCESS && pNetworks != NULL)
    {
        for (DWORD n = 0; n < pNetworks->dwNumberOfItems && !bFull; n++)
        {
            const WLAN_AVAILABLE_NETWORK& network = pNetworks->Network[n];
            PWLAN_BSS_LIST pBssList = NULL;
            dwResult = WlanGetNetworkBssList(m_hClient, &m_Interface.InterfaceGuid,
                                             &network.dot11Ssid, network.dot11BssType,
                                             network.bSecurityEnabled, NULL, &pBssList);
            if (dwResult == ERROR_SUCCESS && pBssList != NULL)
            {
                const BYTE* pBlock = reinterpret_cast<const BYTE*>(pBssList);
                for (DWORD b = 0; b < pBssList->dwNumberOfItems && !bFull; b++)
                {
                    const WLAN_BSS_ENTRY& bss = pBssList->wlanBssEntries[b];
                    ULONG nIeSize = bss.ulIeSize;
                    const BYTE* pIes = reinterpret_cast<const BYTE*>(&bss) + bss.ulIeOffset;
                    // Elements outside the service's block are not taken.
                    size_t nEntryAt =
                        static_cast<size_t>(reinterpret_cast<const BYTE*>(&bss) - pBlock);
                    if (nIeSize != 0 &&
                        (bss.ulIeOffset > pBssList->dwTotalSize ||
                         nEntryAt + bss.ulIeOffset + nIeSize > pBssList->dwTotalSize))
                        nIeSize = 0;

                    // A BSS seen under several networks is listed once, with the first
                    // network's data. The addresses listed so far are kept aside, so that a
                    // long list is not walked again for each entry.
                    if (!seen.insert(std::string(reinterpret_cast<const char*>(bss.dot11Bssid), 6))
                             .second)
                        continue;

                    // Only whole entries: the first that does not fit ends the list.
                    ULONG nLength = NDIS_WLAN_BSSID_EX_FIXED + nIeSize;
                    if (nIeSize > BSSID_LIST_BYTES || nLength > BSSID_LIST_BYTES - nEnd)
                    {
                        bFull = TRUE;
                        break;
                    }

                    NDIS_WLAN_BSSID_EX header;
                    memset(&header, 0, sizeof(header));
                    header.Length = nLength;
                    memcpy(header.MacAddress, bss.dot11Bssid, 6);
                    ULONG nSsidLength = bss.dot11Ssid.uSSIDLength;
                    if (nSsidLength > sizeof(header.Ssid.Ssid))
                        nSsidLength = sizeof(header.Ssid.Ssid);
                    header.Ssid.SsidLength = nSsidLength;
                    memcpy(header.Ssid.Ssid, bss.dot11Ssid.ucSSID, nSsidLength);
                    header.Privacy = (bss.usCapabilityInformation & 0x0010) != 0 ? 1 : 0;
                    header.Rssi = bss.lRssi;
                    header.Configuration.DSConfig = bss.ulChCenterFrequency;
                    header.InfrastructureMode =
                        bss.dot11BssType == dot11_BSS_type_infrastructure ? 1
                        : bss.dot11BssType == dot11_BSS_type_independent  ? 0
                                                                          : 2;
                    header.IELength = nIeSize;

                    if (pPhyTypes != NULL)
                        pPhyTypes[nCount] = bss.dot11BssPhyType;
                    memcpy(g_pBssidList + nEnd, &header, NDIS_WLAN_BSSID_EX_FIXED);
                    if (nIeSize != 0)
                        memcpy(g_pBssidList + nEnd + NDIS_WLAN_BSSID_EX_FIXED, pIes, nIeSize);
                    nEnd += nLength;
                    nCount++;
                    memcpy(g_pBssidList, &nCount, sizeof(nCount));
                }
            }
            if (pBssList != NULL)
                WlanFreeMemory(pBssList);
        }
    }
    if (pNetworks != NULL)
        WlanFreeMemory(pNetworks);
    return dwResult;
}

int NativeWifiClient::ChannelFromBssid(const BYTE* pMac)
{
    INT nChannel = 0;
    FindPublishedEntry(pMac,
                       [&nChannel](const BYTE* pEntry)
                       {
                           ULONG nFrequency = ReadAt<ULONG>(
                               pEntry, offsetof(NDIS_WLAN_BSSID_EX, Configuration.DSConfig));
                           nChannel = FrequencyToChannel(static_cast<INT>(nFrequency));
                           return nChannel != 0;
                       });
    return nChannel != 0 ? nChannel : -1;
}

int NativeWifiClient::GetCurrentSecurity(const BYTE* pMac)
{
    const BYTE* pEntry = FindPublishedEntry(pMac, [](const BYTE*) { return TRUE; });
    if (pEntry == NULL)
        return 0;
    BssSecurity security;
    ParseSecurityIes(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(pEntry), &security);
    return security.bHt ? 1 : 0;
}

BOOL NativeWifiClient::QueryCurrentChannel(DWORD* pdwChannel)
{
    if (m_pOidAccessor == NULL)
        return FALSE;
    return m_pOidAccessor->QueryChannel(pdwChannel);
}

void NativeWifiClient::ConnectFromSurvey(StationProfile* pProfile)
{
    if (pProfile == NULL)
        return;
    if (m_pOidAccessor != NULL)
        m_pOidAccessor->SetTxPower(static_cast<int>(pProfile->TxPower));
    if (m_pConnector != NULL)
        m_pConnector->Connect(pProfile);
}
