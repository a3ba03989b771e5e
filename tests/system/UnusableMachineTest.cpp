// A machine the programs cannot use (a folder they may not write, a file where a folder belongs)
// is said with its path and the system's reason, and ends every program and the machine tool
// with a non-zero status instead of an abort.

#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using testing_support::RunShellCommand;
using testing_support::ShellQuoted;

class UnusableMachineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tessaryn-unusable-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_base = pattern;
        // Another user must reach the machine below it.
        fs::permissions(m_base, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    }
    void TearDown() override
    {
        RunShellCommand("chmod -R u+w " + ShellQuoted(m_base.string()));
        std::error_code ec;
        fs::remove_all(m_base, ec);
    }

    fs::path makeMachine(const std::string& name)
    {
        const fs::path root = m_base / name;
        auto r = RunShellCommand(tool("vnmachine") + " --machine " + ShellQuoted(root.string()) +
                                 " init 2>&1");
        EXPECT_EQ(r.status, 0) << r.out;
        return root;
    }
    static std::string tool(const std::string& program)
    {
        return ShellQuoted((testing_support::ProgramDirectory() / program).string());
    }

    // Every program and the machine tool on the machine: each must end with status 1 and say
    // the path and the reason. `asUser` runs them as that command prefix (another user).
    void expectEachRefuses(const fs::path& root, const std::string& path, const std::string& reason,
                           const std::string& asUser = "")
    {
        const std::vector<std::string> commands = {"TessarynUI -s", "TessarynAp", "UplinkPick",
                                                   "vnmachine init"};
        for (const auto& command : commands)
        {
            const std::string program = command.substr(0, command.find(' '));
            const std::string args = command.substr(program.size());
            auto r = RunShellCommand(asUser + "env TESSARYN_MACHINE=" + ShellQuoted(root.string()) +
                                     " timeout 30 " + tool(program) + args + " </dev/null 2>&1");
            EXPECT_EQ(r.status, 1) << command << ": " << r.out;
            EXPECT_NE(r.out.find(program + ": the machine cannot be used: "), std::string::npos)
                << command << ": " << r.out;
            EXPECT_NE(r.out.find(path), std::string::npos) << command << ": " << r.out;
            EXPECT_NE(r.out.find(reason), std::string::npos) << command << ": " << r.out;
            EXPECT_EQ(r.out.find("terminate"), std::string::npos) << command << ": " << r.out;
        }
    }

    fs::path m_base;
};

TEST_F(UnusableMachineTest, AFileWhereAFolderBelongsIsNamed)
{
    std::ofstream(m_base / "plain") << "not a folder\n";
    const fs::path below = m_base / "plain" / "machine";
    expectEachRefuses(below, below.string(), "Not a directory");

    const fs::path root = makeMachine("filed");
    fs::remove_all(root / "run");
    std::ofstream(root / "run") << "not a folder\n";
    expectEachRefuses(root, (root / "run").string(), "run");
}

TEST_F(UnusableMachineTest, AMachineThatCannotBeWrittenIsNamed)
{
    const fs::path root = makeMachine("readonly");
    std::string asUser;
    if (::geteuid() == 0)
    {
        // The superuser writes anywhere: the programs run as another user, who owns the machine.
        if (RunShellCommand("command -v setpriv >/dev/null").status != 0)
            GTEST_SKIP() << "no setpriv to run as another user";
        asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        ASSERT_EQ(RunShellCommand("chown -R 65534:65534 " + ShellQuoted(root.string())).status, 0);
    }
    ASSERT_EQ(RunShellCommand("chmod -R a-w " + ShellQuoted(root.string())).status, 0);
    expectEachRefuses(root, root.string(), "Permission denied", asUser);
    // What needs no change is still shown.
    auto r = RunShellCommand(asUser + "env TESSARYN_MACHINE=" + ShellQuoted(root.string()) + " " +
                             tool("vnmachine") + " devices 2>&1");
    EXPECT_EQ(r.status, 0) << r.out;
}

} // namespace
