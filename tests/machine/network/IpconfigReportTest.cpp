// The adapter report in the ipconfig /all layout: the lines a reader of it relies on.

#include "machine/network/IpconfigReport.h"

#include <gtest/gtest.h>

namespace
{

namespace network = machine::network;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos)
            break;
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

// The lines of the block that starts with `header`, up to the next blank line after its own.
std::vector<std::string> block(const std::vector<std::string>& all, const std::string& header)
{
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i] == header)
        {
            std::vector<std::string> out{all[i]};
            for (std::size_t k = i + 1; k < all.size(); ++k)
            {
                if (all[k].empty() && k > i + 1)
                    break;
                out.push_back(all[k]);
            }
            return out;
        }
    return {};
}

TEST(IpconfigReport, BlocksFollowTheConnectionsInTheirLayout)
{
    network::Connection dhcp{.name = "Local Area Connection",
                             .description = "Norvast GigaLink PCI-E Ethernet Controller",
                             .mac = "00-1B-77-3A-9C-41",
                             .ip = "10.0.0.23",
                             .mask = "255.255.255.0",
                             .gateway = "10.0.0.1"};
    network::Connection fixed = dhcp;
    fixed.name = "Office";
    fixed.dhcp = false;
    fixed.ip = "172.16.4.9";
    network::Connection unplugged{.name = "Local Area Connection 2",
                                  .description = "Norvast FastLink 10/100 Ethernet Adapter",
                                  .mac = "00-1B-77-3A-9C-42",
                                  .connected = false};
    network::Connection dialUp{.name = "Dial-up Uplink",
                               .description = "WAN (PPP/SLIP) Interface",
                               .mac = "00-53-45-00-00-00",
                               .ip = "10.64.3.2",
                               .mask = "255.255.255.255",
                               .gateway = "10.64.3.2",
                               .dhcp = false,
                               .type = network::MediaType::Ppp};
    network::Connection dialDown = dialUp;
    dialDown.name = "Dial-up Down";
    dialDown.connected = false;

    auto all = lines(network::FormatIpconfigReport({dhcp, fixed, unplugged, dialUp, dialDown}));
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[1], "Windows IP Configuration");

    EXPECT_EQ(block(all, "Ethernet adapter Local Area Connection:"),
              (std::vector<std::string>{
                  "Ethernet adapter Local Area Connection:",
                  "",
                  "        Connection-specific DNS Suffix  . : ",
                  "        Description . . . . . . . . . . . : Norvast GigaLink PCI-E Ethernet "
                  "Controller",
                  "        Physical Address. . . . . . . . . : 00-1B-77-3A-9C-41",
                  "        Dhcp Enabled. . . . . . . . . . . : Yes",
                  "        Autoconfiguration Enabled . . . . : Yes",
                  "        IP Address. . . . . . . . . . . . : 10.0.0.23",
                  "        Subnet Mask . . . . . . . . . . . : 255.255.255.0",
                  "        Default Gateway . . . . . . . . . : 10.0.0.1",
                  "        DHCP Server . . . . . . . . . . . : 10.0.0.1",
                  "        DNS Servers . . . . . . . . . . . : 10.0.0.1",
              }));
    // Without DHCP no autoconfiguration line: the address follows at once.
    auto office = block(all, "Ethernet adapter Office:");
    ASSERT_GE(office.size(), 7u);
    EXPECT_EQ(office[5], "        Dhcp Enabled. . . . . . . . . . . : No");
    EXPECT_EQ(office[6], "        IP Address. . . . . . . . . . . . : 172.16.4.9");

    EXPECT_EQ(block(all, "Ethernet adapter Local Area Connection 2:"),
              (std::vector<std::string>{
                  "Ethernet adapter Local Area Connection 2:",
                  "",
                  "        Media State . . . . . . . . . . . : Media disconnected",
                  "        Description . . . . . . . . . . . : Norvast FastLink 10/100 Ethernet "
                  "Adapter",
                  "        Physical Address. . . . . . . . . : 00-1B-77-3A-9C-42",
              }));
    auto up = block(all, "PPP adapter Dial-up Uplink:");
    ASSERT_GE(up.size(), 7u);
    EXPECT_EQ(up[2], "        Connection-specific DNS Suffix  . : ");
    EXPECT_EQ(up[3], "        Description . . . . . . . . . . . : WAN (PPP/SLIP) Interface");
    EXPECT_EQ(up[5], "        Dhcp Enabled. . . . . . . . . . . : No");
    EXPECT_EQ(up[6], "        IP Address. . . . . . . . . . . . : 10.64.3.2");
    auto down = block(all, "PPP adapter Dial-up Down:");
    ASSERT_GE(down.size(), 3u);
    EXPECT_EQ(down[2], "        Media State . . . . . . . . . . . : Media disconnected");
}

TEST(IpconfigReport, NoConnectionsGiveOnlyTheHeader)
{
    auto all = lines(network::FormatIpconfigReport({}));
    for (const auto& l : all)
        EXPECT_EQ(l.find("adapter"), std::string::npos) << l;
}

} // namespace
