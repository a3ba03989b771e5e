#include "tests/platform/ui/UiTestSupport.h"

#include <atomic>
#include <thread>
#include <utility>

namespace
{

using ui_test::MakeWindow;
using ui_test::Messages;

class TimerTest : public ui_test::UiTest
{
};

// (id, clock) of each WM_TIMER the recording windows received.
std::vector<std::pair<UINT_PTR, std::uint64_t>> firedTimers()
{
    std::vector<std::pair<UINT_PTR, std::uint64_t>> fired;
    for (const auto& m : Messages(WM_TIMER))
        fired.emplace_back(m.wParam, m.now);
    return fired;
}

TEST_F(TimerTest, WindowTimersReturnTheIdPassedAndFireInDueOrderReadingTheirDueTime)
{
    HWND first = MakeWindow("first");
    HWND second = MakeWindow("second", WS_POPUP);
    // Created in this order; ties go by creation.
    EXPECT_EQ(SetTimer(first, 1, 300, nullptr), 1u);
    EXPECT_EQ(SetTimer(second, 2, 200, nullptr), 2u);
    EXPECT_EQ(SetTimer(first, 0, 500, nullptr), 0u); // id 0 is a timer like any other

    platform::AdvanceClock(1000);

    const std::vector<std::pair<UINT_PTR, std::uint64_t>> expected = {
        {2, 1200}, {1, 1300}, {2, 1400}, {0, 1500}, {1, 1600},
        {2, 1600}, {2, 1800}, {1, 1900}, {2, 2000}, {0, 2000}};
    EXPECT_EQ(firedTimers(), expected);
    for (const auto& m : Messages(WM_TIMER))
        EXPECT_EQ(m.hwnd, m.wParam == 2 ? second : first);
    EXPECT_EQ(platform::Now(), 2000u);

    DestroyWindow(first);
    DestroyWindow(second);
}

TEST_F(TimerTest, SettingAnExistingTimerRestartsIt)
{
    HWND hwnd = MakeWindow("w");
    SetTimer(hwnd, 2, 1000, nullptr);
    platform::AdvanceClock(600);
    EXPECT_EQ(SetTimer(hwnd, 2, 1000, nullptr), 2u); // restarted at 1600
    platform::AdvanceClock(900);
    EXPECT_TRUE(firedTimers().empty());
    platform::AdvanceClock(100);
    EXPECT_EQ(firedTimers(), (std::vector<std::pair<UINT_PTR, std::uint64_t>>{{2, 2600}}));

    // A new period replaces the old one.
    SetTimer(hwnd, 2, 50, nullptr);
    ui_test::ClearLog();
    platform::AdvanceClock(100);
    EXPECT_EQ(firedTimers(),
              (std::vector<std::pair<UINT_PTR, std::uint64_t>>{{2, 2650}, {2, 2700}}));
    DestroyWindow(hwnd);
}

TEST_F(TimerTest, KillingStopsOnlyThatTimerAndAMissingOneIsHarmless)
{
    HWND hwnd = MakeWindow("w");
    SetTimer(hwnd, 0, 100, nullptr);
    UINT_PTR returned = SetTimer(hwnd, 1, 100, nullptr);
    SetTimer(hwnd, 2, 100, nullptr);

    EXPECT_FALSE(KillTimer(hwnd, 3)); // never set
    EXPECT_TRUE(KillTimer(hwnd, 0));
    EXPECT_TRUE(KillTimer(hwnd, returned));
    EXPECT_FALSE(KillTimer(hwnd, returned)); // already gone

    platform::AdvanceClock(100);
    EXPECT_EQ(firedTimers(), (std::vector<std::pair<UINT_PTR, std::uint64_t>>{{2, 1100}}));
    DestroyWindow(hwnd);
}

TEST_F(TimerTest, TimersDieWithTheirWindow)
{
    HWND doomed = MakeWindow("doomed");
    HWND child = MakeWindow("child", WS_CHILD, doomed, 7);
    HWND other = MakeWindow("other");
    SetTimer(doomed, 1, 100, nullptr);
    SetTimer(child, 1, 100, nullptr);
    SetTimer(other, 1, 100, nullptr);

    DestroyWindow(doomed);
    platform::AdvanceClock(100);

    auto fired = Messages(WM_TIMER);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].hwnd, other);
    EXPECT_FALSE(KillTimer(doomed, 1));
    EXPECT_EQ(SetTimer(doomed, 1, 100, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    DestroyWindow(other);
}

TEST_F(TimerTest, ALateTimerFiresOnceAndIsReArmedFromWhenItFired)
{
    HWND hwnd = MakeWindow("w");
    SetTimer(hwnd, 1, 100, nullptr);
    // Ten periods pass while the thread is busy.
    platform::AdvanceClockWithoutDispatch(1000);
    platform::PumpUntilIdle();
    EXPECT_EQ(firedTimers(), (std::vector<std::pair<UINT_PTR, std::uint64_t>>{{1, 2000}}));

    platform::AdvanceClock(99);
    EXPECT_EQ(Messages(WM_TIMER).size(), 1u);
    platform::AdvanceClock(1);
    EXPECT_EQ(Messages(WM_TIMER).size(), 2u);
    DestroyWindow(hwnd);
}

TEST_F(TimerTest, TimerMessagesComeAfterPostedMessages)
{
    HWND hwnd = MakeWindow("w");
    SetTimer(hwnd, 1, 100, nullptr);
    platform::AdvanceClockWithoutDispatch(100);
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    PostMessageA(hwnd, WM_USER + 2, 0, 0);
    platform::PumpUntilIdle();

    std::vector<UINT> order;
    for (const auto& m : ui_test::Log())
        if (m.message == WM_TIMER || m.message >= WM_USER)
            order.push_back(m.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_TIMER}));
    DestroyWindow(hwnd);
}

struct ProcCall
{
    HWND hwnd;
    UINT message;
    UINT_PTR id;
    DWORD time;
};
std::vector<ProcCall> g_procCalls;

void CALLBACK RecordTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time)
{
    g_procCalls.push_back({hwnd, message, id, time});
}

TEST_F(TimerTest, AWindowTimerWithAProcedureCallsItInsteadOfTheWindow)
{
    g_procCalls.clear();
    HWND hwnd = MakeWindow("w");
    SetTimer(hwnd, 5, 100, RecordTimerProc);
    platform::AdvanceClock(100);
    ASSERT_EQ(g_procCalls.size(), 1u);
    EXPECT_EQ(g_procCalls[0].hwnd, hwnd);
    EXPECT_EQ(g_procCalls[0].message, WM_TIMER);
    EXPECT_EQ(g_procCalls[0].id, 5u);
    EXPECT_EQ(g_procCalls[0].time, 1100u);
    EXPECT_TRUE(Messages(WM_TIMER).empty());
    DestroyWindow(hwnd);
}

TEST_F(TimerTest, ThreadTimersGetAFreshIdOnEveryCallAndCallTheirProcedure)
{
    g_procCalls.clear();
    UINT_PTR a = SetTimer(0, 0, 500, RecordTimerProc);
    UINT_PTR b = SetTimer(0, 0, 500, RecordTimerProc);
    UINT_PTR c = SetTimer(0, 0, 700, RecordTimerProc);
    EXPECT_NE(a, 0u);
    EXPECT_NE(b, 0u);
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_NE(a, c);
    // An id that names a timer of the thread restarts that one.
    EXPECT_EQ(SetTimer(0, c, 300, RecordTimerProc), c);
    // An id that names none gets a fresh one.
    UINT_PTR d = SetTimer(0, 123456, 300, RecordTimerProc);
    EXPECT_NE(d, 123456u);
    EXPECT_TRUE(KillTimer(0, d));

    platform::AdvanceClock(500);
    ASSERT_EQ(g_procCalls.size(), 3u);
    EXPECT_EQ(g_procCalls[0].id, c); // due at 1300
    EXPECT_EQ(g_procCalls[1].id, a); // 1500, set first
    EXPECT_EQ(g_procCalls[2].id, b);
    for (const auto& call : g_procCalls)
    {
        EXPECT_EQ(call.hwnd, 0u);
        EXPECT_EQ(call.message, WM_TIMER);
    }
    EXPECT_EQ(g_procCalls[0].time, 1300u);
    EXPECT_EQ(g_procCalls[1].time, 1500u);

    EXPECT_TRUE(KillTimer(0, a));
    EXPECT_TRUE(KillTimer(0, b));
    EXPECT_TRUE(KillTimer(0, c));
    EXPECT_FALSE(KillTimer(0, c));
    g_procCalls.clear();
    platform::AdvanceClock(5000);
    EXPECT_TRUE(g_procCalls.empty());
}

TEST_F(TimerTest, AGetMessageLoopSeesTimersOfItsThreadOnly)
{
    // A window of a worker thread: its timer fires in the worker's loop, not in this thread's.
    std::atomic<HWND> workerWindow{0};
    std::atomic<DWORD> workerThread{0};
    std::thread worker(
        [&]
        {
            HWND hwnd = MakeWindow("worker");
            workerWindow = hwnd;
            SetTimer(hwnd, 9, 100, nullptr);
            workerThread = GetCurrentThreadId();
            MSG msg;
            while (GetMessageA(&msg, 0, 0, 0) > 0)
            {
                DispatchMessageA(&msg);
                if (msg.message == WM_TIMER)
                {
                    DestroyWindow(hwnd);
                    PostQuitMessage(0);
                }
            }
        });
    ASSERT_TRUE(
        ui_test::Eventually([&] { return platform::GetLoopWaitState(workerThread).waiting; }));
    platform::AdvanceClock(100); // this thread has no timers: it only moves the clock
    worker.join();
    auto fired = Messages(WM_TIMER);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].hwnd, workerWindow);
}

} // namespace
