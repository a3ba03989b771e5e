#include "platform/ui/Messaging.h"

#include "machine/FileChanges.h"
#include "platform/ui/Clock.h"
#include "platform/ui/internal/DesktopLink.h"
#include "platform/ui/internal/Hooks.h"
#include "platform/ui/internal/ThreadQueue.h"
#include "platform/ui/internal/WindowOps.h"
#include "platform/ui/internal/WindowTable.h"

#include <cstdio>
#include <cstdlib>

using platform::ui::MessageFilter;
using platform::ui::ThreadQueue;
using platform::ui::WindowTable;

namespace
{

inline constexpr HWND HWND_BROADCAST = 0xFFFF;
inline constexpr HWND kThreadMessagesOnly = 0xFFFFFFFFu;

thread_local DWORD t_messageTime = 0;

MSG makeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(platform::Now()), {}};
}

bool makeFilter(HWND hWnd, UINT first, UINT last, MessageFilter& filter)
{
    filter.first = first;
    filter.last = last;
    if (hWnd == 0)
        return true;
    if (hWnd == kThreadMessagesOnly)
    {
        filter.threadOnly = true;
        return true;
    }
    if (!WindowTable::Instance().Contains(hWnd))
        return false;
    filter.anyWindow = false;
    filter.windows = WindowTable::Instance().Descendants(hWnd);
    filter.windows.push_back(hWnd);
    return true;
}

std::uint64_t progressOf(const ThreadQueue& queue)
{
    return queue.dispatched + platform::ClockGeneration();
}

enum class Idle
{
    WorkQueued,
    HookProgressed, // the hook did something but left nothing queued
};

// The thread has nothing to do: let the idle hook act, then sleep until something comes.
Idle idleWait(ThreadQueue& queue, const MessageFilter& filter)
{
    platform::ui::RunIdleWatchers();
    const std::uint64_t before = progressOf(queue);
    if (platform::ui::RunThreadIdleHook())
    {
        if (queue.HasWork(filter))
            return Idle::WorkQueued;
        if (progressOf(queue) != before)
            return Idle::HookProgressed;
        if (platform::IsManualClock())
        {
            std::fprintf(stderr,
                         "message loop of thread %u: the idle hook returned without doing "
                         "anything, on the manual clock; the loop would sleep for ever\n",
                         static_cast<unsigned>(queue.threadId()));
            std::abort();
        }
    }
    queue.WaitForWork(filter);
    return Idle::WorkQueued;
}

bool postTo(const std::shared_ptr<ThreadQueue>& queue, const MSG& msg)
{
    if (!queue || !queue->Post(msg))
    {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return false;
    }
    return true;
}

} // namespace

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == 0)
        return postTo(platform::ui::CurrentQueue(), makeMsg(0, Msg, wParam, lParam)) ? TRUE : FALSE;
    if (hWnd == HWND_BROADCAST)
    {
        for (HWND h : WindowTable::Instance().TopLevel())
            PostMessageA(h, Msg, wParam, lParam);
        return TRUE;
    }
    if (auto r = WindowTable::Instance().Get(hWnd))
        return postTo(platform::ui::FindQueue(r->threadId), makeMsg(hWnd, Msg, wParam, lParam))
                   ? TRUE
                   : FALSE;
    if (!platform::ui::IsLocalHandle(hWnd))
        if (auto foreign = platform::ui::FindForeignWindow(hWnd))
            if (platform::ui::PostToForeignWindow(*foreign, Msg, wParam, lParam))
                return TRUE;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
}

BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto queue = idThread == platform::ui::CurrentThreadId() ? platform::ui::CurrentQueue()
                                                             : platform::ui::FindQueue(idThread);
    return postTo(queue, makeMsg(0, Msg, wParam, lParam)) ? TRUE : FALSE;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto r = WindowTable::Instance().Get(hWnd);
    if (!r)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (r->threadId == platform::ui::CurrentThreadId())
        return platform::ui::CallWindow(hWnd, Msg, wParam, lParam);
    auto target = platform::ui::FindQueue(r->threadId);
    if (!target)
        return 0;
    return platform::ui::CurrentQueue()->SendAndWait(target, hWnd, Msg, wParam, lParam);
}

void PostQuitMessage(int nExitCode)
{
    platform::ui::CurrentQueue()->PostQuit(nExitCode);
}

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    MessageFilter filter;
    if (lpMsg == nullptr || !makeFilter(hWnd, wMsgFilterMin, wMsgFilterMax, filter))
    {
        SetLastError(lpMsg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    machine::LookAfresh();
    auto queue = platform::ui::CurrentQueue();
    while (!queue->Take(*lpMsg, filter, true))
        if (idleWait(*queue, filter) == Idle::HookProgressed)
        {
            // What the hook did was dispatched inside it (a wake-up message among it, maybe):
            // the loop around this call gets to look at its own state.
            *lpMsg = makeMsg(0, WM_NULL, 0, 0);
            break;
        }
    t_messageTime = lpMsg->time;
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    MessageFilter filter;
    if (lpMsg == nullptr || !makeFilter(hWnd, wMsgFilterMin, wMsgFilterMax, filter))
        return FALSE;
    const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    machine::LookAfresh(); // a loop of its own around this call may wait for a change
    if (!platform::ui::CurrentQueue()->Take(*lpMsg, filter, remove))
        return FALSE;
    if (remove)
        t_messageTime = lpMsg->time;
    return TRUE;
}

BOOL WaitMessage()
{
    machine::LookAfresh();
    auto queue = platform::ui::CurrentQueue();
    MessageFilter any;
    if (!queue->HasWork(any))
        idleWait(*queue, any);
    return TRUE;
}

BOOL TranslateMessage(const MSG*)
{
    // Keys arrive already translated (tests inject WM_CHAR directly).
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* lpMsg)
{
    if (lpMsg == nullptr)
        return 0;
    // The handling of one message looks at the machine once, whatever it calls: a timer's tick
    // makes many calls. A wait inside it looks again after.
    const machine::ChangeScope scope;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0)
    {
        std::shared_ptr<ThreadQueue> owner;
        if (lpMsg->hwnd == 0)
            owner = platform::ui::CurrentQueue();
        else if (auto r = WindowTable::Instance().Get(lpMsg->hwnd))
            owner = platform::ui::FindQueue(r->threadId);
        TIMERPROC proc = owner ? owner->TimerProc(lpMsg->hwnd, lpMsg->wParam) : nullptr;
        if (proc != nullptr)
        {
            ++platform::ui::CurrentQueue()->dispatched;
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, lpMsg->time);
        }
        return 0;
    }
    if (lpMsg->hwnd == 0)
        return 0;
    LRESULT result =
        platform::ui::CallWindow(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    if (lpMsg->message == WM_PAINT)
        platform::ui::ValidateWindow(lpMsg->hwnd);
    return result;
}

LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc != nullptr ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

DWORD GetMessageTime()
{
    return t_messageTime;
}
