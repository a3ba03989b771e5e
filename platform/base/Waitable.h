#pragma once
// Objects a thread can wait for (events, threads, mutexes) and the waits themselves.
//
// One lock guards the signal state of every waitable object of the process, as a kernel's
// dispatcher lock does: a wait for several objects then needs no lock ordering, and the few
// objects the programs have never contend for it.

#include "platform/base/HandleTable.h"
#include "platform/base/WinTypes.h"

#include <mutex>

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_ABANDONED = 0x00000080;
inline constexpr DWORD WAIT_ABANDONED_0 = 0x00000080;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

namespace platform
{

class WaitableObject : public KernelObject
{
public:
    // Both are called with the wait lock held.
    virtual bool IsSignaled(DWORD threadId) const = 0;
    // A wait by threadId has been satisfied by this object: take what the wait takes (an
    // auto-reset event resets, a mutex becomes owned). WAIT_ABANDONED_0 for an abandoned mutex.
    virtual DWORD Acquire(DWORD threadId) { return WAIT_OBJECT_0; }
};

// Change a waitable object's state only while holding this lock, then call WakeWaiters.
std::unique_lock<std::mutex> LockWaitState();
void WakeWaiters();
// Sleeps until some waitable object changes state (spurious wake-ups possible).
void WaitForStateChange(std::unique_lock<std::mutex>& lock);

} // namespace platform

// WAIT_OBJECT_0, WAIT_ABANDONED, WAIT_TIMEOUT, or WAIT_FAILED (ERROR_INVALID_HANDLE).
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
// WAIT_OBJECT_0 + index of the object that satisfied the wait (the lowest when several are
// signalled; WAIT_OBJECT_0 when bWaitAll and all are), WAIT_TIMEOUT or WAIT_FAILED.
DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                             DWORD dwMilliseconds);
