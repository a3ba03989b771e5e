#include "platform/ui/Clock.h"

#include "machine/MachineClock.h"

#include "platform/ui/TestPump.h"
#include "platform/ui/internal/ThreadQueue.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform
{
namespace
{

std::atomic<bool> g_manual{false};
std::atomic<std::uint64_t> g_manualNow{0};
std::atomic<std::uint64_t> g_generation{0};

void requireManual(const char* what)
{
    if (!g_manual.load())
    {
        std::fprintf(stderr, "%s needs the manual clock (call platform::UseManualClock first)\n",
                     what);
        std::abort();
    }
}

void moveTo(std::uint64_t ms)
{
    if (ms > g_manualNow.load())
        g_manualNow.store(ms);
    g_generation.fetch_add(1);
    ui::WakeAllQueues();
}

} // namespace

std::uint64_t Now();

namespace
{
// The machine's time-dependent behaviour follows this process's clock.
const bool g_machineFollows = (machine::SetClockSource(&Now), true);
} // namespace

std::uint64_t Now()
{
    if (g_manual.load(std::memory_order_acquire))
        return g_manualNow.load();
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void UseManualClock(std::uint64_t startMs)
{
    g_manualNow.store(startMs);
    g_manual.store(true, std::memory_order_release);
    g_generation.fetch_add(1);
    ui::WakeAllQueues();
}

void UseRealClock()
{
    g_manual.store(false, std::memory_order_release);
    g_generation.fetch_add(1);
    ui::WakeAllQueues();
}

bool IsManualClock()
{
    return g_manual.load(std::memory_order_acquire);
}

std::uint64_t ClockGeneration()
{
    return g_generation.load();
}

void AdvanceClockWithoutDispatch(std::uint64_t ms)
{
    requireManual("AdvanceClockWithoutDispatch");
    moveTo(g_manualNow.load() + ms);
}

void AdvanceClock(std::uint64_t ms)
{
    requireManual("AdvanceClock");
    const std::uint64_t target = g_manualNow.load() + ms;
    auto queue = ui::CurrentQueueIfAny();
    if (queue)
    {
        PumpUntilIdle();
        for (;;)
        {
            auto due = queue->EarliestDue();
            if (!due || *due > target)
                break;
            const std::uint64_t before = g_manualNow.load();
            if (*due > before)
                moveTo(*due);
            PumpUntilIdle();
            // A timer that stayed due did not fire (a quit is pending): nothing more to step.
            auto after = queue->EarliestDue();
            if (after && *after <= g_manualNow.load())
                break;
        }
    }
    moveTo(target);
    if (queue)
        PumpUntilIdle();
}

} // namespace platform
