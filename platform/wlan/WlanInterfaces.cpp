// Interfaces: their list, capability, settings (queries and the radio switch) and scans.
#include "platform/com/ComRuntime.h"
#include "platform/wlan/internal/CallArguments.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/wlan/WlanService.h"

#include <algorithm>
#include <cstring>

namespace
{

using platform::wlan::BeginClientCall;
using platform::wlan::BytesArgument;
using platform::wlan::InterfaceArgument;
using platform::wlan::SsidArgument;

constexpr DWORD kErrorInvalidState = 5023;

std::optional<machine::wlan::InterfaceInfo> FindInterface(const std::string& guid)
{
    for (auto& info : machine::wlan::ListInterfaces(machine::CurrentMachine()))
        if (platform::GuidText(platform::wlan::InterfaceGuid(info.guid)) == guid)
            return info;
    return std::nullopt;
}

// Copies a record into a block of its own for the caller.
template <class T> DWORD HandOut(const T& value, PDWORD size, PVOID* data)
{
    void* block = platform::wlan::AllocateWlanBlock(sizeof(T));
    if (block == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    std::memcpy(block, &value, sizeof(T));
    *size = sizeof(T);
    *data = block;
    return ERROR_SUCCESS;
}

DWORD QueryStatistics(const std::string& guid, PDWORD size, PVOID* data)
{
    auto stats = machine::wlan::LinkStatistics(machine::CurrentMachine(), guid);
    if (!stats)
        return ERROR_NOT_FOUND;
    std::size_t phys = std::clamp<std::size_t>(stats->phyCount, 1, WLAN_MAX_PHY_INDEX);
    std::size_t bytes =
        offsetof(WLAN_STATISTICS, PhyCounters) + phys * sizeof(WLAN_PHY_FRAME_STATISTICS);
    auto* out = platform::wlan::AllocateList<WLAN_STATISTICS>(
        offsetof(WLAN_STATISTICS, PhyCounters), sizeof(WLAN_PHY_FRAME_STATISTICS), phys);
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    out->dwNumberOfPhys = static_cast<DWORD>(phys);
    WLAN_PHY_FRAME_STATISTICS phy{};
    std::memcpy(&phy, stats->phyRecord.data(), std::min(sizeof phy, stats->phyRecord.size()));
    // The driver's counters are the counters of the PHY in use.
    std::size_t index = std::min<std::size_t>(stats->phyIndex, phys - 1);
    std::memcpy(&out->PhyCounters[0] + index, &phy, sizeof phy);
    out->MacUcastCounters.ullTransmittedFrameCount = phy.ullTransmittedFrameCount;
    out->MacUcastCounters.ullReceivedFrameCount = phy.ullReceivedFrameCount;
    out->MacUcastCounters.ullWEPICVErrorCount = stats->wepIcvErrors;
    out->MacUcastCounters.ullDecryptSuccessCount = phy.ullReceivedFrameCount;
    *size = static_cast<DWORD>(std::max(bytes, sizeof(WLAN_STATISTICS)));
    *data = out;
    return ERROR_SUCCESS;
}

WLAN_CONNECTION_ATTRIBUTES ConnectionRecord(const machine::wlan::Connection& c)
{
    WLAN_CONNECTION_ATTRIBUTES out{};
    out.isState = wlan_interface_state_connected;
    out.wlanConnectionMode = static_cast<WLAN_CONNECTION_MODE>(c.mode);
    platform::wlan::CopyWide(out.strProfileName, WLAN_MAX_NAME_LENGTH, c.profileName);
    auto& a = out.wlanAssociationAttributes;
    platform::wlan::CopySsid(a.dot11Ssid, c.ssid);
    a.dot11BssType = static_cast<DOT11_BSS_TYPE>(c.bssType);
    std::copy(c.bssid.begin(), c.bssid.end(), a.dot11Bssid);
    a.dot11PhyType = static_cast<DOT11_PHY_TYPE>(c.phyType);
    a.uDot11PhyIndex = c.phyIndex;
    a.wlanSignalQuality = c.quality;
    a.ulRxRate = c.rateKbps;
    a.ulTxRate = c.rateKbps;
    auto& s = out.wlanSecurityAttributes;
    s.bSecurityEnabled = c.security.enabled;
    s.bOneXEnabled = c.security.oneX;
    s.dot11AuthAlgorithm = static_cast<DOT11_AUTH_ALGORITHM>(c.security.auth);
    s.dot11CipherAlgorithm = static_cast<DOT11_CIPHER_ALGORITHM>(c.security.cipher);
    return out;
}

} // namespace

DWORD WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved,
                         PWLAN_INTERFACE_INFO_LIST* ppInterfaceList)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error = BeginClientCall(hClientHandle, "WlanEnumInterfaces"))
        return error;
    if (pReserved != nullptr || ppInterfaceList == nullptr)
        return ERROR_INVALID_PARAMETER;
    auto list = machine::wlan::ListInterfaces(machine::CurrentMachine());
    auto* out = platform::wlan::AllocateList<WLAN_INTERFACE_INFO_LIST>(
        offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo), sizeof(WLAN_INTERFACE_INFO),
        list.size());
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    out->dwNumberOfItems = static_cast<DWORD>(list.size());
    WLAN_INTERFACE_INFO* item = &out->InterfaceInfo[0];
    for (const auto& info : list)
    {
        item->InterfaceGuid = platform::wlan::InterfaceGuid(info.guid);
        platform::wlan::CopyWide(item->strInterfaceDescription, WLAN_MAX_NAME_LENGTH,
                                 info.description);
        item->isState = static_cast<WLAN_INTERFACE_STATE>(info.state);
        ++item;
    }
    *ppInterfaceList = out;
    return ERROR_SUCCESS;
}

DWORD WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid,
               const WLAN_RAW_DATA* pIeData, PVOID pReserved)
{
    if (DWORD error = BeginClientCall(
            hClientHandle, "WlanScan",
            InterfaceArgument(pInterfaceGuid) + " " + SsidArgument(pDot11Ssid) + " ie=" +
                (pIeData == nullptr ? std::string("-")
                                    : BytesArgument(pIeData->DataBlob, pIeData->dwDataSize))))
        return error;
    std::string guid;
    if (pReserved != nullptr)
        return ERROR_INVALID_PARAMETER;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    return machine::wlan::StartScan(machine::CurrentMachine(), guid);
}

DWORD WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode,
                         PVOID pReserved, PDWORD pdwDataSize, PVOID* ppData,
                         PWLAN_OPCODE_VALUE_TYPE pWlanOpcodeValueType)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error = BeginClientCall(hClientHandle, "WlanQueryInterface",
                                      InterfaceArgument(pInterfaceGuid) +
                                          " opcode=" + std::to_string(OpCode)))
        return error;
    if (pReserved != nullptr || pdwDataSize == nullptr || ppData == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    const machine::Machine& m = machine::CurrentMachine();
    if (pWlanOpcodeValueType != nullptr)
        *pWlanOpcodeValueType = OpCode == wlan_intf_opcode_radio_state
                                    ? wlan_opcode_value_type_set_by_user
                                    : wlan_opcode_value_type_query_only;
    switch (OpCode)
    {
    case wlan_intf_opcode_radio_state:
    {
        auto phys = machine::wlan::RadioState(m, guid);
        WLAN_RADIO_STATE out{};
        out.dwNumberOfPhys = static_cast<DWORD>(std::min(phys.size(), WLAN_MAX_PHY_INDEX));
        for (DWORD k = 0; k < out.dwNumberOfPhys; ++k)
            out.PhyRadioState[k] = {k, static_cast<DOT11_RADIO_STATE>(phys[k].software),
                                    static_cast<DOT11_RADIO_STATE>(phys[k].hardware)};
        return HandOut(out, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_bss_type:
    {
        auto c = machine::wlan::CurrentConnection(m, guid);
        DOT11_BSS_TYPE type =
            c ? static_cast<DOT11_BSS_TYPE>(c->bssType) : dot11_BSS_type_infrastructure;
        return HandOut(type, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_interface_state:
    {
        auto info = FindInterface(guid);
        if (!info)
            return ERROR_NOT_FOUND;
        WLAN_INTERFACE_STATE state = static_cast<WLAN_INTERFACE_STATE>(info->state);
        return HandOut(state, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_current_connection:
    {
        auto c = machine::wlan::CurrentConnection(m, guid);
        if (!c)
            return kErrorInvalidState;
        return HandOut(ConnectionRecord(*c), pdwDataSize, ppData);
    }
    case wlan_intf_opcode_statistics:
        return QueryStatistics(guid, pdwDataSize, ppData);
    case wlan_intf_opcode_rssi:
    {
        auto c = machine::wlan::CurrentConnection(m, guid);
        if (!c)
            return kErrorInvalidState;
        LONG rssi = c->rssi;
        return HandOut(rssi, pdwDataSize, ppData);
    }
    default:
        return ERROR_NOT_SUPPORTED;
    }
}

DWORD WlanSetInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode,
                       DWORD dwDataSize, const PVOID pData, PVOID pReserved)
{
    if (DWORD error = BeginClientCall(hClientHandle, "WlanSetInterface",
                                      InterfaceArgument(pInterfaceGuid) +
                                          " opcode=" + std::to_string(OpCode) +
                                          " value=" + BytesArgument(pData, dwDataSize)))
        return error;
    if (pReserved != nullptr || pData == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    if (OpCode != wlan_intf_opcode_radio_state)
        return ERROR_NOT_SUPPORTED;
    if (dwDataSize < sizeof(WLAN_PHY_RADIO_STATE))
        return ERROR_INVALID_PARAMETER;
    WLAN_PHY_RADIO_STATE phy;
    std::memcpy(&phy, pData, sizeof phy);
    return machine::wlan::SetSoftwareRadioState(machine::CurrentMachine(), guid, phy.dwPhyIndex,
                                                phy.dot11SoftwareRadioState);
}

DWORD WlanGetInterfaceCapability(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                                 PWLAN_INTERFACE_CAPABILITY* ppCapability)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error = BeginClientCall(hClientHandle, "WlanGetInterfaceCapability",
                                      InterfaceArgument(pInterfaceGuid)))
        return error;
    if (pReserved != nullptr || ppCapability == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    auto info = FindInterface(guid);
    if (!info)
        return ERROR_NOT_FOUND;
    auto* out = static_cast<WLAN_INTERFACE_CAPABILITY*>(
        platform::wlan::AllocateWlanBlock(sizeof(WLAN_INTERFACE_CAPABILITY)));
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    out->interfaceType = wlan_interface_type_native_802_11;
    out->bDot11DSupported = FALSE;
    out->dwMaxDesiredSsidListSize = 1;
    out->dwMaxDesiredBssidListSize = 1;
    out->dwNumberOfSupportedPhys =
        static_cast<DWORD>(std::min(info->phyTypes.size(), WLAN_MAX_PHY_INDEX));
    for (DWORD k = 0; k < out->dwNumberOfSupportedPhys; ++k)
        out->dot11PhyTypes[k] = static_cast<DOT11_PHY_TYPE>(info->phyTypes[k]);
    *ppCapability = out;
    return ERROR_SUCCESS;
}
