// Simulated stations joining the adapter's access point: only with the key the access point was
// given, listed in the driver's station table, and told about in the driver's station events.

#include "machine/stations/Stations.h"
#include "machine/LittleEndian.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverReload.h"
#include "machine/miniport/Miniport.h"
#include "machine/miniport/OidTable.h"
#include "machine/registry/Registry.h"
#include "machine/stations/JoinCheck.h"
#include "tests/machine/stations/AccessPointSetup.h"
#include "tests/support/HexBytes.h"
#include "tests/support/MachineTestClock.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;
namespace mp = machine::miniport;
namespace st = machine::stations;

namespace
{

using testing_support::HexBytes;
using testing_support::le32;

const std::string kId = machine::devices::DefaultAdapter().netCfgInstanceId;

// PBKDF2-HMAC-SHA1("password", "IEEE", 4096, 32): the PSK test vector of the 802.11 standard.
const std::string kIeeePsk = HexBytes("f4 2c 6f c5 2d f0 eb ef 9e bb 4b 90 b3 8a 5f 90 2e 83 fe 1b "
                                      "13 5a 70 e2 3a ed 76 2e 97 10 a1 2e");
const std::string kWepKey = "\x01\x02\x03\x04\x05"s;

st::Station station(std::uint8_t last)
{
    st::Station s;
    s.mac = {0x02, 0x5A, 0x00, 0x00, 0x00, last};
    return s;
}
st::Station withPassphrase(std::uint8_t last, const std::string& passphrase)
{
    st::Station s = station(last);
    s.key = st::StationKey::Passphrase;
    s.passphrase = passphrase;
    return s;
}
st::Station withWep(std::uint8_t last, std::uint32_t index, const std::string& key)
{
    st::Station s = station(last);
    s.key = st::StationKey::Wep;
    s.wepIndex = index;
    s.wepKey = key;
    return s;
}

std::string query(std::uint32_t code, std::size_t size)
{
    std::string buffer(size, '\xEE');
    EXPECT_TRUE(mp::HandleRequest(machine::CurrentMachine(), kId, code, buffer).ok) << code;
    return buffer;
}

struct Event
{
    std::uint64_t fileTime;
    std::uint8_t last; // of the station's MAC
    std::uint16_t code;
    bool operator==(const Event&) const = default;
};

// One answer of the event query.
std::vector<Event> eventAnswer()
{
    const std::string b = query(mp::oid::ApEvents, 168);
    std::vector<Event> events;
    for (std::uint32_t i = 0; i < machine::ReadLe32(b); ++i)
    {
        const std::string r = b.substr(8 + 16 * i, 16);
        events.push_back({machine::ReadLe32(r) | std::uint64_t{machine::ReadLe32(r, 4)} << 32,
                          static_cast<std::uint8_t>(r[13]),
                          static_cast<std::uint16_t>(static_cast<unsigned char>(r[14]) |
                                                     static_cast<unsigned char>(r[15]) << 8)});
    }
    return events;
}

// Every event waiting, as (last MAC byte, code).
std::vector<std::pair<int, int>> events()
{
    std::vector<std::pair<int, int>> all;
    for (std::vector<Event> answer; !(answer = eventAnswer()).empty();)
        for (const Event& e : answer)
            all.emplace_back(e.last, e.code);
    return all;
}

// The last MAC bytes of the joined stations, as the station table lists them.
std::vector<int> joined()
{
    const std::string table = query(0x0D71010B, 324);
    std::vector<int> list;
    for (std::uint32_t i = 0; i < machine::ReadLe32(table); ++i)
        list.push_back(static_cast<unsigned char>(table[4 + 10 * i + 5]));
    return list;
}

class StationsTest : public ::testing::Test
{
protected:
    const machine::Machine& mc() const { return m.machine(); }
    void add(const st::Station& s) { ASSERT_TRUE(st::AddStation(mc(), kId, s)); }

    testing_support::TempMachine m;
    testing_support::MachineTestClock clock{5000};
};

TEST(StationKeys, ThePskIsDerivedFromThePassphraseAndTheSsidBroadcast)
{
    EXPECT_EQ(st::StationPsk("password", "IEEE"), kIeeePsk);
    EXPECT_NE(st::StationPsk("password", "IEEE "), kIeeePsk);
    // 64 hex digits are the PSK itself; 64 characters of anything else are a passphrase.
    std::string hex;
    for (unsigned char c : kIeeePsk)
        hex += "0123456789abcdef"[c >> 4], hex += "0123456789ABCDEF"[c & 15];
    EXPECT_EQ(st::StationPsk(hex, "other"), kIeeePsk);
    EXPECT_NE(st::StationPsk(std::string(63, 'a') + "g", "IEEE"), std::nullopt);
    EXPECT_NE(st::StationPsk(std::string(63, 'a') + "g", "IEEE"), st::StationPsk(hex, ""));
}

TEST_F(StationsTest, AWpa2PskAccessPointTakesOnlyTheRightPassphrase)
{
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "IEEE", {7, 6, kIeeePsk, {}}));
    add(withPassphrase(1, "password"));
    add(withPassphrase(2, "passwort"));
    add(station(3));
    add(withWep(4, 0, kWepKey));
    add(withPassphrase(5, "F42C6FC52DF0EBEF9EBB4B90B38A5F902E83FE1B135A70E23AED762E9710A12E"));
    EXPECT_EQ(joined(), (std::vector<int>{1, 5}));
    EXPECT_EQ(events(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 5}, {3, 5}, {4, 5}, {5, 1}}));

    // The key is salted with the SSID broadcast: the same key under another SSID admits nobody.
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "IEEE2", {7, 6, kIeeePsk, {}}));
    EXPECT_EQ(joined(), std::vector<int>{5});
}

TEST_F(StationsTest, AWepAccessPointTakesTheKeyAtTheStationsIndex)
{
    for (std::uint32_t authentication : {0u, 1u}) // open and shared
    {
        st::ClearStations(mc(), kId);
        events();
        ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Keyed",
                                                      {authentication, 0, {}, {{1, kWepKey}}}));
        add(withWep(1, 1, kWepKey));
        add(withWep(2, 0, kWepKey));
        add(withWep(3, 1, "\x01\x02\x03\x04\x06"s));
        add(withWep(4, 1, kWepKey + "\x06\x07\x08\x09\x0A\x0B\x0C\x0D"s));
        add(withPassphrase(5, "password"));
        EXPECT_EQ(joined(), std::vector<int>{1}) << authentication;
        EXPECT_EQ(events(),
                  (std::vector<std::pair<int, int>>{{1, 1}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));
    }
}

TEST_F(StationsTest, AnOpenAccessPointTakesAnyStationAndOneWithAServerNone)
{
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    add(station(1));
    add(withPassphrase(2, "password"));
    add(withWep(3, 2, kWepKey));
    EXPECT_EQ(joined(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(events(), (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_FALSE(st::AddStation(mc(), kId, station(2))) << "already in range";

    // WPA2 with a RADIUS server: the machine has none, so nobody joins and nothing is said.
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Enterprise", {6, 6, {}, {}}));
    EXPECT_EQ(joined(), std::vector<int>{});
    EXPECT_EQ(events(), (std::vector<std::pair<int, int>>{}));
}

TEST_F(StationsTest, TheTableListsJoinedStationsAndEventsTellOfJoinsAndLeaves)
{
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    std::string mode = le32(9); // 802.11 B/G/N: stations are sent at HT MCS 7
    ASSERT_TRUE(mp::HandleRequest(mc(), kId, 0x0DF1010C, mode).ok);
    add(station(1));
    clock.advance(1500);
    st::Station dozing = station(2);
    dozing.powerSave = true;
    add(dozing);
    add(station(3));
    ASSERT_TRUE(st::RemoveStation(mc(), kId, station(2).mac));
    EXPECT_FALSE(st::RemoveStation(mc(), kId, station(2).mac));
    add(station(4)); // takes the association ID the leaver gave back

    const std::string table = query(0x0D71010B, 324);
    EXPECT_EQ(table, le32(3) + "\x02\x5A\x00\x00\x00\x01\x01\x00\x07\x80"s +
                         "\x02\x5A\x00\x00\x00\x03\x03\x00\x07\x80"s +
                         "\x02\x5A\x00\x00\x00\x04\x02\x00\x07\x80"s + std::string(290, '\0'));
    const auto list = st::ListStations(mc(), kId);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].joined->aid, 3);

    const std::vector<Event> answer = eventAnswer();
    ASSERT_EQ(answer.size(), 5u);
    EXPECT_EQ(answer[1].fileTime - answer[0].fileTime, 1500u * 10000u) << "FILETIME of the clock";
    EXPECT_EQ(answer[3], (Event{answer[1].fileTime, 2, st::kEventLeft}));
    EXPECT_EQ(answer[4].code, st::kEventAssociated);
    // A FILETIME of this century, not of the machine's boot.
    EXPECT_GT(answer[0].fileTime, 13'000'000'000'000'000'000ull / 1000);

    // A power-save station is flagged; nobody left: nothing more to tell.
    ASSERT_TRUE(st::RemoveStation(mc(), kId, station(1).mac));
    add(dozing);
    EXPECT_EQ(query(0x0D71010B, 324).substr(4 + 2 * 10, 10),
              "\x02\x5A\x00\x00\x00\x02\x01\x01\x07\x80"s);
}

TEST_F(StationsTest, MoreThanTenEventsComeInTwoAnswers)
{
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    for (std::uint8_t i = 1; i <= 12; ++i)
        add(station(i));
    const auto first = eventAnswer(), second = eventAnswer();
    ASSERT_EQ(first.size(), 10u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(first.front().last, 1);
    EXPECT_EQ(second.back().last, 12);
    EXPECT_TRUE(eventAnswer().empty()) << "each event is answered once";
}

TEST_F(StationsTest, StationsJoinWhenTheAccessPointStartsAndAreDroppedWhenItStops)
{
    const auto adapter = *machine::devices::FindDeviceByNetCfgInstanceId(mc(), kId);
    add(station(1)); // nobody to join yet
    EXPECT_EQ(events(), (std::vector<std::pair<int, int>>{}));
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    EXPECT_EQ(joined(), std::vector<int>{1});
    std::string marker = le32(1);
    ASSERT_TRUE(mp::HandleRequest(mc(), kId, 0x0DF10126, marker).ok);

    // The mode switch writes "OpMode" and reloads the driver, which reads it.
    struct Case
    {
        const char* opMode; // null: no value
        std::uint32_t mode;
    } cases[] = {{"0", 1}, {"1", 2}, {"2", 1}, {nullptr, 1}};
    for (const Case& c : cases)
    {
        ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
        if (c.opMode != nullptr)
            machine::registry::SetString(mc(), machine::devices::DriverKeyPath(adapter), "OpMode",
                                         c.opMode);
        else
            machine::registry::DeleteValue(mc(), machine::devices::DriverKeyPath(adapter),
                                           "OpMode");
        mp::ReloadDriver(mc(), kId);
        const mp::AdapterState s = mp::LoadAdapterState(mc(), kId);
        EXPECT_EQ(mp::OperationMode(s), c.mode) << (c.opMode ? c.opMode : "none");
        EXPECT_FALSE(s.apStarted);
        EXPECT_EQ(query(mp::oid::StartMarker, 4), le32(0));
        EXPECT_EQ(joined(), std::vector<int>{});
        EXPECT_TRUE(eventAnswer().empty()) << "the driver's queue went with it";
        EXPECT_FALSE(st::ListStations(mc(), kId).at(0).joined);
    }

    // Back to station mode by the mode request: dropped, still in range, joins the next start.
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    std::string stationMode = le32(0) + le32(1);
    ASSERT_TRUE(mp::HandleRequest(mc(), kId, 0xFF810308, stationMode).ok);
    EXPECT_EQ(joined(), std::vector<int>{});
    EXPECT_FALSE(mp::LoadAdapterState(mc(), kId).apStarted);
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    EXPECT_EQ(joined(), std::vector<int>{1});
}

TEST_F(StationsTest, TrafficFlowsForEachJoinedStationWhileTheAccessPointRuns)
{
    auto transmitted = [] { return machine::ReadLe32(query(mp::oid::Statistics, 200), 8); };
    ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
    clock.advance(10000);
    EXPECT_EQ(transmitted(), 0u) << "an access point alone sends nothing";
    add(station(1));
    add(station(2));
    clock.advance(10000);
    EXPECT_EQ(transmitted(), 2 * 10 * mp::kFramesPerSecond);
    st::ClearStations(mc(), kId);
    EXPECT_EQ(events().size(), 4u) << "two joins, two leaves";
    clock.advance(10000);
    EXPECT_EQ(transmitted(), 2 * 10 * mp::kFramesPerSecond);
}

TEST_F(StationsTest, TheAccessControlListDecidesWhoIsHeard)
{
    auto acl = [](std::uint32_t policy, std::uint32_t count, std::vector<std::uint8_t> listed)
    {
        std::string record = le32(policy) + le32(count);
        for (std::uint8_t last : listed)
            record += "\x02\x5A\x00\x00\x00"s + static_cast<char>(last) + "\0\0"s;
        record.resize(264, '\0');
        return record;
    };
    const struct
    {
        std::string record;
        std::vector<int> joined;
    } cases[] = {
        {acl(0, 1, {1}), {1, 2}},      // disabled: the list does not count
        {acl(1, 1, {2}), {2}},         // allow listed
        {acl(2, 1, {2}), {1}},         // reject listed
        {acl(2, 0, {2}), {1, 2}},      // the count bounds the list
        {acl(1, 500, {1, 2}), {1, 2}}, // a count beyond the record reads the record only
    };
    for (const auto& c : cases)
    {
        st::ClearStations(mc(), kId);
        std::string record = c.record;
        ASSERT_TRUE(mp::HandleRequest(mc(), kId, 0x0DF10110, record).ok);
        ASSERT_TRUE(testing_support::StartAccessPoint(mc(), kId, "Open"));
        events();
        add(station(1));
        add(station(2));
        EXPECT_EQ(joined(), c.joined);
        // A station kept out is told nothing.
        EXPECT_EQ(events().size(), c.joined.size());
    }
}

} // namespace
