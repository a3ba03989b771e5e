// The networks file: what is saved reads back the same; what cannot be read is skipped.

#include "machine/radio/RadioStore.h"
#include "machine/radio/DefaultNetworks.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

using namespace machine::radio;

TEST(RadioStore, SavedNetworksLoadBackExactly)
{
    testing_support::TempMachine m;
    auto list = DefaultNetworks();
    Network odd;
    odd.ssid = std::string("a\\b\x01\xFF<\r\n=", 9);
    odd.bssid = {0x02, 0, 0, 0, 0, 0xEE};
    odd.frequencyKhz = 2417500; // not in the channel table
    odd.rssi = -99;
    odd.linkQuality = 0;
    odd.phyType = 9;
    odd.capability = 0xFFFF;
    odd.elements = {0, 0, 221, 3, 1}; // zero-length first, a truncated one after
    list.push_back(odd);
    list.push_back(Network{}); // no elements at all

    ASSERT_TRUE(SaveNetworks(m.machine(), list));
    EXPECT_EQ(LoadNetworks(m.machine()), list);

    ASSERT_TRUE(SaveNetworks(m.machine(), {}));
    EXPECT_TRUE(LoadNetworks(m.machine()).empty()) << "an empty file is no networks";
}

TEST(RadioStore, NewMachineHasTheDefaultNetworks)
{
    testing_support::TempMachine m;
    EXPECT_TRUE(std::filesystem::exists(NetworksPath(m.machine())));
    EXPECT_EQ(LoadNetworks(m.machine()), DefaultNetworks());
}

TEST(RadioStore, ParserSkipsWhatItCannotRead)
{
    const std::string text = "garbage before any block\n"
                             "rssi=-10\n"
                             "[network]\n"
                             "ssid=Good One\n"
                             "bssid=02-00-00-00-00-01\n"
                             "rssi=-40\n"
                             "rssi=minus forty\n" // a bad value leaves the good one
                             "quality=250\n"      // out of range: skipped
                             "elements=00034142\n"
                             "elements=0003414\n" // truncated hex: skipped
                             "no equals sign here\n"
                             "colour=blue\n"
                             "[network]\n"
                             "ssid=" +
                             std::string(33, 'x') +
                             "\n" // too long: block dropped
                             "bssid=02-00-00-00-00-02\n"
                             "[network]\n"
                             "ssid=Bad Bssid\n"
                             "bssid=02-00-00-00-00\n" // short: block dropped
                             "[other]\n"
                             "ssid=Not A Network\n"
                             "[network]\r\n"
                             "ssid=Last\\x4\r\n" // cut escape: block dropped
                             "[network]\n"
                             "ssid=Tail\\x41\n"
                             "channel=40\n"
                             "frequency=5200000\n"
                             "elements=ZZ";
    auto list = ParseNetworks(text);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].ssid, "Good One");
    EXPECT_EQ(list[0].rssi, -40);
    EXPECT_EQ(list[0].linkQuality, Network{}.linkQuality);
    EXPECT_EQ(list[0].elements, (std::vector<std::uint8_t>{0, 3, 0x41, 0x42}));
    EXPECT_EQ(list[1].ssid, "TailA");
    EXPECT_EQ(list[1].channel, 40u);
    EXPECT_EQ(list[1].frequencyKhz, 5200000u);
    EXPECT_TRUE(list[1].elements.empty());

    // Nothing readable at all, and cut-off input at every length, never throws nor over-reads.
    for (std::size_t n = 0; n <= text.size(); ++n)
        ParseNetworks(text.substr(0, n));
}

TEST(RadioStore, FieldsAndLookup)
{
    auto list = DefaultNetworks();
    Network* n = FindNetwork(list, "02-54-59-00-00-04");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->ssid, "Orchard AES");
    EXPECT_EQ(FindNetwork(list, "Orchard AES"), n);
    EXPECT_EQ(FindNetwork(list, "02:54:59:00:00:04"), n);
    EXPECT_EQ(FindNetwork(list, "Nobody"), nullptr);

    struct Case
    {
        const char* field;
        const char* value;
        bool ok;
    } cases[] = {{"channel", "149", true},   {"channel", "15", false},
                 {"rssi", "-30", true},      {"rssi", "12", false},
                 {"privacy", "off", true},   {"privacy", "maybe", false},
                 {"phy", "n", true},         {"bss", "adhoc", true},
                 {"elements", "0A0", false}, {"capability", "0x0013", true},
                 {"nonsense", "1", false}};
    for (const auto& c : cases)
        EXPECT_EQ(SetNetworkField(*n, c.field, c.value), c.ok) << c.field << " " << c.value;
    EXPECT_EQ(n->channel, 149u);
    EXPECT_EQ(n->frequencyKhz, 5745000u);
    EXPECT_EQ(n->rssi, -30);
    EXPECT_EQ(n->phyType, kPhyHt);
    EXPECT_EQ(n->bssType, kIndependent);
    EXPECT_EQ(n->capability, 0x0013);
}

} // namespace
