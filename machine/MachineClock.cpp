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

std::uint64_t MachineFileTime()
{
    using namespace std::chrono;
    // Milliseconds from 1601 to 1970, then from 1970 to the host clock's 0.
    constexpr std::int64_t kUnixEpochMs = 11644473600000;
    static const std::int64_t origin_ms =
        kUnixEpochMs + duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() -
        static_cast<std::int64_t>(hostMonotonicMs());
    return static_cast<std::uint64_t>(origin_ms + static_cast<std::int64_t>(MachineNow())) * 10000;
}

} // namespace machine
