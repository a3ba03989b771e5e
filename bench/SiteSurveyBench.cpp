// The client's Site Survey fill after a scan, as the page makes it when the scan ends: the
// monitor's scan list taken anew from the WLAN service (the available networks, then one BSS
// list per network) and the page's rows refilled from it, at 10, 100 and 500 networks in range
// (500 fill the client's 64 KB list at 455 rows). CPU time is what counts: the rows should cost
// about the same each. No anchor on this machine does the same work.

#include "bench/BenchMachine.h"
#include "bench/BenchNetworks.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/sheet/VnPropSheet.h"
#include "client/status/SiteSurvPage.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/radio/RadioStore.h"
#include "platform/Windows.h"
#include "platform/file/ModuleFile.h"
#include "platform/ui/Clock.h"
#include "platform/ui/TestPump.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

void SiteSurveyFill(benchmark::State& state)
{
    bench::BenchMachine machine;
    const machine::Machine& m = machine::CurrentMachine();
    platform::UseManualClock(1000);
    platform::SetModuleName("TessarynUI");
    RegisterTessarynUIResources();
    machine::devices::InstallDevice(m, machine::devices::DefaultAdapter());
    if (!machine::radio::SaveNetworks(m, bench::NetworksInRange(static_cast<int>(state.range(0)))))
        std::abort();

    auto monitor = std::make_unique<CHideDlg>();
    monitor->m_bOpenSheetAtStart = FALSE;
    if (!monitor->Create(IDD_HIDE_DIALOG))
        std::abort();
    platform::PumpUntilIdle();
    monitor->ShowPropSheet();
    platform::PumpUntilIdle();
    if (!monitor->IsSheetOpen())
        std::abort();
    CSiteSurvPage& page = monitor->m_pPropSheet->m_SiteSurvPage;

    int rows = 0;
    for (auto _ : state)
    {
        monitor->RefreshBssidList();
        page.FillBssList();
        rows = page.m_listSites.GetItemCount();
    }
    state.counters["rows"] = rows;
    state.counters["per_row"] =
        benchmark::Counter(static_cast<double>(rows) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);

    monitor->DeleteTrayIcon();
    monitor->DestroyWindow();
    monitor.reset();
    platform::PumpUntilIdle();
}

} // namespace

// CPU time, not wall time: the fill runs on the program's one thread.
BENCHMARK(SiteSurveyFill)->Arg(10)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);
