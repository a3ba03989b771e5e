#include "platform/ui/Timers.h"

#include "platform/ui/MessageIds.h"
#include "platform/ui/internal/ThreadQueue.h"
#include "platform/ui/internal/WindowTable.h"

#include <algorithm>

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    const UINT period = std::clamp(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (hWnd == 0)
        return platform::ui::CurrentQueue()->SetThreadTimer(nIDEvent, period, lpTimerFunc);
    auto r = platform::ui::WindowTable::Instance().Get(hWnd);
    auto queue = r ? platform::ui::FindQueue(r->threadId) : nullptr;
    if (!queue)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    queue->SetWindowTimer(hWnd, nIDEvent, period, lpTimerFunc);
    return nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    std::shared_ptr<platform::ui::ThreadQueue> queue;
    if (hWnd == 0)
        queue = platform::ui::CurrentQueueIfAny();
    else if (auto r = platform::ui::WindowTable::Instance().Get(hWnd))
        queue = platform::ui::FindQueue(r->threadId);
    else
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return queue && queue->KillTimer(hWnd, uIDEvent) ? TRUE : FALSE;
}

std::vector<platform::WindowTimer> platform::WindowTimers(HWND hwnd)
{
    auto r = platform::ui::WindowTable::Instance().Get(hwnd);
    auto queue = r ? platform::ui::FindQueue(r->threadId) : nullptr;
    return queue ? queue->WindowTimers(hwnd) : std::vector<WindowTimer>{};
}
