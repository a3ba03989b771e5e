#include "platform/base/Threads.h"

#include "machine/ProcessId.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Waitable.h"
#include "platform/base/WinError.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace platform
{

// The kernel side of a thread: signalled once its function has returned.
class ThreadObject final : public WaitableObject
{
public:
    bool IsSignaled(DWORD) const override { return finished; }

    // All guarded by the wait lock.
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
    DWORD suspendCount = 0;
    int priority = THREAD_PRIORITY_NORMAL;
};

// What the running thread and its CWinThread share. `object` is cleared (under the wait lock)
// by whichever lets go first: the CWinThread's destructor or the thread's end.
struct ThreadLink
{
    std::shared_ptr<ThreadObject> kernel;
    CWinThread* object = nullptr;
};

} // namespace platform

namespace
{

using platform::ThreadObject;

std::atomic<DWORD> g_nextThreadId{0x1004};
thread_local DWORD t_threadId = 0;

DWORD NewThreadId()
{
    return g_nextThreadId.fetch_add(4);
}

// Threads that end while the process runs its exit handlers must not touch objects that static
// destruction is tearing down (the handle table among them). Once exit begins, an ending thread
// leaves its CWinThread alone; the gate makes "check, then delete" atomic against that.
struct ExitGate
{
    std::mutex lock;
    bool exiting = false;
};

ExitGate& exitGate()
{
    static ExitGate* g = new ExitGate;
    return *g;
}

void OnProcessExit()
{
    ExitGate& g = exitGate();
    std::lock_guard guard(g.lock);
    g.exiting = true;
}

// Registered after the handle table exists, so it runs before the table is destroyed.
void WatchProcessExit()
{
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(OnProcessExit); });
}

void ThreadMain(std::shared_ptr<platform::ThreadLink> link, AFX_THREADPROC proc, LPVOID param,
                DWORD id)
{
    t_threadId = id;
    {
        auto lock = platform::LockWaitState();
        while (link->kernel->suspendCount > 0)
            platform::WaitForStateChange(lock);
    }
    const UINT code = proc(param);

    {
        ExitGate& g = exitGate();
        std::lock_guard guard(g.lock);
        if (!g.exiting)
        {
            CWinThread* toDelete = nullptr;
            {
                auto lock = platform::LockWaitState();
                if (link->object != nullptr && link->object->m_bAutoDelete)
                {
                    toDelete = link->object;
                    link->object = nullptr;
                }
            }
            delete toDelete; // the framework's auto-delete: this thread owns its object now
        }
    }
    {
        auto lock = platform::LockWaitState();
        link->kernel->exitCode = code;
        link->kernel->finished = true;
    }
    platform::WakeWaiters();
}

template <class F>
auto WithThread(HANDLE hThread, F f) -> decltype(f(std::declval<ThreadObject&>()))
{
    auto thread = platform::LookupHandle<ThreadObject>(hThread);
    if (!thread)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return {};
    }
    auto lock = platform::LockWaitState();
    return f(*thread);
}

} // namespace

CWinThread::CWinThread() = default;

CWinThread::~CWinThread()
{
    if (m_link)
    {
        auto lock = platform::LockWaitState();
        m_link->object = nullptr;
    }
    if (m_hThread != 0)
        CloseHandle(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES)
{
    if (pfnThreadProc == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_unique<CWinThread>();
    auto kernel = std::make_shared<ThreadObject>();
    kernel->priority = nPriority;
    // Held back until the CWinThread is complete, and for as long as CREATE_SUSPENDED asks.
    kernel->suspendCount = 1;
    auto link = std::make_shared<platform::ThreadLink>();
    link->kernel = kernel;
    link->object = thread.get();
    thread->m_link = link;
    thread->m_nThreadID = NewThreadId();
    thread->m_hThread = platform::RegisterHandle(kernel);
    WatchProcessExit();
    try
    {
        std::thread(ThreadMain, link, pfnThreadProc, pParam, thread->m_nThreadID).detach();
    }
    catch (const std::system_error&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr; // the unique_ptr deletes the object and closes its handle
    }
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(thread->m_hThread);
    return thread.release();
}

DWORD ResumeThread(HANDLE hThread)
{
    auto thread = platform::LookupHandle<ThreadObject>(hThread);
    if (!thread)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0xFFFFFFFF;
    }
    DWORD previous;
    {
        auto lock = platform::LockWaitState();
        previous = thread->suspendCount;
        if (thread->suspendCount > 0)
            --thread->suspendCount;
    }
    platform::WakeWaiters();
    return previous;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    if (lpExitCode == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithThread(hThread,
                      [&](ThreadObject& t) -> BOOL
                      {
                          *lpExitCode = t.exitCode;
                          return TRUE;
                      });
}

BOOL SetThreadPriority(HANDLE hThread, int nPriority)
{
    return WithThread(hThread,
                      [&](ThreadObject& t) -> BOOL
                      {
                          t.priority = nPriority;
                          return TRUE;
                      });
}

int GetThreadPriority(HANDLE hThread)
{
    auto thread = platform::LookupHandle<ThreadObject>(hThread);
    if (!thread)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    auto lock = platform::LockWaitState();
    return thread->priority;
}

DWORD GetCurrentThreadId()
{
    if (t_threadId == 0)
        t_threadId = NewThreadId();
    return t_threadId;
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(machine::ThisProcessId());
}
