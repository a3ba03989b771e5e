#pragma once
// Posting, sending and the message loop. Each thread has its own queue; a window's messages go
// to the queue of the thread that created it. GetMessageA returns messages in the platform's
// order: messages sent by other threads are delivered first, then posted messages (FIFO), then
// the quit, then WM_PAINT for invalidated windows, then WM_TIMER for due timers. It sleeps
// until one of those is there (no polling), and calls the thread's idle hook before sleeping.

#include "platform/base/WinError.h"
#include "platform/ui/MessageIds.h"
#include "platform/ui/UserTypes.h"
#include "platform/ui/WindowStyles.h"

inline constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;
inline constexpr DWORD ERROR_MESSAGE_SYNC_ONLY = 1159;

// From any thread. A window of another process receives the post through the machine (only
// the message and its two 32-bit parameters travel). A NULL hWnd posts to the calling thread.
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Fails with ERROR_INVALID_THREAD_ID when the thread has no queue yet.
BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
// The window procedure's result. On the window's thread the procedure is called directly; from
// another thread of this process the call waits until the owning thread has handled it. A
// window of another process: 0.
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);

// 0 for WM_QUIT, -1 for an invalid window filter, else nonzero.
BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* lpMsg);
// Calls the window's procedure; WM_TIMER of a timer with a procedure calls the procedure
// (thread timers have no window). A WM_PAINT is validated afterwards even when the procedure
// did not paint, so an idle loop never spins on it.
LRESULT DispatchMessageA(const MSG* lpMsg);
LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
DWORD GetMessageTime();

// The default handling of every window: text (WM_SETTEXT/WM_GETTEXT), WM_CLOSE destroys,
// WM_PAINT validates, WM_SYSCOMMAND's close/minimize/restore, icons, the font (WM_SETFONT keeps
// it, WM_GETFONT answers it, 0 for a window given none), WM_NCCALCSIZE by the frame rule of
// Window.h, WM_HELP goes up to the parent or owner.
LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// The dialog class's default handling: WM_CLOSE becomes WM_COMMAND IDCANCEL, DM_GETDEFID and
// DM_SETDEFID answer with platform::DialogDefaultId / SetDialogDefaultId (DM_SETDEFID also
// moves the BS_DEFPUSHBUTTON look); the rest is DefWindowProcA's.
LRESULT DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
