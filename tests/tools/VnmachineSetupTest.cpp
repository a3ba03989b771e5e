// A test's machine is set up through the tool, with no hand-edited file: the system it is, the
// driver's answers, the stored WLAN profiles.

#include "machine/SystemInfo.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/miniport/AdapterState.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

namespace
{

using testing_support::Joined;
using testing_support::RunVnmachineApart;

TEST(VnmachineSetup, TheSystemIsSetAndShown)
{
    testing_support::TempMachine m;
    const auto r =
        RunVnmachineApart(m.root(), {"system", "set", "version", "5.2.3790", "product", "server",
                                     "language", "0x0411", "administrator", "off", "wow64", "on"});
    ASSERT_EQ(r.status, 0) << r.err;
    const machine::SystemInfo s = machine::LoadSystemInfo(m.machine());
    EXPECT_EQ(s.majorVersion, 5u);
    EXPECT_EQ(s.minorVersion, 2u);
    EXPECT_EQ(s.buildNumber, 3790u);
    EXPECT_EQ(s.productType, 3u);
    EXPECT_EQ(s.languageId, 0x0411);
    EXPECT_FALSE(s.administrator);
    EXPECT_TRUE(s.wow64);
    const auto shown = RunVnmachineApart(m.root(), {"system"}).out;
    EXPECT_NE(shown.find("version        5.2.3790"), std::string::npos) << shown;
    EXPECT_NE(shown.find("language       0x0411"), std::string::npos) << shown;

    // A bad value changes nothing, not even the fields before it.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"system", "set", "version", "6"},
          {"system", "set", "wow64", "off", "product", "desktop"},
          {"system", "set", "language", "0x10000"},
          {"system", "set", "colour", "blue"},
          {"system", "set", "wow64"}})
    {
        const auto bad = RunVnmachineApart(m.root(), args);
        EXPECT_EQ(bad.status, 2) << Joined(args);
    }
    EXPECT_TRUE(machine::LoadSystemInfo(m.machine()).wow64);
}

TEST(VnmachineSetup, ADriverAnswerIsPinnedAndCleared)
{
    testing_support::TempMachine m;
    const std::string adapter = machine::devices::DefaultAdapter().netCfgInstanceId;
    ASSERT_EQ(RunVnmachineApart(m.root(), {"driver", "answer", "0xFF010203", "0A0B0C0D"}).status,
              0);
    auto state = machine::miniport::LoadAdapterState(m.machine(), adapter);
    EXPECT_TRUE(machine::miniport::IsPinned(state, 0xFF010203u));
    EXPECT_EQ(state.u32(0xFF010203u), 0x0D0C0B0Au);

    ASSERT_EQ(RunVnmachineApart(m.root(), {"driver", "answer", "FF010203", "--clear"}).status, 0);
    state = machine::miniport::LoadAdapterState(m.machine(), adapter);
    EXPECT_FALSE(machine::miniport::IsPinned(state, 0xFF010203u));

    EXPECT_EQ(RunVnmachineApart(m.root(), {"driver", "answer", "0xFF010203", "ABC"}).status, 2);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"driver", "answer", "nocode", "00"}).status, 2);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"driver", "--device", "9", "answer", "1", "00"}).status,
              1);
}

} // namespace
