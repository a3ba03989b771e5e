// A program that finds its machine damaged (lines of its files that do not read) says which
// file and line, on standard error and in its debug log, and runs on what it could read; the
// machine tool names them the same way.

#include "platform/process/internal/ProgramStart.h"

#include "machine/FileStore.h"
#include "machine/devices/DeviceTree.h"
#include "machine/radio/RadioStore.h"
#include "platform/system/DebugOutput.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

void append(const std::filesystem::path& file, const std::string& text)
{
    ASSERT_TRUE(
        machine::WriteFileAtomically(file, machine::ReadWholeFile(file).value_or("") + text));
}

// Line numbers: each file gets one bad line after what it holds.
std::size_t linesOf(const std::filesystem::path& file)
{
    auto text = machine::ReadWholeFile(file).value_or("");
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ProgramStart, ADamagedMachineIsNamedFileAndLineAndTheProgramRunsOn)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    testing::internal::CaptureStderr();
    ASSERT_TRUE(platform::StartProgramOnMachine("TessarynUI"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a sound machine says nothing";

    ASSERT_TRUE(machine::radio::SaveNetworks(mc, machine::radio::LoadNetworks(mc)));
    struct Damage
    {
        std::filesystem::path file;
        std::string line;
        std::string said;
    } damages[] = {
        {machine::radio::NetworksPath(mc), "[network]\nrssi=loud\n", "\"rssi\" does not take"},
        {machine::devices::DeviceListPath(mc), "bogus=1\n", "unknown key \"bogus\""},
        {mc.systemConfPath(), "wow64=maybe\n", "\"wow64\" does not take \"maybe\""},
        {mc.hivePath(), "\"Typo\"=dword:1234567g\r\n", "dword: needs 1 to 8 hex digits"},
    };
    std::vector<std::string> expected;
    for (const auto& d : damages)
    {
        const std::size_t line = linesOf(d.file) + (d.line.find('\n') + 1 < d.line.size() ? 2 : 1);
        append(d.file, d.line);
        expected.push_back(d.file.string() + ", line " + std::to_string(line) + ": " + d.said);
    }

    testing::internal::CaptureStderr();
    ASSERT_TRUE(platform::StartProgramOnMachine("TessarynUI"));
    const std::string said = testing::internal::GetCapturedStderr();
    const std::string log = machine::ReadWholeFile(platform::DebugLogPath()).value_or("");
    for (const auto& e : expected)
    {
        EXPECT_NE(said.find("TessarynUI: damaged machine file: "), std::string::npos) << said;
        EXPECT_NE(said.find(e), std::string::npos) << e << "\n" << said;
        EXPECT_NE(log.find(e), std::string::npos) << e << "\n" << log;
    }

    auto tool = testing_support::RunVnmachine(mc.root(), {"devices"});
    EXPECT_EQ(tool.status, 0) << tool.out;
    EXPECT_NE(tool.out.find("vnmachine: damaged machine file: "), std::string::npos) << tool.out;
    for (const auto& e : expected)
        EXPECT_NE(tool.out.find(e), std::string::npos) << e << "\n" << tool.out;
}

} // namespace
