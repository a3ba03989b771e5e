// The access point's own rules over the shared ground: its operating-system codes, and the
// bridge device when the machine has none.

#include "accesspoint/access/BridgeDevice.h"
#include "accesspoint/access/DetectOsVersion.h"
#include "adapter/system/OsVersion.h"
#include "machine/bridge/BridgeState.h"
#include "tests/support/OsVersionTable.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

// NT versions after 5.2 give 11 for a workstation and 12 otherwise; the rest as the client.
TEST(ApDetectOsVersion, MapsLaterNtVersionsByProductType)
{
    testing_support::TempMachine tm;
    for (const auto& os : testing_support::kOsVersionSettings)
    {
        int expected = os.code;
        if (os.code == 12)
            expected = 11;
        else if (os.code == 13)
            expected = 12;
        ASSERT_TRUE(testing_support::UseOsVersion(os.code));
        OsVersionCode = 0;
        EXPECT_TRUE(DetectOsVersion()) << os.name;
        EXPECT_EQ(OsVersionCode, expected) << os.name;
    }
    // NT 6.0 as a server: 12 here (the client gives 11).
    machine::SystemInfo info =
        testing_support::WithOsVersion(testing_support::OsVersionForCode(11));
    info.productType = 3;
    ASSERT_TRUE(machine::SaveSystemInfo(tm.machine(), info));
    EXPECT_TRUE(DetectOsVersion());
    EXPECT_EQ(OsVersionCode, 12);
}

TEST(ApBridgeDevice, WithoutTheDeviceEveryRequestFails)
{
    testing_support::TempMachine tm;
    machine::bridge::ChangeBridge(tm.machine(),
                                  [](machine::bridge::BridgeState& b) { b.present = false; });
    BridgeDevice bridge;
    EXPECT_FALSE(bridge.OpenBridgeDevice("NBRG"));
    EXPECT_FALSE(bridge.IsOpen());
    EXPECT_EQ(bridge.GetVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(bridge.GetBridgingState(), 0u);
    EXPECT_FALSE(bridge.SetBridging(1));
    DWORD dwReturned = 0;
    EXPECT_FALSE(bridge.Control(BRIDGE_IOCTL_GET_STATE, NULL, 0, NULL, 0, &dwReturned));
}

} // namespace
