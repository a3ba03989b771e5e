// The home-networking sharing objects over the machine's connections, driven the way a program
// drives them: enumerate every connection, read its properties, change its sharing. Every
// interface handed out must be released again.

#include "platform/Windows.h"

#include "machine/network/Connections.h"
#include "machine/network/SharingFaults.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <thread>

namespace
{

namespace network = machine::network;
using network::Sharing;
using network::SharingCall;

class SharingObjects : public ::testing::Test
{
protected:
    testing_support::TempMachine m;

    void TearDown() override
    {
        EXPECT_EQ(platform::LiveComObjects(), 0);
        EXPECT_EQ(platform::LiveBstrs(), 0);
    }

    std::vector<Sharing> sharings() const
    {
        std::vector<Sharing> out;
        for (const auto& c : network::LoadConnections(m.machine()))
            out.push_back(c.sharing);
        return out;
    }
    void fail(SharingCall call, int times, HRESULT hr = E_FAIL)
    {
        network::InjectSharingFailure(m.machine(), call, times, static_cast<std::uint32_t>(hr));
    }
};

INetSharingManager* createManager()
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"HNetCfg.HNetShare.1", &clsid)))
        return nullptr;
    INetSharingManager* manager = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_INetSharingManager,
                                reinterpret_cast<void**>(&manager))))
        return nullptr;
    return manager;
}

// Calls `visit` with each connection of the enumeration that is one (VT_UNKNOWN items asked
// for INetConnection); false from visit stops.
template <class Visit> void forEachConnection(INetSharingManager* manager, Visit visit)
{
    INetSharingEveryConnectionCollection* every = nullptr;
    if (FAILED(manager->get_EnumEveryConnection(&every)))
        return;
    IUnknown* unknown = nullptr;
    IEnumVARIANT* items = nullptr;
    if (SUCCEEDED(every->get__NewEnum(&unknown)))
    {
        unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items));
        unknown->Release();
    }
    if (items != nullptr)
    {
        VARIANT v;
        VariantInit(&v);
        ULONG fetched = 0;
        bool more = true;
        while (more && items->Next(1, &v, &fetched) == S_OK && fetched == 1)
        {
            if (v.vt == VT_UNKNOWN)
            {
                INetConnection* connection = nullptr;
                v.punkVal->QueryInterface(IID_INetConnection,
                                          reinterpret_cast<void**>(&connection));
                if (connection != nullptr)
                {
                    more = visit(connection);
                    connection->Release();
                }
            }
            VariantClear(&v);
        }
        items->Release();
    }
    every->Release();
}

std::string nameOf(INetSharingManager* manager, INetConnection* connection)
{
    INetConnectionProps* props = nullptr;
    if (FAILED(manager->get_NetConnectionProps(connection, &props)))
        return "?";
    BSTR name = nullptr;
    props->get_Name(&name);
    std::string text = platform::BstrToUtf8(name);
    SysFreeString(name);
    props->Release();
    return text;
}

// The program's way: 1 when sharing was enabled on the first connection of that name.
int EnableConnectionSharing(const char* name, SHARINGCONNECTIONTYPE type)
{
    CoInitialize(nullptr);
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    int result = 0;
    if (INetSharingManager* manager = createManager())
    {
        forEachConnection(manager,
                          [&](INetConnection* connection)
                          {
                              if (nameOf(manager, connection) != name)
                                  return true;
                              INetSharingConfiguration* config = nullptr;
                              if (FAILED(manager->get_INetSharingConfigurationForINetConnection(
                                      connection, &config)))
                                  return true;
                              result = config->EnableSharing(type) == S_OK ? 1 : 0;
                              config->Release();
                              return false;
                          });
        manager->Release();
    }
    CoUninitialize();
    return result;
}

int DisableAllConnectionSharing()
{
    CoInitialize(nullptr);
    if (INetSharingManager* manager = createManager())
    {
        forEachConnection(
            manager,
            [&](INetConnection* connection)
            {
                INetConnectionProps* props = nullptr;
                if (FAILED(manager->get_NetConnectionProps(connection, &props)))
                    return true;
                props->Release();
                INetSharingConfiguration* config = nullptr;
                if (SUCCEEDED(manager->get_INetSharingConfigurationForINetConnection(connection,
                                                                                     &config)))
                {
                    VARIANT_BOOL enabled = VARIANT_FALSE;
                    if (config->get_SharingEnabled(&enabled) == S_OK && enabled == VARIANT_TRUE)
                        config->DisableSharing();
                    config->Release();
                }
                return true;
            });
        manager->Release();
    }
    CoUninitialize();
    return 1;
}

TEST_F(SharingObjects, TheRuntimeWantsInitialisationPerThread)
{
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"HNetCfg.HNetShare.1", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_NetSharingManager));
    EXPECT_EQ(CLSIDFromProgID(u"HNetCfg.NoSuchThing.1", &clsid), CO_E_CLASSSTRING);

    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_NetSharingManager, nullptr, CLSCTX_INPROC_SERVER,
                               IID_INetSharingManager, &p),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(p, nullptr);

    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    EXPECT_EQ(platform::ComInitCount(), 2);
    std::thread other(
        []
        {
            void* q = nullptr;
            EXPECT_EQ(CoCreateInstance(CLSID_NetSharingManager, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_INetSharingManager, &q),
                      CO_E_NOTINITIALIZED);
        });
    other.join();

    struct Case
    {
        CLSID clsid;
        DWORD context;
        IID iid;
        HRESULT result;
    } cases[] = {
        {CLSID_NetSharingManager, CLSCTX_INPROC_SERVER, IID_INetSharingManager, S_OK},
        {CLSID_NetSharingManager, CLSCTX_ALL, IID_IUnknown, S_OK},
        {CLSID_NetSharingManager, CLSCTX_LOCAL_SERVER, IID_INetSharingManager, REGDB_E_CLASSNOTREG},
        {CLSID_NetSharingManager, CLSCTX_INPROC_SERVER, IID_IEnumVARIANT, E_NOINTERFACE},
        {IID_IUnknown, CLSCTX_INPROC_SERVER, IID_IUnknown, REGDB_E_CLASSNOTREG},
    };
    for (const auto& c : cases)
    {
        IUnknown* object = nullptr;
        EXPECT_EQ(
            CoCreateInstance(c.clsid, nullptr, c.context, c.iid, reinterpret_cast<void**>(&object)),
            c.result);
        EXPECT_EQ(object != nullptr, c.result == S_OK);
        if (object != nullptr)
        {
            EXPECT_EQ(object->Release(), 0u);
        }
    }
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(platform::ComInitCount(), 0);
}

TEST_F(SharingObjects, SecurityIsSetOncePerProcess)
{
    CoInitialize(nullptr);
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                                   RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr),
              S_OK);
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                                   RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr),
              RPC_E_TOO_LATE);
    auto security = platform::ComSecurity();
    EXPECT_TRUE(security.done);
    EXPECT_EQ(security.authServices, -1);
    EXPECT_EQ(security.authnLevel, RPC_C_AUTHN_LEVEL_PKT);
    EXPECT_EQ(security.impLevel, RPC_C_IMP_LEVEL_IMPERSONATE);
    CoUninitialize();
}

TEST_F(SharingObjects, StringsAndVariantsOwnWhatTheyHold)
{
    BSTR text = SysAllocString(u"Local");
    EXPECT_EQ(SysStringLen(text), 5u);
    EXPECT_EQ(SysStringByteLen(text), 10u);
    EXPECT_EQ(text[5], 0);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    BSTR inner = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(SysStringLen(inner), 3u);
    SysFreeString(inner);
    SysFreeString(nullptr);

    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(v.vt, VT_EMPTY);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(platform::LiveBstrs(), 0);

    CoInitialize(nullptr);
    INetSharingManager* manager = createManager();
    ASSERT_NE(manager, nullptr);
    manager->AddRef();
    v.vt = VT_UNKNOWN;
    v.punkVal = manager;
    VariantClear(&v);
    EXPECT_EQ(manager->Release(), 0u);
    CoUninitialize();
}

TEST_F(SharingObjects, TheEnumerationListsTheMachinesConnectionsInOrder)
{
    network::AddConnection(m.machine(), {.name = "Dial-up Uplink",
                                         .description = "WAN (PPP/SLIP) Interface",
                                         .guid = "{11111111-2222-3333-4444-555555555555}",
                                         .connected = true,
                                         .type = network::MediaType::Ppp});
    CoInitialize(nullptr);
    INetSharingManager* manager = createManager();
    ASSERT_NE(manager, nullptr);
    VARIANT_BOOL installed = VARIANT_FALSE;
    EXPECT_EQ(manager->get_SharingInstalled(&installed), S_OK);
    EXPECT_EQ(installed, VARIANT_TRUE);

    struct Seen
    {
        std::string name, guid, device;
        NETCON_STATUS status;
        NETCON_MEDIATYPE media;
    };
    std::vector<Seen> seen;
    forEachConnection(manager,
                      [&](INetConnection* connection)
                      {
                          INetConnectionProps* props = nullptr;
                          EXPECT_EQ(manager->get_NetConnectionProps(connection, &props), S_OK);
                          BSTR name = nullptr, guid = nullptr, device = nullptr;
                          Seen s{};
                          props->get_Name(&name);
                          props->get_Guid(&guid);
                          props->get_DeviceName(&device);
                          props->get_Status(&s.status);
                          props->get_MediaType(&s.media);
                          s.name = platform::BstrToUtf8(name);
                          s.guid = platform::BstrToUtf8(guid);
                          s.device = platform::BstrToUtf8(device);
                          SysFreeString(name);
                          SysFreeString(guid);
                          SysFreeString(device);
                          props->Release();
                          seen.push_back(s);
                          return true;
                      });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].name, "Local Area Connection");
    EXPECT_EQ(seen[0].status, NCS_CONNECTED);
    EXPECT_EQ(seen[0].media, NCM_LAN);
    EXPECT_EQ(seen[1].name, "Wireless Network Connection");
    EXPECT_EQ(seen[1].guid, "{5C0FFEE1-3400-4A11-8E1D-FA11C0DE3400}");
    EXPECT_EQ(seen[1].device, "Tessaryn KWF-9310USB Wireless LAN Adapter");
    EXPECT_EQ(seen[1].status, NCS_MEDIA_DISCONNECTED);
    EXPECT_EQ(seen[3].name, "Dial-up Uplink");
    EXPECT_EQ(seen[3].media, NCM_PHONE);
    manager->Release();
    CoUninitialize();
}

TEST_F(SharingObjects, TheEnumeratorSkipsResetsAndClones)
{
    CoInitialize(nullptr);
    INetSharingManager* manager = createManager();
    INetSharingEveryConnectionCollection* every = nullptr;
    ASSERT_EQ(manager->get_EnumEveryConnection(&every), S_OK);
    LONG count = 0;
    EXPECT_EQ(every->get_Count(&count), S_OK);
    EXPECT_EQ(count, 3);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(every->get__NewEnum(&unknown), S_OK);
    IEnumVARIANT* items = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items)), S_OK);
    INetSharingManager* wrong = nullptr;
    EXPECT_EQ(unknown->QueryInterface(IID_INetSharingManager, reinterpret_cast<void**>(&wrong)),
              E_NOINTERFACE);
    EXPECT_EQ(wrong, nullptr);
    EXPECT_EQ(unknown->Release(), 1u); // the enumerator's own reference is held by `items`

    VARIANT v[4];
    for (auto& x : v)
        VariantInit(&x);
    ULONG fetched = 0;
    EXPECT_EQ(items->Skip(1), S_OK);
    EXPECT_EQ(items->Next(4, v, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(nameOf(manager, static_cast<INetConnection*>(v[0].punkVal)),
              "Wireless Network Connection");
    for (auto& x : v)
        VariantClear(&x);
    EXPECT_EQ(items->Next(1, v, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(items->Skip(1), S_FALSE);
    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Skip(2), S_OK);
    IEnumVARIANT* copy = nullptr;
    ASSERT_EQ(items->Clone(&copy), S_OK);
    EXPECT_EQ(copy->Next(1, v, nullptr), S_OK);
    EXPECT_EQ(nameOf(manager, static_cast<INetConnection*>(v[0].punkVal)),
              "Local Area Connection 2");
    VariantClear(&v[0]);
    EXPECT_EQ(copy->Release(), 0u);
    EXPECT_EQ(items->Release(), 0u);
    EXPECT_EQ(every->Release(), 0u);
    EXPECT_EQ(manager->Release(), 0u);
    CoUninitialize();
}

TEST_F(SharingObjects, EnablingSharesPubliclyAndPrivatelyAndDisablingEndsIt)
{
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection", ICSSHARINGTYPE_PUBLIC), 1);
    EXPECT_EQ(EnableConnectionSharing("Wireless Network Connection", ICSSHARINGTYPE_PRIVATE), 1);
    EXPECT_EQ(sharings(), (std::vector{Sharing::Public, Sharing::Private, Sharing::None}));

    // A second public connection: the platform keeps one, so the first one stops.
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection 2", ICSSHARINGTYPE_PUBLIC), 1);
    EXPECT_EQ(sharings(), (std::vector{Sharing::None, Sharing::Private, Sharing::Public}));
    EXPECT_EQ(EnableConnectionSharing("Nobody", ICSSHARINGTYPE_PUBLIC), 0);

    CoInitialize(nullptr);
    INetSharingManager* manager = createManager();
    forEachConnection(
        manager,
        [&](INetConnection* connection)
        {
            INetSharingConfiguration* config = nullptr;
            manager->get_INetSharingConfigurationForINetConnection(connection, &config);
            SHARINGCONNECTIONTYPE type = ICSSHARINGTYPE_PRIVATE;
            HRESULT hr = config->get_SharingConnectionType(&type);
            const std::string name = nameOf(manager, connection);
            if (name == "Wireless Network Connection")
                EXPECT_EQ(type, ICSSHARINGTYPE_PRIVATE);
            else if (name == "Local Area Connection 2")
                EXPECT_EQ(type, ICSSHARINGTYPE_PUBLIC);
            else
                EXPECT_EQ(hr, E_UNEXPECTED);
            EXPECT_EQ(config->EnableSharing(static_cast<SHARINGCONNECTIONTYPE>(7)), E_INVALIDARG);
            config->Release();
            return true;
        });
    manager->Release();
    CoUninitialize();

    EXPECT_EQ(DisableAllConnectionSharing(), 1);
    EXPECT_EQ(sharings(), (std::vector{Sharing::None, Sharing::None, Sharing::None}));
    // With nothing shared it changes nothing and still succeeds.
    EXPECT_EQ(DisableAllConnectionSharing(), 1);
}

TEST_F(SharingObjects, OfTwoConnectionsOfOneNameTheFirstIsEnabled)
{
    network::SaveConnections(m.machine(), {{.name = "Uplink", .guid = "{A}"},
                                           {.name = "Other", .guid = "{B}"},
                                           {.name = "Uplink", .guid = "{C}"}});
    EXPECT_EQ(EnableConnectionSharing("Uplink", ICSSHARINGTYPE_PUBLIC), 1);
    EXPECT_EQ(sharings(), (std::vector{Sharing::Public, Sharing::None, Sharing::None}));
    // When the first one's configuration cannot be had, the next of the name is taken.
    fail(SharingCall::Configuration, 1);
    EXPECT_EQ(EnableConnectionSharing("Uplink", ICSSHARINGTYPE_PRIVATE), 1);
    EXPECT_EQ(sharings(), (std::vector{Sharing::Public, Sharing::None, Sharing::Private}));
}

TEST_F(SharingObjects, InjectedFailuresHitTheirCalls)
{
    // Creation: nothing happens.
    fail(SharingCall::Create, 1);
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection", ICSSHARINGTYPE_PUBLIC), 0);
    EXPECT_EQ(sharings(), (std::vector{Sharing::None, Sharing::None, Sharing::None}));

    // EnableSharing refused: 0, and the enumeration ends at the match (no second try).
    fail(SharingCall::Enable, 1, E_ACCESSDENIED);
    network::AddConnection(m.machine(), {.name = "Local Area Connection", .guid = "{dup}"});
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection", ICSSHARINGTYPE_PUBLIC), 0);
    EXPECT_EQ(sharings(),
              (std::vector{Sharing::None, Sharing::None, Sharing::None, Sharing::None}));
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection", ICSSHARINGTYPE_PUBLIC), 1);
    EXPECT_EQ(EnableConnectionSharing("Wireless Network Connection", ICSSHARINGTYPE_PRIVATE), 1);

    // Properties of the first connection fail once: disabling goes on with the others.
    fail(SharingCall::Props, 1);
    EXPECT_EQ(DisableAllConnectionSharing(), 1);
    EXPECT_EQ(sharings(),
              (std::vector{Sharing::Public, Sharing::None, Sharing::None, Sharing::None}));

    // DisableSharing always refused.
    fail(SharingCall::Disable, -1);
    EXPECT_EQ(DisableAllConnectionSharing(), 1);
    EXPECT_EQ(sharings()[0], Sharing::Public);
    network::ClearSharingFaults(m.machine());
    EXPECT_EQ(DisableAllConnectionSharing(), 1);
    EXPECT_EQ(sharings()[0], Sharing::None);

    // The enumeration itself.
    fail(SharingCall::Enumerate, -1);
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection", ICSSHARINGTYPE_PUBLIC), 0);
}

TEST_F(SharingObjects, ItemsThatAreNoConnectionsArePassedOver)
{
    network::InjectOddItem(m.machine(), 0);
    CoInitialize(nullptr);
    INetSharingManager* manager = createManager();
    std::vector<std::string> names;
    forEachConnection(manager,
                      [&](INetConnection* connection)
                      {
                          names.push_back(nameOf(manager, connection));
                          return true;
                      });
    EXPECT_EQ(names,
              (std::vector<std::string>{"Wireless Network Connection", "Local Area Connection 2"}));
    manager->Release();
    CoUninitialize();
    EXPECT_EQ(EnableConnectionSharing("Local Area Connection", ICSSHARINGTYPE_PUBLIC), 0);
}

TEST_F(SharingObjects, EveryCallIsLogged)
{
    // Security is set once per process (tests of this program may run in one).
    const std::string security = platform::ComSecurity().done ? "0x80010119" : "0x00000000";
    EXPECT_EQ(EnableConnectionSharing("Wireless Network Connection", ICSSHARINGTYPE_PRIVATE), 1);
    EXPECT_EQ(network::ReadSharingLog(m.machine()),
              (std::vector<std::string>{
                  "CoInitialize -> 0x00000000",
                  "CoInitializeSecurity null -1 authn=4 imp=3 caps=0 -> " + security,
                  "CLSIDFromProgID [HNetCfg.HNetShare.1] -> 0x00000000",
                  "CoCreateInstance {5C63C1AD-3956-4FF8-8486-40034758315B} "
                  "{C08956B7-1CD3-11D1-B1C5-00805FC1270E} -> 0x00000000",
                  "get_EnumEveryConnection -> 0x00000000 (3 connections)",
                  "get_NetConnectionProps [Local Area Connection] -> 0x00000000",
                  "get_NetConnectionProps [Wireless Network Connection] -> 0x00000000",
                  "get_INetSharingConfigurationForINetConnection [Wireless Network Connection] "
                  "-> 0x00000000",
                  "EnableSharing [Wireless Network Connection] private -> 0x00000000",
                  "CoUninitialize",
              }));
}

TEST_F(SharingObjects, TheMultibyteCompareIsExactAndCaseSensitive)
{
    const auto* a = reinterpret_cast<const unsigned char*>("Verbindung \xC3\xA4");
    const auto* b = reinterpret_cast<const unsigned char*>("Verbindung \xC3\x84");
    EXPECT_EQ(_mbscmp(a, a), 0);
    EXPECT_GT(_mbscmp(a, b), 0);
    EXPECT_NE(_mbscmp(reinterpret_cast<const unsigned char*>("ics"),
                      reinterpret_cast<const unsigned char*>("ICS")),
              0);
}

} // namespace
