#include "platform/ui/internal/Hooks.h"
#include "tests/platform/ui/UiTestSupport.h"

#include <atomic>
#include <thread>

namespace
{

using ui_test::MakeWindow;
using ui_test::Messages;

class MessageLoopTest : public ui_test::UiTest
{
};

TEST_F(MessageLoopTest, GetMessageOrderIsPostedThenQuitThenPaintThenTimer)
{
    HWND hwnd = MakeWindow("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    platform::PumpUntilIdle(); // the first paint
    SetTimer(hwnd, 1, 100, nullptr);
    platform::AdvanceClockWithoutDispatch(100);
    InvalidateRect(hwnd, nullptr, TRUE);
    PostQuitMessage(3);
    PostMessageA(hwnd, WM_USER + 1, 11, 12);
    PostMessageA(0, WM_USER + 2, 0, 0); // to the thread

    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_EQ(msg.lParam, 12);
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.hwnd, 0u);
    EXPECT_EQ(msg.message, WM_USER + 2);
    EXPECT_FALSE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_PAINT);
    DispatchMessageA(&msg); // validates, even though the procedure only records it
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    DestroyWindow(hwnd);
}

TEST_F(MessageLoopTest, OnlyVisibleWindowsArePaintedAndShowingOneInvalidatesIt)
{
    HWND hidden = MakeWindow("hidden");
    InvalidateRect(hidden, nullptr, TRUE);
    platform::PumpUntilIdle();
    EXPECT_TRUE(Messages(WM_PAINT).empty());

    ShowWindow(hidden, SW_SHOW);
    EXPECT_EQ(platform::PumpUntilIdle(), 1);
    ASSERT_EQ(Messages(WM_PAINT).size(), 1u);
    EXPECT_EQ(Messages(WM_PAINT)[0].hwnd, hidden);

    // Once painted it stays quiet until invalidated again; UpdateWindow paints at once.
    EXPECT_EQ(platform::PumpUntilIdle(), 0);
    InvalidateRect(hidden, nullptr, FALSE);
    UpdateWindow(hidden);
    EXPECT_EQ(Messages(WM_PAINT).size(), 2u);
    EXPECT_EQ(platform::PumpUntilIdle(), 0);
    DestroyWindow(hidden);
}

TEST_F(MessageLoopTest, PeekMessageWithoutRemoveLeavesTheMessageAndFiltersApply)
{
    HWND a = MakeWindow("a");
    HWND b = MakeWindow("b");
    PostMessageA(a, WM_USER + 1, 0, 0);
    PostMessageA(b, WM_USER + 2, 0, 0);
    PostMessageA(b, WM_APP, 0, 0);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessageA(&msg, 0, WM_APP, WM_APP, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_APP);
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(MessageLoopTest, PostingToAWindowOfAnotherThreadWakesItsLoop)
{
    std::atomic<HWND> window{0};
    std::atomic<DWORD> thread{0};
    MSG received{};
    std::thread ui(
        [&]
        {
            window = MakeWindow("ui");
            thread = GetCurrentThreadId();
            GetMessageA(&received, 0, 0, 0);
            DestroyWindow(window);
        });
    ASSERT_TRUE(ui_test::Eventually([&] { return platform::GetLoopWaitState(thread).waiting; }));
    EXPECT_TRUE(PostMessageA(window, WM_APP + 1, 0x8006, -5));
    ui.join();
    EXPECT_EQ(received.hwnd, window.load());
    EXPECT_EQ(received.message, WM_APP + 1);
    EXPECT_EQ(received.wParam, 0x8006u);
    EXPECT_EQ(received.lParam, -5);
}

TEST_F(MessageLoopTest, PostsFailForWindowsAndThreadsThatAreGone)
{
    HWND hwnd = MakeWindow("w");
    DestroyWindow(hwnd);
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

    DWORD ended = 0;
    std::thread(
        [&]
        {
            ended = GetCurrentThreadId();
            MSG msg;
            PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE); // has a queue while it runs
        })
        .join();
    EXPECT_FALSE(PostThreadMessageA(ended, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);

    // This thread's own queue takes thread messages.
    EXPECT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER + 3, 1, 2));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, 0u);
    EXPECT_EQ(msg.message, WM_USER + 3);
}

// The worker's window answers WM_USER+5 with its thread id; WM_USER+6 sends back to the
// caller's window first, which the caller must serve while it waits.
std::atomic<HWND> g_callerWindow{0};
LRESULT CALLBACK ServerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 5)
        return static_cast<LRESULT>(GetCurrentThreadId());
    if (message == WM_USER + 6)
        return SendMessageA(g_callerWindow, WM_USER + 7, wParam, 0) + 1;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(MessageLoopTest, SendMessageToAnotherThreadWaitsForItsAnswerAndServesSendsMeanwhile)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ServerProc;
    wc.lpszClassName = "UiTestServer";
    RegisterClassA(&wc);
    std::atomic<HWND> server{0};
    std::atomic<DWORD> serverThread{0};
    std::thread ui(
        [&]
        {
            server = CreateWindowExA(0, "UiTestServer", "server", WS_POPUP, 0, 0, 0, 0, 0, 0, 0,
                                     nullptr);
            serverThread = GetCurrentThreadId();
            MSG msg;
            while (GetMessageA(&msg, 0, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(server);
        });
    ASSERT_TRUE(ui_test::Eventually([&] { return serverThread != 0; }));

    EXPECT_EQ(SendMessageA(server, WM_USER + 5, 0, 0), static_cast<LRESULT>(serverThread.load()));

    HWND caller = MakeWindow("caller"); // records WM_USER+7 and answers 0
    g_callerWindow = caller;
    EXPECT_EQ(SendMessageA(server, WM_USER + 6, 40, 0), 1);
    auto served = Messages(WM_USER + 7);
    ASSERT_EQ(served.size(), 1u);
    EXPECT_EQ(served[0].wParam, 40u);

    PostThreadMessageA(serverThread, WM_QUIT, 0, 0);
    ui.join();
    EXPECT_FALSE(IsWindow(server));
    EXPECT_EQ(SendMessageA(server, WM_USER + 5, 0, 0), 0); // gone
    DestroyWindow(caller);
}

struct IdleCase
{
    const char* name;
    bool withTimer; // a timer far in the future: the wait has a deadline, still no spinning
    friend std::ostream& operator<<(std::ostream& out, const IdleCase& c) { return out << c.name; }
};

class IdleLoopTest : public ui_test::UiTest, public ::testing::WithParamInterface<IdleCase>
{
};

TEST_P(IdleLoopTest, AnIdleLoopSleepsInItsWaitInsteadOfSpinning)
{
    platform::UseRealClock();
    std::atomic<DWORD> thread{0};
    std::thread ui(
        [&]
        {
            HWND hwnd = MakeWindow("idle");
            if (GetParam().withTimer)
                SetTimer(hwnd, 1, 600000, nullptr);
            thread = GetCurrentThreadId();
            MSG msg;
            while (GetMessageA(&msg, 0, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(hwnd);
        });
    ASSERT_TRUE(ui_test::Eventually([&] { return platform::GetLoopWaitState(thread).waiting; }));
    const auto before = platform::GetLoopWaitState(thread);
    // Time for a polling loop to show itself.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto after = platform::GetLoopWaitState(thread);
    EXPECT_TRUE(after.waiting);
    EXPECT_EQ(after.wakeups, before.wakeups);

    PostThreadMessageA(thread, WM_QUIT, 0, 0);
    ui.join();
}

INSTANTIATE_TEST_SUITE_P(Loops, IdleLoopTest,
                         ::testing::Values(IdleCase{"NoTimer", false}, IdleCase{"LongTimer", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageLoopTest, OnTheManualClockALoopSleepsUntilTheClockReachesItsTimer)
{
    std::atomic<DWORD> thread{0};
    std::atomic<int> ticks{0};
    std::thread ui(
        [&]
        {
            HWND hwnd = MakeWindow("ticker");
            SetTimer(hwnd, 1, 1000, nullptr);
            thread = GetCurrentThreadId();
            MSG msg;
            while (GetMessageA(&msg, 0, 0, 0) > 0)
                if (msg.message == WM_TIMER && ++ticks == 1)
                    PostQuitMessage(0);
            DestroyWindow(hwnd);
        });
    ASSERT_TRUE(ui_test::Eventually([&] { return platform::GetLoopWaitState(thread).waiting; }));
    platform::AdvanceClock(999);
    ASSERT_TRUE(ui_test::Eventually([&] { return platform::GetLoopWaitState(thread).waiting; }));
    EXPECT_EQ(ticks, 0);
    platform::AdvanceClock(1);
    ui.join();
    EXPECT_EQ(ticks, 1);
}

TEST_F(MessageLoopTest, TheIdleHookRunsWhenTheLoopWouldSleep)
{
    HWND hwnd = MakeWindow("w");
    SetTimer(hwnd, 4, 500, nullptr);
    int calls = 0;
    platform::SetIdleHook(
        [&]
        {
            ++calls;
            platform::AdvanceClockWithoutDispatch(250);
        });
    // The first call moves the clock halfway: the loop gets a WM_NULL to look at its state.
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_NULL);
    EXPECT_EQ(msg.hwnd, 0u);
    // The second makes the timer due.
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 4u);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(platform::Now(), 1500u);
    // With something queued the hook is not asked.
    PostMessageA(hwnd, WM_USER, 0, 0);
    ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(calls, 2);
    DestroyWindow(hwnd);
}

TEST_F(MessageLoopTest, AnIdleHookThatDoesNothingOnTheManualClockAbortsInsteadOfHanging)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            platform::SetIdleHook([] {});
            MSG msg;
            GetMessageA(&msg, 0, 0, 0);
        },
        "idle hook returned without doing anything");
}

TEST_F(MessageLoopTest, PumpUntilIdleStopsAtAQuitAndLeavesItPending)
{
    HWND hwnd = MakeWindow("w");
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostQuitMessage(9);
    EXPECT_EQ(platform::PumpUntilIdle(), 1);
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, 0, 0, 0));
    EXPECT_EQ(msg.wParam, 9u);
    DestroyWindow(hwnd);
}

} // namespace

namespace
{

// A watcher of the loop's idle points (what a wait for a window's state uses) runs each time the
// loop has dispatched what came and is about to sleep: never while it sleeps, so the loop stays
// asleep, and no more once it says it is done.
TEST_F(MessageLoopTest, AnIdleWatcherRunsAtEachSleepUntilItIsDone)
{
    platform::UseRealClock();
    std::atomic<DWORD> thread{0};
    std::atomic<int> looks{0};
    std::thread ui(
        [&]
        {
            HWND hwnd = MakeWindow("watched");
            platform::ui::AddIdleWatcher([&] { return ++looks == 3; });
            thread = GetCurrentThreadId();
            MSG msg;
            while (GetMessageA(&msg, 0, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(hwnd);
        });
    // Asleep again after a wake-up that came after `since`.
    auto asleepSince = [&](std::uint64_t since)
    {
        return ui_test::Eventually(
            [&]
            {
                const auto state = platform::GetLoopWaitState(thread);
                return state.waiting && state.wakeups > since;
            });
    };
    ASSERT_TRUE(ui_test::Eventually([&] { return platform::GetLoopWaitState(thread).waiting; }));
    const auto before = platform::GetLoopWaitState(thread);
    EXPECT_EQ(looks, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(platform::GetLoopWaitState(thread).wakeups, before.wakeups);
    EXPECT_EQ(looks, 1);

    for (int n = 2; n <= 4; ++n)
    {
        const auto since = platform::GetLoopWaitState(thread).wakeups;
        ASSERT_TRUE(PostThreadMessageA(thread, WM_APP, 0, 0));
        ASSERT_TRUE(asleepSince(since)) << n;
        // The third look was its last.
        EXPECT_EQ(looks, n < 3 ? n : 3) << n;
    }
    PostThreadMessageA(thread, WM_QUIT, 0, 0);
    ui.join();
}

} // namespace
