#pragma once
// Timers. A window timer (hWnd, id) returns the id passed, 0 included, and setting it again
// restarts it; it posts WM_TIMER(id) to the window, or calls lpTimerFunc when one is given, and
// dies with the window. A thread timer (hWnd NULL) gets a fresh id on every call (unless the id
// passed names one of the thread's timers, which is then restarted) and calls lpTimerFunc as
// (NULL, WM_TIMER, id, tick count) from any message loop of the thread. A timer fires at most
// once per look at the queue, however many periods have passed, and is re-armed from then.

#include "platform/base/WinError.h"
#include "platform/ui/UserTypes.h"

#include <vector>

// 0 with ERROR_INVALID_WINDOW_HANDLE for a window that is not one of this process.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
// FALSE, and nothing else happens, for a timer that does not exist.
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

namespace platform
{

// A window's timer as SetTimer left it: what an outside observer of the program is shown.
struct WindowTimer
{
    UINT_PTR id = 0;
    UINT period = 0;       // ms, after clamping
    bool callback = false; // calls a TIMERPROC rather than posting WM_TIMER
};
// The timers of a window of this process, in the order they were first set; empty for a window
// that has none or is not one.
std::vector<WindowTimer> WindowTimers(HWND hwnd);

} // namespace platform
