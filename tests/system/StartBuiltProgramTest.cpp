// Starting the project's programs through WinExec and ShellExecuteA runs the built executables
// as processes of their own on the same machine.

#include "platform/Windows.h"

#include "machine/FileStore.h"
#include "machine/programs/ProgramFiles.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <csignal>
#include <gtest/gtest.h>

namespace
{

using namespace std::chrono_literals;
namespace programs = machine::programs;
using testing_support::WaitUntil;

class StartBuiltProgram : public ::testing::Test
{
protected:
    testing_support::TempMachine m;

    void SetUp() override
    {
        // The machine tool stands in for a program of the project: it ends by itself.
        machine::WriteFileAtomically(m.cDrive() / "Program Files" / "Tessaryn" / "vnmachine.exe",
                                     programs::PlaceholderText("vnmachine", "machine tool"));
    }
    std::string lastLog() const
    {
        auto lines = programs::ReadProgramLog(m.machine());
        return lines.empty() ? std::string() : lines.back();
    }
};

TEST_F(StartBuiltProgram, TheProgramRunsOnTheSameMachineWithItsArguments)
{
    UINT result = WinExec("\"vnmachine.exe\" programs fail \"Some Program.exe\" 7 once", SW_HIDE);
    ASSERT_EQ(result, 33u);
    EXPECT_EQ(lastLog().rfind("WinExec [\"vnmachine.exe\" programs fail \"Some Program.exe\" 7 "
                              "once] show=0 dir=[C:\\Program Files\\Tessaryn] result=33 pid=",
                              0),
              0u)
        << lastLog();
    // The started tool changed this machine, with the quoted argument whole.
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            auto failures = programs::LoadProgramSettings(m.machine()).failures;
            return failures.size() == 1 && failures[0].program == "Some Program.exe" &&
                   failures[0].result == 7 && failures[0].remaining == 1;
        },
        10s));
}

TEST_F(StartBuiltProgram, ShellExecuteStartsItInTheGivenDirectory)
{
    EXPECT_EQ(ShellExecuteA(0, "open", "vnmachine.exe", "where", "C:\\Users\\Owner", SW_SHOW), 42u);
    EXPECT_EQ(lastLog().rfind("ShellExecute open [vnmachine.exe] params=[where] show=5 "
                              "dir=[C:\\Users\\Owner] result=42 pid=",
                              0),
              0u)
        << lastLog();
    // Its output lands in the machine's run-time folder.
    const auto output = m.machine().runtimeDir() / "vnmachine.out";
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            auto text = machine::ReadWholeFile(output);
            return text && text->find(m.root().string()) != std::string::npos;
        },
        10s));
}

TEST_F(StartBuiltProgram, WithoutABuiltExecutableTheStartFails)
{
    const auto empty = m.root() / "no-builds";
    std::filesystem::create_directories(empty);
    const std::string builds = testing_support::ProgramDirectory().string();
    ::setenv("TESSARYN_BIN", empty.c_str(), 1);
    EXPECT_EQ(WinExec("\"vnmachine.exe\" where", SW_HIDE), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    ::setenv("TESSARYN_BIN", builds.c_str(), 1);
}

TEST_F(StartBuiltProgram, TessarynUIStartsSilentlyFromItsCommandTail)
{
    if (!std::filesystem::exists(testing_support::ProgramDirectory() / "TessarynUI"))
        GTEST_SKIP() << "TessarynUI is not built";
    ASSERT_EQ(WinExec("\"TessarynUI.exe\" -s", SW_SHOW), 33u);
    const std::string line = lastLog();
    auto at = line.find(" pid=");
    ASSERT_NE(at, std::string::npos) << line;
    const int pid = std::stoi(line.substr(at + 5));
    bool up = WaitUntil([] { return FindWindowA(NULL, "Vantir Wireless UI") != 0; }, 10s);
    if (up)
        PostMessageA(FindWindowA(NULL, "Vantir Wireless UI"), WM_COMMAND, ID_TRAY_EXIT, 0);
    bool ended = WaitUntil([&] { return ::kill(pid, 0) != 0; }, 10s);
    if (!ended)
        ::kill(pid, SIGKILL);
    EXPECT_TRUE(up);
    EXPECT_TRUE(ended);
}

} // namespace
