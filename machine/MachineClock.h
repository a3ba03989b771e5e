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

} // namespace machine
