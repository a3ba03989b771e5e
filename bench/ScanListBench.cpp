// The scan list as the client builds it: the available networks, then each network's BSS list
// (one WlanGetNetworkBssList call per network), at 10, 100 and 500 networks in range (500 fill
// the client's 64 KB list at 455 rows). No anchor on this machine does the same work.

#include "bench/BenchMachine.h"
#include "bench/BenchNetworks.h"
#include "machine/radio/RadioStore.h"
#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

void ScanList(benchmark::State& state)
{
    bench::BenchMachine machine;
    if (!machine::radio::SaveNetworks(machine::CurrentMachine(),
                                      bench::NetworksInRange(static_cast<int>(state.range(0)))))
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
