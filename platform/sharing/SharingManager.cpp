#include "platform/sharing/SharingManager.h"

#include "machine/Machine.h"
#include "machine/network/ConnectionView.h"
#include "machine/network/Connections.h"
#include "machine/network/SharingFaults.h"
#include "platform/com/ComObject.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform::sharing
{
namespace
{

namespace network = machine::network;
using network::SharingCall;

std::string hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

void log(const std::string& line)
{
    network::AppendSharingLog(machine::CurrentMachine(), line);
}

std::optional<HRESULT> injected(SharingCall call)
{
    if (auto r = network::TakeSharingFailure(machine::CurrentMachine(), call))
        return static_cast<HRESULT>(*r);
    return std::nullopt;
}

// Which connection an object stands for: its place in the list when it was enumerated, checked
// against its name and identifier so that a changed list does not redirect it.
struct Identity
{
    std::size_t index = 0;
    std::string name;
    std::string guid;
};

std::optional<std::size_t> locate(const std::vector<network::Connection>& list, const Identity& id)
{
    auto same = [&](const network::Connection& c)
    { return c.name == id.name && c.guid == id.guid; };
    if (id.index < list.size() && same(list[id.index]))
        return id.index;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (same(list[i]))
            return i;
    return std::nullopt;
}

template <class Out> HRESULT handOut(Out* object, Out** target)
{
    *target = object;
    return S_OK;
}

class Connection final : public ComObject<INetConnection>
{
public:
    explicit Connection(Identity id) : m_id(std::move(id)) {}
    const Identity& identity() const { return m_id; }

private:
    Identity m_id;
};

class ConnectionProps final : public ComObject<INetConnectionProps>
{
public:
    explicit ConnectionProps(network::Connection c) : m_c(std::move(c)) {}

    HRESULT get_Guid(BSTR* p) override { return text(m_c.guid, p); }
    HRESULT get_Name(BSTR* p) override { return text(m_c.name, p); }
    HRESULT get_DeviceName(BSTR* p) override { return text(m_c.description, p); }
    HRESULT get_Status(NETCON_STATUS* p) override
    {
        if (p == nullptr)
            return E_POINTER;
        *p = m_c.connected ? NCS_CONNECTED
                           : (m_c.type == network::MediaType::Ppp ? NCS_DISCONNECTED
                                                                  : NCS_MEDIA_DISCONNECTED);
        return S_OK;
    }
    HRESULT get_MediaType(NETCON_MEDIATYPE* p) override
    {
        if (p == nullptr)
            return E_POINTER;
        *p = m_c.type == network::MediaType::Ppp ? NCM_PHONE : NCM_LAN;
        return S_OK;
    }
    HRESULT get_Characteristics(DWORD* p) override
    {
        if (p == nullptr)
            return E_POINTER;
        *p = 0;
        return S_OK;
    }

private:
    static HRESULT text(const std::string& value, BSTR* p)
    {
        if (p == nullptr)
            return E_POINTER;
        *p = AllocBstrFromUtf8(value);
        return *p != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    network::Connection m_c;
};

class SharingConfiguration final : public ComObject<INetSharingConfiguration>
{
public:
    explicit SharingConfiguration(Identity id) : m_id(std::move(id)) {}

    HRESULT get_SharingEnabled(VARIANT_BOOL* p) override
    {
        if (p == nullptr)
            return E_POINTER;
        auto c = current();
        if (!c)
            return E_UNEXPECTED;
        *p = c->sharing != network::Sharing::None ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT get_SharingConnectionType(SHARINGCONNECTIONTYPE* p) override
    {
        if (p == nullptr)
            return E_POINTER;
        *p = ICSSHARINGTYPE_PUBLIC;
        auto c = current();
        if (!c || c->sharing == network::Sharing::None)
            return E_UNEXPECTED;
        *p = c->sharing == network::Sharing::Private ? ICSSHARINGTYPE_PRIVATE
                                                     : ICSSHARINGTYPE_PUBLIC;
        return S_OK;
    }
    HRESULT DisableSharing() override
    {
        HRESULT hr = change(SharingCall::Disable, network::Sharing::None);
        log("DisableSharing [" + m_id.name + "] -> " + hex(hr));
        return hr;
    }
    HRESULT EnableSharing(SHARINGCONNECTIONTYPE type) override
    {
        HRESULT hr = E_INVALIDARG;
        if (type == ICSSHARINGTYPE_PUBLIC || type == ICSSHARINGTYPE_PRIVATE)
            hr = change(SharingCall::Enable, type == ICSSHARINGTYPE_PUBLIC
                                                 ? network::Sharing::Public
                                                 : network::Sharing::Private);
        log("EnableSharing [" + m_id.name + "] " +
            (type == ICSSHARINGTYPE_PUBLIC    ? std::string("public")
             : type == ICSSHARINGTYPE_PRIVATE ? std::string("private")
                                              : std::to_string(static_cast<int>(type))) +
            " -> " + hex(hr));
        return hr;
    }

private:
    std::optional<network::Connection> current() const
    {
        auto list = network::LoadConnections(machine::CurrentMachine());
        auto at = locate(list, m_id);
        if (!at)
            return std::nullopt;
        return list[*at];
    }
    HRESULT change(SharingCall call, network::Sharing sharing)
    {
        if (auto hr = injected(call))
            return *hr;
        bool found = network::ChangeConnections(machine::CurrentMachine(),
                                                [&](std::vector<network::Connection>& list)
                                                {
                                                    auto at = locate(list, m_id);
                                                    if (!at)
                                                        return false;
                                                    network::ApplySharing(list, *at, sharing);
                                                    return true;
                                                });
        return found ? S_OK : E_UNEXPECTED;
    }
    Identity m_id;
};

// What the enumeration hands out, fixed when the enumerator was made.
struct Item
{
    bool odd = false; // a VT_I4 instead of a connection
    Identity id;
};

class ConnectionEnum final : public ComObject<IEnumVARIANT>
{
public:
    ConnectionEnum(std::vector<Item> items, std::size_t position)
        : m_items(std::move(items)), m_position(position)
    {
    }

    HRESULT Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override
    {
        if (rgVar == nullptr || (pCeltFetched == nullptr && celt != 1))
            return E_POINTER;
        ULONG fetched = 0;
        while (fetched < celt && m_position < m_items.size())
        {
            VARIANT& v = rgVar[fetched];
            VariantInit(&v);
            const Item& item = m_items[m_position];
            if (item.odd)
            {
                v.vt = VT_I4;
                v.lVal = static_cast<LONG>(m_position);
            }
            else
            {
                v.vt = VT_UNKNOWN;
                v.punkVal = static_cast<INetConnection*>(new Connection(item.id));
            }
            ++fetched;
            ++m_position;
        }
        if (pCeltFetched != nullptr)
            *pCeltFetched = fetched;
        return fetched == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG celt) override
    {
        std::size_t left = m_items.size() - m_position;
        m_position += std::min<std::size_t>(celt, left);
        return celt <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumVARIANT** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        return handOut<IEnumVARIANT>(new ConnectionEnum(m_items, m_position), ppEnum);
    }

private:
    std::vector<Item> m_items;
    std::size_t m_position;
};

class EveryConnection final : public ComObject<INetSharingEveryConnectionCollection>
{
public:
    explicit EveryConnection(std::vector<Item> items) : m_items(std::move(items)) {}

    HRESULT get__NewEnum(IUnknown** pVal) override
    {
        if (pVal == nullptr)
            return E_POINTER;
        *pVal = static_cast<IEnumVARIANT*>(new ConnectionEnum(m_items, 0));
        return S_OK;
    }
    HRESULT get_Count(LONG* pVal) override
    {
        if (pVal == nullptr)
            return E_POINTER;
        *pVal = static_cast<LONG>(m_items.size());
        return S_OK;
    }

private:
    std::vector<Item> m_items;
};

class Manager final : public ComObject<INetSharingManager>
{
public:
    HRESULT get_SharingInstalled(VARIANT_BOOL* p) override
    {
        if (p == nullptr)
            return E_POINTER;
        *p = VARIANT_TRUE;
        return S_OK;
    }
    HRESULT get_EnumEveryConnection(INetSharingEveryConnectionCollection** ppColl) override
    {
        if (ppColl == nullptr)
            return E_POINTER;
        *ppColl = nullptr;
        HRESULT hr = S_OK;
        std::size_t count = 0;
        if (auto fault = injected(SharingCall::Enumerate))
            hr = *fault;
        else
        {
            const machine::Machine& m = machine::CurrentMachine();
            auto list = network::LoadConnections(m);
            auto odd = network::LoadSharingFaults(m).oddItems;
            std::vector<Item> items;
            for (std::size_t i = 0; i < list.size(); ++i)
                items.push_back({std::find(odd.begin(), odd.end(), i) != odd.end(),
                                 {i, list[i].name, list[i].guid}});
            count = items.size();
            *ppColl = new EveryConnection(std::move(items));
        }
        log("get_EnumEveryConnection -> " + hex(hr) + " (" + std::to_string(count) +
            " connections)");
        return hr;
    }
    HRESULT get_NetConnectionProps(INetConnection* pNetConnection,
                                   INetConnectionProps** ppProps) override
    {
        if (ppProps == nullptr)
            return E_POINTER;
        *ppProps = nullptr;
        const Connection* c = dynamic_cast<const Connection*>(pNetConnection);
        HRESULT hr = S_OK;
        if (c == nullptr)
            hr = E_INVALIDARG;
        else if (auto fault = injected(SharingCall::Props))
            hr = *fault;
        else
        {
            auto list = network::ConnectionsAsSeen(machine::CurrentMachine());
            auto at = locate(list, c->identity());
            if (!at)
                hr = E_UNEXPECTED;
            else
                *ppProps = new ConnectionProps(list[*at]);
        }
        log("get_NetConnectionProps [" + (c ? c->identity().name : std::string("?")) + "] -> " +
            hex(hr));
        return hr;
    }
    HRESULT get_INetSharingConfigurationForINetConnection(
        INetConnection* pNetConnection, INetSharingConfiguration** ppConfiguration) override
    {
        if (ppConfiguration == nullptr)
            return E_POINTER;
        *ppConfiguration = nullptr;
        const Connection* c = dynamic_cast<const Connection*>(pNetConnection);
        HRESULT hr = S_OK;
        if (c == nullptr)
            hr = E_INVALIDARG;
        else if (auto fault = injected(SharingCall::Configuration))
            hr = *fault;
        else
            *ppConfiguration = new SharingConfiguration(c->identity());
        log("get_INetSharingConfigurationForINetConnection [" +
            (c ? c->identity().name : std::string("?")) + "] -> " + hex(hr));
        return hr;
    }
};

} // namespace

HRESULT CreateSharingManager(REFIID riid, void** ppv)
{
    if (auto fault = injected(SharingCall::Create))
        return *fault;
    auto* manager = new Manager();
    HRESULT hr = manager->QueryInterface(riid, ppv);
    manager->Release();
    return hr;
}

} // namespace platform::sharing
