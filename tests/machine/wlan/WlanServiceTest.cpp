#include "tests/machine/wlan/WlanFixture.h"

#include "machine/MachineClock.h"
#include "machine/ParsedFile.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/Miniport.h"
#include "machine/miniport/OidTable.h"
#include "machine/wlan/ProfileXml.h"
#include "machine/wlan/StateFile.h"

#include <algorithm>
#include <atomic>

namespace
{

namespace wlan = machine::wlan;
using wlan_test::ProfileXml;

class WlanService : public wlan_test::WlanMachineTest
{
protected:
    std::vector<wlan::Notification> since(std::uint64_t seq)
    {
        return wlan::NotificationsAfter(m(), seq);
    }
    // Linked to the open network through its stored profile.
    void connectOpenOne()
    {
        storeProfile(ProfileXml("Open One", "Open One", "open", "none"));
        wlan::ConnectRequest r;
        r.profileName = "Open One";
        ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
        clock.advance(500);
        ASSERT_TRUE(wlan::CurrentConnection(m(), m_guid));
    }
    static std::vector<std::uint32_t> codes(const std::vector<wlan::Notification>& list)
    {
        std::vector<std::uint32_t> out;
        for (const auto& n : list)
            out.push_back(n.code);
        return out;
    }
};

TEST_F(WlanService, AScanEndsAfterTheDelayInCompleteOrFail)
{
    struct Case
    {
        std::uint64_t delay;
        bool fail;
        std::uint32_t code;
    } cases[] = {{1500, false, 7}, {300, false, 7}, {800, true, 8}};
    for (const Case& c : cases)
    {
        wlan::SetScanDelay(m(), c.delay);
        if (c.fail)
            wlan::InjectCallFailure(m(), "scan", 0, 1);
        std::uint64_t seq = wlan::LastNotificationSeq(m());
        std::uint64_t at = machine::MachineNow();
        ASSERT_EQ(wlan::StartScan(m(), m_guid), 0u);
        auto notes = since(seq);
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].source, wlan::kSourceAcm);
        EXPECT_EQ(notes[0].code, c.code);
        EXPECT_EQ(notes[0].due, at + c.delay);
        // A failed scan carries its reason; a completed one nothing.
        EXPECT_EQ(notes[0].data.size(), c.fail ? 4u : 0u);
        clock.advance(c.delay);
    }
    // The fault was for one scan only.
    std::uint64_t seq = wlan::LastNotificationSeq(m());
    ASSERT_EQ(wlan::StartScan(m(), m_guid), 0u);
    EXPECT_EQ(codes(since(seq)), std::vector<std::uint32_t>{7});
    // No radio, no scan, and nothing is promised.
    wlan::SetHardwareRadio(m(), m_guid, false);
    seq = wlan::LastNotificationSeq(m());
    EXPECT_EQ(wlan::StartScan(m(), m_guid), 0x80342002u);
    EXPECT_TRUE(since(seq).empty());
    EXPECT_EQ(wlan::StartScan(m(), "{00000000-0000-0000-0000-000000000000}"), 1168u);
}

TEST_F(WlanService, NetworksGroupBySsidTypeAndSecurity)
{
    storeProfile(ProfileXml("Psk Three", "Psk Three", "WPA2PSK", "AES", "right-pass"));
    auto list = wlan::AvailableNetworks(m(), m_guid);
    struct Expect
    {
        std::string ssid;
        std::uint32_t bssType;
        bool secured;
        std::size_t bss;
        std::string profile;
    } expected[] = {
        {"Open One", 1, false, 1, ""},
        {"Wep Two", 1, true, 1, ""},
        {"Psk Three", 1, true, 2, "Psk Three"},
        {"Open One", 1, true, 1, ""},
        {"Open One", 2, false, 1, ""},
        {"", 1, true, 1, ""},
        {"Odd", 1, false, 1, ""},
    };
    ASSERT_EQ(list.size(), std::size(expected));
    for (std::size_t k = 0; k < list.size(); ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(list[k].ssid, expected[k].ssid);
        EXPECT_EQ(list[k].bssType, expected[k].bssType);
        EXPECT_EQ(list[k].securityEnabled, expected[k].secured);
        EXPECT_EQ(list[k].bss.size(), expected[k].bss);
        EXPECT_EQ(list[k].profileName, expected[k].profile);
    }
    // The strongest BSS gives the network's signal; RSN with PSK and CCMP reads as WPA2-PSK AES.
    EXPECT_EQ(list[2].quality, machine::radio::QualityFromRssi(-45));
    EXPECT_EQ(list[2].security.auth, 7u);
    EXPECT_EQ(list[2].security.cipher, 4u);
    EXPECT_EQ(list[1].security.cipher, 0x101u);
    // The hidden network keeps its empty SSID.
    EXPECT_TRUE(list[5].bss[0].ssid.empty());
}

TEST_F(WlanService, ProfileScopesAreKeptApart)
{
    const std::string user = ProfileXml("Home", "Psk Three", "WPA2PSK", "AES", "user-key");
    const std::string all = ProfileXml("Home", "Psk Three", "WPA2PSK", "AES", "all-key");
    std::uint32_t reason = 1;
    ASSERT_EQ(wlan::SetProfile(m(), m_guid, all, false, false, reason), 0u);
    EXPECT_EQ(reason, 0u);
    ASSERT_EQ(wlan::SetProfile(m(), m_guid, user, true, false, reason), 0u);
    // Without overwrite a taken name in that scope is refused; with it the document is replaced.
    EXPECT_EQ(wlan::SetProfile(m(), m_guid, user, true, false, reason), 183u);
    ASSERT_EQ(wlan::SetProfile(m(), m_guid, user, true, true, reason), 0u);

    auto list = wlan::ListProfiles(m(), m_guid);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].user);
    EXPECT_FALSE(list[1].user);
    EXPECT_EQ(list[0].xml, user);
    EXPECT_EQ(list[1].xml, all);
    // The per-user profile is the one found, names are exact.
    EXPECT_EQ(wlan::GetProfile(m(), m_guid, "Home")->xml, user);
    EXPECT_FALSE(wlan::GetProfile(m(), m_guid, "home"));
    EXPECT_EQ(wlan::DeleteProfile(m(), m_guid, "HOME"), 1168u);
    EXPECT_EQ(wlan::DeleteProfile(m(), m_guid, "Home"), 0u);
    EXPECT_TRUE(wlan::ListProfiles(m(), m_guid).empty());
    EXPECT_EQ(wlan::DeleteProfile(m(), m_guid, "Home"), 1168u);

    struct Bad
    {
        std::string xml;
        std::uint32_t reason;
    } bad[] = {
        {"<WLANProfile><name>x</name>", wlan::kReasonInvalidProfileSchema},
        // An SSID with a bare '&' does not parse: nothing is stored.
        {ProfileXml("A", "x", "open", "none")
             .replace(ProfileXml("A", "x", "open", "none").find("<SSID><name>x") + 12, 1, "&"),
         wlan::kReasonInvalidProfileSchema},
        {ProfileXml("A", "x", "open", "none", "", "BSS"), wlan::kReasonInvalidProfileType},
        {ProfileXml("A", "x", "open", "ROT13"), wlan::kReasonMsmSecurityMissing},
    };
    for (const Bad& b : bad)
    {
        EXPECT_EQ(wlan::SetProfile(m(), m_guid, b.xml, true, true, reason), 1206u) << b.xml;
        EXPECT_EQ(reason, b.reason) << b.xml;
    }
    EXPECT_TRUE(wlan::ListProfiles(m(), m_guid).empty());
}

TEST_F(WlanService, ConnectSucceedsOnlyWithTheNetworksKey)
{
    struct Case
    {
        std::string ssid, auth, cipher, key;
        bool connects;
    } cases[] = {
        {"Open One", "open", "none", "", true},
        {"Psk Three", "WPA2PSK", "AES", "right-pass", true},
        {"Psk Three", "WPA2PSK", "AES", "wrong-pass", false},
        // The network offers AES only.
        {"Psk Three", "WPA2PSK", "TKIP", "right-pass", false},
        {"Wep Two", "open", "none", "", false},
    };
    wlan::SetConnectDelay(m(), 500);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.ssid + " " + c.key);
        storeProfile(ProfileXml(c.ssid, c.ssid, c.auth, c.cipher, c.key));
        std::uint64_t seq = wlan::LastNotificationSeq(m());
        wlan::ConnectRequest r;
        r.profileName = c.ssid;
        ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
        EXPECT_EQ(wlan::ListInterfaces(m())[0].state, 5u); // associating
        clock.advance(499);
        EXPECT_FALSE(wlan::CurrentConnection(m(), m_guid));
        clock.advance(1);
        auto connection = wlan::CurrentConnection(m(), m_guid);
        ASSERT_EQ(connection.has_value(), c.connects);
        auto notes = since(seq);
        // A link from the case before goes down first.
        std::erase_if(notes, [&](const wlan::Notification& n)
                      { return n.seq == seq + 1 && n.code == 21; });
        const std::vector<std::uint32_t> expected =
            c.connects ? std::vector<std::uint32_t>{9, 10} : std::vector<std::uint32_t>{9, 11, 21};
        EXPECT_EQ(codes(notes), expected);
        EXPECT_EQ(machine::miniport::LoadAdapterState(m(), m_guid).associated, c.connects);
        if (c.connects)
        {
            EXPECT_EQ(connection->ssid, c.ssid);
            EXPECT_EQ(connection->profileName, c.ssid);
            EXPECT_EQ(wlan::ListInterfaces(m())[0].state, 1u);
        }
    }
    // The stronger of two BSSs is chosen, unless a BSSID is asked for.
    storeProfile(ProfileXml("Psk Three", "Psk Three", "WPA2PSK", "AES", "right-pass"));
    wlan::ConnectRequest r;
    r.profileName = "Psk Three";
    ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
    clock.advance(500);
    EXPECT_EQ(wlan::CurrentConnection(m(), m_guid)->bssid[5], 4);
    r.bssids = {{0x02, 0x11, 0x22, 0x33, 0x44, 3}};
    ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
    clock.advance(500);
    EXPECT_EQ(wlan::CurrentConnection(m(), m_guid)->bssid[5], 3);
}

TEST_F(WlanService, WepWithAWrongKeyConnectsAndCountsIcvErrors)
{
    for (const std::string key : {"12345", "54321"})
    {
        SCOPED_TRACE(key);
        storeProfile(ProfileXml("Wep Two", "Wep Two", "open", "WEP", key));
        wlan::ConnectRequest r;
        r.profileName = "Wep Two";
        ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
        clock.advance(500);
        ASSERT_TRUE(wlan::CurrentConnection(m(), m_guid));
        std::uint64_t first = wlan::LinkStatistics(m(), m_guid)->wepIcvErrors;
        clock.advance(4000);
        std::uint64_t later = wlan::LinkStatistics(m(), m_guid)->wepIcvErrors;
        if (key == "12345")
            EXPECT_EQ(later, 0u);
        else
            EXPECT_GT(later, first);
    }
}

TEST_F(WlanService, RadioIsSwitchedPerPhy)
{
    auto phys = wlan::RadioState(m(), m_guid);
    ASSERT_GE(phys.size(), 2u);
    ASSERT_NO_FATAL_FAILURE(connectOpenOne());

    std::uint64_t seq = wlan::LastNotificationSeq(m());
    ASSERT_EQ(wlan::SetSoftwareRadioState(m(), m_guid, 1, 2), 0u);
    phys = wlan::RadioState(m(), m_guid);
    EXPECT_EQ(phys[0].software, 1u);
    EXPECT_EQ(phys[1].software, 2u);
    auto notes = since(seq);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].source, wlan::kSourceMsm);
    EXPECT_EQ(notes[0].code, 7u);
    EXPECT_EQ(notes[0].data, (std::vector<std::uint8_t>{1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(notes[1].code, 21u); // one PHY off takes the link down
    EXPECT_FALSE(wlan::CurrentConnection(m(), m_guid));
    EXPECT_FALSE(machine::miniport::LoadAdapterState(m(), m_guid).radioOn);
    EXPECT_TRUE(wlan::AvailableNetworks(m(), m_guid).empty());

    EXPECT_EQ(wlan::SetSoftwareRadioState(m(), m_guid, 64, 1), 87u);
    EXPECT_EQ(wlan::SetSoftwareRadioState(m(), m_guid, 0, 0), 87u);
    ASSERT_EQ(wlan::SetSoftwareRadioState(m(), m_guid, 1, 1), 0u);
    EXPECT_TRUE(machine::miniport::LoadAdapterState(m(), m_guid).radioOn);
    wlan::SetHardwareRadio(m(), m_guid, false);
    for (const auto& p : wlan::RadioState(m(), m_guid))
    {
        EXPECT_EQ(p.software, 1u);
        EXPECT_EQ(p.hardware, 2u);
    }
}

TEST_F(WlanService, CallsFailAsInjectedAndWhileStopped)
{
    wlan::InjectCallFailure(m(), "WlanConnect", 5, 2);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanConnect"), 5u);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanScan"), 0u);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanConnect"), 5u);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanConnect"), 0u);
    wlan::InjectCallFailure(m(), "WlanScan", 31);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(wlan::BeginCall(m(), "WlanScan"), 31u);
    wlan::ClearCallFailures(m());
    EXPECT_EQ(wlan::BeginCall(m(), "WlanScan"), 0u);

    wlan::SetServiceRunning(m(), false);
    EXPECT_FALSE(wlan::IsServiceRunning(m()));
    EXPECT_EQ(wlan::BeginCall(m(), "WlanOpenHandle"), 1062u);
    wlan::SetServiceRunning(m(), true);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanOpenHandle"), 0u);
    EXPECT_NE(wlan::ReadLog(m()).find("WlanOpenHandle -> error 1062"), std::string::npos);
}

TEST_F(WlanService, StatisticsAreTheDriversCounters)
{
    storeProfile(ProfileXml("Open One", "Open One", "open", "none"));
    wlan::ConnectRequest r;
    r.profileName = "Open One";
    ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
    clock.advance(500 + 10000);
    auto stats = wlan::LinkStatistics(m(), m_guid);
    ASSERT_TRUE(stats);
    ASSERT_EQ(stats->phyRecord.size(), 144u);
    EXPECT_EQ(stats->phyCount, wlan::RadioState(m(), m_guid).size());
    EXPECT_LT(stats->phyIndex, stats->phyCount);
    auto u64At = [&](std::size_t at)
    {
        std::uint64_t v = 0;
        for (int k = 7; k >= 0; --k)
            v = v << 8 | stats->phyRecord[at + k];
        return v;
    };
    const auto driver = machine::miniport::LoadAdapterState(m(), m_guid);
    // Field by field from the driver's statistics record: transmitted fragments, retries,
    // received fragments.
    EXPECT_EQ(u64At(48), driver.u64(machine::miniport::oid::Statistics, 8));
    EXPECT_EQ(u64At(48), 10u * machine::miniport::kFramesPerSecond);
    EXPECT_EQ(u64At(24), driver.u64(machine::miniport::oid::Statistics, 32));
    EXPECT_EQ(u64At(120), driver.u64(machine::miniport::oid::Statistics, 80));
    EXPECT_LT(u64At(64), u64At(48)) << "RTS failures are a small share of the traffic";

    std::string none;
    ASSERT_TRUE(machine::miniport::HandleRequest(m(), m_guid, 0x0DF10103, none).ok);
    stats = wlan::LinkStatistics(m(), m_guid);
    EXPECT_EQ(stats->phyRecord, std::vector<std::uint8_t>(144, 0));
}

// A program looks at the link's statistics on every tick: the looks write no file, even on a
// clock that moves between two readings of it, and the counters still follow the clock.
TEST_F(WlanService, LookingAtStatisticsWritesNothing)
{
    ASSERT_NO_FATAL_FAILURE(connectOpenOne());
    const auto adapterFile = machine::miniport::AdapterDirectory(m(), m_guid) / "state.txt";
    const auto serviceFile = wlan::StateFilePath(m());
    ASSERT_TRUE(wlan::LinkStatistics(m(), m_guid));
    const auto adapterVersion = machine::VersionOf(adapterFile);
    const auto serviceVersion = machine::VersionOf(serviceFile);
    ASSERT_TRUE(adapterVersion && serviceVersion);

    static std::atomic<std::uint64_t> ticking{0};
    ticking = clock.now();
    machine::SetClockSource([] { return ticking.fetch_add(1); });
    auto transmitted = [&]
    {
        auto stats = wlan::LinkStatistics(m(), m_guid);
        std::uint64_t v = 0;
        for (int k = 7; k >= 0; --k)
            v = v << 8 | stats->phyRecord[48 + static_cast<std::size_t>(k)];
        return v;
    };
    const std::uint64_t first = transmitted();
    for (int look = 0; look < 5; ++look)
    {
        ticking += 1000;
        transmitted();
    }
    EXPECT_GE(transmitted(), first + 5 * machine::miniport::kFramesPerSecond);
    EXPECT_EQ(machine::VersionOf(adapterFile), adapterVersion);
    EXPECT_EQ(machine::VersionOf(serviceFile), serviceVersion);
}

TEST_F(WlanService, AnUnpluggedAdapterLeavesAndComesBack)
{
    const std::string device = machine::devices::DefaultAdapter().instanceId;
    wlan::Pump(m()); // the first look only records what is there
    storeProfile(ProfileXml("Open One", "Open One", "open", "none"));
    wlan::ConnectRequest r;
    r.profileName = "Open One";
    ASSERT_EQ(wlan::Connect(m(), m_guid, r), 0u);
    clock.advance(500);
    std::uint64_t seq = wlan::LastNotificationSeq(m());
    wlan::Pump(m());
    EXPECT_TRUE(since(seq).empty());

    ASSERT_TRUE(machine::devices::SetDevicePresent(m(), device, false));
    wlan::Pump(m());
    EXPECT_EQ(codes(since(seq)), (std::vector<std::uint32_t>{21, 14}));
    EXPECT_TRUE(wlan::ListInterfaces(m()).empty());
    seq = wlan::LastNotificationSeq(m());
    ASSERT_TRUE(machine::devices::SetDevicePresent(m(), device, true));
    ASSERT_EQ(wlan::ListInterfaces(m()).size(), 1u);
    auto notes = since(seq);
    ASSERT_EQ(codes(notes), std::vector<std::uint32_t>{13});
    EXPECT_EQ(notes[0].guid, m_guid);
    EXPECT_FALSE(wlan::CurrentConnection(m(), m_guid));
}

} // namespace
