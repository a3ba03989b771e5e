// UplinkPick as the access-point program and a person use it: the built program started on a
// temporary machine and driven through the built machine tool.

#include "machine/programs/ProgramLog.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using namespace std::chrono_literals;

// How long the program may take for a step on a busy machine: a bound, not an expectation.
constexpr std::chrono::milliseconds kPatience = 30s;

const char kCaption[] = "Internet  Connection Sharing with SoftAP";
const char kAboutCaption[] = "\xE9\x97\x9C\xE6\x96\xBC UplinkPick";

using ToolRun = testing_support::CommandRun;
using testing_support::ShellQuoted;

struct RefusalCase
{
    const char* name;
    std::vector<std::vector<std::string>> arrange; // vnmachine commands run before the start
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class UplinkPickSystemTest : public ::testing::Test
{
protected:
    ToolRun vnmachine(const std::vector<std::string>& args)
    {
        return testing_support::RunVnmachine(m.root(), args);
    }

    // Starts the program and returns its process id, from the machine's record of the start.
    int start(const std::vector<std::string>& tail = {})
    {
        std::vector<std::string> args = {"ui", "start", "UplinkPick"};
        args.insert(args.end(), tail.begin(), tail.end());
        auto r = vnmachine(args);
        EXPECT_EQ(r.status, 0) << r.out;
        for (const auto& line : machine::programs::ReadProgramLog(m.machine()))
            if (line.rfind("WinExec [\"UplinkPick\"", 0) == 0)
                if (auto at = line.find(" pid="); at != std::string::npos)
                    m_pid = std::stoi(line.substr(at + 5));
        EXPECT_GT(m_pid, 0) << "no start recorded";
        return m_pid;
    }

    // The dialog's handle once it is up.
    std::string waitForDialog()
    {
        auto r = vnmachine({"ui", "wait", kCaption, "30"});
        EXPECT_EQ(r.status, 0) << r.out;
        std::string hwnd = r.out.substr(0, r.out.find('\n'));
        return hwnd;
    }

    // A program that has ended but is not yet reaped (it is nobody's child) counts as ended.
    bool running() const
    {
        if (m_pid <= 0 || (::kill(m_pid, 0) != 0 && errno == ESRCH))
            return false;
        std::ifstream stat("/proc/" + std::to_string(m_pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        auto close = text.rfind(')');
        return close == std::string::npos || close + 2 >= text.size() || text[close + 2] != 'Z';
    }

    // Bounded: a program that does not end fails the test instead of hanging it.
    bool waitForEnd()
    {
        return testing_support::WaitUntil([&] { return !running(); }, kPatience);
    }
    bool waitForWindowCount(std::size_t n)
    {
        return testing_support::WaitUntil([&] { return windows().size() == n; }, kPatience);
    }

    // The windows `ui list` shows, as "HWND TITLE" lines.
    std::vector<std::pair<std::string, std::string>> windows()
    {
        std::vector<std::pair<std::string, std::string>> out;
        std::istringstream lines(vnmachine({"ui", "list"}).out);
        for (std::string line; std::getline(lines, line);)
        {
            auto at = line.find("window ");
            if (at == std::string::npos)
                continue;
            std::istringstream fields(line.substr(at + 7));
            std::string hwnd;
            fields >> hwnd;
            auto open = line.find('"'), close = line.rfind('"');
            out.push_back({hwnd, open < close ? line.substr(open + 1, close - open - 1) : ""});
        }
        return out;
    }

    std::string sharingOf(const std::string& connection)
    {
        auto r = vnmachine({"connections"});
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);)
        {
            auto at = line.find("  " + connection + "  [");
            if (at == std::string::npos)
                continue;
            auto s = line.find("sharing ", at);
            if (s != std::string::npos)
                return line.substr(s + 8, line.find(']', s) - s - 8);
        }
        return "?";
    }

    void TearDown() override
    {
        if (running())
            ::kill(m_pid, SIGKILL);
    }

    testing_support::TempMachine m;
    int m_pid = -1;
};

bool contains(const std::string& text, const std::string& what)
{
    return text.find(what) != std::string::npos;
}

TEST_F(UplinkPickSystemTest, APersonChoosesTheUplinkAndSharingIsEnabled)
{
    start();
    const std::string dlg = waitForDialog();
    ASSERT_FALSE(dlg.empty());

    auto shown = vnmachine({"ui", "show", dlg});
    ASSERT_EQ(shown.status, 0) << shown.out;
    EXPECT_TRUE(contains(shown.out, "Local Area Connection")) << shown.out;
    EXPECT_TRUE(contains(shown.out, "Local Area Connection 2")) << shown.out;
    EXPECT_FALSE(contains(shown.out, "Wireless Network Connection")) << shown.out;
    EXPECT_TRUE(contains(shown.out, "Norvast GigaLink PCI-E Ethernet Controller")) << shown.out;
    EXPECT_TRUE(contains(shown.out, "00-1B-77-3A-9C-41")) << shown.out;
    EXPECT_TRUE(contains(shown.out, "10.0.0.23")) << shown.out;

    // The About box of the system menu, over the dialog.
    auto r = vnmachine({"ui", "sysmenu", dlg, "16"});
    ASSERT_EQ(r.status, 0) << r.out;
    r = vnmachine({"ui", "wait", kAboutCaption, "30"});
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string about = r.out.substr(0, r.out.find('\n'));
    shown = vnmachine({"ui", "show", about});
    EXPECT_TRUE(contains(shown.out, "UplinkPick Version 1.0")) << shown.out;
    r = vnmachine({"ui", "click", about, "OK"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(waitForWindowCount(1)) << vnmachine({"ui", "list"}).out;

    r = vnmachine({"ui", "select", dlg, "1000", "Local Area Connection 2"});
    ASSERT_EQ(r.status, 0) << r.out;
    shown = vnmachine({"ui", "show", dlg});
    EXPECT_TRUE(contains(shown.out, "Norvast FastLink 10/100 Ethernet Adapter")) << shown.out;
    EXPECT_TRUE(contains(shown.out, "00-1B-77-3A-9C-42")) << shown.out;
    EXPECT_FALSE(contains(shown.out, "10.0.0.23")) << shown.out;

    r = vnmachine({"ui", "select", dlg, "1000", "Local Area Connection"});
    ASSERT_EQ(r.status, 0) << r.out;
    r = vnmachine({"ui", "click", dlg, "1"});
    EXPECT_EQ(r.status, 0) << r.out;

    EXPECT_TRUE(waitForEnd()) << "the program did not end after Enable ICS";
    EXPECT_EQ(sharingOf("Local Area Connection"), "public");
    EXPECT_EQ(sharingOf("Wireless Network Connection"), "private");
    EXPECT_EQ(sharingOf("Local Area Connection 2"), "none");
}

class UplinkPickRefusalSystemTest : public UplinkPickSystemTest,
                                    public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(UplinkPickRefusalSystemTest, TheRefusalIsShownAndTheDialogStays)
{
    const RefusalCase& c = GetParam();
    for (const auto& command : c.arrange)
    {
        auto r = vnmachine(command);
        ASSERT_EQ(r.status, 0) << r.out;
    }
    ASSERT_EQ(vnmachine({"sharing", "set", "Local Area Connection 2", "public"}).status, 0);

    start();
    const std::string dlg = waitForDialog();
    ASSERT_FALSE(dlg.empty());
    auto r = vnmachine({"ui", "click", dlg, "&Enable ICS"});
    EXPECT_EQ(r.status, 0) << r.out;

    // The box is the program's other window.
    std::string box;
    testing_support::WaitUntil(
        [&]
        {
            for (const auto& [hwnd, title] : windows())
                if (hwnd != dlg && title != kCaption)
                    box = hwnd;
            return !box.empty();
        },
        kPatience);
    ASSERT_FALSE(box.empty()) << vnmachine({"ui", "list"}).out;
    auto shown = vnmachine({"ui", "show", box});
    EXPECT_TRUE(contains(shown.out, c.message)) << shown.out;

    r = vnmachine({"ui", "answer", "OK"});
    EXPECT_EQ(r.status, 0) << r.out;
    waitForWindowCount(1);
    auto left = windows();
    ASSERT_EQ(left.size(), 1u) << vnmachine({"ui", "list"}).out;
    EXPECT_EQ(left[0].first, dlg) << "the dialog stays";
    EXPECT_TRUE(running());
    EXPECT_EQ(sharingOf("Local Area Connection 2"), "public") << "nothing was changed";

    r = vnmachine({"ui", "click", dlg, "&Not enable ICS"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(waitForEnd()) << "the program did not end after Not enable ICS";
    EXPECT_EQ(sharingOf("Local Area Connection 2"), "public");
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, UplinkPickRefusalSystemTest,
    ::testing::Values(RefusalCase{"BatchFileFails",
                                  {{"programs", "fail", "NicReport.bat", "2"}},
                                  "No WAN interface, please skip..."},
                      RefusalCase{
                          "WanOnTheHomeNetworksRange",
                          {{"connections", "set", "Local Area Connection", "ip", "192.168.0.5"}},
                          "No allow WAN IP is 192.168.0.x"},
                      RefusalCase{"NoWirelessConnection",
                                  {{"connections", "remove", "Wireless Network Connection"}},
                                  "KWF-9310USB Wireless Adapter is not found."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UplinkPickSystemTest, IcsDownClearsSharingWithoutAWindow)
{
    ASSERT_EQ(vnmachine({"sharing", "set", "Local Area Connection", "public"}).status, 0);
    ASSERT_EQ(vnmachine({"sharing", "set", "Wireless Network Connection", "private"}).status, 0);

    start({"ICS_DOWN"});
    EXPECT_TRUE(waitForEnd()) << "the program did not end";
    EXPECT_EQ(sharingOf("Local Area Connection"), "none");
    EXPECT_EQ(sharingOf("Wireless Network Connection"), "none");
    // The dialog would have run the adapter report first.
    for (const auto& line : machine::programs::ReadProgramLog(m.machine()))
        EXPECT_FALSE(contains(line, "NicReport")) << line;
    EXPECT_TRUE(windows().empty());
}

} // namespace
