// The driver as the access-point program uses it: every record it queries is answered with its
// size, every set it sends (with bit 23) is taken, and what the access point reports follows the
// adapter rather than a station link.

#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverReload.h"
#include "machine/miniport/Miniport.h"
#include "machine/miniport/OidTable.h"
#include "machine/radio/RadioStore.h"
#include "tests/machine/stations/AccessPointSetup.h"
#include "tests/support/HexBytes.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
namespace mp = machine::miniport;
using testing_support::le32;

namespace
{

const std::string kId = machine::devices::DefaultAdapter().netCfgInstanceId;

mp::RequestResult send(const std::string& id, std::uint32_t code, std::string& buffer)
{
    return mp::HandleRequest(machine::CurrentMachine(), id, code, buffer);
}

TEST(AccessPointMode, EveryQueryIsAnsweredWithItsSizeAndEverySetIsTaken)
{
    testing_support::TempMachine m;
    const std::pair<std::uint32_t, std::uint32_t> queries[] = {
        {0x00010110, 2},  {0x00020102, 4},   {0x00020105, 4},    {0x01010102, 6},  {0x0D010101, 6},
        {0x0D010102, 36}, {0x0D010203, 20},  {0x0D010206, 4},    {0x0D010209, 4},  {0x0D01020A, 4},
        {0x0D010211, 32}, {0x0D020212, 176}, {0x0D710101, 4},    {0x0D710105, 12}, {0x0D710107, 4},
        {0x0D710109, 4},  {0x0D71010A, 168}, {0x0D71010B, 324},  {0x0D71010F, 32}, {0x0D710111, 32},
        {0x0D710113, 72}, {0x0D710114, 8},   {0x0D710119, 4},    {0x0D71011F, 4},  {0x0D710126, 4},
        {0x0D710129, 4},  {0x0D710137, 8},   {0x0D710138, 3076},
    };
    for (const auto& [code, size] : queries)
    {
        std::string exact(size, '\0');
        const mp::RequestResult r = send(kId, code, exact);
        EXPECT_TRUE(r.ok) << std::hex << code;
        EXPECT_EQ(r.returned, size) << std::hex << code;
        std::string tight(size - 1, '\0');
        EXPECT_EQ(send(kId, code, tight).error, machine::kErrorInsufficientBuffer)
            << std::hex << code;
    }
    const std::pair<std::uint32_t, std::uint32_t> sets[] = {
        {0xFF810308, 8},   {0x0D810118, 4},  {0x0D81011B, 4},  {0x0D81011E, 16}, {0x0D810209, 4},
        {0x0D81020A, 4},   {0x0D810210, 8},  {0x0D810211, 32}, {0x0DF10101, 4},  {0x0DF10103, 0},
        {0x0DF10105, 12},  {0x0DF10107, 4},  {0x0DF10109, 4},  {0x0DF1010C, 4},  {0x0DF1010F, 32},
        {0x0DF10110, 264}, {0x0DF10112, 60}, {0x0DF10113, 72}, {0x0DF10114, 8},  {0x0DF10115, 0},
        {0x0DF10118, 4},   {0x0DF10126, 4},  {0x0DF10137, 8},  {0x0DF10138, 14}, {0x0DF1013A, 14},
        {0x0DF1013B, 12},  {0x0D810102, 36},
    };
    for (const auto& [code, size] : sets)
    {
        std::string data(size, '\0');
        if (code == 0xFF810308)
            data = le32(0) + le32(2);
        const mp::RequestResult r = send(kId, code, data);
        EXPECT_TRUE(r.ok) << std::hex << code;
        EXPECT_EQ(r.returned, size) << std::hex << code;
    }
    for (const std::string& key :
         {testing_support::KeyAddRecord(0x80000000u, std::string(6, '\0'), std::string(32, 'k')),
          testing_support::KeyAddRecord(1, std::string(6, '\xFF'), "12345"),
          testing_support::KeyAddRecord(2, std::string(6, '\xFF'), "0123456789abc")})
    {
        std::string data = key;
        EXPECT_TRUE(send(kId, 0x0D81011D, data).ok) << key.size();
    }
    EXPECT_TRUE(mp::LoadAdapterState(m.machine(), kId).apStarted) << "the SSID set starts it";
}

TEST(AccessPointMode, SettingsReadBackWhatWasSetOrTheDefaults)
{
    testing_support::TempMachine m;
    auto q = [](std::uint32_t code, std::size_t size)
    {
        std::string b(size, '\0');
        send(kId, code, b);
        return b;
    };
    // Before any set: what the program compares its stored values with.
    EXPECT_EQ(q(0x0D71010F, 32).substr(20, 8), le32(1) + le32(300));
    EXPECT_EQ(q(0x0D710114, 8), le32(0) + le32(60));
    EXPECT_EQ(q(0x0D01020A, 4), le32(2347));
    EXPECT_EQ(q(0x0D010209, 4), le32(2346));
    // The register request reads the word it names.
    mp::ChangeAdapterState(m.machine(), kId,
                           [](mp::AdapterState& s) {
                               s.registers[{mp::kEeprom, 54}] = 0x1234;
                           });
    std::string bbp = le32(3) + le32(54) + le32(0);
    ASSERT_TRUE(send(kId, 0x0D710105, bbp).ok);
    EXPECT_EQ(bbp, le32(3) + le32(54) + le32(0x1234));

    // The start marker stays through restarts and mode changes until the driver reloads.
    std::string one = le32(1);
    ASSERT_TRUE(send(kId, 0x0DF10126, one).ok);
    ASSERT_TRUE(testing_support::StartAccessPoint(m.machine(), kId, "SoftAP-3A"));
    std::string station = le32(0) + le32(1);
    ASSERT_TRUE(send(kId, 0xFF810308, station).ok);
    EXPECT_EQ(q(0x0D710126, 4), le32(1));
    mp::ReloadDriver(m.machine(), kId);
    EXPECT_EQ(q(0x0D710126, 4), le32(0));
}

// The 5 GHz type (2) only for an adapter with that band; the signal is the driver's own, not a
// station link's left from before the access point.
TEST(AccessPointMode, NetworkTypesFollowTheChipAndTheSignalIsTheAdapters)
{
    testing_support::TempMachine m;
    const auto single =
        machine::devices::InstallDevice(m.machine(), machine::devices::TessarynUsbAdapter(1));
    const auto dual =
        machine::devices::InstallDevice(m.machine(), machine::devices::TessarynPciAdapter(5));
    auto types = [](const std::string& id)
    {
        std::string b(20, '\xEE');
        EXPECT_TRUE(send(id, 0x0D010203, b).ok);
        return b;
    };
    EXPECT_EQ(types(kId), le32(3) + le32(1) + le32(3) + le32(2) + le32(0));
    EXPECT_EQ(types(dual.netCfgInstanceId), le32(3) + le32(1) + le32(3) + le32(2) + le32(0));
    EXPECT_EQ(types(single.netCfgInstanceId), le32(2) + le32(1) + le32(3) + std::string(8, '\0'));
    // A pinned answer (an oversize count, for the program's guard) is given as it is.
    mp::ChangeAdapterState(m.machine(), single.netCfgInstanceId,
                           [](mp::AdapterState& s)
                           { mp::PinAnswer(s, 0x0D010203, le32(9) + std::string(16, '\2')); });
    EXPECT_EQ(types(single.netCfgInstanceId).substr(0, 4), le32(9));

    // Associated with a network in station mode, then made an access point.
    machine::radio::Network n;
    n.ssid = "Harbor";
    n.bssid = {0x02, 0x10, 0x20, 0x30, 0x40, 0x50};
    n.rssi = -81;
    ASSERT_TRUE(machine::radio::SaveNetworks(m.machine(), {n}));
    mp::ChangeAdapterState(m.machine(), kId,
                           [&](mp::AdapterState& s)
                           {
                               mp::SetAssociation(s, "Harbor",
                                                  std::string(n.bssid.begin(), n.bssid.end()));
                               s.setU32(mp::oid::Rssi, static_cast<std::uint32_t>(-47));
                           });
    ASSERT_TRUE(testing_support::StartAccessPoint(m.machine(), kId, "SoftAP-3A"));
    std::string rssi(4, '\0');
    ASSERT_TRUE(send(kId, 0x0D010206, rssi).ok);
    EXPECT_EQ(rssi, le32(static_cast<std::uint32_t>(-47)));
    EXPECT_FALSE(mp::LoadAdapterState(m.machine(), kId).associated);
}

} // namespace
