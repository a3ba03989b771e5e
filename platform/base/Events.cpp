#include "platform/base/Events.h"

#include "platform/base/WinError.h"

#include <map>
#include <memory>
#include <string>

namespace
{

class Event final : public platform::WaitableObject
{
public:
    Event(bool manualReset, bool signaled) : m_manualReset(manualReset), m_signaled(signaled) {}

    bool IsSignaled(DWORD) const override { return m_signaled; }
    DWORD Acquire(DWORD) override
    {
        // An auto-reset event lets one waiter through, then closes again.
        if (!m_manualReset)
            m_signaled = false;
        return WAIT_OBJECT_0;
    }
    void Set(bool signaled) { m_signaled = signaled; } // wait lock held

private:
    const bool m_manualReset;
    bool m_signaled;
};

struct Names
{
    std::mutex lock;
    std::map<std::string, std::weak_ptr<Event>> events;
};

Names& names()
{
    static Names* n = new Names;
    return *n;
}

BOOL SetState(HANDLE hEvent, bool signaled)
{
    auto event = platform::LookupHandle<Event>(hEvent);
    if (!event)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    {
        auto lock = platform::LockWaitState();
        event->Set(signaled);
    }
    if (signaled)
        platform::WakeWaiters();
    return TRUE;
}

} // namespace

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName)
{
    if (lpName == nullptr || *lpName == '\0')
    {
        const HANDLE h = platform::RegisterHandle(
            std::make_shared<Event>(bManualReset != FALSE, bInitialState != FALSE));
        SetLastError(ERROR_SUCCESS);
        return h;
    }
    Names& n = names();
    std::lock_guard guard(n.lock);
    auto& slot = n.events[lpName];
    if (auto existing = slot.lock())
    {
        const HANDLE h = platform::RegisterHandle(existing);
        SetLastError(ERROR_ALREADY_EXISTS);
        return h;
    }
    auto event = std::make_shared<Event>(bManualReset != FALSE, bInitialState != FALSE);
    slot = event;
    const HANDLE h = platform::RegisterHandle(std::move(event));
    SetLastError(ERROR_SUCCESS);
    return h;
}

BOOL SetEvent(HANDLE hEvent)
{
    return SetState(hEvent, true);
}

BOOL ResetEvent(HANDLE hEvent)
{
    return SetState(hEvent, false);
}
