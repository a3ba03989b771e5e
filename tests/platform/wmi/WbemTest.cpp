// The instrumentation's locator, namespace and event queries over the machine's driver events:
// what a query accepts, delivery in batches on a thread of the platform, and cancelling while
// events arrive. Every object handed out must be released again.

#include "platform/Windows.h"

#include "machine/wmi/DriverEvents.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{

namespace mwmi = machine::wmi;
using namespace std::chrono_literals;

// A sink owned by the test: it records what arrives and counts its references without
// deleting itself.
class RecordingSink final : public IWbemObjectSink
{
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IWbemObjectSink)
        {
            *ppv = static_cast<IWbemObjectSink*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }

    HRESULT Indicate(LONG count, IWbemClassObject** objects) override
    {
        if (cancelled)
            lateIndicates++;
        std::vector<std::string> batch;
        for (LONG i = 0; i < count; ++i)
        {
            VARIANT v;
            HRESULT hr = objects[i]->Get(u"__CLASS", 0, &v, nullptr, nullptr);
            batch.push_back(SUCCEEDED(hr) && v.vt == VT_BSTR ? platform::BstrToUtf8(v.bstrVal)
                                                             : "<unreadable>");
            VariantClear(&v);
        }
        if (delay.count() > 0)
            std::this_thread::sleep_for(delay);
        std::lock_guard guard(lock);
        threads.push_back(std::this_thread::get_id());
        batches.push_back(batch);
        changed.notify_all();
        return WBEM_S_NO_ERROR;
    }
    HRESULT SetStatus(LONG flags, HRESULT hr, BSTR, IWbemClassObject*) override
    {
        std::lock_guard guard(lock);
        statuses.push_back(hr);
        return WBEM_S_NO_ERROR;
    }

    // Waits (real time) until `n` batches came; false after five seconds.
    bool waitForBatches(std::size_t n)
    {
        std::unique_lock guard(lock);
        return changed.wait_for(guard, 5s, [&] { return batches.size() >= n; });
    }
    std::vector<std::vector<std::string>> received()
    {
        std::lock_guard guard(lock);
        return batches;
    }

    std::atomic<ULONG> refs{1};
    std::atomic<bool> cancelled{false};
    std::atomic<int> lateIndicates{0};
    std::chrono::milliseconds delay{0};
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::vector<std::string>> batches;
    std::vector<std::thread::id> threads;
    std::vector<HRESULT> statuses;
};

class Wbem : public ::testing::Test
{
protected:
    testing_support::TempMachine m;

    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override
    {
        CoUninitialize();
        EXPECT_EQ(platform::ComInitCount(), 0);
        EXPECT_EQ(platform::wmi::LiveEventQueries(), 0);
        EXPECT_EQ(platform::LiveComObjects(), 0);
        EXPECT_EQ(platform::LiveBstrs(), 0);
    }

    static IWbemLocator* locator()
    {
        IWbemLocator* l = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWbemLocator, reinterpret_cast<void**>(&l)),
                  S_OK);
        return l;
    }
    static HRESULT connect(IWbemLocator* l, const char* path, IWbemServices** services)
    {
        BSTR p = platform::AllocBstrFromUtf8(path);
        HRESULT hr = l->ConnectServer(p, nullptr, nullptr, nullptr, 0, nullptr, nullptr, services);
        SysFreeString(p);
        return hr;
    }
    static HRESULT query(IWbemServices* s, const char* language, const char* text,
                         IWbemObjectSink* sink)
    {
        BSTR l = platform::AllocBstrFromUtf8(language);
        BSTR q = platform::AllocBstrFromUtf8(text);
        HRESULT hr = s->ExecNotificationQueryAsync(l, q, 0, nullptr, sink);
        SysFreeString(q);
        SysFreeString(l);
        return hr;
    }
    // The driver's namespace, connected.
    static IWbemServices* driverNamespace(IWbemLocator* l)
    {
        IWbemServices* s = nullptr;
        EXPECT_EQ(connect(l, "ROOT\\WMI", &s), WBEM_S_NO_ERROR);
        return s;
    }
    void raise(std::vector<mwmi::EventObject> objects)
    {
        ASSERT_NE(mwmi::RaiseDriverEvents(m.machine(), objects), 0u);
    }
};

TEST_F(Wbem, LocatorIsCreatedInProcessOnlyWithComInitialised)
{
    IWbemLocator* l = locator();
    ASSERT_NE(l, nullptr);
    IWbemServices* wrong = reinterpret_cast<IWbemServices*>(1);
    EXPECT_EQ(l->QueryInterface(IID_IWbemServices, reinterpret_cast<void**>(&wrong)),
              E_NOINTERFACE);
    EXPECT_EQ(wrong, nullptr);
    l->Release();

    void* p = nullptr;
    EXPECT_EQ(
        CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_LOCAL_SERVER, IID_IWbemLocator, &p),
        REGDB_E_CLASSNOTREG);
    std::thread other(
        [&]
        {
            EXPECT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWbemLocator, &p),
                      CO_E_NOTINITIALIZED);
        });
    other.join();
    EXPECT_EQ(p, nullptr);
}

TEST_F(Wbem, ConnectsOnlyToTheDriversNamespace)
{
    struct Case
    {
        const char* path;
        HRESULT expected;
    } cases[] = {
        {"ROOT\\WMI", WBEM_S_NO_ERROR},
        {"root\\wmi", WBEM_S_NO_ERROR},
        {"\\\\.\\Root\\Wmi", WBEM_S_NO_ERROR},
        {"ROOT/WMI", WBEM_S_NO_ERROR},
        {"ROOT\\CIMV2", WBEM_E_INVALID_NAMESPACE},
        {"ROOT\\WMI\\X", WBEM_E_INVALID_NAMESPACE},
        {"WMI", WBEM_E_INVALID_NAMESPACE},
        {"", WBEM_E_INVALID_NAMESPACE},
    };
    IWbemLocator* l = locator();
    for (const auto& c : cases)
    {
        IWbemServices* s = reinterpret_cast<IWbemServices*>(1);
        EXPECT_EQ(connect(l, c.path, &s), c.expected) << c.path;
        EXPECT_EQ(s != nullptr, SUCCEEDED(c.expected)) << c.path;
        if (s != nullptr)
            s->Release();
    }
    EXPECT_EQ(l->ConnectServer(nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr),
              WBEM_E_INVALID_PARAMETER);
    l->Release();
}

TEST_F(Wbem, AcceptsOnlyTheSelectOfTheDriversEventClass)
{
    struct Case
    {
        const char* language;
        const char* query;
        HRESULT expected;
    } cases[] = {
        {"WQL", "SELECT * FROM VnWLANMessageEvent", WBEM_S_NO_ERROR},
        {"wql", "select  *  from  vnwlanmessageevent ", WBEM_S_NO_ERROR},
        {"SQL", "SELECT * FROM VnWLANMessageEvent", WBEM_E_INVALID_QUERY_TYPE},
        {"WQL", "SELECT * FROM OtherEvent", WBEM_E_INVALID_CLASS},
        {"WQL", "SELECT * FROM VnWLANMessageEvent WHERE X = 1", WBEM_E_INVALID_QUERY},
        {"WQL", "SELECT Name FROM VnWLANMessageEvent", WBEM_E_INVALID_QUERY},
        {"WQL", "SELECT * VnWLANMessageEvent", WBEM_E_INVALID_QUERY},
        {"WQL", "", WBEM_E_INVALID_QUERY},
    };
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    for (const auto& c : cases)
    {
        RecordingSink sink;
        EXPECT_EQ(query(s, c.language, c.query, &sink), c.expected) << c.query;
        EXPECT_EQ(sink.refs, SUCCEEDED(c.expected) ? 2u : 1u) << c.query;
        if (SUCCEEDED(c.expected))
        {
            EXPECT_EQ(s->CancelAsyncCall(&sink), WBEM_S_NO_ERROR);
        }
        EXPECT_EQ(sink.refs, 1u) << c.query;
    }
    EXPECT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", nullptr),
              WBEM_E_INVALID_PARAMETER);
    RecordingSink stranger;
    EXPECT_EQ(s->CancelAsyncCall(&stranger), WBEM_E_NOT_FOUND);
    EXPECT_EQ(s->CancelAsyncCall(nullptr), WBEM_E_INVALID_PARAMETER);
    s->Release();
    l->Release();
}

TEST_F(Wbem, DeliversEachRaisedBatchWholeOnAnotherThread)
{
    raise({{}}); // before the query: not delivered
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    RecordingSink sink;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &sink), WBEM_S_NO_ERROR);
    EXPECT_EQ(sink.refs, 2u);

    raise({{}, {"", false}, {"OtherEvent", true}});
    raise({{"vnwlanmessageevent", true}});
    ASSERT_TRUE(sink.waitForBatches(2));
    EXPECT_EQ(sink.received(),
              (std::vector<std::vector<std::string>>{
                  {"VnWLANMessageEvent", "<unreadable>", "OtherEvent"}, {"vnwlanmessageevent"}}));
    EXPECT_NE(sink.threads[0], std::this_thread::get_id());

    EXPECT_EQ(s->CancelAsyncCall(&sink), WBEM_S_NO_ERROR);
    EXPECT_EQ(sink.refs, 1u);
    EXPECT_EQ(sink.statuses, std::vector<HRESULT>{WBEM_E_CALL_CANCELLED});
    EXPECT_EQ(s->CancelAsyncCall(&sink), WBEM_E_NOT_FOUND);
    raise({{}});
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sink.received().size(), 2u);
    s->Release();
    l->Release();
}

TEST_F(Wbem, EventObjectsAnswerTheirSystemProperties)
{
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    struct Probe final : public IWbemObjectSink
    {
        HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        ULONG AddRef() override { return 2; }
        ULONG Release() override { return 1; }
        HRESULT Indicate(LONG count, IWbemClassObject** objects) override
        {
            VARIANT v;
            CIMTYPE type = 0;
            LONG flavor = 0;
            std::lock_guard guard(lock);
            results.push_back(objects[0]->Get(u"__namespace", 0, &v, &type, &flavor));
            text = platform::BstrToUtf8(v.bstrVal);
            types.push_back(type);
            VariantClear(&v);
            results.push_back(objects[0]->Get(u"__GENUS", 0, &v, &type, nullptr));
            genus = v.lVal;
            types.push_back(type);
            results.push_back(objects[0]->Get(u"Nothing", 0, &v, nullptr, nullptr));
            empty = v.vt == VT_EMPTY;
            results.push_back(objects[0]->Get(u"__CLASS", 0, nullptr, nullptr, nullptr));
            done.notify_all();
            return 0;
        }
        HRESULT SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*) override { return 0; }
        std::mutex lock;
        std::condition_variable done;
        std::vector<HRESULT> results;
        std::vector<CIMTYPE> types;
        std::string text;
        LONG genus = 0;
        bool empty = false;
    } probe;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &probe), WBEM_S_NO_ERROR);
    raise({{}});
    {
        std::unique_lock guard(probe.lock);
        ASSERT_TRUE(probe.done.wait_for(guard, 5s, [&] { return !probe.results.empty(); }));
    }
    EXPECT_EQ(s->CancelAsyncCall(&probe), WBEM_S_NO_ERROR);
    EXPECT_EQ(probe.results, (std::vector<HRESULT>{WBEM_S_NO_ERROR, WBEM_S_NO_ERROR,
                                                   WBEM_E_NOT_FOUND, WBEM_E_INVALID_PARAMETER}));
    EXPECT_EQ(probe.text, "ROOT\\WMI");
    EXPECT_EQ(probe.types, (std::vector<CIMTYPE>{CIM_STRING, CIM_SINT32}));
    EXPECT_EQ(probe.genus, 2);
    EXPECT_TRUE(probe.empty);
    s->Release();
    l->Release();
}

TEST_F(Wbem, NoIndicateRunsOnceCancelReturnsWhileEventsArrive)
{
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    RecordingSink sink;
    sink.delay = 2ms;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &sink), WBEM_S_NO_ERROR);
    std::atomic<bool> stop{false};
    std::thread raiser(
        [&]
        {
            while (!stop)
            {
                mwmi::RaiseDriverEvents(m.machine(), {{}, {}});
                std::this_thread::sleep_for(1ms);
            }
        });
    ASSERT_TRUE(sink.waitForBatches(3));
    EXPECT_EQ(s->CancelAsyncCall(&sink), WBEM_S_NO_ERROR);
    sink.cancelled = true;
    std::this_thread::sleep_for(30ms);
    stop = true;
    raiser.join();
    EXPECT_EQ(sink.lateIndicates, 0);
    EXPECT_EQ(sink.refs, 1u);
    s->Release();
    l->Release();
}

TEST_F(Wbem, ReleasingTheNamespaceEndsItsQueries)
{
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    RecordingSink first, second;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &first), WBEM_S_NO_ERROR);
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &second), WBEM_S_NO_ERROR);
    EXPECT_EQ(platform::wmi::LiveEventQueries(), 2);
    raise({{}});
    ASSERT_TRUE(first.waitForBatches(1));
    ASSERT_TRUE(second.waitForBatches(1));
    s->Release();
    EXPECT_EQ(first.refs, 1u);
    EXPECT_EQ(second.refs, 1u);
    l->Release();
}

TEST_F(Wbem, CancellingFromTheSinkItselfDoesNotWaitForItself)
{
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    struct SelfCancel final : public IWbemObjectSink
    {
        HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        ULONG AddRef() override { return ++refs; }
        ULONG Release() override { return --refs; }
        HRESULT Indicate(LONG, IWbemClassObject**) override
        {
            result = services->CancelAsyncCall(this);
            ++indicates;
            return 0;
        }
        HRESULT SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*) override { return 0; }
        IWbemServices* services = nullptr;
        std::atomic<ULONG> refs{1};
        std::atomic<int> indicates{0};
        std::atomic<HRESULT> result{S_FALSE};
    } sink;
    sink.services = s;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &sink), WBEM_S_NO_ERROR);
    raise({{}});
    raise({{}});
    for (int i = 0; i < 500 && sink.refs != 1u; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(sink.refs, 1u);
    EXPECT_EQ(sink.indicates, 1);
    EXPECT_EQ(sink.result, WBEM_S_NO_ERROR);
    s->Release();
    l->Release();
}

TEST_F(Wbem, InjectedFailuresComeBackAsTheCallsResult)
{
    IWbemLocator* l = locator();
    mwmi::InjectWmiFailure(m.machine(), mwmi::WmiStep::Connect, 1,
                           static_cast<std::uint32_t>(E_ACCESSDENIED));
    IWbemServices* s = nullptr;
    EXPECT_EQ(connect(l, "ROOT\\WMI", &s), E_ACCESSDENIED);
    EXPECT_EQ(s, nullptr);
    s = driverNamespace(l);
    mwmi::InjectWmiFailure(m.machine(), mwmi::WmiStep::Subscribe, 1);
    RecordingSink sink;
    EXPECT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &sink), E_FAIL);
    EXPECT_EQ(sink.refs, 1u);
    s->Release();
    l->Release();

    mwmi::InjectWmiFailure(m.machine(), mwmi::WmiStep::CreateLocator, -1,
                           static_cast<std::uint32_t>(REGDB_E_CLASSNOTREG));
    void* p = nullptr;
    EXPECT_EQ(
        CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, &p),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(p, nullptr);
    mwmi::ClearWmiFaults(m.machine());
    EXPECT_EQ(mwmi::LoadWmiFaults(m.machine()).failures.size(), 0u);
}

TEST_F(Wbem, AnEventRaisedByAnotherProcessArrives)
{
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    RecordingSink sink;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &sink), WBEM_S_NO_ERROR);
    const std::string command = (testing_support::ProgramDirectory() / "vnmachine").string() +
                                " --machine '" + m.root().string() +
                                "' driver event OtherEvent --batch 2 --unreadable 2 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(sink.waitForBatches(1));
    EXPECT_EQ(sink.received()[0], (std::vector<std::string>{"OtherEvent", "<unreadable>"}));
    EXPECT_EQ(s->CancelAsyncCall(&sink), WBEM_S_NO_ERROR);
    s->Release();
    l->Release();
}

// A query waits on the journal's changes alone, with no look on a period: a batch raised while it
// waits, also after the journal's folder was removed under it, arrives at once.
TEST_F(Wbem, AWaitingQueryIsWokenByTheJournalsChanges)
{
    IWbemLocator* l = locator();
    IWbemServices* s = driverNamespace(l);
    RecordingSink sink;
    ASSERT_EQ(query(s, "WQL", "SELECT * FROM VnWLANMessageEvent", &sink), WBEM_S_NO_ERROR);
    std::this_thread::sleep_for(50ms); // the query is waiting
    std::filesystem::remove_all(mwmi::EventFolder(m.machine()));
    std::this_thread::sleep_for(50ms);
    const std::string command = (testing_support::ProgramDirectory() / "vnmachine").string() +
                                " --machine '" + m.root().string() +
                                "' driver event FromAnotherProcess >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(sink.waitForBatches(1));
    std::this_thread::sleep_for(50ms);
    raise({{"Later", true}});
    ASSERT_TRUE(sink.waitForBatches(2));
    EXPECT_EQ(sink.received(),
              (std::vector<std::vector<std::string>>{{"FromAnotherProcess"}, {"Later"}}));
    EXPECT_EQ(s->CancelAsyncCall(&sink), WBEM_S_NO_ERROR);
    s->Release();
    l->Release();
}

} // namespace
