#include "platform/ui/TickCount.h"

#include "platform/ui/Clock.h"

// The tick count follows the one clock, so tests on the manual clock see it move with timers.
ULONGLONG GetTickCount64()
{
    return platform::Now();
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}
