// Every command of the machine tool answers help alike: its usage on standard output, exit
// status 0, and nothing else done, not even creating the machine. The commands are those the
// tool's own usage lists, so a new one is covered as soon as it is in the tool's table.

#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace
{

using testing_support::Joined;
using testing_support::ToolRun;

// The names a usage text lists under "commands:", each once.
std::vector<std::string> ListedCommands(const std::string& usage)
{
    std::vector<std::string> names;
    std::istringstream in(usage);
    std::string line;
    while (std::getline(in, line) && line != "commands:")
        ;
    // A command's lines start two blanks in; its description's own line starts further in.
    while (std::getline(in, line) && !line.empty())
        if (line.size() > 2 && line.compare(0, 2, "  ") == 0 && line[2] != ' ')
        {
            std::string name = line.substr(2, line.find(' ', 2) - 2);
            if (names.empty() || names.back() != name)
                names.push_back(name);
        }
    return names;
}

class VnmachineHelpTest : public ::testing::Test
{
protected:
    // The tool on a machine directory that does not exist, and must not afterwards.
    ToolRun vnmachine(const std::vector<std::string>& args, const std::string& input = {})
    {
        ToolRun run = testing_support::RunVnmachineApart(m_unmade, args, input);
        EXPECT_FALSE(std::filesystem::exists(m_unmade)) << Joined(args) << " created the machine";
        std::filesystem::remove_all(m_unmade);
        return run;
    }

    // The top-level commands, as `vnmachine --help` lists them.
    std::vector<std::string> commands()
    {
        auto names = ListedCommands(vnmachine({"--help"}).out);
        EXPECT_NE(std::find(names.begin(), names.end(), "wlan"), names.end()) << "unreadable usage";
        return names;
    }

    testing_support::TempMachine m_scratch;
    const std::filesystem::path m_unmade = m_scratch.root() / "unmade";
};

TEST_F(VnmachineHelpTest, TheToolsUsageGoesToStdoutOnlyWhenAskedFor)
{
    const ToolRun bare = vnmachine({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_EQ(bare.err.rfind("usage: vnmachine", 0), 0u) << bare.err;
    for (const char* word : {"--help", "help", "-h"})
    {
        const ToolRun r = vnmachine({word});
        EXPECT_EQ(r.status, 0) << word;
        EXPECT_EQ(r.out, bare.err) << word;
        EXPECT_EQ(r.err, "") << word;
    }
    const ToolRun unknown = vnmachine({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "vnmachine: unknown command 'frobnicate'\n" + bare.err);
}

TEST_F(VnmachineHelpTest, EveryCommandAnswersHelpAlikeAndDoesNothingElse)
{
    for (const auto& command : commands())
    {
        const ToolRun help = vnmachine({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.err, "") << command;
        EXPECT_EQ(help.out.rfind("usage: vnmachine ", 0), 0u) << command << ":\n" << help.out;
        EXPECT_NE(help.out.find(" " + command), std::string::npos) << help.out;
        for (const std::vector<std::string>& asked :
             {std::vector<std::string>{command, "help"}, {command, "-h"}, {"help", command}})
        {
            const ToolRun r = vnmachine(asked);
            EXPECT_EQ(r.status, 0) << Joined(asked);
            EXPECT_EQ(r.out, help.out) << Joined(asked);
            EXPECT_EQ(r.err, "") << Joined(asked);
        }
        // A word no command takes is a usage error, before anything is done.
        const ToolRun wrong = vnmachine({command, "frobnicate"});
        EXPECT_EQ(wrong.status, 2) << command;
        EXPECT_EQ(wrong.out, "") << command;
        EXPECT_NE(wrong.err.find("usage: vnmachine"), std::string::npos) << command;
    }
}

TEST_F(VnmachineHelpTest, EverySubcommandAnswersHelpAndUnknownOnesAreNamed)
{
    std::size_t withSubcommands = 0;
    for (const auto& command : commands())
    {
        const auto subcommands = ListedCommands(vnmachine({command, "--help"}).out);
        if (subcommands.empty())
            continue;
        ++withSubcommands;
        for (const auto& sub : subcommands)
            for (const char* word : {"--help", "-h"})
            {
                const ToolRun r = vnmachine({command, sub, word});
                EXPECT_EQ(r.status, 0) << command << " " << sub << " " << word;
                EXPECT_EQ(r.err, "") << command << " " << sub;
                EXPECT_EQ(r.out.rfind("usage: vnmachine " + command + " ", 0), 0u) << r.out;
                EXPECT_NE(r.out.find(" " + sub), std::string::npos) << r.out;
            }
        const ToolRun unknown = vnmachine({command, "frobnicate"});
        EXPECT_EQ(unknown.status, 2) << command;
        EXPECT_EQ(unknown.out, "") << command;
        EXPECT_EQ(unknown.err.rfind("vnmachine " + command + ": unknown command 'frobnicate'\n" +
                                        "usage: vnmachine " + command,
                                    0),
                  0u)
            << unknown.err;
    }
    EXPECT_GE(withSubcommands, 2u) << "no command with subcommands found";
}

TEST_F(VnmachineHelpTest, HelpAfterAnOptionLooksAtNoMachine)
{
    const std::vector<std::vector<std::string>> cases = {
        {"wlan", "--interface", "{0BADF00D-0000-4000-8000-000000000001}", "--help"},
        {"wlan", "--interface", "junk", "status", "-h"},
        {"driver", "--device", "7", "fault", "--help"},
        {"desktop", "--help", "--start", "TessarynUI"},
    };
    for (const auto& args : cases)
    {
        const ToolRun r = vnmachine(args);
        EXPECT_EQ(r.status, 0) << Joined(args);
        EXPECT_EQ(r.out.rfind("usage: vnmachine", 0), 0u) << Joined(args) << ":\n" << r.out;
    }
}

TEST_F(VnmachineHelpTest, TheDesktopPromptAnswersHelpAndOutlivesBadCommands)
{
    testing_support::TempMachine m;
    const ToolRun r = testing_support::RunVnmachineApart(
        m.root(), {"desktop"},
        "help\nwait Nothing soon\nwait Nothing 1e300\nframble\nshow --help\nquit\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("usage: COMMAND [ARGS...]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  quit "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("       show WIN [--all] [--rects]\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("unknown command 'framble'"), std::string::npos) << r.err;
    // Seconds that are no number, or too many to count, are usage errors of wait.
    std::size_t waits = 0;
    for (auto at = r.err.find("usage: wait WIN [SECONDS]"); at != std::string::npos;
         at = r.err.find("usage: wait WIN [SECONDS]", at + 1))
        ++waits;
    EXPECT_EQ(waits, 2u) << r.err;
}

} // namespace
