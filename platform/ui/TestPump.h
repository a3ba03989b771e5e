#pragma once
// Driving the calling thread's message loop deterministically from tests.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <functional>

namespace platform
{

// Dispatches everything the calling thread has to do now: sent and posted messages, paints,
// timers due at the current clock (each once), and what they cause in turn. Messages pass the
// framework's PreTranslateMessage like in any loop. Stops early at a quit (which stays pending
// for the loop that owns it). Returns the number of messages dispatched.
int PumpUntilIdle();

// Called by every message loop of the calling thread (modal loops included) when it would
// otherwise sleep. A test scripts a modal run with it: advance the clock, post a message, press
// a button, end the dialog. When the hook leaves something queued the loop takes it; when it
// made progress otherwise (it dispatched something, e.g. through AdvanceClock, or moved the
// clock) GetMessageA returns a WM_NULL thread message, so the loop looks at its own state (a
// dialog the hook ended returns) and calls the hook again next time. A hook that did nothing on
// the manual clock would leave the loop asleep for ever, so the process aborts with a message
// instead. A hook that waits for another thread calls WaitForQueuedWork. Null removes the hook.
void SetIdleHook(std::function<void()> hook);

// Blocks (without calling the idle hook) until the calling thread's queue has something to do.
void WaitForQueuedWork();

// For tests that check a loop sleeps: whether the thread is blocked in its queue's wait, and
// how many times that wait has returned. False/0 for a thread without a queue.
struct LoopWaitState
{
    bool waiting = false;
    std::uint64_t wakeups = 0;
};
LoopWaitState GetLoopWaitState(DWORD threadId);

} // namespace platform
