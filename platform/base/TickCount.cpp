#include "platform/base/TickCount.h"

#include <chrono>

ULONGLONG GetTickCount64()
{
    // The steady clock counts from boot on this host, as the platform's tick count does.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<ULONGLONG>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}
