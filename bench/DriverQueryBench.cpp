// One driver query as the programs make it: open the adapter's device path, one
// IOCTL_NDIS_QUERY_GLOBAL_STATS, close (three lines in the driver's log); and the request alone,
// on a handle kept open (one line). No anchor on this machine does the same work.

#include "bench/BenchMachine.h"
#include "machine/devices/DeviceBuilders.h"
#include "platform/Windows.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace
{

constexpr DWORD kOidCurrentAddress = 0x01010102; // OID_802_3_CURRENT_ADDRESS

void queryAddress(HANDLE h)
{
    DWORD oid = kOidCurrentAddress;
    BYTE answer[6];
    DWORD returned = 0;
    if (!DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, answer, sizeof answer,
                         &returned, nullptr))
        std::abort();
    benchmark::DoNotOptimize(answer);
}

void DriverQuery(benchmark::State& state)
{
    bench::BenchMachine machine;
    const std::string path = "\\\\.\\" + machine::devices::DefaultAdapter().netCfgInstanceId;
    for (auto _ : state)
    {
        HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
        if (h == INVALID_HANDLE_VALUE)
            std::abort();
        queryAddress(h);
        CloseHandle(h);
    }
}

void DriverRequest(benchmark::State& state)
{
    bench::BenchMachine machine;
    const std::string path = "\\\\.\\" + machine::devices::DefaultAdapter().netCfgInstanceId;
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
    if (h == INVALID_HANDLE_VALUE)
        std::abort();
    for (auto _ : state)
    {
        queryAddress(h);
    }
    CloseHandle(h);
}

} // namespace

BENCHMARK(DriverQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(DriverRequest)->Unit(benchmark::kMicrosecond);
