#include "platform/base/Sleep.h"

#include "platform/base/Waitable.h"

#include <chrono>
#include <thread>

void Sleep(DWORD dwMilliseconds)
{
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
