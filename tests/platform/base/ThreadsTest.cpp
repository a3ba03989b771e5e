#include "platform/base/Threads.h"
#include "platform/base/Events.h"
#include "platform/base/WinError.h"
#include "platform/ui/Sleep.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{

struct Job
{
    HANDLE done = 0;
    std::atomic<int> runs{0};
    std::atomic<DWORD> threadId{0};
};

UINT RunJob(LPVOID param)
{
    auto* job = static_cast<Job*>(param);
    job->threadId = GetCurrentThreadId();
    ++job->runs;
    if (job->done != 0)
        SetEvent(job->done);
    return 17;
}

UINT BlockForever(LPVOID param)
{
    WaitForSingleObject(*static_cast<HANDLE*>(param), INFINITE);
    return 0;
}

// The handle disappears from the table once the self-deleting object is gone.
bool HandleClosesEventually(HANDLE h)
{
    for (int i = 0; i < 10000; ++i)
    {
        if (!platform::LookupHandleObject(h))
            return true;
        Sleep(1);
    }
    return false;
}

TEST(Threads, RunsTheFunctionAndDeletesItself)
{
    Job job;
    job.done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CWinThread* thread = AfxBeginThread(RunJob, &job);
    ASSERT_NE(thread, nullptr);
    const HANDLE h = thread->m_hThread; // read before the thread can end and delete it
    EXPECT_EQ(WaitForSingleObject(job.done, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(job.runs, 1);
    EXPECT_NE(job.threadId.load(), GetCurrentThreadId());
    EXPECT_TRUE(HandleClosesEventually(h));
    CloseHandle(job.done);
}

TEST(Threads, SuspendedWithoutAutoDeleteIsWaitableUntilDeleted)
{
    Job job;
    CWinThread* thread = AfxBeginThread(RunJob, &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 20), WAIT_TIMEOUT);
    EXPECT_EQ(job.runs, 0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);

    EXPECT_EQ(thread->ResumeThread(), 1u);
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(job.runs, 1);
    EXPECT_EQ(job.threadId.load(), thread->m_nThreadID);
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 17u);
    EXPECT_EQ(thread->ResumeThread(), 0u);

    const HANDLE h = thread->m_hThread;
    delete thread;
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
}

TEST(Threads, IdentitiesAndBadArguments)
{
    EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
    EXPECT_NE(GetCurrentThreadId(), 0u);
    EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
    EXPECT_EQ(ResumeThread(0x12345678), 0xFFFFFFFFu);
    DWORD code;
    EXPECT_FALSE(GetExitCodeThread(0x12345678, &code));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Threads, ManyShortThreadsAllFinishAndCleanUp)
{
    const std::size_t before = platform::OpenHandleCount();
    constexpr int kThreads = 32;
    Job jobs[kThreads];
    HANDLE done[kThreads];
    for (int i = 0; i < kThreads; ++i)
    {
        done[i] = jobs[i].done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ASSERT_NE(AfxBeginThread(RunJob, &jobs[i]), nullptr);
    }
    EXPECT_EQ(WaitForMultipleObjects(kThreads, done, TRUE, INFINITE), WAIT_OBJECT_0);
    for (HANDLE h : done)
        CloseHandle(h);
    for (int i = 0; i < 10000 && platform::OpenHandleCount() != before; ++i)
        Sleep(1);
    EXPECT_EQ(platform::OpenHandleCount(), before);
}

TEST(ThreadsDeathTest, ALiveThreadDoesNotHoldUpTheProcessEnd)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static HANDLE never = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            AfxBeginThread(BlockForever, &never);
            AfxBeginThread(BlockForever, &never);
            Sleep(10);
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

} // namespace
