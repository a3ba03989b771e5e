#pragma once
// Shared by the window-layer tests: a window class that records every message, and a fixture
// with a fresh machine and the manual clock.

#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace ui_test
{

struct Recorded
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::uint64_t now;
};

// Messages seen by windows of the recording class, in order (all threads; guarded).
std::vector<Recorded> Log();
void ClearLog();
// The recorded messages of one kind, in order.
std::vector<Recorded> Messages(UINT message);

inline constexpr const char* kRecordingClass = "UiTestRecorder";
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

HWND MakeWindow(const char* title, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = 0, int id = 0);

class UiTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    testing_support::TempMachine m_machine;
};

// Waits (in real time, bounded) until pred holds; false when it never does.
template <class Pred> bool Eventually(Pred pred);

} // namespace ui_test

#include <chrono>
#include <thread>

template <class Pred> bool ui_test::Eventually(Pred pred)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!pred())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
