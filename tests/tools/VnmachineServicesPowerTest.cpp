// The machine tool's services and power commands, as a person or a system test uses them.

#include "platform/Windows.h"

#include "machine/services/ServiceTable.h"
#include "machine/wlan/WlanControl.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace
{

using namespace std::chrono_literals;

int vnmachine(const testing_support::TempMachine& m, const std::vector<std::string>& args)
{
    testing_support::ChildProcess tool("vnmachine", args, m.root());
    return tool.waitForExit(20s).value_or(-1);
}

std::string g_eventsPath;
int g_events = 0;

LRESULT CALLBACK PowerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_POWERBROADCAST)
    {
        std::ofstream(g_eventsPath, std::ios::app) << hwnd << " " << wParam << "\n";
        if (++g_events == 6)
            PostQuitMessage(0);
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Two top-level windows, one of them hidden; ends after six power messages.
[[noreturn]] void runPowerHost()
{
    ::alarm(60);
    platform::UseRealClock();
    WNDCLASSA wc{};
    wc.lpfnWndProc = PowerProc;
    wc.lpszClassName = "PowerHost";
    RegisterClassA(&wc);
    HWND hidden =
        CreateWindowExA(0, "PowerHost", "Power host", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, nullptr);
    HWND shown = CreateWindowExA(0, "PowerHost", "Power host 2", WS_POPUP | WS_VISIBLE, 0, 0, 10,
                                 10, 0, 0, 0, nullptr);
    if (hidden == 0 || shown == 0)
        ::_exit(2);
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0)
        DispatchMessageA(&msg);
    ::_exit(0);
}

TEST(VnmachineServicesPower, PowerEventsReachEveryWindowOfAnotherProgramInOrder)
{
    testing_support::TempMachine m;
    g_eventsPath = (m.root() / "events").string();
    const pid_t host = ::fork();
    ASSERT_GE(host, 0);
    if (host == 0)
        runPowerHost();
    ASSERT_EQ(vnmachine(m, {"ui", "wait", "Power host 2", "20"}), 0);

    EXPECT_EQ(vnmachine(m, {"power", "suspend"}), 0);
    EXPECT_EQ(vnmachine(m, {"power", "resume"}), 0);
    EXPECT_EQ(vnmachine(m, {"power", "hibernate"}), 2);
    int status = 0;
    ASSERT_EQ(::waitpid(host, &status, 0), host);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // Each window saw suspend, automatic resume, resume, in that order.
    std::ifstream in(g_eventsPath);
    std::map<HWND, std::vector<WPARAM>> seen;
    HWND hwnd;
    WPARAM event;
    while (in >> hwnd >> event)
        seen[hwnd].push_back(event);
    ASSERT_EQ(seen.size(), 2u);
    for (const auto& [window, events] : seen)
        EXPECT_EQ(events, (std::vector<WPARAM>{4, 0x12, 7})) << window;
}

TEST(VnmachineServicesPower, ServicesChangeAsAsked)
{
    testing_support::TempMachine m;
    struct Case
    {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"services"}, 0},
        {{"services", "stop", "Wlansvc"}, 0},
        {{"services", "stop", "Wlansvc"}, 1}, // already stopping
        {{"services", "start", "WZCSVC"}, 1}, // not on this system
        {{"services", "start-type", "Wlansvc", "demand"}, 0},
        {{"services", "start-type", "Wlansvc", "sometimes"}, 2},
        {{"services", "pause", "Wlansvc"}, 2},
        {{"services", "log"}, 0},
    };
    for (const auto& c : cases)
    {
        std::string line;
        for (const auto& a : c.args)
            line += a + " ";
        EXPECT_EQ(vnmachine(m, c.args), c.status) << line;
    }
    auto wlansvc = machine::services::FindService(m.machine(), "Wlansvc");
    ASSERT_TRUE(wlansvc.has_value());
    EXPECT_EQ(wlansvc->startType, machine::services::kDemandStart);
    EXPECT_FALSE(machine::wlan::IsServiceRunning(m.machine()));
}

} // namespace
