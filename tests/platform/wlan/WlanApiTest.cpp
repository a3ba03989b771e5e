#include "tests/platform/wlan/WlanClientFixture.h"

#include "machine/wlan/ProfileXml.h"

#include <cstring>
#include <functional>

namespace
{

namespace wlan = machine::wlan;
using wlan_test::ProfileXml;

constexpr DWORD kErrorInvalidState = 5023;

// The result of a call, its block (when it gave one) released.
template <class T> DWORD Freed(DWORD result, T* const* block)
{
    WlanFreeMemory(*block);
    return result;
}

class WlanApi : public wlan_test::WlanClientTest
{
protected:
    // Every call of the API that takes a client handle, made on `h`.
    std::vector<std::pair<const char*, std::function<DWORD(HANDLE)>>> everyCall()
    {
        static const std::u16string name = u"Open One";
        static const std::u16string xml = []
        {
            std::string x = ProfileXml("Open One", "Open One", "open", "none");
            return std::u16string(x.begin(), x.end());
        }();
        GUID* g = &m_interface;
        return {
            {"enum",
             [](HANDLE h)
             {
                 PWLAN_INTERFACE_INFO_LIST l = nullptr;
                 return Freed(WlanEnumInterfaces(h, nullptr, &l), &l);
             }},
            {"scan", [g](HANDLE h) { return WlanScan(h, g, nullptr, nullptr, nullptr); }},
            {"networks",
             [g](HANDLE h)
             {
                 PWLAN_AVAILABLE_NETWORK_LIST l = nullptr;
                 return Freed(WlanGetAvailableNetworkList(h, g, 0, nullptr, &l), &l);
             }},
            {"bss",
             [g](HANDLE h)
             {
                 PWLAN_BSS_LIST l = nullptr;
                 return Freed(
                     WlanGetNetworkBssList(h, g, nullptr, dot11_BSS_type_any, FALSE, nullptr, &l),
                     &l);
             }},
            {"query",
             [g](HANDLE h)
             {
                 DWORD size = 0;
                 PVOID data = nullptr;
                 return Freed(WlanQueryInterface(h, g, wlan_intf_opcode_radio_state, nullptr, &size,
                                                 &data, nullptr),
                              &data);
             }},
            {"set",
             [g](HANDLE h)
             {
                 WLAN_PHY_RADIO_STATE s{0, dot11_radio_state_on, dot11_radio_state_on};
                 return WlanSetInterface(h, g, wlan_intf_opcode_radio_state, sizeof s, &s, nullptr);
             }},
            {"capability",
             [g](HANDLE h)
             {
                 PWLAN_INTERFACE_CAPABILITY c = nullptr;
                 return Freed(WlanGetInterfaceCapability(h, g, nullptr, &c), &c);
             }},
            {"connect",
             [g](HANDLE h)
             {
                 WLAN_CONNECTION_PARAMETERS p{};
                 p.strProfile = name.c_str();
                 p.dot11BssType = dot11_BSS_type_infrastructure;
                 return WlanConnect(h, g, &p, nullptr);
             }},
            {"disconnect", [g](HANDLE h) { return WlanDisconnect(h, g, nullptr); }},
            {"set profile",
             [g](HANDLE h)
             {
                 DWORD reason = 0;
                 return WlanSetProfile(h, g, 0, xml.c_str(), nullptr, TRUE, nullptr, &reason);
             }},
            {"get profile",
             [g](HANDLE h)
             {
                 LPWSTR x = nullptr;
                 return Freed(WlanGetProfile(h, g, name.c_str(), nullptr, &x, nullptr, nullptr),
                              &x);
             }},
            {"profiles",
             [g](HANDLE h)
             {
                 PWLAN_PROFILE_INFO_LIST l = nullptr;
                 return Freed(WlanGetProfileList(h, g, nullptr, &l), &l);
             }},
            {"delete profile",
             [g](HANDLE h) { return WlanDeleteProfile(h, g, name.c_str(), nullptr); }},
            {"register",
             [](HANDLE h)
             {
                 return WlanRegisterNotification(
                     h, WLAN_NOTIFICATION_SOURCE_ACM, TRUE, [](PWLAN_NOTIFICATION_DATA, PVOID) {},
                     nullptr, nullptr, nullptr);
             }},
        };
    }

    template <class T> T* query(WLAN_INTF_OPCODE op, DWORD& result, DWORD* size = nullptr)
    {
        DWORD bytes = 0;
        PVOID data = nullptr;
        WLAN_OPCODE_VALUE_TYPE type = wlan_opcode_value_type_invalid;
        result = WlanQueryInterface(m_client, &m_interface, op, nullptr, &bytes, &data, &type);
        if (size != nullptr)
            *size = bytes;
        EXPECT_EQ(data == nullptr, result != ERROR_SUCCESS);
        return static_cast<T*>(data);
    }
};

TEST_F(WlanApi, AClosedHandleAndAStoppedServiceRefuseEveryCall)
{
    HANDLE other = 0;
    DWORD version = 0;
    ASSERT_EQ(WlanOpenHandle(1, nullptr, &version, &other), ERROR_SUCCESS);
    EXPECT_EQ(version, 1u);
    EXPECT_NE(other, m_client);
    ASSERT_EQ(WlanCloseHandle(other, nullptr), ERROR_SUCCESS);
    for (auto& [name, call] : everyCall())
    {
        EXPECT_EQ(call(other), ERROR_INVALID_HANDLE) << name;
        EXPECT_EQ(call(0x7654), ERROR_INVALID_HANDLE) << name;
    }
    EXPECT_EQ(WlanCloseHandle(other, nullptr), ERROR_INVALID_HANDLE);

    ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &other), ERROR_SUCCESS);
    wlan::SetServiceRunning(m(), false);
    for (auto& [name, call] : everyCall())
        EXPECT_EQ(call(m_client), ERROR_SERVICE_NOT_ACTIVE) << name;
    HANDLE none = 0;
    EXPECT_EQ(WlanOpenHandle(2, nullptr, &version, &none), ERROR_SERVICE_NOT_ACTIVE);
    EXPECT_EQ(none, 0u);
    // Closing reports the stopped service, and the handle is gone all the same.
    EXPECT_EQ(WlanCloseHandle(other, nullptr), ERROR_SERVICE_NOT_ACTIVE);
    wlan::SetServiceRunning(m(), true);
    EXPECT_EQ(everyCall()[0].second(m_client), ERROR_SUCCESS);
    EXPECT_EQ(everyCall()[0].second(other), ERROR_INVALID_HANDLE);
}

TEST_F(WlanApi, EachResultIsOneBlockFreedByFreeMemory)
{
    connect("Open One");
    std::vector<PVOID> blocks;
    // The block is read after the call has filled it.
    auto take = [&](DWORD result, auto* block)
    {
        EXPECT_EQ(result, ERROR_SUCCESS);
        EXPECT_NE(*block, nullptr);
        blocks.push_back(*block);
        EXPECT_EQ(platform::wlan::LiveWlanBlocks(), blocks.size());
    };
    PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
    take(WlanEnumInterfaces(m_client, nullptr, &interfaces), &interfaces);
    PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
    take(WlanGetAvailableNetworkList(m_client, &m_interface, 0, nullptr, &networks), &networks);
    PWLAN_BSS_LIST bss = nullptr;
    take(WlanGetNetworkBssList(m_client, &m_interface, nullptr, dot11_BSS_type_any, FALSE, nullptr,
                               &bss),
         &bss);
    PWLAN_INTERFACE_CAPABILITY capability = nullptr;
    take(WlanGetInterfaceCapability(m_client, &m_interface, nullptr, &capability), &capability);
    for (WLAN_INTF_OPCODE op :
         {wlan_intf_opcode_radio_state, wlan_intf_opcode_bss_type, wlan_intf_opcode_interface_state,
          wlan_intf_opcode_current_connection, wlan_intf_opcode_statistics, wlan_intf_opcode_rssi})
    {
        DWORD result;
        void* data = query<void>(op, result);
        take(result, &data);
    }
    LPWSTR xml = nullptr;
    take(WlanGetProfile(m_client, &m_interface, u"Open One", nullptr, &xml, nullptr, nullptr),
         &xml);
    PWLAN_PROFILE_INFO_LIST profiles = nullptr;
    take(WlanGetProfileList(m_client, &m_interface, nullptr, &profiles), &profiles);

    // A failed call hands out nothing.
    DWORD result;
    EXPECT_EQ(query<void>(wlan_intf_opcode_channel_number, result), nullptr);
    EXPECT_EQ(result, ERROR_NOT_SUPPORTED);
    EXPECT_EQ(platform::wlan::LiveWlanBlocks(), blocks.size());

    for (PVOID block : blocks)
        WlanFreeMemory(block);
    EXPECT_EQ(platform::wlan::LiveWlanBlocks(), 0u);
    // Freeing again, or what the API never gave, is left alone.
    int own = 0;
    WlanFreeMemory(blocks[0]);
    WlanFreeMemory(&own);
    WlanFreeMemory(nullptr);
    EXPECT_EQ(platform::wlan::LiveWlanBlocks(), 0u);
}

TEST_F(WlanApi, BssEntriesCarryTheirElementsAtTheirOffsets)
{
    PWLAN_BSS_LIST list = nullptr;
    ASSERT_EQ(WlanGetNetworkBssList(m_client, &m_interface, nullptr, dot11_BSS_type_any, FALSE,
                                    nullptr, &list),
              ERROR_SUCCESS);
    const auto radio = wlan_test::SmallRadio();
    std::size_t elements = 0;
    for (const auto& n : radio)
        elements += n.elements.size();
    ASSERT_EQ(list->dwNumberOfItems, radio.size());
    EXPECT_EQ(list->dwTotalSize, 8 + radio.size() * sizeof(WLAN_BSS_ENTRY) + elements);
    const BYTE* block = reinterpret_cast<const BYTE*>(list);
    for (DWORD k = 0; k < list->dwNumberOfItems; ++k)
    {
        const WLAN_BSS_ENTRY& e = list->wlanBssEntries[k];
        // Networks come in the service's grouping; find this one by its BSSID.
        auto n = std::find_if(radio.begin(), radio.end(),
                              [&](const auto& r)
                              { return std::memcmp(r.bssid.data(), e.dot11Bssid, 6) == 0; });
        ASSERT_NE(n, radio.end());
        SCOPED_TRACE(n->ssid);
        EXPECT_EQ(wlan_test::SsidOf(e.dot11Ssid), n->ssid);
        EXPECT_EQ(e.lRssi, n->rssi);
        EXPECT_EQ(e.ulChCenterFrequency, n->frequencyKhz);
        EXPECT_EQ(e.usCapabilityInformation, n->capability);
        EXPECT_EQ(e.dot11BssType, n->bssType);
        EXPECT_EQ(e.dot11BssPhyType, n->phyType);
        ASSERT_EQ(e.ulIeSize, n->elements.size());
        const BYTE* ies = reinterpret_cast<const BYTE*>(&e) + e.ulIeOffset;
        ASSERT_LE(ies + e.ulIeSize, block + list->dwTotalSize);
        EXPECT_GE(ies, block + 8 + radio.size() * sizeof(WLAN_BSS_ENTRY));
        EXPECT_EQ(std::vector<BYTE>(ies, ies + e.ulIeSize), n->elements);
    }
    WlanFreeMemory(list);

    // One network: SSID, BSS type and security as the network list gives them.
    struct Case
    {
        std::string ssid;
        DOT11_BSS_TYPE type;
        BOOL secured;
        std::vector<int> bssids;
    } cases[] = {
        {"Psk Three", dot11_BSS_type_infrastructure, TRUE, {3, 4}},
        {"Open One", dot11_BSS_type_infrastructure, FALSE, {1}},
        {"Open One", dot11_BSS_type_infrastructure, TRUE, {5}},
        {"Open One", dot11_BSS_type_any, FALSE, {1, 6}},
        {"", dot11_BSS_type_infrastructure, TRUE, {7}}, // hidden: SSID length 0
        {"Psk Three", dot11_BSS_type_infrastructure, FALSE, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.ssid);
        DOT11_SSID ssid{};
        ssid.uSSIDLength = static_cast<ULONG>(c.ssid.size());
        std::memcpy(ssid.ucSSID, c.ssid.data(), c.ssid.size());
        ASSERT_EQ(
            WlanGetNetworkBssList(m_client, &m_interface, &ssid, c.type, c.secured, nullptr, &list),
            ERROR_SUCCESS);
        std::vector<int> got;
        for (DWORD k = 0; k < list->dwNumberOfItems; ++k)
        {
            got.push_back(list->wlanBssEntries[k].dot11Bssid[5]);
            EXPECT_EQ(list->wlanBssEntries[k].dot11Ssid.uSSIDLength, c.ssid.size());
        }
        EXPECT_EQ(got, c.bssids);
        WlanFreeMemory(list);
    }
    DOT11_SSID tooLong{33, {}};
    EXPECT_EQ(WlanGetNetworkBssList(m_client, &m_interface, &tooLong, dot11_BSS_type_any, FALSE,
                                    nullptr, &list),
              ERROR_INVALID_PARAMETER);
}

TEST_F(WlanApi, NetworkListShowsProfilesAndTheConnection)
{
    connect("Psk Three", "WPA2PSK", "AES", "right-pass");
    PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
    ASSERT_EQ(WlanGetAvailableNetworkList(m_client, &m_interface, 0, nullptr, &list),
              ERROR_SUCCESS);
    ASSERT_EQ(list->dwNumberOfItems, 7u);
    const WLAN_AVAILABLE_NETWORK& psk = list->Network[2];
    EXPECT_EQ(wlan_test::SsidOf(psk.dot11Ssid), "Psk Three");
    EXPECT_EQ(std::u16string(psk.strProfileName), u"Psk Three");
    EXPECT_EQ(psk.dwFlags, WLAN_AVAILABLE_NETWORK_CONNECTED | WLAN_AVAILABLE_NETWORK_HAS_PROFILE);
    EXPECT_EQ(psk.uNumberOfBssids, 2u);
    EXPECT_EQ(psk.uNumberOfPhyTypes, 2u);
    EXPECT_TRUE(psk.bSecurityEnabled);
    EXPECT_EQ(psk.dot11DefaultAuthAlgorithm, DOT11_AUTH_ALGO_RSNA_PSK);
    EXPECT_EQ(psk.dot11DefaultCipherAlgorithm, DOT11_CIPHER_ALGO_CCMP);
    EXPECT_EQ(list->Network[0].dwFlags, 0u);
    EXPECT_EQ(list->Network[5].dot11Ssid.uSSIDLength, 0u);
    WlanFreeMemory(list);
}

TEST_F(WlanApi, QueriesAnswerFromTheLink)
{
    DWORD result, size;
    EXPECT_EQ(query<void>(wlan_intf_opcode_current_connection, result), nullptr);
    EXPECT_EQ(result, kErrorInvalidState);
    EXPECT_EQ(query<void>(wlan_intf_opcode_rssi, result), nullptr);
    EXPECT_EQ(result, kErrorInvalidState);
    auto* state = query<WLAN_INTERFACE_STATE>(wlan_intf_opcode_interface_state, result);
    EXPECT_EQ(*state, wlan_interface_state_disconnected);
    WlanFreeMemory(state);

    connect("Open One");
    state = query<WLAN_INTERFACE_STATE>(wlan_intf_opcode_interface_state, result);
    EXPECT_EQ(*state, wlan_interface_state_connected);
    WlanFreeMemory(state);
    auto* type = query<DOT11_BSS_TYPE>(wlan_intf_opcode_bss_type, result);
    EXPECT_EQ(*type, dot11_BSS_type_infrastructure);
    WlanFreeMemory(type);
    auto* rssi = query<LONG>(wlan_intf_opcode_rssi, result, &size);
    EXPECT_EQ(size, sizeof(LONG));
    EXPECT_EQ(*rssi, -50);
    WlanFreeMemory(rssi);

    auto* c = query<WLAN_CONNECTION_ATTRIBUTES>(wlan_intf_opcode_current_connection, result, &size);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(size, sizeof(WLAN_CONNECTION_ATTRIBUTES));
    EXPECT_EQ(c->isState, wlan_interface_state_connected);
    EXPECT_EQ(std::u16string(c->strProfileName), u"Open One");
    const auto& a = c->wlanAssociationAttributes;
    EXPECT_EQ(wlan_test::SsidOf(a.dot11Ssid), "Open One");
    EXPECT_EQ(a.dot11Bssid[5], 1);
    EXPECT_EQ(a.dot11PhyType, dot11_phy_type_erp);
    EXPECT_FALSE(c->wlanSecurityAttributes.bSecurityEnabled);
    EXPECT_EQ(c->wlanSecurityAttributes.dot11AuthAlgorithm, DOT11_AUTH_ALGO_80211_OPEN);
    const ULONG phyIndex = a.uDot11PhyIndex;
    WlanFreeMemory(c);

    platform::AdvanceClockWithoutDispatch(4000);
    auto* stats = query<WLAN_STATISTICS>(wlan_intf_opcode_statistics, result, &size);
    ASSERT_NE(stats, nullptr);
    ASSERT_EQ(stats->dwNumberOfPhys, 4u);
    EXPECT_EQ(size, offsetof(WLAN_STATISTICS, PhyCounters) + 4 * sizeof(WLAN_PHY_FRAME_STATISTICS));
    ASSERT_LT(phyIndex, stats->dwNumberOfPhys);
    // The link's counters sit in the record of its PHY, the others stay zero.
    for (DWORD k = 0; k < stats->dwNumberOfPhys; ++k)
        EXPECT_EQ(stats->PhyCounters[k].ullTransmittedFragmentCount > 0, k == phyIndex) << k;
    EXPECT_EQ(stats->MacUcastCounters.ullWEPICVErrorCount, 0u);
    WlanFreeMemory(stats);

    EXPECT_EQ(WlanDisconnect(m_client, &m_interface, nullptr), ERROR_SUCCESS);
    state = query<WLAN_INTERFACE_STATE>(wlan_intf_opcode_interface_state, result);
    EXPECT_EQ(*state, wlan_interface_state_disconnected);
    WlanFreeMemory(state);
    GUID stranger{0x12345678, 1, 2, {}};
    DWORD bytes;
    PVOID data = nullptr;
    EXPECT_EQ(WlanQueryInterface(m_client, &stranger, wlan_intf_opcode_rssi, nullptr, &bytes, &data,
                                 nullptr),
              ERROR_NOT_FOUND);
}

TEST_F(WlanApi, RadioIsSetPerPhyAndARefusalIsReported)
{
    PWLAN_INTERFACE_CAPABILITY capability = nullptr;
    ASSERT_EQ(WlanGetInterfaceCapability(m_client, &m_interface, nullptr, &capability),
              ERROR_SUCCESS);
    std::vector<DOT11_PHY_TYPE> phys(
        capability->dot11PhyTypes, capability->dot11PhyTypes + capability->dwNumberOfSupportedPhys);
    WlanFreeMemory(capability);
    EXPECT_NE(std::find(phys.begin(), phys.end(), dot11_phy_type_ofdm), phys.end());

    auto set = [&](DWORD phy, DOT11_RADIO_STATE software, DWORD size = 12)
    {
        WLAN_PHY_RADIO_STATE s{phy, software, dot11_radio_state_unknown};
        return WlanSetInterface(m_client, &m_interface, wlan_intf_opcode_radio_state, size, &s,
                                nullptr);
    };
    auto softwareStates = [&]
    {
        DWORD result;
        auto* r = query<WLAN_RADIO_STATE>(wlan_intf_opcode_radio_state, result);
        std::vector<DWORD> out;
        for (DWORD k = 0; k < r->dwNumberOfPhys; ++k)
        {
            EXPECT_EQ(r->PhyRadioState[k].dwPhyIndex, k);
            out.push_back(r->PhyRadioState[k].dot11SoftwareRadioState);
        }
        WlanFreeMemory(r);
        return out;
    };
    ASSERT_EQ(softwareStates().size(), phys.size());
    EXPECT_EQ(set(2, dot11_radio_state_off), ERROR_SUCCESS);
    EXPECT_EQ(softwareStates(), (std::vector<DWORD>{1, 1, 2, 1}));
    wlan::InjectCallFailure(m(), "WlanSetInterface", ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(set(2, dot11_radio_state_on), ERROR_ACCESS_DENIED);
    EXPECT_EQ(softwareStates(), (std::vector<DWORD>{1, 1, 2, 1}));
    EXPECT_EQ(set(2, dot11_radio_state_on, 8), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(set(9, dot11_radio_state_on), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(set(2, dot11_radio_state_on), ERROR_SUCCESS);
    EXPECT_EQ(softwareStates(), (std::vector<DWORD>{1, 1, 1, 1}));
}

TEST_F(WlanApi, DiscoveryConnectsToTheBssidAsked)
{
    DOT11_SSID ssid{9, {}};
    std::memcpy(ssid.ucSSID, "Psk Three", 9);
    DOT11_BSSID_LIST bssids{};
    bssids.Header = {NDIS_OBJECT_TYPE_DEFAULT, DOT11_BSSID_LIST_REVISION_1, 20};
    bssids.uNumOfEntries = bssids.uTotalNumOfEntries = 1;
    const BYTE weaker[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 3};
    std::memcpy(bssids.BSSIDs[0], weaker, 6);
    WLAN_CONNECTION_PARAMETERS p{};
    p.wlanConnectionMode = wlan_connection_mode_discovery_secure;
    p.strProfile = u"";
    p.pDot11Ssid = &ssid;
    p.pDesiredBssidList = &bssids;
    p.dot11BssType = dot11_BSS_type_infrastructure;
    ASSERT_EQ(WlanConnect(m_client, &m_interface, &p, nullptr), ERROR_SUCCESS);
    platform::AdvanceClockWithoutDispatch(500);
    auto c = wlan::CurrentConnection(m(), wlan_test::GuidText(m_interface));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->bssid[5], 3);
    EXPECT_EQ(c->mode, 2u);

    // A list that claims more entries than it holds, a wrong header, a mode not taken.
    struct Bad
    {
        USHORT size;
        ULONG entries;
        UCHAR revision;
        WLAN_CONNECTION_MODE mode;
    } bad[] = {{20, 2, 1, wlan_connection_mode_discovery_secure},
               {20, 1, 2, wlan_connection_mode_discovery_secure},
               {20, 1, 1, wlan_connection_mode_temporary_profile},
               {20, 1, 1, wlan_connection_mode_auto}};
    for (const Bad& b : bad)
    {
        bssids.Header.Size = b.size;
        bssids.Header.Revision = b.revision;
        bssids.uNumOfEntries = bssids.uTotalNumOfEntries = b.entries;
        p.wlanConnectionMode = b.mode;
        EXPECT_EQ(WlanConnect(m_client, &m_interface, &p, nullptr), ERROR_INVALID_PARAMETER);
    }
}

TEST_F(WlanApi, ProfilesKeepTheirScopeAndTheirExactText)
{
    // Wide text beyond ASCII, and markup escaped in the document, come back exact.
    const std::string name = "Caf\xC3\xA9 <&>";
    const std::u16string wideName = u"Caf\u00E9 <&>";
    const std::u16string xml = platform::Utf8ToUtf16(ProfileXml(name, "Open One", "open", "none"));
    DWORD reason = 1;
    struct Case
    {
        DWORD flags;
        DWORD expected;
    } cases[] = {{WLAN_PROFILE_USER, ERROR_SUCCESS},
                 {0, ERROR_SUCCESS},
                 {WLAN_PROFILE_GROUP_POLICY, ERROR_INVALID_PARAMETER}};
    for (const Case& c : cases)
        EXPECT_EQ(WlanSetProfile(m_client, &m_interface, c.flags, xml.c_str(), nullptr, FALSE,
                                 nullptr, &reason),
                  c.expected);
    EXPECT_EQ(reason, 0u);
    EXPECT_EQ(
        WlanSetProfile(m_client, &m_interface, 0, xml.c_str(), nullptr, FALSE, nullptr, &reason),
        ERROR_ALREADY_EXISTS);

    PWLAN_PROFILE_INFO_LIST list = nullptr;
    ASSERT_EQ(WlanGetProfileList(m_client, &m_interface, nullptr, &list), ERROR_SUCCESS);
    ASSERT_EQ(list->dwNumberOfItems, 2u);
    EXPECT_EQ(std::u16string(list->ProfileInfo[0].strProfileName), wideName);
    EXPECT_EQ(list->ProfileInfo[0].dwFlags, WLAN_PROFILE_USER);
    EXPECT_EQ(list->ProfileInfo[1].dwFlags, 0u);
    WlanFreeMemory(list);

    LPWSTR text = nullptr;
    DWORD flags = 7;
    ASSERT_EQ(
        WlanGetProfile(m_client, &m_interface, wideName.c_str(), nullptr, &text, &flags, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), xml);
    EXPECT_EQ(flags, WLAN_PROFILE_USER);
    WlanFreeMemory(text);

    const std::u16string broken = u"<WLANProfile xmlns=\"x\"><name>a</name></WLANProfile>";
    EXPECT_EQ(
        WlanSetProfile(m_client, &m_interface, 0, broken.c_str(), nullptr, TRUE, nullptr, &reason),
        ERROR_BAD_PROFILE);
    EXPECT_EQ(reason, wlan::kReasonInvalidProfileSchema);

    EXPECT_EQ(WlanDeleteProfile(m_client, &m_interface, u"caf\u00E9 <&>", nullptr),
              ERROR_NOT_FOUND);
    EXPECT_EQ(WlanDeleteProfile(m_client, &m_interface, wideName.c_str(), nullptr), ERROR_SUCCESS);
    EXPECT_EQ(
        WlanGetProfile(m_client, &m_interface, wideName.c_str(), nullptr, &text, nullptr, nullptr),
        ERROR_NOT_FOUND);
}

} // namespace
