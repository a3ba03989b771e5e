#include "machine/text/LineValue.h"

#include "machine/SystemInfo.h"
#include "machine/devices/DeviceTree.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
namespace devices = machine::devices;
using machine::text::EscapeLineValue;
using machine::text::UnescapeLineValue;

namespace
{

TEST(LineValue, EveryValueReadsBackAsWrittenAndTypedPercentSignsStay)
{
    for (const std::string& value : {""s, "plain"s, "ends in CR\r"s, "\r\n"s, "line\nbreak"s,
                                     "100%"s, "%0D"s, "%%25"s, "a\0b"s, "PCI\\VEN_1AF4&DEV_0001"s})
    {
        std::string written = EscapeLineValue(value);
        EXPECT_EQ(written.find_first_of("\r\n"), std::string::npos) << written;
        EXPECT_EQ(UnescapeLineValue(written), value) << written;
    }
    // What a person typed by hand: only the three codes mean anything.
    EXPECT_EQ(UnescapeLineValue("50% off %41 %0a %2"), "50% off %41 \n %2");
}

TEST(LineValue, ADeviceAndTheSystemWithLineBreaksInTheirTextsSurviveAWriteOut)
{
    testing_support::TempMachine m;
    devices::NetDevice d = devices::ListDevices(m.machine())[0];
    d.instanceId += "\r";
    d.friendlyName = "two\nlines";
    devices::InstallDevice(m.machine(), d);
    ASSERT_TRUE(devices::SetDevicePresent(m.machine(), d.instanceId, false)); // another write
    auto found = devices::FindDevice(m.machine(), d.instanceId);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->instanceId, d.instanceId);
    EXPECT_EQ(found->friendlyName, "two\nlines");

    machine::SystemInfo info;
    info.servicePack = "Service Pack 2\r";
    info.userName = "Owner\n[device]";
    ASSERT_TRUE(machine::SaveSystemInfo(m.machine(), info));
    machine::SystemInfo back = machine::LoadSystemInfo(m.machine());
    EXPECT_EQ(back.servicePack, info.servicePack);
    EXPECT_EQ(back.userName, info.userName);
}

} // namespace
