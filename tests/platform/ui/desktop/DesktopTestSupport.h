#pragma once
// Shared by the desktop tests: a fresh machine on the manual clock, and a top-level window that
// records the messages it gets.

#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <vector>

namespace desktop_test
{

struct Seen
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Seen>& SeenLog()
{
    static std::vector<Seen> log;
    return log;
}

inline std::vector<Seen> SeenOf(UINT message)
{
    std::vector<Seen> out;
    for (const Seen& s : SeenLog())
        if (s.message == message)
            out.push_back(s);
    return out;
}

inline LRESULT CALLBACK SeeingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SeenLog().push_back({hwnd, message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline HWND MakeSeeingWindow(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = SeeingProc;
    wc.lpszClassName = "DesktopTestWindow";
    RegisterClassA(&wc); // once per process; later calls fail harmlessly
    return CreateWindowExA(0, "DesktopTestWindow", title, style, 10, 10, 300, 200, 0, 0, 0,
                           nullptr);
}

class DesktopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        SeenLog().clear();
    }
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        SeenLog().clear();
    }

    testing_support::TempMachine m_machine;
};

} // namespace desktop_test
