// The bridge's arranged state survives its file, and a file a person mangled reads as far as it
// can.

#include "machine/bridge/BridgeState.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

namespace bridge = machine::bridge;

TEST(BridgeState, WhatIsSavedIsLoaded)
{
    testing_support::TempMachine m;
    bridge::BridgeState fresh;
    fresh.present = true;
    EXPECT_EQ(bridge::LoadBridge(m.machine()), fresh) << "the default image has a bridge, off";
    bridge::BridgeState s;
    s.present = true;
    s.version = 7;
    s.bridging = true;
    s.pendingAll = true;
    s.pendingCodes = {bridge::kSwitchRequest, 0x8000000Cu};
    s.refuseDeleteOnClose = true;
    s.opened = 12;
    ASSERT_TRUE(bridge::SaveBridge(m.machine(), s));
    EXPECT_EQ(bridge::LoadBridge(m.machine()), s);
}

TEST(BridgeState, UnreadableValuesKeepTheirDefaults)
{
    bridge::BridgeState s =
        bridge::ParseBridgeState("present yes\nversion x\nbridging 1\npending STATE nonsense "
                                 "0x80000010\nopened -\nfrobnicate 1\n");
    EXPECT_FALSE(s.present);
    EXPECT_EQ(s.version, 2u);
    EXPECT_TRUE(s.bridging);
    EXPECT_EQ(s.pendingCodes, (std::vector<std::uint32_t>{bridge::kStateRequest, 0x80000010u}));
    EXPECT_EQ(s.opened, 0u);
    EXPECT_EQ(bridge::RequestName(0x80000010u), "0x80000010");
    EXPECT_EQ(bridge::ParseRequestName("version"), bridge::kVersionRequest);
}

} // namespace
