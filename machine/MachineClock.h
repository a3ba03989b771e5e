#pragma once
// The clock the machine's own behaviour follows (traffic counters, later scans and
// associations): the platform's clock of the process, so that a test on the manual clock sees
// the machine move with it. Until the platform installs its clock, the host's monotonic clock.

#include <cstdint>

namespace machine
{

using ClockSource = std::uint64_t (*)();

void SetClockSource(ClockSource source);
// Milliseconds.
std::uint64_t MachineNow();

// The machine's time of day as a FILETIME (100 ns units since 1601, UTC): the host's wall time
// when the host's clock was at 0, moved on as the machine's clock moves. On the real clock that
// is the wall time now; on a test's clock it moves exactly as far as the test moves the clock.
std::uint64_t MachineFileTime();

} // namespace machine
