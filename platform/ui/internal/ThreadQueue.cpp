#include "platform/ui/internal/ThreadQueue.h"

#include "platform/base/Threads.h"

#include "platform/ui/Clock.h"
#include "platform/ui/MessageIds.h"
#include "platform/ui/internal/WindowTable.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>

namespace platform::ui
{
namespace
{

struct Registry
{
    std::mutex mutex;
    std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};

Registry& registry()
{
    static Registry* instance = new Registry; // outlives every thread's exit handling
    return *instance;
}

// Thread-timer ids come from one counter for the process, so no two calls return the same.
std::atomic<UINT_PTR> g_nextThreadTimerId{1};

// Ends the thread's queue when the thread ends.
struct QueueHolder
{
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder()
    {
        if (!queue)
            return;
        {
            std::lock_guard lock(registry().mutex);
            registry().queues.erase(queue->threadId());
        }
        queue->Shutdown();
        ForgetThreadWindows(queue->threadId());
    }
};

thread_local QueueHolder t_holder;

std::chrono::steady_clock::time_point steadyFromMs(std::uint64_t ms)
{
    return std::chrono::steady_clock::time_point(std::chrono::milliseconds(ms));
}

} // namespace

bool MessageFilter::acceptsWindow(HWND hwnd) const
{
    if (threadOnly)
        return hwnd == 0;
    if (anyWindow)
        return true;
    return std::find(windows.begin(), windows.end(), hwnd) != windows.end();
}

DWORD CurrentThreadId()
{
    return ::GetCurrentThreadId();
}

std::shared_ptr<ThreadQueue> CurrentQueue()
{
    if (!t_holder.queue)
    {
        auto queue = std::make_shared<ThreadQueue>(CurrentThreadId());
        std::lock_guard lock(registry().mutex);
        registry().queues[queue->threadId()] = queue;
        t_holder.queue = std::move(queue);
    }
    return t_holder.queue;
}

std::shared_ptr<ThreadQueue> CurrentQueueIfAny()
{
    return t_holder.queue;
}

std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId)
{
    std::lock_guard lock(registry().mutex);
    auto it = registry().queues.find(threadId);
    return it == registry().queues.end() ? nullptr : it->second;
}

void WakeAllQueues()
{
    std::vector<std::shared_ptr<ThreadQueue>> queues;
    {
        std::lock_guard lock(registry().mutex);
        for (auto& [id, queue] : registry().queues)
            queues.push_back(queue);
    }
    for (auto& queue : queues)
        queue->Wake();
}

bool ThreadQueue::Post(const MSG& msg)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_dead)
            return false;
        m_posted.push_back(msg);
    }
    m_cv.notify_all();
    return true;
}

void ThreadQueue::PostQuit(int exitCode)
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quitCode = exitCode;
    }
    m_cv.notify_all();
}

void ThreadQueue::Wake()
{
    // Taking the lock orders the wake after a waiter's last look at the clock.
    {
        std::lock_guard lock(m_mutex);
    }
    m_cv.notify_all();
}

void ThreadQueue::AddPaint(HWND hwnd)
{
    {
        std::lock_guard lock(m_mutex);
        if (std::find(m_paint.begin(), m_paint.end(), hwnd) != m_paint.end())
            return;
        m_paint.push_back(hwnd);
    }
    m_cv.notify_all();
}

void ThreadQueue::RemovePaint(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_paint.erase(std::remove(m_paint.begin(), m_paint.end(), hwnd), m_paint.end());
}

bool ThreadQueue::NeedsPaint(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    return std::find(m_paint.begin(), m_paint.end(), hwnd) != m_paint.end();
}

void ThreadQueue::SetWindowTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC proc)
{
    const std::uint64_t due = Now() + period;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_timers.begin(), m_timers.end(),
                               [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
        if (it != m_timers.end())
        {
            it->period = period;
            it->due = due;
            it->proc = proc;
        }
        else
            m_timers.push_back(Timer{hwnd, id, period, due, proc, ++m_timerSeq});
    }
    m_cv.notify_all();
}

UINT_PTR ThreadQueue::SetThreadTimer(UINT_PTR requestedId, UINT period, TIMERPROC proc)
{
    const std::uint64_t due = Now() + period;
    UINT_PTR id = 0;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_timers.begin(), m_timers.end(),
                               [&](const Timer& t)
                               { return t.hwnd == 0 && requestedId != 0 && t.id == requestedId; });
        if (it != m_timers.end())
        {
            it->period = period;
            it->due = due;
            it->proc = proc;
            id = it->id;
        }
        else
        {
            id = g_nextThreadTimerId.fetch_add(1);
            if (id == 0) // after wrapping around
                id = g_nextThreadTimerId.fetch_add(1);
            m_timers.push_back(Timer{0, id, period, due, proc, ++m_timerSeq});
        }
    }
    m_cv.notify_all();
    return id;
}

bool ThreadQueue::KillTimer(HWND hwnd, UINT_PTR id)
{
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

void ThreadQueue::KillWindowTimers(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [&](const Timer& t) { return t.hwnd == hwnd; }),
                   m_timers.end());
}

TIMERPROC ThreadQueue::TimerProc(HWND hwnd, UINT_PTR id)
{
    std::lock_guard lock(m_mutex);
    for (const Timer& t : m_timers)
        if (t.hwnd == hwnd && t.id == id)
            return t.proc;
    return nullptr;
}

std::vector<platform::WindowTimer> ThreadQueue::WindowTimers(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    std::vector<const Timer*> found;
    for (const Timer& t : m_timers)
        if (t.hwnd == hwnd)
            found.push_back(&t);
    std::sort(found.begin(), found.end(),
              [](const Timer* a, const Timer* b) { return a->seq < b->seq; });
    std::vector<platform::WindowTimer> out;
    for (const Timer* t : found)
        out.push_back({t->id, t->period, t->proc != nullptr});
    return out;
}

std::optional<std::uint64_t> ThreadQueue::EarliestDue()
{
    std::lock_guard lock(m_mutex);
    return nextDueLocked(MessageFilter{});
}

QueueWaitCounters ThreadQueue::counters()
{
    std::lock_guard lock(m_mutex);
    return m_counters;
}

bool ThreadQueue::EnqueueSent(const std::shared_ptr<SentMessage>& sent)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_dead)
            return false;
        m_sent.push_back(sent);
    }
    m_cv.notify_all();
    return true;
}

const ThreadQueue::Timer* ThreadQueue::dueTimerLocked(const MessageFilter& filter,
                                                      std::uint64_t now) const
{
    const Timer* best = nullptr;
    for (const Timer& t : m_timers)
    {
        if (t.due > now || !filter.accepts(t.hwnd, WM_TIMER))
            continue;
        if (best == nullptr || t.due < best->due || (t.due == best->due && t.seq < best->seq))
            best = &t;
    }
    return best;
}

std::optional<std::uint64_t> ThreadQueue::nextDueLocked(const MessageFilter& filter) const
{
    std::optional<std::uint64_t> next;
    for (const Timer& t : m_timers)
        if (filter.accepts(t.hwnd, WM_TIMER) && (!next || t.due < *next))
            next = t.due;
    return next;
}

bool ThreadQueue::hasWorkLocked(const MessageFilter& filter) const
{
    if (!m_sent.empty())
        return true;
    for (const MSG& m : m_posted)
        if (filter.accepts(m.hwnd, m.message))
            return true;
    if (m_quit && filter.acceptsMessage(WM_QUIT))
        return true;
    if (filter.acceptsMessage(WM_PAINT))
        for (HWND h : m_paint)
            if (filter.acceptsWindow(h))
                return true;
    return dueTimerLocked(filter, Now()) != nullptr;
}

void ThreadQueue::deliver(const std::shared_ptr<SentMessage>& sent)
{
    LRESULT result = CallWindow(sent->hwnd, sent->message, sent->wParam, sent->lParam);
    auto& sender = sent->sender;
    {
        std::lock_guard lock(sender->m_mutex);
        sent->result = result;
        sent->done = true;
    }
    sender->m_cv.notify_all();
}

bool ThreadQueue::Take(MSG& msg, const MessageFilter& filter, bool remove)
{
    std::unique_lock lock(m_mutex);
    while (!m_sent.empty())
    {
        auto sent = m_sent.front();
        m_sent.pop_front();
        lock.unlock();
        deliver(sent);
        lock.lock();
    }

    for (auto it = m_posted.begin(); it != m_posted.end(); ++it)
    {
        if (!filter.accepts(it->hwnd, it->message))
            continue;
        msg = *it;
        if (remove)
            m_posted.erase(it);
        return true;
    }

    const std::uint64_t now = Now();
    if (m_quit && filter.acceptsMessage(WM_QUIT))
    {
        msg = MSG{0, WM_QUIT, static_cast<WPARAM>(m_quitCode), 0, static_cast<DWORD>(now), {}};
        if (remove)
            m_quit = false;
        return true;
    }

    if (filter.acceptsMessage(WM_PAINT))
        for (HWND h : m_paint)
            if (filter.acceptsWindow(h))
            {
                // Stays pending until the window is validated.
                msg = MSG{h, WM_PAINT, 0, 0, static_cast<DWORD>(now), {}};
                return true;
            }

    if (const Timer* t = dueTimerLocked(filter, now))
    {
        msg = MSG{t->hwnd,
                  WM_TIMER,
                  static_cast<WPARAM>(t->id),
                  t->proc != nullptr ? 1 : 0,
                  static_cast<DWORD>(now),
                  {}};
        // Re-armed from the time it fires: a late timer fires once, not once per period.
        if (remove)
            const_cast<Timer*>(t)->due = now + t->period;
        return true;
    }
    return false;
}

bool ThreadQueue::HasWork(const MessageFilter& filter)
{
    std::lock_guard lock(m_mutex);
    return hasWorkLocked(filter);
}

void ThreadQueue::WaitForWork(const MessageFilter& filter)
{
    std::unique_lock lock(m_mutex);
    m_counters.waiting = true;
    while (!hasWorkLocked(filter))
    {
        auto next = nextDueLocked(filter);
        // The manual clock wakes every queue when it moves, so only the real clock needs a
        // deadline.
        if (next && !IsManualClock())
            m_cv.wait_until(lock, steadyFromMs(*next));
        else
            m_cv.wait(lock);
        ++m_counters.wakeups;
    }
    m_counters.waiting = false;
}

LRESULT ThreadQueue::SendAndWait(const std::shared_ptr<ThreadQueue>& target, HWND hwnd,
                                 UINT message, WPARAM wParam, LPARAM lParam)
{
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = shared_from_this();
    if (!target->EnqueueSent(sent))
        return 0;

    std::unique_lock lock(m_mutex);
    m_counters.waiting = true;
    while (!sent->done)
    {
        if (!m_sent.empty())
        {
            auto incoming = m_sent.front();
            m_sent.pop_front();
            lock.unlock();
            deliver(incoming);
            lock.lock();
            continue;
        }
        m_cv.wait(lock);
        ++m_counters.wakeups;
    }
    m_counters.waiting = false;
    LRESULT result = sent->result;
    sent->sender.reset(); // no cycle between the two queues
    return result;
}

void ThreadQueue::Shutdown()
{
    std::deque<std::shared_ptr<SentMessage>> pending;
    {
        std::lock_guard lock(m_mutex);
        m_dead = true;
        pending.swap(m_sent);
        m_posted.clear();
        m_timers.clear();
        m_paint.clear();
    }
    for (auto& sent : pending)
    {
        auto sender = sent->sender;
        {
            std::lock_guard lock(sender->m_mutex);
            sent->result = 0;
            sent->done = true;
        }
        sender->m_cv.notify_all();
    }
}

} // namespace platform::ui
