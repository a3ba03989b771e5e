#include "platform/ui/Sleep.h"

#include "machine/FileChanges.h"
#include "platform/base/Waitable.h"
#include "platform/ui/Clock.h"

#include <chrono>
#include <thread>

void Sleep(DWORD dwMilliseconds)
{
    // Whatever the sleeper waits for may have come meanwhile.
    machine::LookAfresh();
    if (platform::IsManualClock())
    {
        // A sleeping thread lets the time pass and dispatches nothing meanwhile.
        if (dwMilliseconds != INFINITE)
            platform::AdvanceClockWithoutDispatch(dwMilliseconds);
        return;
    }
    if (dwMilliseconds == 0)
    {
        std::this_thread::yield();
        return;
    }
    if (dwMilliseconds == INFINITE)
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(24));
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
