#include "machine/MachineClock.h"

#include <atomic>
#include <chrono>

namespace machine
{
namespace
{

std::uint64_t hostMonotonicMs()
{
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::atomic<ClockSource> g_source{&hostMonotonicMs};

} // namespace

void SetClockSource(ClockSource source)
{
    g_source.store(source != nullptr ? source : &hostMonotonicMs);
}

std::uint64_t MachineNow()
{
    return g_source.load()();
}

} // namespace machine
