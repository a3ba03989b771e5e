#include "machine/miniport/Miniport.h"
#include "machine/ParsedFile.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/radio/RadioStore.h"
#include "tests/support/HexBytes.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/MachineTestClock.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace std::string_literals;
namespace mp = machine::miniport;

namespace
{

const std::string kId = machine::devices::DefaultAdapter().netCfgInstanceId;

using testing_support::le32;

std::string pattern(std::size_t n, int seed)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(seed + 7 * i);
    return s;
}

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

Reply query(std::uint32_t code, std::size_t size)
{
    return request(code, std::string(size, '\xEE'));
}

TEST(Miniport, ASetIsAnsweredByTheMatchingQuery)
{
    testing_support::TempMachine m;
    struct Case
    {
        std::uint32_t set, query;
        std::string data;
    } cases[] = {
        {0x0D810101, 0x0D010101, "\x00\x11\x22\x33\x44\x55"s},
        {0x0D810102, 0x0D010102, le32(5) + "Cafe1" + std::string(27, '\0')},
        {0x0D810209, 0x0D010209, le32(1500)},
        {0x0D81020A, 0x0D01020A, le32(900)},
        {0x0D810211, 0x0D010211, pattern(32, 1)},
        {0xFF810308, 0x0D010308, le32(0) + le32(2)},
        {0x0DF10101, 0x0D710101, le32(1)},
        {0x0DF10107, 0x0D710107, le32(0x0105)},
        {0x0DF10107, 0xFF0C0003, le32(0x0105)}, // one region word, two views
        {0xFF8C0003, 0x0D710107, le32(0x0A03)},
        {0x0DF10109, 0x0D710109, pattern(4, 9)},
        {0x0DF1010C, 0xFF0C0002, le32(9)}, // the AP's wireless-mode set
        {0x0DF1010F, 0x0D71010F, pattern(32, 3)},
        {0x0DF10111, 0x0D710111, pattern(32, 5)},
        {0x0DF10113, 0x0D710113, pattern(72, 2)},
        {0x0DF10114, 0x0D710114, le32(1) + le32(3600)},
        {0x0DF10126, 0x0D710126, le32(1)},
        {0x0DF1012A, 0x0D71012A, le32(0x1F)},
        {0x0DF10137, 0x0D710137, pattern(8, 4)},
        {0xFF8C0002, 0xFF0C0002, le32(6)},
        {0xFF8C0007, 0xFF0C0007, le32(75)},
        {0xFF8C0026, 0xFF0C0026, pattern(8, 6)},
        {0xFF8C0028, 0xFF0C0028, pattern(12, 8)},
    };
    for (const auto& c : cases)
    {
        Reply s = request(c.set, c.data);
        EXPECT_TRUE(s.result.ok) << std::hex << c.set;
        EXPECT_EQ(s.result.returned, c.data.size()) << std::hex << c.set;
        Reply q = query(c.query, c.data.size());
        EXPECT_TRUE(q.result.ok) << std::hex << c.query;
        EXPECT_EQ(q.result.returned, c.data.size()) << std::hex << c.query;
        EXPECT_EQ(q.buffer, c.data) << std::hex << c.set << " -> " << c.query;
    }
}

TEST(Miniport, EveryQueryAnswersItsSizeAndRefusesLess)
{
    testing_support::TempMachine m;
    for (const auto& e : mp::OidTable())
    {
        if (e.query == 0)
            continue;
        std::string request = e.kind == mp::OidKind::Register ? le32(0) + le32(0) + le32(0) : "";
        request.resize(e.querySize, '\0');
        Reply full = ::request(e.query, request + "tail");
        EXPECT_TRUE(full.result.ok) << std::hex << e.query;
        EXPECT_EQ(full.result.returned, e.querySize) << std::hex << e.query;
        EXPECT_EQ(full.buffer.substr(e.querySize), "tail") << std::hex << e.query;

        std::uint32_t least = e.minQuery ? e.minQuery : e.querySize;
        Reply small = query(e.query, least - 1);
        EXPECT_FALSE(small.result.ok) << std::hex << e.query;
        EXPECT_EQ(small.result.error, machine::kErrorInsufficientBuffer) << std::hex << e.query;
        EXPECT_EQ(small.result.returned, 0u);
    }
    // Defaults the programs read before setting anything.
    EXPECT_EQ(query(0x00010110, 2).buffer, "\x01\x05"s);
    EXPECT_EQ(query(0x0D010308, 8).buffer, le32(0) + le32(1));
    EXPECT_EQ(query(0x0D710126, 4).buffer, le32(0));
    EXPECT_EQ(query(0x0D010702, 6).buffer, query(0x01010102, 6).buffer);
    EXPECT_EQ(query(0x0D010702, 6).buffer.substr(0, 3), "\x02\xFA\x11"s);
}

TEST(Miniport, UnknownCodesAndWrongDirectionsFail)
{
    testing_support::TempMachine m;
    for (std::uint32_t code : {0x12345678u, 0x0D710199u, 0xFF0C00FFu, 0x0D810702u /* no set */,
                               0x0D010115u /* set only */, 0xFF8C0004u, 0x0DF1010Au})
    {
        Reply r = query(code, 400);
        EXPECT_FALSE(r.result.ok) << std::hex << code;
        EXPECT_EQ(r.result.error, machine::kErrorNotSupported) << std::hex << code;
        EXPECT_EQ(r.buffer, std::string(400, '\xEE')) << std::hex << code;
    }
    // A set shorter than its record is refused and changes nothing.
    EXPECT_EQ(request(0x0DF10111, pattern(31, 1)).result.error, machine::kErrorInsufficientBuffer);
    EXPECT_EQ(query(0x0D710111, 32).buffer, std::string(32, '\0'));
}

TEST(Miniport, RegisterWritesKeepTheirSpacesWidth)
{
    testing_support::TempMachine m;
    const std::pair<std::uint32_t, std::uint32_t> widths[] = {
        {mp::kMacRegisters, 0x12345678u},
        {mp::kBbpRegisters, 0x78u},
        {mp::kRfRegisters, 0x12345678u},
        {mp::kEeprom, 0x5678u},
    };
    for (auto [space, kept] : widths)
    {
        const std::string where = le32(space) + le32(0x40);
        ASSERT_TRUE(request(0x0DF10105, where + le32(0x12345678u)).result.ok) << space;
        EXPECT_EQ(request(0x0D710105, where + le32(0)).buffer, where + le32(kept)) << space;
    }
}

TEST(Miniport, RegistersAreReadThroughAPreFilledRequest)
{
    testing_support::TempMachine m;
    const std::string eeprom36 = le32(mp::kEeprom) + le32(0x36);
    EXPECT_EQ(request(0xFF0C0008, eeprom36 + le32(0xDEAD)).buffer, eeprom36 + le32(0));
    ASSERT_TRUE(request(0xFF8C0008, eeprom36 + le32(0x0300)).result.ok);
    // Both request forms address the same registers.
    EXPECT_EQ(request(0x0D710105, eeprom36 + le32(0)).buffer, eeprom36 + le32(0x0300));
    ASSERT_TRUE(request(0x0DF10105, le32(mp::kBbpRegisters) + le32(17) + le32(0x44)).result.ok);
    EXPECT_EQ(request(0xFF0C0008, le32(mp::kBbpRegisters) + le32(17) + le32(0)).buffer.substr(8),
              le32(0x44));
    EXPECT_EQ(request(0xFF0C0008, le32(mp::kMacRegisters) + le32(17) + le32(0)).buffer.substr(8),
              le32(0));
    EXPECT_EQ(request(0xFF0C0008, le32(7) + le32(0) + le32(0)).result.error,
              machine::kErrorInvalidParameter);
    EXPECT_EQ(mp::LoadAdapterState(m.machine(), kId).reg(mp::kEeprom, 0x36), 0x0300u);
}

TEST(Miniport, SsidSetsAssociateAndStartTheAccessPoint)
{
    testing_support::TempMachine m;
    auto state = [&] { return mp::LoadAdapterState(m.machine(), kId); };
    ASSERT_TRUE(request(0x0D810102, le32(4) + "Home" + std::string(28, '\0')).result.ok);
    EXPECT_TRUE(state().associated);
    EXPECT_FALSE(state().associateAny);
    EXPECT_FALSE(state().apStarted);
    EXPECT_EQ(mp::AssociatedSsid(state()), "Home");

    ASSERT_TRUE(request(0x0D810115, "").result.ok);
    EXPECT_FALSE(state().associated);
    // A zero-length SSID asks for any network: visible as such, and joining nothing.
    ASSERT_TRUE(request(0x0D810102, std::string(36, '\0')).result.ok);
    EXPECT_TRUE(state().associateAny);
    EXPECT_FALSE(state().associated);
    EXPECT_EQ(request(0x0D810102, le32(33) + std::string(32, 'x')).result.error,
              machine::kErrorInvalidParameter);

    ASSERT_TRUE(request(0xFF810308, le32(0) + le32(2)).result.ok);
    EXPECT_EQ(mp::OperationMode(state()), 2u);
    ASSERT_TRUE(request(0x0D810102, le32(6) + "SoftAP" + std::string(26, '\0')).result.ok);
    EXPECT_TRUE(state().apStarted);
}

// The driver's signal reading is the associated access point's, as the radio shows it now.
TEST(Miniport, TheSignalFollowsTheAssociatedAccessPoint)
{
    testing_support::TempMachine m;
    machine::radio::Network n;
    n.ssid = "Signal";
    n.bssid = {0x02, 0x10, 0x20, 0x30, 0x40, 0x50};
    n.rssi = -71;
    ASSERT_TRUE(machine::radio::SaveNetworks(m.machine(), {n}));
    const std::string bssid(n.bssid.begin(), n.bssid.end());
    mp::ChangeAdapterState(m.machine(), kId,
                           [&](mp::AdapterState& a) { mp::SetAssociation(a, "Signal", bssid); });
    auto signal = []
    {
        mp::AdapterState answer;
        answer.setBytes(mp::oid::Rssi, query(mp::oid::Rssi, 4).buffer);
        return static_cast<std::int32_t>(answer.u32(mp::oid::Rssi));
    };
    EXPECT_EQ(signal(), -71);
    n.rssi = -48;
    ASSERT_TRUE(machine::radio::SaveNetworks(m.machine(), {n}));
    EXPECT_EQ(signal(), -48);
    mp::ChangeAdapterState(m.machine(), kId,
                           [](mp::AdapterState& a) { a.setU32(mp::kDriverSignalOffset, 10); });
    EXPECT_EQ(signal(), -38) << "a driver that reads its own signal higher";
}

TEST(Miniport, TrafficGrowsWithTheClockOnlyWhileTheLinkIsUp)
{
    testing_support::TempMachine m;
    testing_support::MachineTestClock clock(1000);
    auto transmitted = []
    {
        std::string stats = query(0x0D020212, 200).buffer;
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(stats[8 + i]);
        return v;
    };
    ASSERT_TRUE(request(0x0D810102, le32(4) + "Home" + std::string(28, '\0')).result.ok);
    EXPECT_EQ(transmitted(), 0u);
    clock.advance(10000);
    EXPECT_EQ(transmitted(), 10 * mp::kFramesPerSecond);
    // A part of a frame is kept for the next look.
    clock.advance(1000 / mp::kFramesPerSecond / 2);
    EXPECT_EQ(transmitted(), 10 * mp::kFramesPerSecond);
    clock.advance(1000 / mp::kFramesPerSecond / 2);
    EXPECT_EQ(transmitted(), 10 * mp::kFramesPerSecond + 1);

    // Disassociated: nothing flows, and nothing is owed when the link comes back.
    ASSERT_TRUE(request(0x0D810115, "").result.ok);
    clock.advance(60000);
    std::uint64_t before = transmitted();
    ASSERT_TRUE(request(0x0D810102, le32(4) + "Home" + std::string(28, '\0')).result.ok);
    EXPECT_EQ(transmitted(), before);
    clock.advance(2000);
    EXPECT_EQ(transmitted(), before + 2 * mp::kFramesPerSecond);
}

TEST(Miniport, OnlyChangesRewriteTheStateFile)
{
    testing_support::TempMachine m;
    testing_support::MachineTestClock clock(1000);
    const auto& mc = m.machine();
    const auto file = mp::AdapterDirectory(mc, kId) / "state.txt";
    ASSERT_TRUE(request(0x0D810102, le32(4) + "Home" + std::string(28, '\0')).result.ok);
    mp::ChangeAdapterState(
        mc, kId, [](mp::AdapterState& s) { mp::QueueApEvent(s, 1, "\x02\0\0\0\0\1", 7); });
    auto version = machine::VersionOf(file);
    ASSERT_TRUE(version);
    auto unchanged = [&] { return machine::VersionOf(file) == version; };

    // Queries while the counters move, the link followed, a set of what is already there, a
    // change that changes nothing: the file stays the version it was.
    for (std::uint32_t code :
         {mp::oid::Statistics, mp::oid::LinkRecord, 0xFF0C000Du, mp::oid::Ssid, mp::oid::Rssi})
    {
        clock.advance(700);
        EXPECT_TRUE(query(code, 200).result.ok) << std::hex << code;
    }
    ASSERT_TRUE(request(0x0D810209, le32(2346)).result.ok);
    mp::ChangeAdapterState(mc, kId, [](mp::AdapterState& s) { s.radioOn = true; });
    EXPECT_TRUE(unchanged());

    // An event query takes its events from the queue; a set that changes a value is kept.
    EXPECT_EQ(query(mp::oid::ApEvents, 168).buffer.substr(0, 4), le32(1));
    EXPECT_FALSE(unchanged());
    version = machine::VersionOf(file);
    EXPECT_EQ(query(mp::oid::ApEvents, 168).buffer.substr(0, 4), le32(0));
    EXPECT_TRUE(unchanged()) << "an empty queue stays empty";
    ASSERT_TRUE(request(0x0D810209, le32(1500)).result.ok);
    EXPECT_FALSE(unchanged());
}

TEST(Miniport, CountersKeepTheirTrafficWhenTheLinkEndsElsewhere)
{
    testing_support::TempMachine m;
    testing_support::MachineTestClock clock(1000);
    auto transmitted = []
    { return mp::LoadAdapterState(machine::CurrentMachine(), kId).u64(mp::oid::Statistics, 8); };
    ASSERT_TRUE(request(0x0D810102, le32(4) + "Home" + std::string(28, '\0')).result.ok);
    clock.advance(4000);
    const std::uint64_t seen = transmitted();
    EXPECT_EQ(seen, 4 * mp::kFramesPerSecond);
    // The WLAN service ends the link through the state, not the driver: the traffic until then
    // stays counted, and none is added after.
    clock.advance(1000);
    mp::ChangeAdapterState(m.machine(), kId, [](mp::AdapterState& s) { s.associated = false; });
    clock.advance(5000);
    EXPECT_EQ(transmitted(), seen + mp::kFramesPerSecond);
}

TEST(Miniport, StatisticsGrowAndAreResetByEitherProgram)
{
    testing_support::TempMachine m;
    for (std::uint32_t reset : {0xFF8C000Cu, 0x0DF10103u})
    {
        mp::ChangeAdapterState(m.machine(), kId,
                               [](mp::AdapterState& s) { mp::AdvanceCounters(s, 1000); });
        Reply full = query(0x0D020212, 200);
        ASSERT_TRUE(full.result.ok);
        EXPECT_EQ(full.result.returned, 200u);
        EXPECT_GT(mp::LoadAdapterState(m.machine(), kId).u64(mp::oid::Statistics, 8), 0u);
        // TessarynAp's 176-byte buffer gets the first 176 bytes.
        Reply part = query(0x0D020212, 176);
        ASSERT_TRUE(part.result.ok);
        EXPECT_EQ(part.result.returned, 176u);
        EXPECT_EQ(part.buffer, full.buffer.substr(0, 176));
        EXPECT_NE(query(0xFF0C0009, 20).buffer.substr(8, 8), std::string(8, '\0'));

        Reply r = request(reset, "");
        ASSERT_TRUE(r.result.ok) << std::hex << reset;
        EXPECT_EQ(r.result.returned, 0u);
        EXPECT_EQ(query(0x0D020212, 200).buffer.substr(8), std::string(192, '\0'));
        EXPECT_EQ(query(0xFF0C0009, 20).buffer.substr(8, 8), std::string(8, '\0'));
        EXPECT_EQ(query(0x00020102, 4).buffer, le32(0));
    }
    // Byte counters are 32 bits and wrap.
    mp::AdapterState s;
    s.setU32(mp::oid::LinkRecord, 0xFFFFFF00u, 8);
    mp::AdvanceCounters(s, 1, 0x200);
    EXPECT_EQ(s.u32(mp::oid::LinkRecord, 8), 0x100u);
}

TEST(Miniport, TablesOfEntriesAndEvents)
{
    testing_support::TempMachine m;
    auto dls = [](std::uint8_t last, bool valid)
    {
        return le32(30) + "\x02\x00\x00\x00\x00"s + static_cast<char>(last) + "\x02"s +
               (valid ? "\x01"s : "\x00"s);
    };
    ASSERT_TRUE(request(0x0DF10132, dls(1, true)).result.ok);
    ASSERT_TRUE(request(0x0DF10132, dls(2, true)).result.ok);
    ASSERT_TRUE(request(0x0DF10132, dls(1, false)).result.ok);
    EXPECT_EQ(query(0x0D710132, 48).buffer,
              std::string(12, '\0') + dls(2, true) + std::string(24, '\0'));

    mp::ChangeAdapterState(m.machine(), kId,
                           [](mp::AdapterState& s)
                           {
                               for (int i = 0; i < 12; ++i)
                                   mp::QueueApEvent(s, 1000 + i, "\x02\x11\x22\x33\x44\x55", 3);
                           });
    Reply first = query(0x0D71010A, 168);
    EXPECT_EQ(first.buffer.substr(0, 4), le32(10));
    EXPECT_EQ(first.buffer.substr(8, 4), le32(1000));
    EXPECT_EQ(first.buffer.substr(22, 2), "\x03\x00"s);
    Reply second = query(0x0D71010A, 168);
    EXPECT_EQ(second.buffer.substr(0, 4), le32(2));
    EXPECT_EQ(second.buffer.substr(8, 4), le32(1010));
    EXPECT_EQ(query(0x0D71010A, 168).buffer.substr(0, 4), le32(0));
    // An oversize count, for the callers' guards, is answered as stored.
    mp::ChangeAdapterState(m.machine(), kId,
                           [](mp::AdapterState& s) { s.setU32(mp::oid::ApEvents, 11); });
    EXPECT_EQ(query(0x0D71010A, 168).buffer.substr(0, 4), le32(11));
    EXPECT_EQ(query(0x0D71010A, 168).buffer.substr(0, 4), le32(11));

    // Keys by index; a remove takes the index.
    std::string psk =
        le32(39 + 32) + le32(0x80000000u) + le32(32) + std::string(20, '\0') + pattern(32, 1);
    EXPECT_EQ(request(0x0D81011D, psk).result.returned, 64u);
    EXPECT_EQ(mp::LoadAdapterState(m.machine(), kId).keys.at(0), psk);
    ASSERT_TRUE(
        request(0x0D81011E, le32(16) + le32(0) + std::string(6, '\xFF') + "\0\0"s).result.ok);
    EXPECT_TRUE(mp::LoadAdapterState(m.machine(), kId).keys.empty());
}

TEST(Miniport, InjectedFailuresAndShortAnswers)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    struct Case
    {
        std::uint32_t injectCode;
        int times;
        mp::Direction direction;
        std::uint32_t sent;
        int expectedFailures; // of 5 requests
    } cases[] = {
        {0x0D710111, 1, mp::Direction::Both, 0x0D710111, 1},
        {0x0D710111, 3, mp::Direction::Both, 0x0DF10111, 3},
        {0x0D710111, -1, mp::Direction::Both, 0x0D710111, 5},
        {0x0D710111, -1, mp::Direction::Set, 0x0D710111, 0},
        {0x0DF10111, -1, mp::Direction::Both, 0x0DF10111, 5}, // a set code: sets only
        {0x0DF10111, -1, mp::Direction::Both, 0x0D710111, 0},
        {0x0D010308, 2, mp::Direction::Set, 0xFF810308, 2},
    };
    for (const auto& c : cases)
    {
        mp::ClearDriverFaults(mc, kId);
        mp::InjectRequestFault(mc, kId, c.injectCode, c.times, c.direction);
        int failures = 0;
        for (int i = 0; i < 5; ++i)
        {
            Reply r = request(c.sent, std::string(32, '\0'));
            if (!r.result.ok)
            {
                ++failures;
                EXPECT_EQ(r.result.error, machine::kErrorGenFailure);
                EXPECT_EQ(r.result.returned, 0u);
            }
        }
        EXPECT_EQ(failures, c.expectedFailures) << std::hex << c.injectCode << " " << c.sent;
    }
    // Counts reach other processes and are used up there.
    mp::ClearDriverFaults(mc, kId);
    mp::InjectRequestFault(mc, kId, 0xFF0C0003, 1);
    EXPECT_EQ(testing_support::InOtherProcess([] { return !query(0xFF0C0003, 4).result.ok; }), 0);
    EXPECT_TRUE(query(0xFF0C0003, 4).result.ok);

    mp::InjectShortAnswer(mc, kId, 0xFF0C0025, 0);
    Reply none = query(0xFF0C0025, 3076);
    EXPECT_TRUE(none.result.ok);
    EXPECT_EQ(none.result.returned, 0u);
    EXPECT_EQ(none.buffer, std::string(3076, '\xEE'));
    mp::InjectShortAnswer(mc, kId, 0x0D010308, 4);
    Reply cut = query(0x0D010308, 8);
    EXPECT_EQ(cut.result.returned, 4u);
    EXPECT_EQ(cut.buffer, le32(0) + "\xEE\xEE\xEE\xEE"s);

    // A driver that writes into a set's buffer; queries of the code are left alone.
    mp::InjectSetScribble(mc, kId, 0x0D71012A);
    Reply scribbled = request(0x0DF1012A, le32(0x1F));
    EXPECT_TRUE(scribbled.result.ok);
    EXPECT_EQ(scribbled.buffer, le32(~0x1Fu));
    EXPECT_EQ(query(0x0D71012A, 4).buffer, le32(0x1F));

    EXPECT_FALSE(mp::OpenIsRefused(mc, kId));
    mp::InjectOpenFailure(mc, kId, true);
    EXPECT_TRUE(mp::OpenIsRefused(mc, kId));
    mp::ClearDriverFaults(mc, kId);
    EXPECT_FALSE(mp::OpenIsRefused(mc, kId));
    EXPECT_EQ(mp::FormatDriverFaults(mp::LoadDriverFaults(mc, kId)), "");
}

TEST(Miniport, TheLogKeepsEveryRequestInOrder)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    request(0xFF8C0007, le32(50));
    query(0xFF0C0007, 4);
    query(0xFF0C0007, 2);
    mp::InjectRequestFault(mc, kId, 0x0D710126, 1);
    request(0x0DF10126, le32(1));
    request(0x0DEADBEE, "");

    auto log = mp::ReadRequestLog(mc, kId);
    ASSERT_EQ(log.size(), 5u);
    const mp::LogEntry expected[] = {
        {0xFF8C0007, 4, le32(50), le32(50), 4, true, 0},
        {0xFF0C0007, 4, "\xEE\xEE\xEE\xEE"s, le32(50), 4, true, 0},
        {0xFF0C0007, 2, "\xEE\xEE"s, "\xEE\xEE"s, 0, false, machine::kErrorInsufficientBuffer},
        {0x0DF10126, 4, le32(1), le32(1), 0, false, machine::kErrorGenFailure},
        {0x0DEADBEE, 0, "", "", 0, false, machine::kErrorNotSupported},
    };
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(log[i], expected[i]) << i << ": " << mp::FormatLogEntry(log[i]);
    EXPECT_EQ(mp::FormatLogEntry(log[0]),
              "ioctl=00170002 inlen=4 handle=- FF8C0007 len=4 ret=4 ok in=32000000 out=32000000");
    mp::ClearRequestLog(mc, kId);
    EXPECT_TRUE(mp::ReadRequestLog(mc, kId).empty());
}

TEST(Miniport, StateTextRoundTrips)
{
    mp::AdapterState s = mp::DefaultAdapterState(kId);
    s.keys[3] = "\x01\x02"s;
    s.registers[{2, 5}] = 0xABCDEF01u;
    s.associateAny = true;
    s.setBytes(0x0DF10127, "");
    mp::QueueApEvent(s, 5, "\x01\x02\x03\x04\x05\x06", 9);
    std::string text = mp::FormatAdapterState(s);
    EXPECT_EQ(mp::FormatAdapterState(mp::ParseAdapterState(text)), text);
    EXPECT_EQ(mp::ParseAdapterState("value 0D71 zz\nreg x\nradioOn=0\n").values.size(), 0u);
}

// What is read back is what was kept: register spaces of two digits, the joined stations.
TEST(Miniport, StateTextKeepsEveryRegisterSpaceAndTheJoinedStations)
{
    mp::AdapterState s;
    s.registers[{12, 0x36}] = 7;
    s.apStations = {{{2, 0, 0, 0, 0, 1}, 1, false}, {{2, 0, 0, 0, 0, 9}, 32, true}};
    const mp::AdapterState read = mp::ParseAdapterState(mp::FormatAdapterState(s));
    EXPECT_EQ(read.registers, s.registers);
    EXPECT_EQ(read.apStations, s.apStations);
}

} // namespace
