#include "tests/platform/wlan/WlanClientFixture.h"

#include "platform/wlan/WlanNotify.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace
{

namespace wlan = machine::wlan;
using namespace std::chrono_literals;

struct Heard
{
    DWORD source;
    DWORD code;
    GUID guid;
    std::vector<BYTE> data;
};

// What one registration heard; a callback may be held until the test lets it go.
struct Listener
{
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Heard> heard;
    bool hold = false;
    bool inside = false;

    static void Callback(PWLAN_NOTIFICATION_DATA n, PVOID context)
    {
        auto* self = static_cast<Listener*>(context);
        std::unique_lock guard(self->lock);
        const BYTE* bytes = static_cast<const BYTE*>(n->pData);
        self->heard.push_back({n->NotificationSource, n->NotificationCode, n->InterfaceGuid,
                               std::vector<BYTE>(bytes, bytes + n->dwDataSize)});
        self->inside = true;
        self->changed.notify_all();
        self->changed.wait_for(guard, 10s, [&] { return !self->hold; });
        self->inside = false;
    }

    std::vector<std::pair<DWORD, DWORD>> codes()
    {
        std::lock_guard guard(lock);
        std::vector<std::pair<DWORD, DWORD>> out;
        for (const auto& h : heard)
            out.emplace_back(h.source, h.code);
        return out;
    }
};

using Codes = std::vector<std::pair<DWORD, DWORD>>;
constexpr DWORD kAcm = WLAN_NOTIFICATION_SOURCE_ACM, kMsm = WLAN_NOTIFICATION_SOURCE_MSM;

class WlanNotifications : public wlan_test::WlanClientTest
{
protected:
    DWORD listen(HANDLE client, DWORD sources, Listener& listener, DWORD* previous = nullptr)
    {
        return WlanRegisterNotification(client, sources, TRUE, &Listener::Callback, &listener,
                                        nullptr, previous);
    }
    std::string guid() const { return wlan_test::GuidText(m_interface); }
};

TEST_F(WlanNotifications, ArriveInDueOrderOnceEach)
{
    // What happened before the registration is not heard.
    wlan::RaiseNotification(m(), kAcm, 13, guid());
    wlan::SetScanDelay(m(), 1500);
    Listener both, acmOnly;
    ASSERT_EQ(listen(m_client, kAcm | kMsm, both), ERROR_SUCCESS);
    HANDLE second = 0;
    DWORD version;
    ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &second), ERROR_SUCCESS);
    ASSERT_EQ(listen(second, kAcm, acmOnly), ERROR_SUCCESS);

    // The scan is asked first but falls due last.
    ASSERT_EQ(WlanScan(m_client, &m_interface, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    wlan::RaiseRadioStateChange(m(), guid(), 1, 2);
    wlan::RaiseNotification(m(), WLAN_NOTIFICATION_SOURCE_ONEX, 1, guid());
    platform::wlan::DeliverNotificationsNow();
    EXPECT_EQ(both.codes(), (Codes{{kMsm, 7}}));
    EXPECT_TRUE(acmOnly.codes().empty());
    {
        std::lock_guard guard(both.lock);
        ASSERT_EQ(both.heard.size(), 1u);
        EXPECT_EQ(std::memcmp(&both.heard[0].guid, &m_interface, sizeof(GUID)), 0);
        EXPECT_EQ(both.heard[0].data, (std::vector<BYTE>{1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0}));
    }

    platform::AdvanceClockWithoutDispatch(1499);
    platform::wlan::DeliverNotificationsNow();
    EXPECT_EQ(both.codes().size(), 1u);
    platform::AdvanceClockWithoutDispatch(1);
    wlan::RaiseNotification(m(), kAcm, 21, guid());
    platform::wlan::DeliverNotificationsNow();
    platform::wlan::DeliverNotificationsNow();
    EXPECT_EQ(both.codes(), (Codes{{kMsm, 7}, {kAcm, 7}, {kAcm, 21}}));
    EXPECT_EQ(acmOnly.codes(), (Codes{{kAcm, 7}, {kAcm, 21}}));
    WlanCloseHandle(second, nullptr);
}

TEST_F(WlanNotifications, NoCallbackRunsOnceUnregisteringReturns)
{
    // Unregistering, and closing the handle, each wait out the callback under way.
    for (bool close : {false, true})
    {
        SCOPED_TRACE(close ? "close" : "unregister");
        HANDLE client = 0;
        DWORD version;
        ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client), ERROR_SUCCESS);
        Listener listener;
        listener.hold = true;
        ASSERT_EQ(listen(client, kAcm, listener), ERROR_SUCCESS);
        wlan::RaiseNotification(m(), kAcm, 10, guid());
        {
            std::unique_lock guard(listener.lock);
            ASSERT_TRUE(listener.changed.wait_for(guard, 10s, [&] { return listener.inside; }));
        }
        std::atomic<bool> returned = false;
        DWORD previous = 0;
        std::thread stopper(
            [&]
            {
                if (close)
                    WlanCloseHandle(client, nullptr);
                else
                    WlanRegisterNotification(client, WLAN_NOTIFICATION_SOURCE_NONE, FALSE, nullptr,
                                             nullptr, nullptr, &previous);
                returned = true;
            });
        std::this_thread::sleep_for(100ms);
        EXPECT_FALSE(returned);
        {
            std::lock_guard guard(listener.lock);
            listener.hold = false;
            listener.changed.notify_all();
        }
        stopper.join();
        EXPECT_TRUE(returned);
        if (!close)
        {
            EXPECT_EQ(previous, kAcm);
        }
        wlan::RaiseNotification(m(), kAcm, 21, guid());
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(listener.codes(), (Codes{{kAcm, 10}}));
        if (!close)
        {
            EXPECT_EQ(WlanCloseHandle(client, nullptr), ERROR_SUCCESS);
        }
    }
}

TEST_F(WlanNotifications, ACallbackMayCloseItsOwnHandle)
{
    struct Closer
    {
        HANDLE client;
        std::atomic<int> calls = 0;
        static void Callback(PWLAN_NOTIFICATION_DATA, PVOID context)
        {
            auto* self = static_cast<Closer*>(context);
            ++self->calls;
            WlanCloseHandle(self->client, nullptr);
        }
    } closer;
    closer.client = m_client;
    ASSERT_EQ(WlanRegisterNotification(m_client, kAcm, TRUE, &Closer::Callback, &closer, nullptr,
                                       nullptr),
              ERROR_SUCCESS);
    wlan::RaiseNotification(m(), kAcm, 7, guid());
    wlan::RaiseNotification(m(), kAcm, 8, guid());
    platform::wlan::DeliverNotificationsNow();
    EXPECT_EQ(closer.calls, 1);
    EXPECT_EQ(WlanEnumInterfaces(m_client, nullptr, nullptr), ERROR_INVALID_HANDLE);
    m_client = 0;
}

TEST_F(WlanNotifications, ClosingTheLastHandleWaitsForThePassUnderWay)
{
    // The delivery thread reads the machine during a pass; once the last client has closed, the
    // machine may be taken away, so that close returns only when the thread is done.
    struct HeldCloser : Listener
    {
        HANDLE client = 0;
        static void Callback(PWLAN_NOTIFICATION_DATA n, PVOID context)
        {
            auto* self = static_cast<HeldCloser*>(context);
            WlanCloseHandle(self->client, nullptr);
            Listener::Callback(n, static_cast<Listener*>(self));
        }
    } closer;
    closer.client = m_client;
    closer.hold = true;
    HANDLE last = 0;
    DWORD version;
    ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &last), ERROR_SUCCESS);
    Listener quiet;
    ASSERT_EQ(WlanRegisterNotification(m_client, kAcm, TRUE, &HeldCloser::Callback, &closer,
                                       nullptr, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(listen(last, kMsm, quiet), ERROR_SUCCESS);
    m_client = 0;
    wlan::RaiseNotification(m(), kAcm, 10, guid());
    {
        std::unique_lock guard(closer.lock);
        ASSERT_TRUE(closer.changed.wait_for(guard, 10s, [&] { return closer.inside; }));
    }
    std::atomic<bool> returned = false;
    std::thread stopper(
        [&]
        {
            WlanCloseHandle(last, nullptr);
            returned = true;
        });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(returned);
    {
        std::lock_guard guard(closer.lock);
        closer.hold = false;
        closer.changed.notify_all();
    }
    stopper.join();
    EXPECT_TRUE(returned);
}

} // namespace
