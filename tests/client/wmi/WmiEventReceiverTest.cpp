// The driver-event receiver: the sink's handling of a batch, its references, and the
// subscription's steps with every failure giving back what it obtained.

#include "client/access/WmiEventReceiver.h"

#include "machine/network/SharingFaults.h"
#include "machine/wmi/DriverEvents.h"
#include "tests/support/TempMachine.h"
#include "tests/support/platform/RadioFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace
{

namespace mwmi = machine::wmi;
using namespace std::chrono_literals;

std::atomic<int> g_sinksDeleted{0};

// A sink whose deletion is counted.
class CountedSink : public CMySink
{
public:
    ~CountedSink() override { ++g_sinksDeleted; }
};

// An event object with a fixed class, or none readable; counts the reads.
class FakeEvent final : public IWbemClassObject
{
public:
    FakeEvent(const char* className) : m_class(className) {}
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT Get(LPCWSTR name, LONG, VARIANT* v, CIMTYPE*, LONG*) override
    {
        ++reads;
        VariantInit(v);
        if (m_class == nullptr || std::u16string_view(name) != u"__CLASS")
            return WBEM_E_FAILED;
        v->vt = VT_BSTR;
        v->bstrVal = platform::AllocBstrFromUtf8(m_class);
        return WBEM_S_NO_ERROR;
    }
    int reads = 0;

private:
    const char* m_class;
};

class WmiEvents : public ::testing::Test
{
protected:
    testing_support::TempMachine m;
    testing_support::MessageRecorder monitor;

    void SetUp() override
    {
        platform::ResetComSecurity();
        g_sinksDeleted = 0;
        ASSERT_NE(monitor.hwnd(), 0u);
    }
    void TearDown() override
    {
        EXPECT_EQ(platform::ComInitCount(), 0);
        EXPECT_EQ(platform::wmi::LiveEventQueries(), 0);
        EXPECT_EQ(platform::LiveComObjects(), 0);
        EXPECT_EQ(platform::LiveBstrs(), 0);
    }

    // A receiver for the monitor window whose sink's deletion is counted.
    void prepare(WmiEventReceiver& r)
    {
        delete r.m_pSink;
        r.m_pSink = new CountedSink;
        r.SetNotifyWindow(monitor.hwnd());
    }
    // The driver events the monitor window was posted so far.
    int driverEvents() const
    {
        return static_cast<int>(std::count(monitor.messages().begin(), monitor.messages().end(),
                                           testing_support::PostedMessage{WM_DRIVER_EVENT, 0, 0}));
    }
    // Dispatches this thread's messages until `n` driver events came (five seconds at most).
    bool driverEventsReach(int n)
    {
        return monitor.waitFor(static_cast<std::size_t>(n)) && driverEvents() >= n;
    }
};

TEST_F(WmiEvents, IndicatePostsOneMessagePerEventOfTheExactClassAndStopsAtAnUnreadableObject)
{
    struct Case
    {
        std::vector<const char*> classes; // null: __CLASS cannot be read
        int posts;
        std::vector<int> reads;
    } cases[] = {
        {{"VnWLANMessageEvent", nullptr, "VnWLANMessageEvent"}, 1, {1, 1, 0}},
        {{"OtherEvent"}, 0, {1}},
        {{"vnwlanmessageevent", "VnWLANMessageEvent "}, 0, {1, 1}},
        {{"VnWLANMessageEvent", "OtherEvent", "VnWLANMessageEvent"}, 2, {1, 1, 1}},
        {{nullptr, "VnWLANMessageEvent"}, 0, {1, 0}},
        {{}, 0, {}},
    };
    for (const auto& c : cases)
    {
        monitor.clear();
        CMySink* sink = new CMySink;
        sink->m_hNotifyWnd = monitor.hwnd();
        std::vector<FakeEvent> events(c.classes.begin(), c.classes.end());
        std::vector<IWbemClassObject*> objects;
        for (auto& e : events)
            objects.push_back(&e);
        EXPECT_EQ(sink->Indicate(static_cast<LONG>(objects.size()), objects.data()), 0);
        monitor.pump();
        EXPECT_EQ(driverEvents(), c.posts) << c.classes.size();
        std::vector<int> reads;
        for (auto& e : events)
            reads.push_back(e.reads);
        EXPECT_EQ(reads, c.reads);
        EXPECT_EQ(platform::LiveBstrs(), 0);
        EXPECT_EQ(sink->SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_FAILED, nullptr, nullptr), 0);
        EXPECT_EQ(sink->Release(), 0u);
    }
}

TEST_F(WmiEvents, SinkAnswersItsTwoInterfacesAndCountsReferencesAcrossThreads)
{
    CMySink* sink = new CountedSink;
    void* p = nullptr;
    EXPECT_EQ(sink->QueryInterface(IID_IUnknown, &p), S_OK);
    EXPECT_EQ(p, static_cast<void*>(static_cast<IWbemObjectSink*>(sink)));
    EXPECT_EQ(sink->QueryInterface(IID_IWbemObjectSink, &p), S_OK);
    p = reinterpret_cast<void*>(1);
    EXPECT_EQ(sink->QueryInterface(IID_IWbemLocator, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(sink->Release(), 2u);
    EXPECT_EQ(sink->Release(), 1u);

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(
            [sink]
            {
                for (int i = 0; i < 20000; ++i)
                {
                    sink->AddRef();
                    sink->Release();
                }
            });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(g_sinksDeleted, 0);
    EXPECT_EQ(sink->Release(), 0u);
    EXPECT_EQ(g_sinksDeleted, 1);
}

TEST_F(WmiEvents, SubscribesWithTheCallsOfTheDriverAndPostsEachDriverEvent)
{
    WmiEventReceiver r;
    prepare(r);
    ASSERT_EQ(r.ConnectWmiEvents(), 1);
    EXPECT_EQ(r.m_bConnected, 1);
    auto security = platform::ComSecurity();
    EXPECT_EQ(security.authServices, -1);
    EXPECT_EQ(security.authnLevel, RPC_C_AUTHN_LEVEL_PKT_PRIVACY);
    EXPECT_EQ(security.impLevel, RPC_C_IMP_LEVEL_IMPERSONATE);
    EXPECT_EQ(security.capabilities, EOAC_SECURE_REFS);
    EXPECT_EQ(mwmi::ReadWmiLog(m.machine()),
              (std::vector<std::string>{"ConnectServer [ROOT\\WMI] -> 0x00000000",
                                        "ExecNotificationQueryAsync [WQL] [SELECT * FROM "
                                        "VnWLANMessageEvent] -> 0x00000000"}));

    mwmi::RaiseDriverEvent(m.machine());
    EXPECT_TRUE(driverEventsReach(1));
    mwmi::RaiseDriverEvents(m.machine(), {{"OtherEvent", true}, {}, {"", false}, {}});
    EXPECT_TRUE(driverEventsReach(2));
    std::this_thread::sleep_for(30ms);
    monitor.pump();
    EXPECT_EQ(driverEvents(), 2);

    r.DisconnectWmiEvents();
    EXPECT_EQ(g_sinksDeleted, 1);
    mwmi::RaiseDriverEvent(m.machine());
    std::this_thread::sleep_for(30ms);
    monitor.pump();
    EXPECT_EQ(driverEvents(), 2);
}

TEST_F(WmiEvents, EveryFailingStepReturnsZeroAndGivesBackWhatItObtained)
{
    const mwmi::WmiStep steps[] = {mwmi::WmiStep::Initialize, mwmi::WmiStep::Security,
                                   mwmi::WmiStep::CreateLocator, mwmi::WmiStep::Connect,
                                   mwmi::WmiStep::Subscribe};
    for (auto step : steps)
    {
        SCOPED_TRACE(mwmi::WmiStepName(step));
        platform::ResetComSecurity();
        g_sinksDeleted = 0;
        mwmi::InjectWmiFailure(m.machine(), step, 1);
        WmiEventReceiver r;
        prepare(r);
        EXPECT_EQ(r.ConnectWmiEvents(), 0);
        EXPECT_EQ(r.m_bConnected, 0);
        EXPECT_EQ(r.m_pLocator, nullptr);
        EXPECT_EQ(r.m_pServices, nullptr);
        EXPECT_EQ(platform::ComInitCount(), 0);
        EXPECT_EQ(platform::LiveComObjects(), 0);
        EXPECT_EQ(platform::wmi::LiveEventQueries(), 0);
        EXPECT_TRUE(mwmi::LoadWmiFaults(m.machine()).failures.empty());
        r.DisconnectWmiEvents();
        EXPECT_EQ(g_sinksDeleted, 1);
    }
}

TEST_F(WmiEvents, DisconnectingAfterAFailedConnectionDeletesTheSinkOnceWithoutComCalls)
{
    // The process's security is already set: the second step fails as it would.
    ASSERT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                                   RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr),
              S_OK);
    WmiEventReceiver r;
    prepare(r);
    EXPECT_EQ(r.ConnectWmiEvents(), 0);
    EXPECT_EQ(platform::ComInitCount(), 0);
    machine::network::ClearSharingLog(m.machine());
    mwmi::ClearWmiLog(m.machine());
    r.DisconnectWmiEvents();
    EXPECT_EQ(g_sinksDeleted, 1);
    EXPECT_TRUE(machine::network::ReadSharingLog(m.machine()).empty());
    EXPECT_TRUE(mwmi::ReadWmiLog(m.machine()).empty());
    r.DisconnectWmiEvents(); // the monitor's destructor may come twice: nothing more happens
    EXPECT_EQ(g_sinksDeleted, 1);
}

TEST_F(WmiEvents, ShuttingDownWhileEventsArriveIsClean)
{
    for (int round = 0; round < 3; ++round)
    {
        platform::ResetComSecurity();
        g_sinksDeleted = 0;
        monitor.clear();
        WmiEventReceiver r;
        prepare(r);
        ASSERT_EQ(r.ConnectWmiEvents(), 1);
        std::atomic<bool> stop{false};
        std::thread driver(
            [&]
            {
                while (!stop)
                {
                    mwmi::RaiseDriverEvents(m.machine(), {{}, {}, {"OtherEvent", true}});
                    std::this_thread::sleep_for(1ms);
                }
            });
        EXPECT_TRUE(driverEventsReach(4));
        r.DisconnectWmiEvents();
        EXPECT_EQ(g_sinksDeleted, 1);
        EXPECT_EQ(platform::wmi::LiveEventQueries(), 0);
        stop = true;
        driver.join();
        monitor.pump();
    }
}

} // namespace
