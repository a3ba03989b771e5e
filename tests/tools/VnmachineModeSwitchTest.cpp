// The mode switch as the programs start it: VnSwap reloads the driver, which reads its operation
// mode from the driver key, and starts the access-point program (HubDesk.exe: the built
// TessarynAp when there is one, else its stand-in) for ON and TessarynUI for OFF.

#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/registry/Registry.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{

namespace programs = machine::programs;
namespace mp = machine::miniport;

const machine::devices::NetDevice kAdapter = machine::devices::DefaultAdapter();
const std::string kOn = "\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"";

class ModeSwitch : public ::testing::Test
{
protected:
    // The built programs' folder holds the tool and a TessarynAp that only notes its start.
    ModeSwitch() : m_oldBin(testing_support::ProgramDirectory())
    {
        std::filesystem::create_directories(m_bin);
        std::filesystem::create_symlink(std::filesystem::absolute(m_oldBin / "vnmachine"),
                                        m_bin / "vnmachine");
        std::ofstream(m_bin / "TessarynAp")
            << "#!/bin/sh\nprintf '%s\\n' \"$TESSARYN_COMMAND_LINE\" > \"$TESSARYN_MACHINE/ap\"\n";
        std::filesystem::permissions(m_bin / "TessarynAp", std::filesystem::perms::owner_all);
        ::setenv("TESSARYN_BIN", m_bin.c_str(), 1);
    }
    ~ModeSwitch() override { ::setenv("TESSARYN_BIN", m_oldBin.c_str(), 1); }

    // Starts VnSwap as a program on the machine would, with "OpMode" as the switching program
    // left it.
    void switchWith(const char* opMode, const std::vector<std::string>& words)
    {
        machine::registry::SetString(m.machine(), machine::devices::DriverKeyPath(kAdapter),
                                     "OpMode", opMode);
        std::vector<std::string> args = {"ui", "start"};
        args.insert(args.end(), words.begin(), words.end());
        const auto run = testing_support::RunVnmachineApart(m.root(), args);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    std::uint32_t mode() const
    {
        return mp::OperationMode(mp::LoadAdapterState(m.machine(), kAdapter.netCfgInstanceId));
    }
    std::vector<std::string> log() const { return programs::ReadProgramLog(m.machine()); }

    testing_support::TempMachine m;
    const std::filesystem::path m_oldBin;
    const std::filesystem::path m_bin = m.root() / "host-bin";
};

TEST_F(ModeSwitch, OnStartsTheBuiltAccessPointProgramOrItsStandIn)
{
    const std::vector<std::string> on = {"VnSwap.exe", "ON", "TessarynUI", "TessarynAp",
                                         "\"Tessaryn KWF-9310USB\""};
    switchWith("1", on);
    EXPECT_EQ(mode(), 2u) << "the reloaded driver reads OpMode 1";
    const std::filesystem::path started = m.root() / "ap";
    // The stand-in's shell makes the file before it writes the line.
    for (int i = 0; i < 1000; ++i)
    {
        std::error_code ec;
        const auto size = std::filesystem::file_size(started, ec);
        if (!ec && size > 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::stringstream commandLine;
    commandLine << std::ifstream(started).rdbuf();
    EXPECT_EQ(commandLine.str(), "\"C:\\Program Files\\Tessaryn\\HubDesk.exe\"\n");
    auto lines = log();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("WinExec [" + kOn + "]", 0), 0u) << lines[0];
    EXPECT_EQ(lines[3], "VnSwap starts [C:\\Program Files\\Tessaryn\\HubDesk.exe]");
    EXPECT_EQ(lines[4].rfind("WinExec [\"C:\\Program Files\\Tessaryn\\HubDesk.exe\"] show=1 "
                             "dir=[C:\\Program Files\\Tessaryn] result=33 pid=",
                             0),
              0u)
        << lines[4];

    // Record-only, or not built: the stand-in notes the start instead.
    programs::ClearProgramLog(m.machine());
    programs::SetRecordOnly(m.machine(), "TessarynAp", true);
    switchWith("1", on);
    EXPECT_EQ(log().back(), "HubDesk ran []");
    programs::SetRecordOnly(m.machine(), "TessarynAp", false);
    std::filesystem::remove(m_bin / "TessarynAp");
    switchWith("1", on);
    EXPECT_EQ(log().back(), "HubDesk ran []");
}

TEST_F(ModeSwitch, OffStartsTheClientOnAStationDriver)
{
    programs::SetRecordOnly(m.machine(), "TessarynUI", true);
    switchWith("1", {"VnSwap.exe", "ON", "TessarynUI", "TessarynAp", "Tessaryn"});
    switchWith("0", {"VnSwap.exe", "OFF", "TessarynUI", "TessarynAp", "\"Tessaryn Wireless\""});
    EXPECT_EQ(mode(), 1u);
    const auto lines = log();
    EXPECT_EQ(lines[lines.size() - 3],
              "VnSwap starts [C:\\Program Files\\Tessaryn\\TessarynUI.exe]");
    EXPECT_EQ(lines.back(), "TessarynUI ran []");
}

} // namespace
