// Notifications: a delivery thread of this process follows the service's journal and calls each
// registration's callback, one at a time, in the order the events fell due.
#include "platform/wlan/WlanNotify.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/ChangeWatch.h"
#include "machine/MachineClock.h"
#include "machine/wlan/ServiceState.h"
#include "machine/wlan/WlanService.h"
#include "platform/ui/Clock.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace platform::wlan
{
namespace
{

// The thread sleeps until the service's state or the device list changes (any process may
// change them), a notification falls due, or it is asked to look. Without a change watch it
// looks on this period instead; on the manual clock of a test, whose time moves without the
// thread hearing of it, it looks this often while a notification is still to fall due.
constexpr auto kLookInterval = std::chrono::milliseconds(20);
constexpr std::uint64_t kNothingDue = ~std::uint64_t{0};

struct Registration
{
    std::uint64_t id = 0;
    DWORD sources = 0;
    WLAN_NOTIFICATION_CALLBACK callback = nullptr;
    PVOID context = nullptr;
    // Events that had happened when the client registered are not its to hear.
    std::uint64_t sinceTime = 0;
    std::uint64_t sinceSeq = 0;
    std::set<std::uint64_t> delivered;

    bool wants(const machine::wlan::Notification& n) const
    {
        return (n.source & sources) != 0 && (n.seq > sinceSeq || n.due > sinceTime) &&
               delivered.count(n.seq) == 0;
    }
};

class Dispatcher
{
public:
    static Dispatcher& Instance()
    {
        static Dispatcher dispatcher;
        return dispatcher;
    }

    ~Dispatcher()
    {
        std::unique_lock lock(m_lock);
        m_stop = true;
        m_changed.notify_all();
        m_watch.wake();
        lock.unlock();
        if (m_thread.joinable())
            m_thread.join();
    }

    DWORD Register(HANDLE client, DWORD sources, WLAN_NOTIFICATION_CALLBACK callback, PVOID context,
                   DWORD& previous)
    {
        const machine::Machine& m = machine::CurrentMachine();
        std::uint64_t sinceSeq = machine::wlan::LastNotificationSeq(m);
        std::uint64_t sinceTime = machine::MachineNow();
        Registration kept;
        previous = Drop(client, &kept, sources == WLAN_NOTIFICATION_SOURCE_NONE);
        if (sources == WLAN_NOTIFICATION_SOURCE_NONE)
            return ERROR_SUCCESS;
        std::lock_guard guard(m_lock);
        Registration r;
        r.id = m_nextId++;
        r.sources = sources;
        r.callback = callback;
        r.context = context;
        // A client that changes its registration keeps what it has heard.
        r.sinceTime = kept.id ? kept.sinceTime : sinceTime;
        r.sinceSeq = kept.id ? kept.sinceSeq : sinceSeq;
        r.delivered = std::move(kept.delivered);
        m_registrations.emplace(client, std::move(r));
        if (!m_running)
        {
            if (m_thread.joinable())
                m_thread.join(); // it has left its loop and only returns
            m_running = true;
            m_thread = std::thread([this] { Run(); });
        }
        return ERROR_SUCCESS;
    }

    // Removes the client's registration and waits out a callback of it in progress, unless the
    // callback itself is asking. When `last` and no registration is left, also waits for the
    // thread to stop: a pass under way still reads the machine, which the caller may be about to
    // take away. Returns the sources it had (0 for none).
    DWORD Drop(HANDLE client, Registration* kept = nullptr, bool last = true)
    {
        std::unique_lock lock(m_lock);
        DWORD sources = WLAN_NOTIFICATION_SOURCE_NONE;
        auto it = m_registrations.find(client);
        if (it != m_registrations.end())
        {
            std::uint64_t id = it->second.id;
            sources = it->second.sources;
            if (kept != nullptr)
                *kept = std::move(it->second);
            m_registrations.erase(it);
            if (std::this_thread::get_id() != m_threadId)
                m_changed.wait(lock, [&] { return m_inCallback != id; });
        }
        if (last && m_registrations.empty() && std::this_thread::get_id() != m_threadId)
        {
            m_wake = true;
            m_watch.wake();
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return !m_running || !m_registrations.empty(); });
        }
        return sources;
    }

    void WaitForPass()
    {
        std::unique_lock lock(m_lock);
        if (!m_running || std::this_thread::get_id() == m_threadId)
            return;
        // A pass under way may have read the journal before the caller's change: then the next
        // one too.
        std::uint64_t target = m_passes + (m_inPass ? 2 : 1);
        m_wake = true;
        m_watch.wake();
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_passes >= target || !m_running || m_stop; });
    }

private:
    Dispatcher() = default;

    void Run()
    {
        std::unique_lock lock(m_lock);
        m_threadId = std::this_thread::get_id();
        const machine::Machine& m = machine::CurrentMachine();
        // Watched before the first look, so no change falls between the two.
        m_watch.clear();
        m_watch.watch(machine::wlan::ServiceFolder(m), {"state.txt"});
        m_watch.watch(m.root(), {"devices.txt"});
        bool look = true; // the first round looks
        std::uint64_t nextDue = kNothingDue;
        while (!m_stop && !m_registrations.empty())
        {
            look = look || m_wake;
            m_wake = false;
            m_inPass = true;
            lock.unlock();
            if (look || machine::MachineNow() >= nextDue)
                nextDue = Pass();
            lock.lock();
            m_inPass = false;
            ++m_passes;
            m_changed.notify_all();
            if (m_stop || m_registrations.empty() || m_wake)
            {
                look = m_wake;
                continue;
            }
            lock.unlock();
            look = m_watch.wait(WaitFor(nextDue)) != machine::ChangeWatch::Result::TimedOut;
            lock.lock();
        }
        m_running = false;
        m_threadId = {};
        m_changed.notify_all();
    }

    // How long to sleep when nothing changes: until the next notification falls due.
    std::chrono::milliseconds WaitFor(std::uint64_t nextDue) const
    {
        std::chrono::milliseconds wait(-1); // none due: until a change
        if (nextDue != kNothingDue)
        {
            const std::uint64_t now = machine::MachineNow();
            wait = std::chrono::milliseconds(nextDue > now ? nextDue - now : 0);
            if (platform::IsManualClock())
                wait = std::min(wait, kLookInterval);
        }
        if (!m_watch.ok() && (wait.count() < 0 || wait > kLookInterval))
            wait = kLookInterval;
        return wait;
    }

    // Delivers what is due; returns when the next journalled event falls due.
    std::uint64_t Pass()
    {
        const machine::Machine& m = machine::CurrentMachine();
        auto journal = machine::wlan::Pump(m);
        std::uint64_t oldest = ~std::uint64_t{0};
        std::uint64_t now = machine::MachineNow();
        std::uint64_t nextDue = kNothingDue;
        for (const auto& n : journal)
        {
            oldest = std::min(oldest, n.seq);
            if (n.due > now)
                nextDue = std::min(nextDue, n.due);
        }
        std::erase_if(journal, [&](const machine::wlan::Notification& n) { return n.due > now; });
        std::stable_sort(journal.begin(), journal.end(),
                         [](const auto& a, const auto& b)
                         { return a.due != b.due ? a.due < b.due : a.seq < b.seq; });

        std::unique_lock lock(m_lock);
        for (const auto& n : journal)
        {
            std::vector<HANDLE> clients;
            for (const auto& [client, r] : m_registrations)
                clients.push_back(client);
            for (HANDLE client : clients)
            {
                auto it = m_registrations.find(client);
                if (it == m_registrations.end() || m_stop || !it->second.wants(n))
                    continue;
                Registration& r = it->second;
                r.delivered.insert(n.seq);
                std::uint64_t id = r.id;
                WLAN_NOTIFICATION_CALLBACK callback = r.callback;
                PVOID context = r.context;
                m_inCallback = id;
                lock.unlock();
                std::vector<std::uint8_t> data = n.data;
                WLAN_NOTIFICATION_DATA record{};
                record.NotificationSource = n.source;
                record.NotificationCode = n.code;
                record.InterfaceGuid = InterfaceGuid(n.guid);
                record.dwDataSize = static_cast<DWORD>(data.size());
                record.pData = data.empty() ? nullptr : data.data();
                callback(&record, context);
                lock.lock();
                m_inCallback = 0;
                m_changed.notify_all();
            }
        }
        // What has left the journal cannot come again.
        for (auto& [client, r] : m_registrations)
            std::erase_if(r.delivered, [&](std::uint64_t seq) { return seq < oldest; });
        return nextDue;
    }

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::map<HANDLE, Registration> m_registrations;
    std::uint64_t m_nextId = 1;
    std::uint64_t m_inCallback = 0;
    std::uint64_t m_passes = 0;
    std::thread m_thread;
    std::thread::id m_threadId;
    bool m_running = false;
    bool m_stop = false;
    bool m_wake = false;
    bool m_inPass = false;
    machine::ChangeWatch m_watch;
};

} // namespace

void DropRegistration(HANDLE client)
{
    Dispatcher::Instance().Drop(client);
}

void DeliverNotificationsNow()
{
    Dispatcher::Instance().WaitForPass();
}

} // namespace platform::wlan

DWORD WlanRegisterNotification(HANDLE hClientHandle, DWORD dwNotifSource, BOOL bIgnoreDuplicate,
                               WLAN_NOTIFICATION_CALLBACK funcCallback, PVOID pCallbackContext,
                               PVOID pReserved, PDWORD pdwPrevNotifSource)
{
    if (DWORD error = platform::wlan::BeginClientCall(hClientHandle, "WlanRegisterNotification",
                                                      "sources " + std::to_string(dwNotifSource)))
        return error;
    if (pReserved != nullptr ||
        (dwNotifSource != WLAN_NOTIFICATION_SOURCE_NONE && funcCallback == nullptr) ||
        (dwNotifSource & ~WLAN_NOTIFICATION_SOURCE_ALL) != 0)
        return ERROR_INVALID_PARAMETER;
    DWORD previous = 0;
    DWORD result = platform::wlan::Dispatcher::Instance().Register(
        hClientHandle, dwNotifSource, funcCallback, pCallbackContext, previous);
    if (pdwPrevNotifSource != nullptr)
        *pdwPrevNotifSource = previous;
    return result;
}
