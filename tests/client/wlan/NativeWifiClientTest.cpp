// The WLAN client object over the machine's WLAN service: the scan list rebuilt in the NDIS
// layout, radio state, the current connection's records and the buffers given back.

#include "client/access/NativeWifiClient.h"

#include "client/access/ScanList.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/radio/Elements.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "platform/wlan/WlanMemory.h"
#include "tests/support/platform/RadioFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

using machine::radio::Network;
using testing_support::RadioNetwork;
using Bytes = std::vector<BYTE>;
namespace mw = machine::wlan;

void Put32(Bytes& b, size_t at, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        b[at + k] = static_cast<BYTE>(v >> (8 * k));
}

// One entry as the monitor window's pages read it, field by field at its offset.
Bytes ExpectedEntry(const Network& n)
{
    Bytes e(116 + n.elements.size(), 0);
    Put32(e, 0, static_cast<std::uint32_t>(e.size()));
    std::memcpy(&e[4], n.bssid.data(), 6);
    Put32(e, 12, static_cast<std::uint32_t>(n.ssid.size()));
    std::memcpy(&e[16], n.ssid.data(), n.ssid.size());
    Put32(e, 48, (n.capability & machine::radio::kCapPrivacy) ? 1 : 0);
    Put32(e, 52, static_cast<std::uint32_t>(n.rssi));
    Put32(e, 72, n.frequencyKhz);
    Put32(e, 92, n.bssType == 1 ? 1 : n.bssType == 2 ? 0 : 2);
    Put32(e, 112, static_cast<std::uint32_t>(n.elements.size()));
    std::copy(n.elements.begin(), n.elements.end(), e.begin() + 116);
    return e;
}

Bytes ExpectedList(const std::vector<Network>& entries)
{
    Bytes list(4, 0);
    Put32(list, 0, static_cast<std::uint32_t>(entries.size()));
    for (const Network& n : entries)
    {
        Bytes e = ExpectedEntry(n);
        list.insert(list.end(), e.begin(), e.end());
    }
    list.resize(BSSID_LIST_BYTES, 0);
    return list;
}

// Vendor elements adding up to exactly `total` bytes (at least 2).
Bytes Filler(size_t total)
{
    Bytes out;
    while (total > 0)
    {
        // A remainder of one byte could not be an element: leave two instead.
        size_t body = total <= 257 ? total - 2 : total - 257 >= 2 ? 255 : 254;
        Bytes e = machine::radio::Element(221, Bytes(body, 0x5A));
        out.insert(out.end(), e.begin(), e.end());
        total -= e.size();
    }
    return out;
}

class WifiClient : public ::testing::Test
{
protected:
    testing_support::RadioMachine m;
    testing_support::MessageRecorder monitor;
    Bytes work = Bytes(BSSID_LIST_BYTES, 0xCD);
    Bytes published = Bytes(BSSID_LIST_BYTES, 0);
    DWORD phy[BSSID_LIST_MAX_ENTRIES + 1];
    NativeWifiClient client;

    void SetUp() override
    {
        std::fill(std::begin(phy), std::end(phy), 0xEEEEEEEE);
        g_pBssidList = work.data();
        g_pBssidListCopy = published.data();
        ASSERT_EQ(client.SelectInterface(m.description().c_str(), monitor.hwnd(), 0), 0u);
    }
    void TearDown() override
    {
        client.Close();
        g_pBssidList = nullptr;
        g_pBssidListCopy = nullptr;
        EXPECT_EQ(platform::wlan::LiveWlanBlocks(), 0u);
    }
    std::vector<DWORD> phyTypes(size_t n) const { return std::vector<DWORD>(phy, phy + n); }
};

TEST_F(WifiClient, ChoosesTheInterfaceByItsDescriptionAndKeepsItWhenNoneMatches)
{
    GUID expected = m.interfaceGuid();
    EXPECT_EQ(std::memcmp(&client.GetInterface().InterfaceGuid, &expected, sizeof(GUID)), 0);
    EXPECT_NE(client.GetConnector(), nullptr);
    EXPECT_NE(client.GetProfileManager(), nullptr);
    EXPECT_NE(client.GetOidAccessor(), nullptr);

    // A name no interface has: the companions are made anew, the interface stays.
    EXPECT_EQ(client.SelectInterface("Some Other Adapter", monitor.hwnd(), 1), 0u);
    EXPECT_EQ(std::memcmp(&client.GetInterface().InterfaceGuid, &expected, sizeof(GUID)), 0);
    BOOL bConnected = 5;
    EXPECT_EQ(client.IsInterfaceConnected(&bConnected), 0u);
    EXPECT_EQ(bConnected, 0);
}

TEST_F(WifiClient, RebuildsTheDefaultRadioEnvironmentByteForByte)
{
    EXPECT_EQ(client.BuildBssidList(phy), 0u);
    std::vector<Network> networks = machine::radio::DefaultNetworks();
    EXPECT_EQ(work, ExpectedList(networks));
    std::vector<DWORD> types;
    for (const Network& n : networks)
        types.push_back(n.phyType);
    types.push_back(0xEEEEEEEE); // nothing written past the entries
    EXPECT_EQ(phyTypes(networks.size() + 1), types);
}

TEST_F(WifiClient, ListsABssidOnceAndLaysOutEntriesWithoutOrWithOddElements)
{
    Network alpha = RadioNetwork("Alpha", 1, 1, -50, {0xDD, 0x01, 0x42}, true);
    Network beta = RadioNetwork("Beta", 1, 11, -40); // the same access point, another name
    Network bare = RadioNetwork("Bare", 2, 6, -70);  // a beacon without elements
    Network odd = RadioNetwork("Odd", 3, 36, -60, {0x00, 0x00, 0x03, 0x01, 0x24});
    odd.phyType = machine::radio::kPhyOfdm;
    odd.bssType = machine::radio::kIndependent;
    m.setNetworks({alpha, beta, bare, odd});

    EXPECT_EQ(client.BuildBssidList(phy), 0u);
    EXPECT_EQ(work, ExpectedList({alpha, bare, odd}));
    EXPECT_EQ(phyTypes(4), (std::vector<DWORD>{6, 6, 4, 0xEEEEEEEE}));
}

TEST_F(WifiClient, KeepsOnlyWholeEntriesWhenTheListWouldOverflow)
{
    // 15 entries of 4116 bytes take 61,744 bytes; 3,792 are left.
    struct Case
    {
        const char* name;
        size_t sixteenthElements;
        size_t expectedCount;
    } cases[] = {
        {"exactly filling", 3792 - 116, 16},
        {"one byte over", 3792 - 116 + 1, 15},
    };
    for (const Case& c : cases)
    {
        std::vector<Network> networks;
        for (int i = 0; i < 15; i++)
            networks.push_back(RadioNetwork("Big " + std::to_string(i), static_cast<BYTE>(i), 1,
                                            -50, Filler(4000)));
        networks.push_back(RadioNetwork("Sixteenth", 100, 6, -55, Filler(c.sixteenthElements)));
        // Would fit after 15 entries, but the list stops at the first that does not.
        networks.push_back(RadioNetwork("Small", 101, 11, -60));
        m.setNetworks(networks);
        std::fill(work.begin(), work.end(), 0xCD);
        std::fill(std::begin(phy), std::end(phy), 0xEEEEEEEE);

        EXPECT_EQ(client.BuildBssidList(phy), 0u) << c.name;
        networks.resize(c.expectedCount);
        EXPECT_EQ(work, ExpectedList(networks)) << c.name;
        EXPECT_EQ(phy[c.expectedCount - 1], 6u) << c.name;
        EXPECT_EQ(phy[c.expectedCount], 0xEEEEEEEEu) << c.name;
    }
}

TEST_F(WifiClient, ABuildThatCannotReadTheNetworksLeavesAnEmptyListAndReturnsTheError)
{
    mw::InjectCallFailure(m.machine(), "WlanGetAvailableNetworkList", ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(client.BuildBssidList(phy), ERROR_ACCESS_DENIED);
    EXPECT_EQ(work, Bytes(BSSID_LIST_BYTES, 0));
}

TEST_F(WifiClient, RadioStateFollowsTheFirstDecidingPhy)
{
    struct Case
    {
        const char* name;
        std::vector<int> softwareOff; // PHY indexes switched off in software
        bool hardwareOff;
        BOOL softwareOn, hardwareOn;
    } cases[] = {
        {"all on", {}, false, 1, 1},
        {"first off, second on", {0}, false, 1, 1},
        {"all off in software", {0, 1, 2, 3}, false, 0, 1},
        {"hardware switch off", {}, true, 0, 0},
        {"both off", {0, 1, 2, 3}, true, 0, 0},
    };
    for (const Case& c : cases)
    {
        mw::SetHardwareRadio(m.machine(), m.guid(), true);
        mw::SetSoftwareRadio(m.machine(), m.guid(), -1, true);
        for (int index : c.softwareOff)
            mw::SetSoftwareRadio(m.machine(), m.guid(), index, false);
        if (c.hardwareOff)
            mw::SetHardwareRadio(m.machine(), m.guid(), false);
        BOOL bSoftware = 7, bHardware = 7;
        EXPECT_EQ(client.GetRadioState(&bSoftware, &bHardware), 0u) << c.name;
        EXPECT_EQ(bSoftware, c.softwareOn) << c.name;
        EXPECT_EQ(bHardware, c.hardwareOn) << c.name;
    }

    mw::InjectCallFailure(m.machine(), "WlanQueryInterface", ERROR_ACCESS_DENIED, 1);
    BOOL bSoftware = 7, bHardware = 7;
    EXPECT_EQ(client.GetRadioState(&bSoftware, &bHardware), ERROR_ACCESS_DENIED);
    EXPECT_EQ(bSoftware, 0);
    EXPECT_EQ(bHardware, 1);
}

TEST_F(WifiClient, SettingTheRadioSwitchesEveryPhyAndReportsARefusedSet)
{
    EXPECT_EQ(client.SetRadioState(FALSE), 0u);
    for (const mw::PhyRadio& r : mw::RadioState(m.machine(), m.guid()))
        EXPECT_EQ(r.software, 2u);

    // The first PHY's set is refused, the others go through: the refusal is the answer.
    mw::InjectCallFailure(m.machine(), "WlanSetInterface", ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(client.SetRadioState(TRUE), ERROR_ACCESS_DENIED);
    std::vector<std::uint32_t> states;
    for (const mw::PhyRadio& r : mw::RadioState(m.machine(), m.guid()))
        states.push_back(r.software);
    EXPECT_EQ(states, (std::vector<std::uint32_t>{2, 1, 1, 1}));
}

TEST_F(WifiClient, QueriesLeaveTheirInitialValuesWhenTheServiceFails)
{
    mw::SetServiceRunning(m.machine(), false);
    NDIS_802_11_SSID ssid;
    std::memset(&ssid, 0xAB, sizeof(ssid));
    BYTE mac[6] = {1, 2, 3, 4, 5, 6};
    BOOL bConnected = 9, bABand = 9;
    EXPECT_NE(client.GetCurrentSsid(&ssid), 0u);
    EXPECT_NE(client.GetCurrentBssid(mac), 0u);
    EXPECT_NE(client.IsInterfaceConnected(&bConnected), 0u);
    EXPECT_NE(client.SupportsABand(&bABand), 0u);
    EXPECT_EQ(ssid.SsidLength, 0u);
    EXPECT_EQ(Bytes(ssid.Ssid, ssid.Ssid + 32), Bytes(32, 0));
    EXPECT_EQ(Bytes(mac, mac + 6), Bytes(6, 0));
    EXPECT_EQ(bConnected, 0);
    EXPECT_EQ(bABand, 0);
    mw::SetServiceRunning(m.machine(), true);

    EXPECT_EQ(client.SupportsABand(&bABand), 0u);
    EXPECT_EQ(bABand, 1);
    mw::SetInterfacePhyTypes(m.machine(), m.guid(), {5, 6});
    EXPECT_EQ(client.SupportsABand(&bABand), 0u);
    EXPECT_EQ(bABand, 0);
}

TEST_F(WifiClient, ChannelAndHtSupportComeFromThePublishedList)
{
    std::vector<Network> networks = machine::radio::DefaultNetworks();
    Network offTable = RadioNetwork("Off Table", 50, 1, -50);
    offTable.frequencyKhz = 2419000; // between two channels
    networks.push_back(offTable);
    m.setNetworks(networks);
    ASSERT_EQ(client.BuildBssidList(phy), 0u);
    published = work;

    BYTE unknown[6] = {0x02, 0x54, 0x59, 0x7F, 0x7F, 0x7F};
    EXPECT_EQ(client.ChannelFromBssid(networks[0].bssid.data()), 1);
    EXPECT_EQ(client.ChannelFromBssid(networks[8].bssid.data()), 44);
    EXPECT_EQ(client.ChannelFromBssid(offTable.bssid.data()), -1);
    EXPECT_EQ(client.ChannelFromBssid(unknown), -1);
    EXPECT_EQ(client.GetCurrentSecurity(networks[8].bssid.data()), 1);
    EXPECT_EQ(client.GetCurrentSecurity(networks[3].bssid.data()), 0);
    EXPECT_EQ(client.GetCurrentSecurity(unknown), 0);

    // A damaged entry length ends the walk instead of leading it astray.
    Put32(published, 4, 100);
    EXPECT_EQ(client.ChannelFromBssid(networks[1].bssid.data()), -1);
}

} // namespace
