// TessarynUI (and TessarynAp beside it) as a person starts it: real processes on one temporary
// machine.

#include "machine/programs/ProgramSettings.h"
#include "platform/Windows.h"
#include "platform/system/DebugOutput.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace
{

using namespace std::chrono_literals;
using testing_support::ChildProcess;
using testing_support::WaitUntil;

const char kMonitorTitle[] = "Vantir Wireless UI";

std::string debugLog()
{
    std::ifstream in(platform::DebugLogPath());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool monitorWindowExists()
{
    return FindWindowA(NULL, kMonitorTitle) != 0;
}

void endMonitor(ChildProcess& ui)
{
    HWND hWnd = FindWindowA(NULL, kMonitorTitle);
    ASSERT_NE(hWnd, 0u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, ID_TRAY_EXIT, 0));
    EXPECT_EQ(ui.waitForExit(10s), 0);
}

TEST(TessarynUI, SecondInstanceHandsOverToTheFirstAndEnds)
{
    testing_support::TempMachine m;
    ChildProcess first("TessarynUI", {"-s"}, m.root());
    ASSERT_TRUE(WaitUntil(monitorWindowExists, 10s));

    ChildProcess second("TessarynUI", {}, m.root());
    EXPECT_EQ(second.waitForExit(10s), 0);
    std::string launched = "[" + std::to_string(first.pid()) + " TessarynUI] ID_TRAY_LAUNCH";
    EXPECT_TRUE(WaitUntil([&] { return debugLog().find(launched) != std::string::npos; }, 10s))
        << debugLog();
    EXPECT_TRUE(first.running());
    // The second instance never got as far as a window.
    EXPECT_EQ(debugLog().find("[" + std::to_string(second.pid()) + " "), std::string::npos);

    endMonitor(first);
}

// At most one of the two configuration programs runs: either one started while the other runs
// asks the running one to open its window, and ends.
TEST(TessarynUI, EitherProgramHandsOverToTheOtherRunningOne)
{
    const std::pair<const char*, const char*> pairs[] = {{"TessarynUI", "TessarynAp"},
                                                         {"TessarynAp", "TessarynUI"}};
    for (const auto& [running, started] : pairs)
    {
        SCOPED_TRACE(std::string(started) + " while " + running + " runs");
        testing_support::TempMachine m;
        // The access point's first start would start the uplink selector: recorded only.
        machine::programs::SetRecordOnly(m.machine(), "UplinkPick", true);
        ChildProcess first(running, {"-s"}, m.root());
        ASSERT_TRUE(WaitUntil(monitorWindowExists, 10s));

        ChildProcess second(started, {"-s"}, m.root());
        EXPECT_EQ(second.waitForExit(10s), 0);
        EXPECT_TRUE(first.running());
        EXPECT_EQ(debugLog().find("[" + std::to_string(second.pid()) + " "), std::string::npos)
            << debugLog();
        endMonitor(first);
    }
}

TEST(TessarynUI, TwoRacingInstancesLeaveExactlyOne)
{
    testing_support::TempMachine m;
    ChildProcess a("TessarynUI", {"-s"}, m.root());
    ChildProcess b("TessarynUI", {"-s"}, m.root());
    ASSERT_TRUE(WaitUntil([&] { return !a.running() || !b.running(); }, 10s));
    ChildProcess& winner = a.running() ? a : b;
    ChildProcess& loser = a.running() ? b : a;
    EXPECT_EQ(loser.waitForExit(1s), 0);
    ASSERT_TRUE(WaitUntil(monitorWindowExists, 10s));
    EXPECT_TRUE(winner.running());
    endMonitor(winner);
}

TEST(TessarynUI, FindsTheAdapterOfTheDefaultMachine)
{
    testing_support::TempMachine m;
    ChildProcess ui("TessarynUI", {"-s"}, m.root());
    std::string found = "[" + std::to_string(ui.pid()) +
                        " TessarynUI] adapter \\\\.\\{5C0FFEE1-3400-4A11-8E1D-FA11C0DE3400} "
                        "(chip type 8)";
    EXPECT_TRUE(WaitUntil([&] { return debugLog().find(found) != std::string::npos; }, 10s))
        << debugLog();
    ASSERT_TRUE(WaitUntil(monitorWindowExists, 10s));
    endMonitor(ui);
}

TEST(TessarynUI, AStartWithoutAMachineCreatesTheDefaultOne)
{
    testing_support::TempMachine m;
    std::filesystem::path fresh = m.root() / "fresh";
    ChildProcess ui("TessarynUI", {"-s"}, fresh);
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(fresh / "system.conf"); }, 10s));
    EXPECT_TRUE(std::filesystem::exists(fresh / "registry.reg"));
    ui.kill();
}

} // namespace
