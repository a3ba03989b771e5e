#pragma once
// Headless windows: each has a handle unique on the machine, a class, a title, a style, a
// parent (child windows) or owner (top-level windows), an owning thread, and state that tests
// can read. Top-level windows are published in the machine's directory, so other processes
// find them (FindWindowA, EnumWindows) and post to them (PostMessageA).

#include "platform/base/WinError.h"
#include "platform/ui/MessageIds.h"
#include "platform/ui/UserTypes.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowStyles.h"

// Creation sends WM_NCCREATE, WM_NCCALCSIZE (wParam FALSE; lParam a token of an
// NCCALCSIZE_PARAMS whose rgrc[0] is the window rectangle, so a handler that reads a RECT works
// too) and WM_CREATE (lParam: a platform::PointerParam token of the CREATESTRUCTA), then shows the
// window when WS_VISIBLE is asked for. For a child window hMenu is its control id.
HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam);
inline HWND CreateWindowA(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                          HINSTANCE hInstance, LPVOID lpParam)
{
    return CreateWindowExA(0, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight, hWndParent,
                           hMenu, hInstance, lpParam);
}
// Owned windows and children go first; each window gets WM_DESTROY, then WM_NCDESTROY; its
// timers die with it. Only the owning thread may destroy a window (ERROR_ACCESS_DENIED).
BOOL DestroyWindow(HWND hWnd);

// These also answer for top-level windows of other processes, from the machine's directory.
BOOL IsWindow(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetWindowTextLengthA(HWND hWnd);
int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
// Top-level windows, hidden ones included: this process's first, then the other processes'.
// Class and title match without regard to case; NULL matches any.
HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName);
// Every top-level window of the machine until the callback returns FALSE.
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);

BOOL IsWindowEnabled(HWND hWnd);
// Returns nonzero when the window was visible before.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
// Returns nonzero when the window was disabled before.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);

// The parent of a child window, the owner of a WS_POPUP window, else NULL.
HWND GetParent(HWND hWnd);
BOOL IsChild(HWND hWndParent, HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
LONG GetWindowLongA(HWND hWnd, int nIndex);
LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong);

// Focus is per thread: WM_KILLFOCUS goes to the window losing it, WM_SETFOCUS to the one
// getting it. Returns the window that had it.
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hWnd);
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();
BOOL BringWindowToTop(HWND hWnd);

// Geometry. A window's rectangle includes its nonclient area; the client area is what
// WM_NCCALCSIZE leaves of it. The frame rule: no window has a nonclient area of its own (no
// border, caption or scroll bar takes room; DefWindowProcA leaves the rectangle as it is), so
// the client area is the window rectangle unless the window's procedure answers
// WM_NCCALCSIZE with a smaller one. A top-level window's rectangle is in screen coordinates, a
// child's position (CreateWindowExA, MoveWindow, SetWindowPos) in its parent's client
// coordinates; a child moves with its parent.
// In screen coordinates, for child windows too.
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
// Always (0, 0, width, height) of the client area.
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
// From the client coordinates of one window to another's; a NULL window is the screen.
// Returns the horizontal offset in the low word and the vertical one in the high word.
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
// SWP_FRAMECHANGED sends WM_NCCALCSIZE (wParam TRUE) after the window has its new rectangle;
// otherwise the nonclient area keeps its size.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);

namespace platform
{

// A window procedure cannot travel in a 32-bit window long, so subclassing goes through these.
WNDPROC GetWindowProc(HWND hWnd);
// Returns the previous procedure; null when the window is not one of this process.
WNDPROC SetWindowProc(HWND hWnd, WNDPROC proc);

// The number of windows of this process (tests check that windows are gone).
std::size_t WindowCount();

} // namespace platform
