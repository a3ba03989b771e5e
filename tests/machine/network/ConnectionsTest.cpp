// The machine's connection list: what a new machine has, how changes persist, and the
// one-public-one-private rule of sharing.

#include "machine/network/Connections.h"
#include "machine/devices/DeviceBuilders.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

namespace network = machine::network;
using network::Sharing;

std::vector<Sharing> sharings(const std::vector<network::Connection>& list)
{
    std::vector<Sharing> out;
    for (const auto& c : list)
        out.push_back(c.sharing);
    return out;
}

TEST(Connections, ANewMachineHasTheWirelessAdaptersConnectionAmongItsOwn)
{
    testing_support::TempMachine m;
    auto list = network::LoadConnections(m.machine());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "Local Area Connection");
    EXPECT_TRUE(list[0].connected);
    EXPECT_EQ(list[0].ip.rfind("192.168.0.", 0), std::string::npos);
    const auto adapter = machine::devices::DefaultAdapter();
    EXPECT_EQ(list[1].description, adapter.friendlyName);
    EXPECT_EQ(list[1].guid, "{5C0FFEE1-3400-4A11-8E1D-FA11C0DE3400}");
    EXPECT_FALSE(list[2].connected);
    for (const auto& c : list)
        EXPECT_EQ(c.sharing, Sharing::None) << c.name;
    // Written into the machine, not made up on every read.
    EXPECT_TRUE(std::filesystem::exists(m.root() / "network" / "connections.txt"));
}

TEST(Connections, EveryFieldSurvivesTheMachineFile)
{
    testing_support::TempMachine m;
    network::Connection c;
    c.name = "Verbindung \xE2\x80\x93 LAN";
    c.description = "Some PPP: device";
    c.guid = "{00000000-1111-2222-3333-444444444444}";
    c.mac = "00-53-45-00-00-00";
    c.ip = "10.1.2.3";
    c.mask = "255.255.255.255";
    c.gateway = "10.1.2.3";
    c.dhcp = false;
    c.connected = false;
    c.type = network::MediaType::Ppp;
    c.sharing = Sharing::Private;
    network::SaveConnections(m.machine(), {c, network::Connection{}});
    auto back = network::LoadConnections(m.machine());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], c);
    EXPECT_EQ(back[1], network::Connection{});
    // An empty list stays empty (it does not turn back into the default one).
    network::SaveConnections(m.machine(), {});
    EXPECT_TRUE(network::LoadConnections(m.machine()).empty());
}

TEST(Connections, FieldsChangeOnTheFirstConnectionOfTheName)
{
    testing_support::TempMachine m;
    network::AddConnection(m.machine(), {.name = "Local Area Connection", .ip = "10.7.7.7"});
    EXPECT_TRUE(
        network::SetConnectionField(m.machine(), "Local Area Connection", "ip", "10.0.0.99"));
    EXPECT_TRUE(network::SetConnectionField(m.machine(), "Local Area Connection", "status",
                                            "disconnected"));
    EXPECT_TRUE(network::SetConnectionField(m.machine(), "Local Area Connection", "type", "ppp"));
    EXPECT_FALSE(
        network::SetConnectionField(m.machine(), "Local Area Connection", "dhcp", "maybe"));
    EXPECT_FALSE(network::SetConnectionField(m.machine(), "Local Area Connection", "colour", "x"));
    EXPECT_FALSE(network::SetConnectionField(m.machine(), "Nobody", "ip", "1.2.3.4"));
    auto list = network::LoadConnections(m.machine());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].ip, "10.0.0.99");
    EXPECT_FALSE(list[0].connected);
    EXPECT_EQ(list[0].type, network::MediaType::Ppp);
    EXPECT_TRUE(list[0].dhcp);
    EXPECT_EQ(list[3].ip, "10.7.7.7");

    EXPECT_TRUE(network::RemoveConnection(m.machine(), "Local Area Connection"));
    list = network::LoadConnections(m.machine());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2].ip, "10.7.7.7");
    EXPECT_FALSE(network::RemoveConnection(m.machine(), "Nobody"));
}

TEST(Connections, OneConnectionSharesPubliclyAndOnePrivately)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    EXPECT_TRUE(network::SetSharing(mm, 0, Sharing::Public));
    EXPECT_TRUE(network::SetSharing(mm, 1, Sharing::Private));
    EXPECT_EQ(sharings(network::LoadConnections(mm)),
              (std::vector{Sharing::Public, Sharing::Private, Sharing::None}));
    // A second public connection takes over from the first.
    EXPECT_TRUE(network::SetSharing(mm, 2, Sharing::Public));
    EXPECT_EQ(sharings(network::LoadConnections(mm)),
              (std::vector{Sharing::None, Sharing::Private, Sharing::Public}));
    // The private one turning public leaves no private side.
    EXPECT_TRUE(network::SetSharingByName(mm, "Wireless Network Connection", Sharing::Public));
    EXPECT_EQ(sharings(network::LoadConnections(mm)),
              (std::vector{Sharing::None, Sharing::Public, Sharing::None}));
    EXPECT_TRUE(network::SetSharing(mm, 1, Sharing::None));
    EXPECT_EQ(sharings(network::LoadConnections(mm)),
              (std::vector{Sharing::None, Sharing::None, Sharing::None}));
    EXPECT_FALSE(network::SetSharing(mm, 3, Sharing::Public));
}

} // namespace
