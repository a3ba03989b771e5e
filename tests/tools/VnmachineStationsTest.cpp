// vnmachine stations brings simulated stations in range of the adapter's access point, lists
// which joined, and takes them away again.

#include "machine/devices/DeviceBuilders.h"
#include "machine/stations/Stations.h"
#include "tests/machine/stations/AccessPointSetup.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

namespace
{

namespace st = machine::stations;
using testing_support::RunVnmachineApart;

const std::string kId = machine::devices::DefaultAdapter().netCfgInstanceId;

TEST(VnmachineStations, AddListRemoveAndClear)
{
    testing_support::TempMachine m;
    // WPA2-PSK with the key of "password" on "IEEE".
    std::string pmk;
    for (unsigned v : {0xf4, 0x2c, 0x6f, 0xc5, 0x2d, 0xf0, 0xeb, 0xef, 0x9e, 0xbb, 0x4b,
                       0x90, 0xb3, 0x8a, 0x5f, 0x90, 0x2e, 0x83, 0xfe, 0x1b, 0x13, 0x5a,
                       0x70, 0xe2, 0x3a, 0xed, 0x76, 0x2e, 0x97, 0x10, 0xa1, 0x2e})
        pmk += static_cast<char>(v);
    struct Case
    {
        std::vector<std::string> args;
        int status;
        std::string out;
    } before[] = {
        {{"stations", "add", "02-5A-00-00-00-01", "--passphrase", "password"},
         0,
         "02-5A-00-00-00-01 waits for the access point\n"},
    };
    for (const Case& c : before)
    {
        const auto r = RunVnmachineApart(m.root(), c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    ASSERT_TRUE(testing_support::StartAccessPoint(m.machine(), kId, "IEEE", {7, 6, pmk, {}}));
    const Case cases[] = {
        {{"stations", "add", "02:5a:00:00:00:02", "--power-save", "--passphrase", "passwort"},
         0,
         "02-5A-00-00-00-02 was turned away\n"},
        {{"stations", "add", "02-5A-00-00-00-03", "--wep-key", "1", "0102030405"},
         0,
         "02-5A-00-00-00-03 was turned away\n"},
        {{"stations", "add", "02-5A-00-00-00-04", "--passphrase",
          "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
         0,
         "02-5A-00-00-00-04 joined, AID 2\n"},
        {{"stations", "add", "02-5A-00-00-00-04"}, 1, ""},
        {{"stations", "add", "02-5A-00-00-00-05", "--passphrase", "short"}, 2, ""},
        {{"stations", "add", "02-5A-00-00-00-05", "--wep-key", "4", "0102030405"}, 2, ""},
        {{"stations", "add", "02-5A-00-00-00-05", "--wep-key", "1", "01020304"}, 2, ""},
        {{"stations", "add", "02-5A-00-00-00-05", "--passphrase", "password", "--wep-key", "1",
          "0102030405"},
         2,
         ""},
        {{"stations", "add", "not-a-mac"}, 2, ""},
        {{"stations", "--device", "9", "list"}, 1, ""},
    };
    for (const Case& c : cases)
    {
        const auto r = RunVnmachineApart(m.root(), c.args);
        std::string line;
        for (const auto& w : c.args)
            line += w + " ";
        EXPECT_EQ(r.status, c.status) << line << r.err;
        EXPECT_EQ(r.out, c.out) << line;
    }
    // The first station asked again when the access point started, and joined.
    const auto shown = RunVnmachineApart(m.root(), {"stations"});
    EXPECT_EQ(shown.out, "access point  running, SSID \"IEEE\"\n"
                         "02-5A-00-00-00-01  joined, AID 1  passphrase\n"
                         "02-5A-00-00-00-02  not joined  passphrase  power save\n"
                         "02-5A-00-00-00-03  not joined  WEP key 1\n"
                         "02-5A-00-00-00-04  joined, AID 2  passphrase\n");

    EXPECT_EQ(RunVnmachineApart(m.root(), {"stations", "remove", "02-5A-00-00-00-01"}).status, 0);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"stations", "remove", "02-5A-00-00-00-01"}).status, 1);
    EXPECT_EQ(st::ListStations(m.machine(), kId).size(), 3u);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"stations", "clear"}).status, 0);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"stations", "list"}).out,
              "access point  running, SSID \"IEEE\"\nno stations in range\n");
}

} // namespace
