// The scan list as the client builds it: the available networks, then each network's BSS list
// (one WlanGetNetworkBssList call per network), at 10, 100 and 500 networks in range (500 fill
// the client's 64 KB list at 455 rows). No anchor on this machine does the same work.

#include "bench/BenchMachine.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"
#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

std::vector<machine::radio::Network> networks(int count)
{
    std::vector<machine::radio::Network> list;
    for (int i = 0; i < count; ++i)
    {
        machine::radio::Network n;
        n.ssid = "Network " + std::to_string(i);
        n.bssid = {0x02,
                   0x11,
                   0x22,
                   static_cast<std::uint8_t>(i >> 16),
                   static_cast<std::uint8_t>(i >> 8),
                   static_cast<std::uint8_t>(i)};
        n.channel = 1 + static_cast<std::uint32_t>(i % 11);
        n.frequencyKhz = 2412000 + 5000 * (n.channel - 1);
        n.elements = machine::radio::SsidElement(n.ssid);
        const auto rates = machine::radio::RatesElements({0x82, 0x84, 0x8b, 0x96, 0x0c, 0x12});
        n.elements.insert(n.elements.end(), rates.begin(), rates.end());
        const auto ds = machine::radio::DsParameterElement(static_cast<std::uint8_t>(n.channel));
        n.elements.insert(n.elements.end(), ds.begin(), ds.end());
        list.push_back(n);
    }
    return list;
}

void ScanList(benchmark::State& state)
{
    bench::BenchMachine machine;
    if (!machine::radio::SaveNetworks(machine::CurrentMachine(),
                                      networks(static_cast<int>(state.range(0)))))
        std::abort();
    DWORD version = 0;
    HANDLE client = 0;
    PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
    if (WlanOpenHandle(2, nullptr, &version, &client) != ERROR_SUCCESS ||
        WlanEnumInterfaces(client, nullptr, &interfaces) != ERROR_SUCCESS ||
        interfaces->dwNumberOfItems == 0)
        std::abort();
    const GUID guid = interfaces->InterfaceInfo[0].InterfaceGuid;
    WlanFreeMemory(interfaces);
    std::size_t entries = 0;
    for (auto _ : state)
    {
        PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
        if (WlanGetAvailableNetworkList(client, &guid, 0, nullptr, &list) != ERROR_SUCCESS)
            std::abort();
        entries = 0;
        for (DWORD i = 0; i < list->dwNumberOfItems; ++i)
        {
            const WLAN_AVAILABLE_NETWORK& n = list->Network[i];
            PWLAN_BSS_LIST bss = nullptr;
            if (WlanGetNetworkBssList(client, &guid, &n.dot11Ssid, n.dot11BssType,
                                      n.bSecurityEnabled, nullptr, &bss) != ERROR_SUCCESS)
                std::abort();
            entries += bss->dwNumberOfItems;
            WlanFreeMemory(bss);
        }
        WlanFreeMemory(list);
    }
    state.counters["bss"] = static_cast<double>(entries);
    WlanCloseHandle(client, nullptr);
}

} // namespace

BENCHMARK(ScanList)->Arg(10)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);
