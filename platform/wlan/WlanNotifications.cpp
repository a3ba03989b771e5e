// Notifications: a delivery thread of this process follows the service's journal and calls each
// registration's callback, one at a time, in the order the events fell due.
#include "platform/wlan/WlanNotify.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/MachineClock.h"
#include "machine/wlan/WlanService.h"

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

// How often the thread checks whether the service's state has changed (host time): other
// processes change it too. A full look at least this often regardless.
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kFullLookInterval = std::chrono::milliseconds(1000);

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
        // The pass under way may have read the journal before the caller's change.
        std::uint64_t target = m_passes + 2;
        m_wake = true;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_passes >= target || !m_running || m_stop; });
    }

private:
    Dispatcher() = default;

    void Run()
    {
        std::unique_lock lock(m_lock);
        m_threadId = std::this_thread::get_id();
        std::string stamp;
        std::uint64_t nextDue = 0; // the first round looks
        auto lastLook = std::chrono::steady_clock::now();
        while (!m_stop && !m_registrations.empty())
        {
            bool woken = m_wake;
            m_wake = false;
            lock.unlock();
            // A full look only when the service's state changed, something falls due, or a
            // while has passed (adapters come and go in the device tree).
            const machine::Machine& m = machine::CurrentMachine();
            std::string now = machine::wlan::StateStamp(m);
            auto host = std::chrono::steady_clock::now();
            if (woken || now != stamp || machine::MachineNow() >= nextDue ||
                host - lastLook >= kFullLookInterval)
            {
                nextDue = Pass();
                stamp = machine::wlan::StateStamp(m);
                lastLook = host;
            }
            lock.lock();
            ++m_passes;
            m_changed.notify_all();
            m_changed.wait_for(lock, kPollInterval, [&] { return m_stop || m_wake; });
        }
        m_running = false;
        m_threadId = {};
        m_changed.notify_all();
    }

    // Delivers what is due; returns when the next journalled event falls due.
    std::uint64_t Pass()
    {
        const machine::Machine& m = machine::CurrentMachine();
        auto journal = machine::wlan::Pump(m);
        std::uint64_t oldest = ~std::uint64_t{0};
        std::uint64_t now = machine::MachineNow();
        std::uint64_t nextDue = ~std::uint64_t{0};
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
