#pragma once
// Worker threads in the framework's shape, and thread and process identities.
//
// AfxBeginThread runs the function on a real thread that is never joined: a thread still running
// when the program ends does not keep it from ending. With m_bAutoDelete (the default) the
// CWinThread deletes itself, closing m_hThread, when the function returns; otherwise the owner
// deletes it and m_hThread stays waitable until then. The stack size and priority are recorded,
// not applied.

#include "platform/base/WinTypes.h"

#include <memory>

using AFX_THREADPROC = UINT (*)(LPVOID);

inline constexpr int THREAD_PRIORITY_IDLE = -15;
inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
inline constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7FFFFFFF;

inline constexpr DWORD CREATE_SUSPENDED = 0x00000004;
inline constexpr DWORD STILL_ACTIVE = 259;

namespace platform
{
struct ThreadLink;
}

class CWinThread
{
public:
    CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    operator HANDLE() const { return m_hThread; }

    // The previous suspend count, or 0xFFFFFFFF on failure.
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority();

    HANDLE m_hThread = 0;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD,
                                      LPSECURITY_ATTRIBUTES);
    std::shared_ptr<platform::ThreadLink> m_link;
};

// NULL when the thread cannot be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

DWORD ResumeThread(HANDLE hThread);
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
BOOL SetThreadPriority(HANDLE hThread, int nPriority);
int GetThreadPriority(HANDLE hThread);

DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
