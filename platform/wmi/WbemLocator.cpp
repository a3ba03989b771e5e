#include "platform/wmi/Wbem.h"

#include "machine/AsciiCase.h"
#include "machine/ChangeWatch.h"
#include "machine/Machine.h"
#include "machine/wmi/DriverEvents.h"
#include "platform/base/StringConv.h"
#include "platform/com/ComObject.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace platform::wmi
{
namespace
{

namespace mwmi = machine::wmi;

std::atomic<long> g_liveQueries{0};

std::string hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

void log(const machine::Machine& m, const std::string& line)
{
    mwmi::AppendWmiLog(m, line);
}

std::optional<HRESULT> injected(mwmi::WmiStep step)
{
    if (auto r = mwmi::TakeWmiFailure(machine::CurrentMachine(), step))
        return static_cast<HRESULT>(*r);
    return std::nullopt;
}

std::string text(const WCHAR* s)
{
    return s == nullptr ? std::string() : Utf16ToUtf8(std::u16string_view(s));
}

std::string text(BSTR s)
{
    return BstrToUtf8(s);
}

// One event object as a sink receives it.
class EventObject final : public ComObject<IWbemClassObject>
{
public:
    explicit EventObject(mwmi::EventObject data) : m_data(std::move(data)) {}

    HRESULT Get(LPCWSTR wszName, LONG lFlags, VARIANT* pVal, CIMTYPE* pType,
                LONG* plFlavor) override
    {
        if (wszName == nullptr || pVal == nullptr)
            return WBEM_E_INVALID_PARAMETER;
        VariantInit(pVal);
        const std::string name = text(wszName);
        if (machine::EqualNoCase(name, "__CLASS"))
        {
            if (!m_data.classReadable)
                return WBEM_E_FAILED;
            return string(m_data.className, pVal, pType, plFlavor);
        }
        if (machine::EqualNoCase(name, "__NAMESPACE"))
            return string(mwmi::kDriverNamespace, pVal, pType, plFlavor);
        if (machine::EqualNoCase(name, "__GENUS"))
        {
            pVal->vt = VT_I4;
            pVal->lVal = 2; // an instance
            describe(CIM_SINT32, pType, plFlavor);
            return WBEM_S_NO_ERROR;
        }
        return WBEM_E_NOT_FOUND;
    }

private:
    static void describe(CIMTYPE type, CIMTYPE* pType, LONG* plFlavor)
    {
        if (pType != nullptr)
            *pType = type;
        if (plFlavor != nullptr)
            *plFlavor = WBEM_FLAVOR_ORIGIN_SYSTEM;
    }
    static HRESULT string(const std::string& value, VARIANT* pVal, CIMTYPE* pType, LONG* plFlavor)
    {
        pVal->bstrVal = AllocBstrFromUtf8(value);
        if (pVal->bstrVal == nullptr)
            return E_OUTOFMEMORY;
        pVal->vt = VT_BSTR;
        describe(CIM_STRING, pType, plFlavor);
        return WBEM_S_NO_ERROR;
    }

    mwmi::EventObject m_data;
};

// One event query: a thread that watches the machine's event journal and hands each new batch
// to the sink. It holds a reference to the sink until it ends.
class Subscription : public std::enable_shared_from_this<Subscription>
{
public:
    Subscription(machine::Machine m, IWbemObjectSink* sink) : m_machine(std::move(m)), m_sink(sink)
    {
        m_sink->AddRef();
        ++g_liveQueries;
        // Watch before reading where the journal stands, so no batch falls between the two.
        watchJournal();
        m_last = mwmi::LastEventSeq(m_machine);
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    void start()
    {
        m_thread = std::thread([self = shared_from_this()] { self->run(); });
    }

    IWbemObjectSink* sink() const { return m_sink; }

    // Once this returns, no Indicate of this query runs (from its own delivery thread: none
    // after the one under way).
    void stop()
    {
        m_stop = true;
        m_watch.wake();
        if (m_thread.get_id() == std::this_thread::get_id())
            m_thread.detach();
        else if (m_thread.joinable())
            m_thread.join();
    }

private:
    void run()
    {
        while (!m_stop)
        {
            for (auto& batch : mwmi::EventBatchesAfter(m_machine, m_last))
            {
                if (m_stop)
                    break;
                deliver(batch);
                m_last = batch.seq;
            }
            if (!m_stop)
                sleep();
        }
        m_sink->SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_CALL_CANCELLED, nullptr, nullptr);
        m_sink->Release();
        --g_liveQueries;
    }

    void deliver(const mwmi::EventBatch& batch)
    {
        std::vector<IWbemClassObject*> objects;
        for (const auto& o : batch.objects)
            objects.push_back(new EventObject(o));
        HRESULT hr = m_sink->Indicate(static_cast<LONG>(objects.size()), objects.data());
        for (auto* o : objects)
            o->Release();
        log(m_machine, "Indicate " + std::to_string(objects.size()) + " -> " + hex(hr));
    }

    // The journal is replaced whole, by a rename into its folder; the folder's own removal (the
    // machine's files cleared) ends the watch, so that wakes the wait too.
    void watchJournal()
    {
        const std::filesystem::path folder = mwmi::EventFolder(m_machine);
        m_watch.clear();
        m_watch.watch(folder, {mwmi::kEventJournalName});
        m_watch.watchRemoval(folder);
    }

    // Until the journal changes or the query is stopped: no batch falls due on a time of its
    // own, so without a change there is nothing to look at.
    void sleep()
    {
        if (!m_watch.ok())
        {
            // No watch to be had: look on a period.
            m_watch.wait(std::chrono::milliseconds(100));
            watchJournal();
            return;
        }
        // Watched again before the journal is read, so that no change falls between the two.
        if (m_watch.wait(std::chrono::milliseconds(-1)) == machine::ChangeWatch::Result::Changed)
            watchJournal();
    }

    machine::Machine m_machine;
    IWbemObjectSink* m_sink;
    machine::ChangeWatch m_watch;
    std::uint64_t m_last = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// "SELECT * FROM <class>", the keywords in any case: the class, or nullopt.
std::optional<std::string> selectedClass(const std::string& query)
{
    std::istringstream words(query);
    std::string select, star, from, className, more;
    if (!(words >> select >> star >> from >> className) || (words >> more))
        return std::nullopt;
    if (!machine::EqualNoCase(select, "SELECT") || star != "*" ||
        !machine::EqualNoCase(from, "FROM"))
        return std::nullopt;
    return className;
}

class Services final : public ComObject<IWbemServices>
{
public:
    explicit Services(std::string path) : m_path(std::move(path)) {}
    ~Services() override
    {
        // Queries end with the namespace that runs them.
        std::vector<std::shared_ptr<Subscription>> left;
        {
            std::lock_guard guard(m_lock);
            left.swap(m_queries);
        }
        for (auto& q : left)
            q->stop();
    }

    HRESULT ExecNotificationQueryAsync(const BSTR strQueryLanguage, const BSTR strQuery,
                                       LONG lFlags, IWbemContext* pCtx,
                                       IWbemObjectSink* pResponseHandler) override
    {
        const machine::Machine& m = machine::CurrentMachine();
        HRESULT hr = subscribe(m, strQueryLanguage, strQuery, pResponseHandler);
        log(m, "ExecNotificationQueryAsync [" + text(strQueryLanguage) + "] [" + text(strQuery) +
                   "] -> " + hex(hr));
        return hr;
    }

    HRESULT CancelAsyncCall(IWbemObjectSink* pSink) override
    {
        const machine::Machine& m = machine::CurrentMachine();
        HRESULT hr = WBEM_E_INVALID_PARAMETER;
        if (pSink != nullptr)
        {
            std::vector<std::shared_ptr<Subscription>> ending;
            {
                std::lock_guard guard(m_lock);
                std::erase_if(m_queries,
                              [&](const std::shared_ptr<Subscription>& q)
                              {
                                  if (q->sink() != pSink)
                                      return false;
                                  ending.push_back(q);
                                  return true;
                              });
            }
            for (auto& q : ending)
                q->stop();
            hr = ending.empty() ? WBEM_E_NOT_FOUND : WBEM_S_NO_ERROR;
        }
        log(m, "CancelAsyncCall -> " + hex(hr));
        return hr;
    }

private:
    HRESULT subscribe(const machine::Machine& m, BSTR language, BSTR query, IWbemObjectSink* sink)
    {
        if (language == nullptr || query == nullptr || sink == nullptr)
            return WBEM_E_INVALID_PARAMETER;
        if (auto failure = injected(mwmi::WmiStep::Subscribe))
            return *failure;
        if (!machine::EqualNoCase(text(language), "WQL"))
            return WBEM_E_INVALID_QUERY_TYPE;
        auto className = selectedClass(text(query));
        if (!className)
            return WBEM_E_INVALID_QUERY;
        if (!mwmi::IsEventClass(m_path, *className))
            return WBEM_E_INVALID_CLASS;
        auto q = std::make_shared<Subscription>(m, sink);
        {
            std::lock_guard guard(m_lock);
            m_queries.push_back(q);
        }
        q->start();
        return WBEM_S_NO_ERROR;
    }

    std::string m_path;
    std::mutex m_lock;
    std::vector<std::shared_ptr<Subscription>> m_queries;
};

class Locator final : public ComObject<IWbemLocator>
{
public:
    HRESULT ConnectServer(const BSTR strNetworkResource, const BSTR strUser, const BSTR strPassword,
                          const BSTR strLocale, LONG lSecurityFlags, const BSTR strAuthority,
                          IWbemContext* pCtx, IWbemServices** ppNamespace) override
    {
        const machine::Machine& m = machine::CurrentMachine();
        const std::string path = text(strNetworkResource);
        HRESULT hr = connect(path, ppNamespace);
        log(m, "ConnectServer [" + path + "] -> " + hex(hr));
        return hr;
    }

private:
    static HRESULT connect(const std::string& path, IWbemServices** ppNamespace)
    {
        if (ppNamespace == nullptr)
            return WBEM_E_INVALID_PARAMETER;
        *ppNamespace = nullptr;
        if (auto failure = injected(mwmi::WmiStep::Connect))
            return *failure;
        if (!mwmi::IsKnownNamespace(path))
            return WBEM_E_INVALID_NAMESPACE;
        *ppNamespace = new Services(path);
        return WBEM_S_NO_ERROR;
    }
};

} // namespace

HRESULT CreateWbemLocator(REFIID riid, void** ppv)
{
    if (auto failure = injected(mwmi::WmiStep::CreateLocator))
        return *failure;
    auto* locator = new Locator;
    HRESULT hr = locator->QueryInterface(riid, ppv);
    locator->Release();
    return hr;
}

long LiveEventQueries()
{
    return g_liveQueries.load();
}

} // namespace platform::wmi
