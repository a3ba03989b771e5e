#include "platform/ui/TestPump.h"

#include "platform/ui/MessageIds.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/internal/Hooks.h"
#include "platform/ui/internal/ThreadQueue.h"

namespace platform
{

int PumpUntilIdle()
{
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!ui::RunPreTranslateFilter(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        ++count;
    }
    return count;
}

void SetIdleHook(std::function<void()> hook)
{
    ui::SetThreadIdleHook(std::move(hook));
}

void WaitForQueuedWork()
{
    ui::CurrentQueue()->WaitForWork(ui::MessageFilter{});
}

LoopWaitState GetLoopWaitState(DWORD threadId)
{
    auto queue = ui::FindQueue(threadId);
    if (!queue)
        return {};
    auto counters = queue->counters();
    return {counters.waiting, counters.wakeups};
}

} // namespace platform
