// What the client's radio pages and the access point's 11n page change in the driver beyond
// stored values: the block-ack sessions of each mode, the peers a session may be set up with,
// the RF registers, and the direct links that come up.

#include "machine/devices/DeviceBuilders.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/Miniport.h"
#include "machine/miniport/OidTable.h"
#include "machine/radio/RadioStore.h"
#include "tests/support/HexBytes.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace std::string_literals;
namespace mp = machine::miniport;
using testing_support::le32;

namespace
{

const std::string kId = machine::devices::DefaultAdapter().netCfgInstanceId;

struct Reply
{
    mp::RequestResult result;
    std::string buffer;
};

Reply request(std::uint32_t code, std::string buffer)
{
    Reply r;
    r.result = mp::HandleRequest(machine::CurrentMachine(), kId, code, buffer);
    r.buffer = buffer;
    return r;
}

std::string mac(char last)
{
    return "\x02\x11\x22\x33\x44"s + last;
}

// {direction, MAC, TID, window, 3 zero, whole entry, 0}
std::string session(char direction, char last, char tid, char window, char whole = 0)
{
    return std::string(1, direction) + mac(last) + tid + window + "\0\0\0"s + whole + '\0';
}

// One peer entry of a table: MAC, TID bitmap, then the TIDs' values.
std::string peer(const std::string& table, std::size_t side, std::size_t index)
{
    return table.substr(side * 1536 + index * 48, 16);
}

TEST(RadioRecords, SessionRequestsChangeTheirModesSessionTable)
{
    testing_support::TempMachine m;
    struct Step
    {
        std::uint32_t code;
        std::string data;
        bool ok;
    } steps[] = {
        {0xFF8C0025, session(0, 'A', 0, 64), true},  {0xFF8C0025, session(0, 'A', 2, 32), true},
        {0xFF8C0025, session(0, 'B', 7, 8), true},   {0xFF8C0025, session(1, 'C', 1, 16), true},
        {0xFF8C0025, session(0, 'C', 8, 16), false}, // no TID 8
        {0xFF8C0025, session(2, 'C', 1, 16), false}, // no third side
        {0xFF8C0025, std::string(14, '\0'), true},   // nobody: nothing changes
        {0xFF8C0027, session(0, 'A', 0, 0), true},   // one TID
        {0xFF8C0027, session(0, 'D', 0, 0), true},   // a peer without sessions
        {0x0DF10138, session(0, 'E', 3, 4), true},   // the access point's own table
    };
    for (const Step& s : steps)
        EXPECT_EQ(request(s.code, s.data).result.ok, s.ok) << std::hex << s.code;

    std::string table = request(mp::oid::BaSessions, std::string(3076, '\0')).buffer;
    EXPECT_EQ(table.substr(3072, 2), "\x02\x01"s);
    EXPECT_EQ(peer(table, 0, 0), mac('A') + "\x04\0"s + "\0\0\x20\0\0\0\0\0"s);
    EXPECT_EQ(peer(table, 0, 1), mac('B') + "\x80\0"s + "\0\0\0\0\0\0\0\x08"s);
    EXPECT_EQ(peer(table, 1, 0), mac('C') + "\x02\0"s + "\0\x10\0\0\0\0\0\0"s);
    std::string apTable = request(mp::oid::ApBaSessions, std::string(3076, '\0')).buffer;
    EXPECT_EQ(apTable.substr(3072, 2), "\x01\x00"s);
    EXPECT_EQ(peer(apTable, 0, 0).substr(0, 7), mac('E') + "\x08"s);

    // The last TID of a peer, or the whole entry, takes the peer out: later ones move up.
    ASSERT_TRUE(request(0xFF8C0027, session(0, 'A', 2, 0)).result.ok);
    ASSERT_TRUE(request(0xFF8C0027, session(1, 'C', 5, 0, 1)).result.ok);
    table = request(mp::oid::BaSessions, std::string(3076, '\0')).buffer;
    EXPECT_EQ(table.substr(3072, 2), "\x01\x00"s);
    EXPECT_EQ(peer(table, 0, 0).substr(0, 7), mac('B') + "\x80"s);
    EXPECT_EQ(table.substr(48, 48), std::string(48, '\0'));
    EXPECT_EQ(table.substr(1536, 48), std::string(48, '\0'));
}

TEST(RadioRecords, ASideTakesThirtyTwoPeers)
{
    testing_support::TempMachine m;
    for (int i = 0; i < 32; ++i)
        ASSERT_TRUE(request(0xFF8C0025, session(1, static_cast<char>(i), 0, 1)).result.ok) << i;
    EXPECT_FALSE(request(0xFF8C0025, session(1, 'X', 0, 1)).result.ok);
    EXPECT_TRUE(request(0xFF8C0025, session(1, 5, 4, 1)).result.ok) << "a peer it has";
    EXPECT_TRUE(request(0xFF8C0025, session(0, 'X', 0, 1)).result.ok) << "the other side";
}

TEST(RadioRecords, TheConnectedBssidsFollowTheLink)
{
    testing_support::TempMachine m;
    const std::string none = le32(0) + std::string(320, '\0');
    EXPECT_EQ(request(mp::oid::ConnectedBssids, std::string(324, '\xEE')).buffer, none);

    machine::radio::Network n;
    n.ssid = "Block";
    n.bssid = {0x02, 0x10, 0x20, 0x30, 0x40, 0x50};
    ASSERT_TRUE(machine::radio::SaveNetworks(m.machine(), {n}));
    const std::string bssid(n.bssid.begin(), n.bssid.end());
    mp::ChangeAdapterState(m.machine(), kId,
                           [&](mp::AdapterState& a) { mp::SetAssociation(a, "Block", bssid); });
    EXPECT_EQ(request(mp::oid::ConnectedBssids, std::string(324, '\0')).buffer,
              le32(1) + bssid + std::string(314, '\0'));

    // A record a test pins is answered as it stands, a count the record cannot hold included.
    mp::ChangeAdapterState(m.machine(), kId,
                           [](mp::AdapterState& a)
                           { mp::PinAnswer(a, mp::oid::ConnectedBssids, le32(40)); });
    EXPECT_EQ(request(mp::oid::ConnectedBssids, std::string(324, '\0')).buffer,
              le32(40) + std::string(320, '\0'));
}

TEST(RadioRecords, TheRfRequestWritesTheRfRegisters)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(
        request(0x0DF10120, le32(0x11) + le32(0x22) + le32(0x33) + le32(0x44) + le32(1)).result.ok);
    for (std::uint32_t r = 1; r <= 4; ++r)
        EXPECT_EQ(request(0xFF0C0008, le32(mp::kRfRegisters) + le32(r) + le32(0)).buffer.substr(8),
                  le32(0x11 * r));
    EXPECT_EQ(mp::LoadAdapterState(m.machine(), kId).u32(0x0DF10120, 16), 1u) << "tuning switch";
}

TEST(RadioRecords, ADirectLinkComesUpWhileAssociated)
{
    testing_support::TempMachine m;
    auto dls = [](char last) { return le32(60) + mac(last) + "\x00\x01"s; };
    ASSERT_TRUE(request(0x0DF10132, dls('A')).result.ok);
    mp::ChangeAdapterState(m.machine(), kId,
                           [](mp::AdapterState& a) { mp::SetAssociation(a, "Any", mac('Z')); });
    ASSERT_TRUE(request(0x0DF10132, dls('B')).result.ok);
    std::string table = request(0x0D710132, std::string(48, '\0')).buffer;
    EXPECT_EQ(table.substr(0, 12), dls('A')) << "set before the link: as sent";
    EXPECT_EQ(table.substr(12, 12), le32(60) + mac('B') + "\x02\x01"s);
}

} // namespace
