// The mode switch hands the adapter from one program to the other: the program it starts comes
// up only once the one that started it has ended, so it finds the single-instance mutex free.

#include "machine/desktop/Tray.h"
#include "machine/programs/ProgramLog.h"
#include "platform/Windows.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{

using namespace std::chrono_literals;

TEST(ModeSwitchHandOver, TheStartedProgramWaitsForTheOneThatHandsOver)
{
    testing_support::TempMachine m;
    testing_support::EnsureDefaultAdapter(m.machine());

    // The one handing over holds the mutex both programs take, and lets go only when it ends,
    // a while after the switch was started.
    int exitCode = testing_support::InOtherProcess(
        []
        {
            HANDLE hMutex = CreateMutexA(NULL, FALSE, "KQ21");
            if (hMutex == 0 || GetLastError() == ERROR_ALREADY_EXISTS)
                return false;
            UINT result =
                WinExec("\"VnSwap.exe\" OFF TessarynUI TessarynAp \"Tessaryn Wireless\"", 6);
            std::this_thread::sleep_for(500ms);
            return result > 31;
        });
    ASSERT_EQ(exitCode, 0);

    // TessarynUI took the mutex (it did not hand over and end): its icon comes up.
    ASSERT_TRUE(testing_support::WaitUntil(
        [&] { return !machine::desktop::ListTrayIcons(m.machine()).empty(); }, 15s));
    HWND hWnd = FindWindowA(NULL, "Vantir Wireless UI");
    ASSERT_NE(hWnd, 0u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 0x8008, 0)); // Exit
    EXPECT_TRUE(testing_support::WaitUntil(
        [&] { return machine::desktop::ListTrayIcons(m.machine()).empty(); }, 10s));
}

} // namespace
