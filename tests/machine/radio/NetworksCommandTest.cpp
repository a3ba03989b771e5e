// vnmachine networks changes the radio environment the machine's programs see.

#include "machine/radio/DefaultNetworks.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <fstream>

namespace
{

using namespace std::chrono_literals;
using namespace machine::radio;

int vnmachine(const testing_support::TempMachine& m, const std::vector<std::string>& args)
{
    testing_support::ChildProcess tool("vnmachine", args, m.root());
    return tool.waitForExit(20s).value_or(-1);
}

TEST(NetworksCommand, ChangesTheNetworksAsAsked)
{
    testing_support::TempMachine m;
    struct Case
    {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"networks"}, 0},
        {{"networks", "add", "Test Net", "channel", "149", "rssi", "-51", "privacy", "on"}, 0},
        {{"networks", "add", "Fixed", "bssid", "02-AA-BB-CC-DD-EE", "elements",
          "000546697865643D00"},
         0},
        // A value no network takes is a usage error (2); a network that is not there a failure (1).
        {{"networks", "add", std::string(33, 'x')}, 2},
        {{"networks", "add", "Broken", "channel", "300"}, 2},
        {{"networks", "add", "Odd"}, 0},
        {{"networks", "set", "Harbor Guest", "rssi", "-90"}, 0},
        {{"networks", "set", "02-54-59-00-00-04", "channel", "13"}, 0},
        {{"networks", "set", "Orchard AES", "quality", "101"}, 2},
        {{"networks", "set", "Nobody", "rssi", "-50"}, 1},
        {{"networks", "set", "Lantern WEP", "elements", "3D0"}, 2}, // odd hex
        {{"networks", "set", "Nobody", "rssi", "abc"}, 2},
        {{"networks", "set", "Lantern WEP", "privacy", "off"}, 0},
        {{"networks", "remove", "Cobalt Mixed"}, 0},
        {{"networks", "remove", "Cobalt Mixed"}, 1},
        {{"networks", "remove", "02-54-59-00-00-07"}, 0}, // the hidden one, by BSSID
        {{"networks", "frobnicate"}, 2},
        {{"networks", "set", "Odd", "rssi"}, 2},
    };
    for (const auto& c : cases)
    {
        std::string line;
        for (const auto& a : c.args)
            line += a + " ";
        EXPECT_EQ(vnmachine(m, c.args), c.status) << line;
    }

    auto list = LoadNetworks(m.machine());
    EXPECT_EQ(FindNetwork(list, "Cobalt Mixed"), nullptr);
    EXPECT_EQ(FindNetwork(list, ""), nullptr);
    EXPECT_EQ(FindNetwork(list, "Broken"), nullptr);
    EXPECT_EQ(FindNetwork(list, "Harbor Guest")->rssi, -90);
    EXPECT_EQ(FindNetwork(list, "Orchard AES")->frequencyKhz, 2472000u);
    EXPECT_EQ(FindNetwork(list, "Lantern WEP")->capability & kCapPrivacy, 0);

    const Network* added = FindNetwork(list, "Test Net");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->frequencyKhz, 5745000u);
    EXPECT_EQ(added->rssi, -51);
    EXPECT_NE(added->capability & kCapPrivacy, 0);
    EXPECT_EQ(added->elements, Concat({SsidElement("Test Net"), DsParameterElement(149)}));
    const Network* fixed = FindNetwork(list, "Fixed");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(FormatBssid(fixed->bssid), "02-AA-BB-CC-DD-EE");
    EXPECT_EQ(fixed->elements.size(), 9u);
    const Network* odd = FindNetwork(list, "Odd");
    ASSERT_NE(odd, nullptr);
    EXPECT_NE(odd->bssid, added->bssid) << "each added network gets its own BSSID";
    EXPECT_EQ(odd->bssid[0], 0x02);

    EXPECT_EQ(vnmachine(m, {"networks", "reset"}), 0);
    EXPECT_EQ(LoadNetworks(m.machine()), DefaultNetworks());
}

TEST(NetworksCommand, LoadsASetFromAFile)
{
    testing_support::TempMachine m;
    auto file = m.root() / "set.txt";
    std::vector<Network> set(2);
    set[0].ssid = "Loaded";
    set[0].bssid = {0x02, 1, 2, 3, 4, 5};
    set[1].ssid = "Second";
    set[1].elements = {48, 2, 1, 0};
    {
        std::ofstream out(file);
        out << FormatNetworks(set) << "junk at the end\n";
    }
    EXPECT_EQ(vnmachine(m, {"networks", "load", file.string()}), 0);
    EXPECT_EQ(LoadNetworks(m.machine()), set);
    EXPECT_EQ(vnmachine(m, {"networks", "load", (m.root() / "missing.txt").string()}), 1);
    EXPECT_EQ(LoadNetworks(m.machine()), set) << "a failed load keeps the set";

    auto junk = m.root() / "junk.txt";
    std::ofstream(junk) << "not a network list\n";
    EXPECT_EQ(vnmachine(m, {"networks", "load", junk.string()}), 1);
    EXPECT_EQ(LoadNetworks(m.machine()), set) << "a file without networks keeps the set";
    auto empty = m.root() / "empty.txt";
    std::ofstream(empty) << "\n";
    EXPECT_EQ(vnmachine(m, {"networks", "load", empty.string()}), 0);
    EXPECT_TRUE(LoadNetworks(m.machine()).empty()) << "an empty file empties the air";
}

} // namespace
