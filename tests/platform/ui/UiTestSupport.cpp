#include "tests/platform/ui/UiTestSupport.h"

#include <mutex>

namespace ui_test
{
namespace
{
std::mutex g_logLock;
std::vector<Recorded> g_log;
} // namespace

std::vector<Recorded> Log()
{
    std::lock_guard lock(g_logLock);
    return g_log;
}

void ClearLog()
{
    std::lock_guard lock(g_logLock);
    g_log.clear();
}

std::vector<Recorded> Messages(UINT message)
{
    std::vector<Recorded> result;
    for (const Recorded& r : Log())
        if (r.message == message)
            result.push_back(r);
    return result;
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard lock(g_logLock);
        g_log.push_back({hwnd, message, wParam, lParam, platform::Now()});
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeWindow(const char* title, DWORD style, HWND parent, int id)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = kRecordingClass;
    RegisterClassA(&wc); // fails harmlessly once registered
    return CreateWindowExA(0, kRecordingClass, title, style, 0, 0, 100, 100, parent,
                           static_cast<HMENU>(id), 0, nullptr);
}

void UiTest::SetUp()
{
    platform::UseManualClock(1000);
    // What an earlier test of this process left in the thread's queue (a quit, say).
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
    {
    }
    ClearLog();
}

void UiTest::TearDown()
{
    platform::SetIdleHook(nullptr);
    ClearLog();
}

} // namespace ui_test
