#include "platform/base/Waitable.h"

#include "machine/FileChanges.h"
#include "platform/base/Threads.h"
#include "platform/base/WinError.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <optional>
#include <vector>

namespace platform
{
namespace
{

struct WaitState
{
    std::mutex lock;
    std::condition_variable changed;
};

WaitState& state()
{
    static WaitState* s = new WaitState; // outlives static destruction: threads may still wait
    return *s;
}

} // namespace

std::unique_lock<std::mutex> LockWaitState()
{
    return std::unique_lock(state().lock);
}

void WakeWaiters()
{
    state().changed.notify_all();
}

void WaitForStateChange(std::unique_lock<std::mutex>& lock)
{
    state().changed.wait(lock);
}

} // namespace platform

namespace
{

using platform::WaitableObject;

DWORD WaitFor(const std::vector<std::shared_ptr<WaitableObject>>& objects, bool all,
              DWORD dwMilliseconds)
{
    machine::LookAfresh(); // what was waited for may be a change of the machine

    using Clock = std::chrono::steady_clock;
    const DWORD self = GetCurrentThreadId();
    std::optional<Clock::time_point> deadline;
    if (dwMilliseconds != INFINITE)
        deadline = Clock::now() + std::chrono::milliseconds(dwMilliseconds);

    auto lock = platform::LockWaitState();
    for (;;)
    {
        if (all)
        {
            bool ready = true;
            for (const auto& o : objects)
                ready = ready && o->IsSignaled(self);
            if (ready)
            {
                DWORD result = WAIT_OBJECT_0;
                for (std::size_t i = 0; i < objects.size(); ++i)
                    if (objects[i]->Acquire(self) == WAIT_ABANDONED_0 && result == WAIT_OBJECT_0)
                        result = WAIT_ABANDONED_0 + static_cast<DWORD>(i);
                platform::WakeWaiters();
                return result;
            }
        }
        else
        {
            for (std::size_t i = 0; i < objects.size(); ++i)
                if (objects[i]->IsSignaled(self))
                {
                    const DWORD base = objects[i]->Acquire(self);
                    platform::WakeWaiters();
                    return base + static_cast<DWORD>(i);
                }
        }
        if (!deadline)
            platform::WaitForStateChange(lock);
        else if (Clock::now() >= *deadline)
            return WAIT_TIMEOUT;
        else
            platform::state().changed.wait_until(lock, *deadline);
    }
}

} // namespace

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    auto object = platform::LookupHandle<WaitableObject>(hHandle);
    if (!object)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return WaitFor({object}, false, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                             DWORD dwMilliseconds)
{
    if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || lpHandles == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<WaitableObject>> objects;
    for (DWORD i = 0; i < nCount; ++i)
    {
        auto object = platform::LookupHandle<WaitableObject>(lpHandles[i]);
        if (!object)
        {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }
    return WaitFor(objects, bWaitAll != FALSE, dwMilliseconds);
}
