#include "platform/base/Events.h"
#include "platform/base/Threads.h"
#include "platform/base/WinError.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace
{

TEST(Events, AutoResetLetsOneWaitThrough)
{
    const HANDLE e = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    ASSERT_NE(e, 0u);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(e));
    EXPECT_TRUE(SetEvent(e)); // setting twice still releases one wait
    EXPECT_EQ(WaitForSingleObject(e, 10), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(e, 10), WAIT_TIMEOUT);
    SetEvent(e);
    EXPECT_TRUE(ResetEvent(e));
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(e));
}

TEST(Events, ManualResetStaysSignalledUntilReset)
{
    const HANDLE e = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    SetEvent(e);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(e, INFINITE), WAIT_OBJECT_0);
    ResetEvent(e);
    EXPECT_EQ(WaitForSingleObject(e, 5), WAIT_TIMEOUT);
    CloseHandle(e);
}

TEST(Events, AWaitEndsWhenAnotherThreadSets)
{
    const HANDLE e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::atomic<int> released{0};
    std::thread waiter(
        [&]
        {
            if (WaitForSingleObject(e, INFINITE) == WAIT_OBJECT_0)
                ++released;
        });
    SetEvent(e);
    waiter.join();
    EXPECT_EQ(released, 1);
    // The signal was consumed by the waiter.
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    CloseHandle(e);
}

TEST(Events, AManualEventReleasesEveryWaiter)
{
    const HANDLE e = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back(
            [&]
            {
                if (WaitForSingleObject(e, INFINITE) == WAIT_OBJECT_0)
                    ++released;
            });
    SetEvent(e);
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(released, 4);
    CloseHandle(e);
}

TEST(Events, WaitsOnBadHandlesFail)
{
    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(0x12345678, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetEvent(0x12345678));
    EXPECT_FALSE(ResetEvent(0));
    const HANDLE e = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    CloseHandle(e);
    EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(0, nullptr, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Events, NamedEventsAreSharedInTheProcess)
{
    const HANDLE a = CreateEventA(nullptr, TRUE, FALSE, "Local\\Edit");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    const HANDLE b = CreateEventA(nullptr, TRUE, FALSE, "Local\\Edit");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_NE(a, b);
    SetEvent(a);
    EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_OBJECT_0);
    CloseHandle(a);
    CloseHandle(b);
    const HANDLE c = CreateEventA(nullptr, TRUE, FALSE, "Local\\Edit");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS); // the last handle took the old one with it
    CloseHandle(c);
}

TEST(Events, WaitForMultipleObjects)
{
    HANDLE h[3] = {CreateEventA(nullptr, FALSE, FALSE, nullptr),
                   CreateEventA(nullptr, FALSE, TRUE, nullptr),
                   CreateEventA(nullptr, TRUE, TRUE, nullptr)};
    EXPECT_EQ(WaitForMultipleObjects(3, h, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, h, FALSE, 0), WAIT_OBJECT_0 + 2); // 1 was consumed
    EXPECT_EQ(WaitForMultipleObjects(3, h, TRUE, 0), WAIT_TIMEOUT);
    SetEvent(h[0]);
    SetEvent(h[1]);
    EXPECT_EQ(WaitForMultipleObjects(3, h, TRUE, 0), WAIT_OBJECT_0);
    // Waiting for all consumed both auto-reset events; the manual one stays set.
    EXPECT_EQ(WaitForSingleObject(h[0], 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(h[1], 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(h[2], 0), WAIT_OBJECT_0);
    for (HANDLE e : h)
        CloseHandle(e);
}

} // namespace
