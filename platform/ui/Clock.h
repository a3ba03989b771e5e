#pragma once
// The one monotonic millisecond clock behind timers, message times and the tick count.
//
// Programs run on the real clock (the host's monotonic clock). Unit tests switch the process to
// a manual clock that stands still until they advance it, so that they see exactly the timers
// that fall due, in order.

#include <cstdint>

namespace platform
{

// Milliseconds on the current clock. GetTickCount is the low 32 bits of this value.
std::uint64_t Now();

// Switches the process to the manual clock, reading startMs. Call it before any timer is set.
void UseManualClock(std::uint64_t startMs = 0);
// Back to the real clock (timers set on the manual clock keep their due times).
void UseRealClock();
bool IsManualClock();

// Manual clock only (aborts otherwise). Moves the clock ms forward and lets the calling thread
// see what falls due on the way: the clock steps to the due time of each of this thread's
// timers up to the target, in order, and at each step the thread's pending messages and due
// timers are dispatched (so a timer of period p fires once for each p passed, reading its own
// due time, and what it posts is handled before the next one). Loops on other threads are woken
// and see the clock at the steps; timers of other threads that are late fire once when their
// loop next looks (the platform coalesces late timers).
void AdvanceClock(std::uint64_t ms);

// Manual clock only. Moves the clock without dispatching anything: the time a busy handler
// (or a sleep) takes. Waiting loops are woken; a late timer then fires once, not once per
// missed period.
void AdvanceClockWithoutDispatch(std::uint64_t ms);

// How often the clock has been moved (tests and loops use it to tell progress).
std::uint64_t ClockGeneration();

} // namespace platform
