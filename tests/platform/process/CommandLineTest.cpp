// How a command line splits into the program's name and the tail the program sees.

#include "platform/process/CommandLine.h"
#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{

TEST(CommandLine, TheTailIsWhatFollowsTheNameAndItsBlanks)
{
    struct Case
    {
        const char* line;
        const char* name;
        const char* tail;
    } cases[] = {
        {"\"UplinkPick.exe\" ICS_DOWN", "UplinkPick.exe", "ICS_DOWN"},
        {"UplinkPick.exe", "UplinkPick.exe", ""},
        {"\"UplinkPick.exe\"", "UplinkPick.exe", ""},
        {"UplinkPick.exe ICS_DOWN", "UplinkPick.exe", "ICS_DOWN"},
        {"\"NicReport.bat\" ", "NicReport.bat", ""},
        {"\"C:\\Program Files\\Tessaryn\\TessarynAp.exe\"   -s  x ",
         "C:\\Program Files\\Tessaryn\\TessarynAp.exe", "-s  x "},
        {"prog\t\tics_down", "prog", "ics_down"},
        // No blank after the closing quote: the tail starts right there.
        {"\"prog\"ICS_DOWN", "prog", "ICS_DOWN"},
        {"\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"", "VnSwap.exe",
         "ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\""},
        {"\"unterminated name", "unterminated name", ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(platform::FirstToken(c.line).name, c.name) << c.line;
        EXPECT_EQ(platform::CommandTail(c.line), c.tail) << c.line;
    }
}

TEST(CommandLine, ArgumentsSplitAsTheRunTimeSplitsThem)
{
    struct Case
    {
        const char* line;
        std::vector<std::string> args;
    } cases[] = {
        {"\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"",
         {"VnSwap.exe", "ON", "TessarynUI", "TessarynAp", "Tessaryn KWF-9310USB"}},
        {"p a\\\\\"b c\" d", {"p", "a\\b c", "d"}},
        {"p a\\\"b", {"p", "a\"b"}},
        {"p \"a\"\"b\"", {"p", "a\"b"}},
        {"p a\\\\b", {"p", "a\\\\b"}},
        {"p \"\"", {"p", ""}},
        {"p   ", {"p"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::SplitArguments(c.line), c.args) << c.line;
}

TEST(CommandLine, GetCommandLineGivesTheLineTheProgramWasStartedWith)
{
    ::setenv("TESSARYN_COMMAND_LINE", "\"UplinkPick.exe\" ICS_DOWN", 1);
    EXPECT_STREQ(GetCommandLineA(), "\"UplinkPick.exe\" ICS_DOWN");
    // The same buffer every time.
    EXPECT_EQ(GetCommandLineA(), GetCommandLineA());
}

TEST(CommandLine, WithoutAStartLineTheProgramFileComesFirstAndQuoted)
{
    testing_support::TempMachine m;
    ::unsetenv("TESSARYN_COMMAND_LINE");
    platform::SetModuleName("TessarynUI");
    std::string line = platform::ProcessCommandLine();
    EXPECT_EQ(platform::FirstToken(line).name, "C:\\Program Files\\Tessaryn\\TessarynUI.exe");
    EXPECT_TRUE(platform::FirstToken(line).quoted);
}

// The framework's command tail for a program started through WinExec.
struct Seen
{
    std::string tail;
};

class CTailApp : public CWinApp
{
public:
    explicit CTailApp(Seen& seen) : m_seen(seen) {}
    BOOL InitInstance() override
    {
        m_seen.tail = m_lpCmdLine;
        return FALSE;
    }

private:
    Seen& m_seen;
};

std::string tailOf(const char* startLine, std::vector<std::string> args)
{
    if (startLine != nullptr)
        ::setenv("TESSARYN_COMMAND_LINE", startLine, 1);
    else
        ::unsetenv("TESSARYN_COMMAND_LINE");
    Seen seen;
    CTailApp app(seen);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    AfxWinMain(static_cast<int>(argv.size()), argv.data());
    return seen.tail;
}

TEST(CommandLine, TheApplicationSeesTheTailOfItsStartLine)
{
    testing_support::TempMachine m;
    struct Case
    {
        const char* startLine;
        const char* tail;
    } cases[] = {
        {"\"UplinkPick.exe\" ICS_DOWN", "ICS_DOWN"},
        {"UplinkPick.exe", ""},
        {"UplinkPick.exe ICS_DOWN", "ICS_DOWN"},
        {"\"UplinkPick.exe\"    ICS_DOWN", "ICS_DOWN"},
        {"\"C:\\Program Files\\Tessaryn\\UplinkPick.exe\" ics_down extra", "ics_down extra"},
    };
    for (const auto& c : cases)
        // The host arguments do not matter once a start line is given.
        EXPECT_EQ(tailOf(c.startLine, {"/build/bin/UplinkPick", "ignored"}), c.tail) << c.startLine;
    // Started from a shell: the host arguments, joined.
    EXPECT_EQ(tailOf(nullptr, {"/build/bin/UplinkPick", "ICS_DOWN"}), "ICS_DOWN");
}

} // namespace
