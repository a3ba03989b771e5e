// vnmachine bridge arranges the bridge device every process on the machine sees, and shows it
// with its log.

#include "machine/bridge/BridgeLog.h"
#include "machine/bridge/BridgeState.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

namespace
{

namespace bridge = machine::bridge;

TEST(VnmachineBridge, EachCommandChangesWhatItNames)
{
    testing_support::TempMachine m;
    struct Case
    {
        std::vector<std::string> args;
        int status;
        bool (*holds)(const bridge::BridgeState&);
    } cases[] = {
        {{"bridge", "present"}, 0, [](const bridge::BridgeState& s) { return s.present; }},
        {{"bridge", "version", "3"},
         0,
         [](const bridge::BridgeState& s) { return s.version == 3; }},
        {{"bridge", "version", "-1"},
         2,
         [](const bridge::BridgeState& s) { return s.version == 3; }},
        {{"bridge", "state", "on"}, 0, [](const bridge::BridgeState& s) { return s.bridging; }},
        {{"bridge", "state", "maybe"}, 2, [](const bridge::BridgeState& s) { return s.bridging; }},
        {{"bridge", "pending", "on", "state"},
         0,
         [](const bridge::BridgeState& s)
         { return !s.pendingAll && s.pendingCodes == std::vector{bridge::kStateRequest}; }},
        {{"bridge", "pending", "on", "0x8000000C"},
         0,
         [](const bridge::BridgeState& s) { return s.pendingCodes.size() == 2; }},
        {{"bridge", "pending", "off", "STATE"},
         0,
         [](const bridge::BridgeState& s)
         { return s.pendingCodes == std::vector<std::uint32_t>{0x8000000Cu}; }},
        {{"bridge", "pending", "on", "frobnicate"},
         2,
         [](const bridge::BridgeState& s) { return s.pendingCodes.size() == 1; }},
        {{"bridge", "pending", "on"},
         0,
         [](const bridge::BridgeState& s) { return s.pendingAll && s.pendingCodes.empty(); }},
        {{"bridge", "pending", "off"},
         0,
         [](const bridge::BridgeState& s) { return !s.pendingAll; }},
        {{"bridge", "refuse-delete-on-close", "on"},
         0,
         [](const bridge::BridgeState& s) { return s.refuseDeleteOnClose; }},
        {{"bridge", "absent"}, 0, [](const bridge::BridgeState& s) { return !s.present; }},
    };
    for (const Case& c : cases)
    {
        const auto run = testing_support::RunVnmachineApart(m.root(), c.args);
        std::string line;
        for (const auto& w : c.args)
            line += w + " ";
        EXPECT_EQ(run.status, c.status) << line << run.err;
        EXPECT_TRUE(c.holds(bridge::LoadBridge(m.machine()))) << line;
    }
}

TEST(VnmachineBridge, ShowsTheStateAndTheLogAndClearsTheLog)
{
    testing_support::TempMachine m;
    bridge::ChangeBridge(m.machine(),
                         [](bridge::BridgeState& s)
                         {
                             s.present = true;
                             s.version = 5;
                             s.pendingCodes = {bridge::kSwitchRequest};
                         });
    bridge::AppendBridgeLog(m.machine(), "close 1");
    const auto shown = testing_support::RunVnmachineApart(m.root(), {"bridge"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, "bridge     present\n"
                         "version    5\n"
                         "bridging   off\n"
                         "pending    SWITCH\n"
                         "delete-on-close opens accepted\n"
                         "log:\n"
                         "  close 1\n");
    EXPECT_EQ(testing_support::RunVnmachineApart(m.root(), {"bridge", "log"}).out, "close 1\n");
    EXPECT_EQ(testing_support::RunVnmachineApart(m.root(), {"bridge", "clear-log"}).status, 0);
    EXPECT_TRUE(bridge::ReadBridgeLog(m.machine()).empty());
}

} // namespace
