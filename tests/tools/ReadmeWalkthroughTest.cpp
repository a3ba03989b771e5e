// The README's walkthrough, pasted into the desktop at once, does what the README says: the
// sheet opens, the profile is added and activated, the link comes up, and the program ends.

#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{

// The lines the README gives for the desktop, in its first section, without their prompt.
std::string WalkthroughFromReadme()
{
    std::ifstream in(std::string(TESSARYN_SOURCE_DIR) + "/README.md");
    std::string line, script;
    const std::string prompt = "    desktop> ";
    while (std::getline(in, line) && line.rfind("### ", 0) != 0)
        if (line.rfind(prompt, 0) == 0)
            script += line.substr(prompt.size()) + "\n";
    return script;
}

TEST(ReadmeWalkthrough, PastedAtOnceItConnectsAndEnds)
{
    const std::string script = WalkthroughFromReadme();
    ASSERT_NE(script.find("Activate"), std::string::npos) << script;
    ASSERT_NE(script.find("menu Exit"), std::string::npos) << script;

    testing_support::TempMachine m;
    const testing_support::ToolRun r = testing_support::RunVnmachineApart(
        m.root(), {"desktop", "--start", "TessarynUI", "-s"}, script + "quit\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "") << r.out;
    // Every line echoed after its prompt; none failed; the link came up; nothing left running.
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);)
        EXPECT_NE(r.out.find("desktop> " + line + "\n"), std::string::npos) << line;
    EXPECT_NE(r.out.find("text \"Connected <--> Orchard AES\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("a modal window opened"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("still running"), std::string::npos) << r.out;

    const auto status = testing_support::RunVnmachineApart(m.root(), {"wlan", "status"});
    EXPECT_NE(status.out.find("profile \"Orchard AES\""), std::string::npos) << status.out;
    const auto starts = testing_support::RunVnmachineApart(m.root(), {"log", "programs"});
    EXPECT_NE(starts.out.find("HtmlHelp"), std::string::npos) << starts.out;
}

} // namespace
