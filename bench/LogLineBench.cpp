// One line added to the WLAN log while the log is empty and while it is near its cap: the cost
// of a line should not depend on the log's size. No anchor on this machine does the same work.

#include "bench/BenchMachine.h"
#include "machine/wlan/WlanService.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

void WlanLogLine(benchmark::State& state)
{
    bench::BenchMachine machine;
    const machine::Machine& m = machine::CurrentMachine();
    const std::string line = "WlanQueryInterface {00000000-0000-0000-0000-000000000000} 7";
    // Fill to about 900 KB first when asked.
    if (state.range(0) != 0)
        for (int i = 0; i < 900 * 1024 / static_cast<int>(line.size() + 16); ++i)
            machine::wlan::Log(m, line);
    for (auto _ : state)
        machine::wlan::Log(m, line);
}

} // namespace

BENCHMARK(WlanLogLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
