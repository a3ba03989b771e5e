#pragma once
// The notification area: Shell_NotifyIconA over the machine's tray (machine/desktop/Tray.h),
// so every process (and vnmachine) sees the icons, and a person clicks them.

#include "platform/ui/UserTypes.h"

#include <string>
#include <vector>

inline constexpr DWORD NIM_ADD = 0x00000000;
inline constexpr DWORD NIM_MODIFY = 0x00000001;
inline constexpr DWORD NIM_DELETE = 0x00000002;

inline constexpr UINT NIF_MESSAGE = 0x00000001;
inline constexpr UINT NIF_ICON = 0x00000002;
inline constexpr UINT NIF_TIP = 0x00000004;

// The record as the programs fill it on the 32-bit platform (the tip of the newer size).
struct NOTIFYICONDATAA
{
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
};
using PNOTIFYICONDATAA = NOTIFYICONDATAA*;
using NOTIFYICONDATA = NOTIFYICONDATAA;
static_assert(sizeof(NOTIFYICONDATAA) == 152);
// The older record: the same fields with a 64-character tip.
inline constexpr DWORD NOTIFYICONDATAA_V1_SIZE = 88;

// TRUE when the shell took the command. ADD of an icon that is there, MODIFY or DELETE of one
// that is not, a record of an unknown size, and injected refusals give FALSE. The tip is read
// up to its terminator, never past the record's tip field.
BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData);

namespace platform
{

// The next `count` commands of that kind (NIM_ADD / NIM_MODIFY / NIM_DELETE) are refused, from
// any process of the machine (the shell restarting).
void InjectTrayRefusal(DWORD command, int count);

struct TrayCall
{
    DWORD command = 0;
    HWND hwnd = 0;
    UINT uid = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    HICON icon = 0;
    std::string tip;
    BOOL result = FALSE;
};
// The calls of this process, in order.
std::vector<TrayCall> TrayCallLog();
void ClearTrayCallLog();

// Clicks an icon of the machine's tray as a person would: its callback message goes to its
// window with wParam = uID and lParam the mouse messages of the click, in order
// ("right": WM_RBUTTONDOWN, WM_RBUTTONUP; "double": WM_LBUTTONDOWN, WM_LBUTTONUP,
// WM_LBUTTONDBLCLK, WM_LBUTTONUP; "left": WM_LBUTTONDOWN, WM_LBUTTONUP). False when there is no
// such icon or the click cannot be delivered.
enum class TrayClick
{
    Left,
    Right,
    Double,
};
bool ClickTrayIcon(HWND hwnd, UINT uid, TrayClick click);
// One mouse message to the icon's window.
bool SendTrayMouseMessage(HWND hwnd, UINT uid, UINT mouseMessage);

} // namespace platform
