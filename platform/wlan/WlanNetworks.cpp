// The networks the last scans saw: grouped as networks, and as BSS entries with their elements.
#include "platform/com/ComRuntime.h"
#include "platform/wlan/internal/CallArguments.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/MachineClock.h"
#include "machine/wlan/WlanService.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace
{

std::shared_ptr<const std::vector<machine::wlan::AvailableNetwork>>
Networks(const GUID* guid, DWORD& error, std::string& text)
{
    error = ERROR_SUCCESS;
    if (guid == nullptr)
    {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    text = platform::GuidText(*guid);
    const machine::Machine& m = machine::CurrentMachine();
    if (!machine::wlan::HasInterface(m, text))
    {
        error = ERROR_NOT_FOUND;
        return nullptr;
    }
    return machine::wlan::KeptAvailableNetworks(m, text);
}

// The rates a PHY offers, in 500 kbit/s units, basic ones marked with 0x8000.
std::vector<USHORT> Rates(std::uint32_t phy)
{
    constexpr USHORT basic = 0x8000;
    std::vector<USHORT> dsss = {basic | 2, basic | 4, 11, 22};
    std::vector<USHORT> ofdm = {basic | 12, 18, basic | 24, 36, basic | 48, 72, 96, 108};
    switch (phy)
    {
    case machine::radio::kPhyHrDsss:
        return dsss;
    case machine::radio::kPhyOfdm:
        return ofdm;
    default:
        dsss.insert(dsss.end(), {12, 18, 24, 36, 48, 72, 96, 108});
        return dsss;
    }
}

} // namespace

DWORD WlanGetAvailableNetworkList(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                                  PVOID pReserved,
                                  PWLAN_AVAILABLE_NETWORK_LIST* ppAvailableNetworkList)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error =
            platform::wlan::BeginClientCall(hClientHandle, "WlanGetAvailableNetworkList",
                                            platform::wlan::InterfaceArgument(pInterfaceGuid) +
                                                " flags=" + platform::wlan::FlagsArgument(dwFlags)))
        return error;
    if (pReserved != nullptr || ppAvailableNetworkList == nullptr)
        return ERROR_INVALID_PARAMETER;
    DWORD error;
    std::string guid;
    auto kept = Networks(pInterfaceGuid, error, guid);
    if (error != ERROR_SUCCESS)
        return error;
    const auto& networks = *kept;
    auto* out = platform::wlan::AllocateList<WLAN_AVAILABLE_NETWORK_LIST>(
        offsetof(WLAN_AVAILABLE_NETWORK_LIST, Network), sizeof(WLAN_AVAILABLE_NETWORK),
        networks.size());
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    out->dwNumberOfItems = static_cast<DWORD>(networks.size());
    WLAN_AVAILABLE_NETWORK* item = &out->Network[0];
    for (const auto& n : networks)
    {
        platform::wlan::CopyWide(item->strProfileName, WLAN_MAX_NAME_LENGTH, n.profileName);
        platform::wlan::CopySsid(item->dot11Ssid, n.ssid);
        item->dot11BssType = static_cast<DOT11_BSS_TYPE>(n.bssType);
        item->uNumberOfBssids = static_cast<ULONG>(n.bss.size());
        item->bNetworkConnectable = TRUE;
        std::vector<std::uint32_t> phys;
        for (const auto& b : n.bss)
            if (std::find(phys.begin(), phys.end(), b.phyType) == phys.end())
                phys.push_back(b.phyType);
        item->uNumberOfPhyTypes =
            static_cast<ULONG>(std::min(phys.size(), WLAN_MAX_PHY_TYPE_NUMBER));
        for (ULONG k = 0; k < item->uNumberOfPhyTypes; ++k)
            item->dot11PhyTypes[k] = static_cast<DOT11_PHY_TYPE>(phys[k]);
        item->bMorePhyTypes = phys.size() > WLAN_MAX_PHY_TYPE_NUMBER;
        item->wlanSignalQuality = std::min<std::uint32_t>(n.quality, 100);
        item->bSecurityEnabled = n.securityEnabled;
        item->dot11DefaultAuthAlgorithm = static_cast<DOT11_AUTH_ALGORITHM>(n.security.auth);
        item->dot11DefaultCipherAlgorithm = static_cast<DOT11_CIPHER_ALGORITHM>(n.security.cipher);
        item->dwFlags = (n.connected ? WLAN_AVAILABLE_NETWORK_CONNECTED : 0) |
                        (n.profileName.empty() ? 0 : WLAN_AVAILABLE_NETWORK_HAS_PROFILE);
        ++item;
    }
    *ppAvailableNetworkList = out;
    return ERROR_SUCCESS;
}

DWORD WlanGetNetworkBssList(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                            const DOT11_SSID* pDot11Ssid, DOT11_BSS_TYPE dot11BssType,
                            BOOL bSecurityEnabled, PVOID pReserved, PWLAN_BSS_LIST* ppWlanBssList)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error =
            platform::wlan::BeginClientCall(hClientHandle, "WlanGetNetworkBssList",
                                            platform::wlan::InterfaceArgument(pInterfaceGuid) +
                                                " " + platform::wlan::SsidArgument(pDot11Ssid) +
                                                " bsstype=" + std::to_string(dot11BssType) +
                                                " security=" + std::to_string(bSecurityEnabled)))
        return error;
    if (pReserved != nullptr || ppWlanBssList == nullptr ||
        (pDot11Ssid != nullptr && pDot11Ssid->uSSIDLength > DOT11_SSID_MAX_LENGTH))
        return ERROR_INVALID_PARAMETER;
    DWORD error;
    std::string guid;
    auto kept = Networks(pInterfaceGuid, error, guid);
    if (error != ERROR_SUCCESS)
        return error;
    const auto& networks = *kept;
    std::vector<std::uint32_t> phys;
    for (const auto& info : machine::wlan::ListInterfaces(machine::CurrentMachine()))
        if (platform::GuidText(platform::wlan::InterfaceGuid(info.guid)) == guid)
            phys = info.phyTypes;

    // With an SSID, the one network it names (BSS type and security as listed); without, all.
    std::vector<const machine::radio::Network*> entries;
    std::size_t elementBytes = 0;
    const std::string ssid = pDot11Ssid != nullptr ? platform::wlan::SsidText(*pDot11Ssid) : "";
    for (const auto& n : networks)
    {
        if (pDot11Ssid != nullptr &&
            (n.ssid != ssid || (dot11BssType != dot11_BSS_type_any && n.bssType != dot11BssType) ||
             n.securityEnabled != (bSecurityEnabled != FALSE)))
            continue;
        for (const auto& b : n.bss)
        {
            entries.push_back(&b);
            elementBytes += b.elements.size();
        }
    }

    std::size_t entriesEnd =
        offsetof(WLAN_BSS_LIST, wlanBssEntries) + entries.size() * sizeof(WLAN_BSS_ENTRY);
    auto* out = platform::wlan::AllocateList<WLAN_BSS_LIST>(offsetof(WLAN_BSS_LIST, wlanBssEntries),
                                                            sizeof(WLAN_BSS_ENTRY), entries.size(),
                                                            elementBytes);
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    out->dwTotalSize = static_cast<DWORD>(entriesEnd + elementBytes);
    out->dwNumberOfItems = static_cast<DWORD>(entries.size());
    auto* base = reinterpret_cast<BYTE*>(out);
    std::size_t elementsAt = entriesEnd;
    std::uint64_t hostTime = machine::MachineNow() * 10000; // 100 ns units
    for (std::size_t k = 0; k < entries.size(); ++k)
    {
        const machine::radio::Network& b = *entries[k];
        std::size_t entryAt = offsetof(WLAN_BSS_LIST, wlanBssEntries) + k * sizeof(WLAN_BSS_ENTRY);
        WLAN_BSS_ENTRY entry{};
        platform::wlan::CopySsid(entry.dot11Ssid, b.ssid);
        auto phy = std::find(phys.begin(), phys.end(), b.phyType);
        entry.uPhyId = phy == phys.end() ? 0 : static_cast<ULONG>(phy - phys.begin());
        std::copy(b.bssid.begin(), b.bssid.end(), entry.dot11Bssid);
        entry.dot11BssType = static_cast<DOT11_BSS_TYPE>(b.bssType);
        entry.dot11BssPhyType = static_cast<DOT11_PHY_TYPE>(b.phyType);
        entry.lRssi = b.rssi;
        entry.uLinkQuality = std::min<std::uint32_t>(b.linkQuality, 100);
        entry.bInRegDomain = TRUE;
        entry.usBeaconPeriod = b.beaconPeriod;
        entry.ullTimestamp = hostTime;
        entry.ullHostTimestamp = hostTime;
        entry.usCapabilityInformation = b.capability;
        entry.ulChCenterFrequency = b.frequencyKhz;
        auto rates = Rates(b.phyType);
        std::size_t rateCount = std::min<std::size_t>(rates.size(), 126);
        std::copy_n(rates.begin(), rateCount, entry.wlanRateSet.usRateSet);
        entry.wlanRateSet.uRateSetLength = static_cast<ULONG>(rateCount * sizeof(USHORT));
        entry.ulIeOffset = static_cast<ULONG>(elementsAt - entryAt);
        entry.ulIeSize = static_cast<ULONG>(b.elements.size());
        std::memcpy(base + entryAt, &entry, sizeof entry);
        if (!b.elements.empty())
            std::memcpy(base + elementsAt, b.elements.data(), b.elements.size());
        elementsAt += b.elements.size();
    }
    *ppWlanBssList = out;
    return ERROR_SUCCESS;
}
