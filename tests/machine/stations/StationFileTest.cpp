// The stations in range survive their file; a line that cannot be read is named with its number
// and skipped, and the rest is read.

#include "machine/stations/StationFile.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

namespace st = machine::stations;

TEST(StationFile, WhatIsSavedIsLoaded)
{
    testing_support::TempMachine m;
    const std::string id = "{5C0FFEE1-3400-4A11-8E1D-FA11C0DE3400}";
    EXPECT_TRUE(st::LoadStations(m.machine(), id).stations.empty());
    st::Station open, psk, wep;
    open.mac = {2, 0, 0, 0, 0, 1};
    psk.mac = {2, 0, 0, 0, 0, 2};
    psk.powerSave = true;
    psk.key = st::StationKey::Passphrase;
    psk.passphrase = "with blanks and \xC3\xA9";
    wep.mac = {2, 0, 0, 0, 0, 3};
    wep.key = st::StationKey::Wep;
    wep.wepIndex = 3;
    wep.wepKey = std::string("\0\1\2\3\4\5\6\7\10\11\12\13\14", 13);
    ASSERT_TRUE(st::SaveStations(m.machine(), id, {open, psk, wep}));
    const auto read = st::LoadStations(m.machine(), id);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.stations, (std::vector<st::Station>{open, psk, wep}));
}

TEST(StationFile, ABadLineIsNamedWithItsNumberAndSkipped)
{
    const auto read = st::ParseStations("station 02-00-00-00-00-01 0 none 0 -\n"
                                        "\n"
                                        "station 02-00-00-00-00-zz 0 none 0 -\n"
                                        "station 02-00-00-00-00-02 0 psk 0 -\n"
                                        "station 02-00-00-00-00-03 0 wep 4 0102030405\n"
                                        "station 02-00-00-00-00-04 0 wep 1 01020304\n"
                                        "station 02-00-00-00-00-05 2 none 0 -\n"
                                        "station 02-00-00-00-00-01 0 none 0 -\n"
                                        "station 02-00-00-00-00-06 0 passphrase 0 -\n"
                                        "station 02-00-00-00-00-07 0 none 0 - extra\n"
                                        "visitor 02-00-00-00-00-08\n"
                                        "station 02-00-00-00-00-09 1 wep 2 0102030405\n");
    ASSERT_EQ(read.stations.size(), 2u);
    EXPECT_EQ(read.stations[1].wepIndex, 2u);
    std::vector<std::size_t> lines;
    for (const auto& p : read.problems)
        lines.push_back(p.line);
    EXPECT_EQ(lines, (std::vector<std::size_t>{3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(st::DescribeProblem("/m/stations.txt", read.problems[1]),
              "stations file /m/stations.txt, line 4: station: the key kind is not none, "
              "passphrase or wep");
    EXPECT_EQ(read.problems[5].what, "station: 02-00-00-00-00-01 is listed before");
}

} // namespace
