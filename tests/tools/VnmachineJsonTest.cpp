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

    const auto refused = RunVnmachineApart(m.root(), {"reg", "show", "HKLM", "--json"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--json is for"), std::string::npos) << refused.err;
}

} // namespace
