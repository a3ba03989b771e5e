// Connecting an interface, by a stored profile or by discovery, and disconnecting it.
#include "platform/wlan/internal/CallArguments.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/wlan/WlanService.h"

#include <cstring>

namespace
{

// The BSSIDs of a desired list, read no further than its header says it reaches.
bool ReadBssids(const DOT11_BSSID_LIST& list, std::vector<machine::radio::Bssid>& out)
{
    if (list.Header.Type != NDIS_OBJECT_TYPE_DEFAULT ||
        list.Header.Revision != DOT11_BSSID_LIST_REVISION_1 ||
        list.Header.Size < offsetof(DOT11_BSSID_LIST, BSSIDs))
        return false;
    std::size_t room =
        (list.Header.Size - offsetof(DOT11_BSSID_LIST, BSSIDs)) / sizeof(DOT11_MAC_ADDRESS);
    if (list.uNumOfEntries > room || list.uNumOfEntries > list.uTotalNumOfEntries)
        return false;
    for (ULONG k = 0; k < list.uNumOfEntries; ++k)
    {
        machine::radio::Bssid b{};
        std::memcpy(b.data(), list.BSSIDs[0] + k * sizeof(DOT11_MAC_ADDRESS), b.size());
        out.push_back(b);
    }
    return true;
}

// Every field of the request as the caller filled it in.
std::string ConnectArguments(const GUID* guid, const WLAN_CONNECTION_PARAMETERS* p)
{
    using namespace platform::wlan;
    std::string text = InterfaceArgument(guid);
    if (p == nullptr)
        return text + " parameters=-";
    text += " mode=" + std::to_string(p->wlanConnectionMode);
    text += " profile=" + TextArgument(p->strProfile);
    text += " " + SsidArgument(p->pDot11Ssid);
    text += " bsstype=" + std::to_string(p->dot11BssType);
    text += " bssids=" + BssidListArgument(p->pDesiredBssidList);
    text += " flags=" + FlagsArgument(p->dwFlags);
    return text;
}

} // namespace

DWORD WlanConnect(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                  const WLAN_CONNECTION_PARAMETERS* pConnectionParameters, PVOID pReserved)
{
    if (DWORD error = platform::wlan::BeginClientCall(
            hClientHandle, "WlanConnect", ConnectArguments(pInterfaceGuid, pConnectionParameters)))
        return error;
    if (pReserved != nullptr || pConnectionParameters == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    const WLAN_CONNECTION_PARAMETERS& p = *pConnectionParameters;
    machine::wlan::ConnectRequest request;
    request.mode = p.wlanConnectionMode;
    request.bssType = p.dot11BssType;
    switch (p.wlanConnectionMode)
    {
    case wlan_connection_mode_profile:
        if (p.strProfile == nullptr || p.strProfile[0] == 0)
            return ERROR_INVALID_PARAMETER;
        request.profileName = platform::wlan::NarrowText(p.strProfile);
        break;
    case wlan_connection_mode_discovery_secure:
    case wlan_connection_mode_discovery_unsecure:
        if (p.pDot11Ssid == nullptr || p.pDot11Ssid->uSSIDLength > DOT11_SSID_MAX_LENGTH)
            return ERROR_INVALID_PARAMETER;
        request.ssid = platform::wlan::SsidText(*p.pDot11Ssid);
        break;
    default:
        return ERROR_INVALID_PARAMETER;
    }
    if (p.dot11BssType < dot11_BSS_type_infrastructure || p.dot11BssType > dot11_BSS_type_any)
        return ERROR_INVALID_PARAMETER;
    if (p.pDesiredBssidList != nullptr && !ReadBssids(*p.pDesiredBssidList, request.bssids))
        return ERROR_INVALID_PARAMETER;
    return machine::wlan::Connect(machine::CurrentMachine(), guid, request);
}

DWORD WlanDisconnect(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved)
{
    if (DWORD error = platform::wlan::BeginClientCall(
            hClientHandle, "WlanDisconnect", platform::wlan::InterfaceArgument(pInterfaceGuid)))
        return error;
    if (pReserved != nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    return machine::wlan::Disconnect(machine::CurrentMachine(), guid);
}
