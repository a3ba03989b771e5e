// --json: the listing and status commands give documents a script can read, with the fields
// their --help names; a command that has no JSON form refuses the option.

#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace
{

using testing_support::RunVnmachineApart;

nlohmann::json JsonOf(const testing_support::TempMachine& m, const std::vector<std::string>& args)
{
    const auto r = RunVnmachineApart(m.root(), args);
    EXPECT_EQ(r.status, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

TEST(VnmachineJson, ListingsAndStatusReadAsDocuments)
{
    testing_support::TempMachine m;
    ASSERT_EQ(RunVnmachineApart(m.root(), {"wlan", "connect", "Harbor Guest"}).status, 0);

    const auto status = JsonOf(m, {"wlan", "status", "--json"});
    ASSERT_EQ(status["interfaces"].size(), 1u);
    EXPECT_EQ(status["interfaces"][0]["state"], "connected");
    EXPECT_EQ(status["interfaces"][0]["connection"]["ssid"], "Harbor Guest");
    EXPECT_EQ(status["service_running"], true);

    const auto networks = JsonOf(m, {"--json", "networks"});
    ASSERT_GE(networks["networks"].size(), 9u);
    EXPECT_EQ(networks["networks"][3]["ssid"], "Orchard AES");
    EXPECT_EQ(networks["networks"][3]["privacy"], true);
    EXPECT_EQ(networks["networks"][6]["ssid"], ""); // the hidden one

    const auto devices = JsonOf(m, {"devices", "list", "--json"});
    ASSERT_EQ(devices["devices"].size(), 1u);
    EXPECT_EQ(devices["devices"][0]["present"], true);
    EXPECT_EQ(devices["devices"][0]["bus"], "usb");

    EXPECT_EQ(JsonOf(m, {"ui", "list", "--json"})["programs"], nlohmann::json::array());

    ASSERT_EQ(
        RunVnmachineApart(m.root(), {"sharing", "set", "Local Area Connection", "public"}).status,
        0);
    const auto connections = JsonOf(m, {"connections", "--json"})["connections"];
    ASSERT_GE(connections.size(), 2u);
    EXPECT_EQ(connections[0]["name"], "Local Area Connection");
    EXPECT_EQ(connections[0]["type"], "ethernet");
    EXPECT_EQ(connections[0]["sharing"], "public");
    EXPECT_EQ(connections[0]["connected"], true);
    EXPECT_TRUE(connections[0]["mac"].is_string() && connections[0]["dhcp"].is_boolean());

    ASSERT_EQ(RunVnmachineApart(m.root(), {"services", "stop", "Wlansvc"}).status, 0);
    const auto services = JsonOf(m, {"services", "list", "--json"});
    EXPECT_EQ(services["service_manager"], true);
    bool seen = false;
    for (const auto& s : services["services"])
    {
        if (s["name"] == "Wlansvc")
        {
            seen = true;
            EXPECT_EQ(s["present"], true);
            EXPECT_EQ(s["state"], "stop_pending");
            EXPECT_EQ(s["start_type"], "auto");
        }
        else if (s["present"] == false)
        {
            EXPECT_FALSE(s.contains("state")) << s.dump();
        }
    }
    EXPECT_TRUE(seen) << services.dump();

    EXPECT_EQ(JsonOf(m, {"sharing", "--json"})["connections"][0]["sharing"], "public");
    ASSERT_EQ(
        RunVnmachineApart(m.root(), {"system", "set", "version", "5.1.2600", "wow64", "on"}).status,
        0);
    const auto system = JsonOf(m, {"system", "--json"});
    EXPECT_EQ(system["version"]["major"], 5);
    EXPECT_EQ(system["version"]["build"], 2600);
    EXPECT_EQ(system["wow64"], true);
    ASSERT_EQ(RunVnmachineApart(m.root(), {"stations", "add", "02:11:22:33:44:55", "--wep-key", "1",
                                           "0a1b2c3d4e"})
                  .status,
              0);
    const auto stations = JsonOf(m, {"stations", "--json"});
    EXPECT_EQ(stations["access_point"]["running"], false);
    ASSERT_EQ(stations["stations"].size(), 1u);
    EXPECT_EQ(stations["stations"][0]["mac"], "02-11-22-33-44-55");
    EXPECT_EQ(stations["stations"][0]["key"], "wep");
    EXPECT_EQ(stations["stations"][0]["wep_index"], 1);
    EXPECT_FALSE(stations["stations"][0].contains("aid"));

    const auto refused = RunVnmachineApart(m.root(), {"reg", "show", "HKLM", "--json"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--json is for"), std::string::npos) << refused.err;
}

} // namespace
