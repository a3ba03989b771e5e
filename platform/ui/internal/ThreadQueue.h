#pragma once
// The message queue of one thread: posted messages, messages sent by other threads, the quit
// flag, windows waiting to be painted, and the thread's timers (window timers of its windows
// and thread timers). The thread waits on it until it has something to do; any thread may post.

#include "platform/ui/Timers.h"
#include "platform/ui/UserTypes.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace platform::ui
{

class ThreadQueue;

// A message sent from another thread; the sender waits until `done`.
struct SentMessage
{
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false; // guarded by the sender queue's lock
    std::shared_ptr<ThreadQueue> sender;
};

// Which messages a GetMessage/PeekMessage call asks for.
struct MessageFilter
{
    bool anyWindow = true;
    bool threadOnly = false;   // hWnd == (HWND)-1: messages posted to the thread only
    std::vector<HWND> windows; // the window asked for and its descendants
    UINT first = 0, last = 0;  // 0, 0: every message

    bool acceptsMessage(UINT message) const
    {
        return (first == 0 && last == 0) || (message >= first && message <= last);
    }
    bool acceptsWindow(HWND hwnd) const;
    bool accepts(HWND hwnd, UINT message) const
    {
        return acceptsWindow(hwnd) && acceptsMessage(message);
    }
};

struct QueueWaitCounters
{
    bool waiting = false;
    std::uint64_t wakeups = 0; // returns from the blocking wait, whatever woke it
};

class ThreadQueue : public std::enable_shared_from_this<ThreadQueue>
{
public:
    explicit ThreadQueue(DWORD threadId) : m_threadId(threadId) {}

    DWORD threadId() const { return m_threadId; }

    // Any thread.
    bool Post(const MSG& msg);
    void PostQuit(int exitCode);
    void Wake();
    void AddPaint(HWND hwnd);
    void RemovePaint(HWND hwnd);
    bool NeedsPaint(HWND hwnd);
    void SetWindowTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC proc);
    // Sets (or, for an existing id, restarts) a thread timer; returns its id.
    UINT_PTR SetThreadTimer(UINT_PTR requestedId, UINT period, TIMERPROC proc);
    bool KillTimer(HWND hwnd, UINT_PTR id);
    void KillWindowTimers(HWND hwnd);
    TIMERPROC TimerProc(HWND hwnd, UINT_PTR id);
    // The window's timers in the order they were first set.
    std::vector<platform::WindowTimer> WindowTimers(HWND hwnd);
    std::optional<std::uint64_t> EarliestDue();
    QueueWaitCounters counters();
    // A message sent to one of this thread's windows by another thread.
    bool EnqueueSent(const std::shared_ptr<SentMessage>& sent);

    // Owning thread only.
    // Delivers incoming sent messages, then takes (or with remove=false, copies) the next
    // message in the platform's order: posted, quit, paint, timer.
    bool Take(MSG& msg, const MessageFilter& filter, bool remove);
    bool HasWork(const MessageFilter& filter);
    // Blocks until HasWork (sent messages arriving meanwhile are delivered).
    void WaitForWork(const MessageFilter& filter);
    // Sends to a window of another thread and waits for the result, serving messages sent to
    // this thread meanwhile. 0 when the target thread ends first.
    LRESULT SendAndWait(const std::shared_ptr<ThreadQueue>& target, HWND hwnd, UINT message,
                        WPARAM wParam, LPARAM lParam);
    // The thread ends: pending senders get 0, later posts fail.
    void Shutdown();

    // Per-thread state kept with the queue (owning thread only).
    HWND focus = 0;
    std::uint64_t dispatched = 0; // messages handed to window procedures or timer procedures

private:
    struct Timer
    {
        HWND hwnd;
        UINT_PTR id;
        UINT period;
        std::uint64_t due;
        TIMERPROC proc;
        std::uint64_t seq;
    };

    bool hasWorkLocked(const MessageFilter& filter) const;
    const Timer* dueTimerLocked(const MessageFilter& filter, std::uint64_t now) const;
    std::optional<std::uint64_t> nextDueLocked(const MessageFilter& filter) const;
    void deliver(const std::shared_ptr<SentMessage>& sent);

    const DWORD m_threadId;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<MSG> m_posted;
    std::deque<std::shared_ptr<SentMessage>> m_sent;
    std::vector<HWND> m_paint;
    std::vector<Timer> m_timers;
    std::uint64_t m_timerSeq = 0;
    bool m_quit = false;
    int m_quitCode = 0;
    bool m_dead = false;
    QueueWaitCounters m_counters;
};

DWORD CurrentThreadId();
// The calling thread's queue, made on first use.
std::shared_ptr<ThreadQueue> CurrentQueue();
// The calling thread's queue when it has one.
std::shared_ptr<ThreadQueue> CurrentQueueIfAny();
std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId);
void WakeAllQueues();

} // namespace platform::ui
