// The machine tool's connection, sharing and program commands change the machine the programs
// see.

#include "machine/network/Connections.h"
#include "machine/network/SharingFaults.h"
#include "machine/programs/ProgramSettings.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

using namespace std::chrono_literals;
namespace network = machine::network;
namespace programs = machine::programs;

int vnmachine(const testing_support::TempMachine& m, const std::vector<std::string>& args)
{
    testing_support::ChildProcess tool("vnmachine", args, m.root());
    return tool.waitForExit(20s).value_or(-1);
}

TEST(VnmachineCommands, ConnectionsAndSharingChangeAsAsked)
{
    testing_support::TempMachine m;
    struct Case
    {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"connections"}, 0},
        {{"connections", "add", "Dial-up", "type", "ppp", "ip", "10.64.3.2", "dhcp", "no"}, 0},
        {{"connections", "add", "Broken", "dhcp", "maybe"}, 1},
        {{"connections", "set", "Local Area Connection", "ip", "10.0.0.77"}, 0},
        {{"connections", "set", "Nobody", "ip", "10.0.0.77"}, 1},
        {{"connections", "remove", "Local Area Connection 2"}, 0},
        {{"sharing", "set", "Local Area Connection", "public"}, 0},
        {{"sharing", "set", "Dial-up", "public"}, 0}, // takes over the public side
        {{"sharing", "set", "Wireless Network Connection", "private"}, 0},
        {{"sharing", "set", "Wireless Network Connection", "sideways"}, 2},
        {{"sharing", "fault", "enable", "once", "80070005"}, 0},
        {{"sharing", "fault", "item", "2"}, 0},
        {{"sharing", "fault", "nothing", "once"}, 2},
        {{"sharing", "fault", "create", "4294967297"}, 2},        // more calls than a count holds
        {{"sharing", "fault", "create", "once", "100000000"}, 2}, // wider than 32 bits
        {{"programs", "fail", "NicReport.bat", "2", "once"}, 0},
        {{"programs", "report-delay", "500"}, 0},
        {{"programs", "report-fail", "on"}, 0},
        {{"programs", "report-fail", "maybe"}, 2},
        {{"log", "programs"}, 0},
        {{"sharing", "log"}, 0},
    };
    for (const auto& c : cases)
    {
        std::string line;
        for (const auto& a : c.args)
            line += a + " ";
        EXPECT_EQ(vnmachine(m, c.args), c.status) << line;
    }

    auto list = network::LoadConnections(m.machine());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].ip, "10.0.0.77");
    EXPECT_EQ(list[0].sharing, network::Sharing::None);
    EXPECT_EQ(list[1].sharing, network::Sharing::Private);
    EXPECT_EQ(list[2].name, "Dial-up");
    EXPECT_EQ(list[2].type, network::MediaType::Ppp);
    EXPECT_FALSE(list[2].dhcp);
    EXPECT_EQ(list[2].sharing, network::Sharing::Public);

    auto faults = network::LoadSharingFaults(m.machine());
    ASSERT_EQ(faults.failures.size(), 1u);
    EXPECT_EQ(faults.failures[0].call, network::SharingCall::Enable);
    EXPECT_EQ(faults.failures[0].result, 0x80070005u);
    EXPECT_EQ(faults.oddItems, (std::vector<std::size_t>{2}));

    auto settings = programs::LoadProgramSettings(m.machine());
    ASSERT_EQ(settings.failures.size(), 1u);
    EXPECT_EQ(settings.failures[0].program, "NicReport.bat");
    EXPECT_EQ(settings.failures[0].remaining, 1);
    EXPECT_EQ(settings.reportDelayMs, 500u);
    EXPECT_TRUE(settings.reportWritesNothing);
}

} // namespace
