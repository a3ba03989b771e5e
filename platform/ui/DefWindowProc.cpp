#include "platform/ui/Messaging.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/internal/WindowOps.h"

#include <algorithm>
#include <cstring>

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg)
    {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCCALCSIZE:
        // No window has a frame of its own: the client area is the whole rectangle, which
        // rgrc[0] already holds.
        return 0;
    case WM_SETFONT:
        platform::ui::SetWindowFont(hWnd, static_cast<HFONT>(wParam));
        if (LOWORD(static_cast<DWORD>(lParam)) != 0)
            InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return static_cast<LRESULT>(platform::ui::GetWindowFont(hWnd));
    case WM_SETTEXT:
    {
        const char* text = platform::PointerFromParam<const char>(lParam);
        return platform::ui::SetWindowTitle(hWnd, text != nullptr ? text : "") ? TRUE : FALSE;
    }
    case WM_GETTEXT:
    {
        char* buffer = platform::PointerFromParam<char>(lParam);
        auto title = platform::ui::WindowTitle(hWnd);
        if (buffer == nullptr || wParam == 0 || !title)
            return 0;
        const std::size_t n = std::min<std::size_t>(title->size(), wParam - 1);
        std::memcpy(buffer, title->data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
    {
        auto title = platform::ui::WindowTitle(hWnd);
        return title ? static_cast<LRESULT>(title->size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        return 1;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0)
        {
        case SC_CLOSE:
            SendMessageA(hWnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hWnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hWnd, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hWnd, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_SETICON:
        return static_cast<LRESULT>(
            platform::ui::SetWindowIcon(hWnd, wParam == ICON_BIG, static_cast<HICON>(lParam)));
    case WM_GETICON:
        return static_cast<LRESULT>(platform::ui::GetWindowIcon(hWnd, wParam == ICON_BIG));
    case WM_QUERYDRAGICON:
        return static_cast<LRESULT>(platform::ui::GetWindowIcon(hWnd, true));
    case WM_HELP:
    case WM_CONTEXTMENU:
        // Up to the parent of a child window, or the owner of a top-level one.
        if (HWND up = static_cast<HWND>(GetWindowLongA(hWnd, GWL_HWNDPARENT)))
            return SendMessageA(up, Msg, wParam, lParam);
        return Msg == WM_HELP ? TRUE : 0;
    case WM_POWERBROADCAST:
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}

LRESULT DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg)
    {
    case WM_CLOSE:
        // Closing a dialog is pressing its Cancel button.
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     static_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return 0;
    case WM_INITDIALOG:
        return TRUE;
    case DM_GETDEFID:
        return static_cast<LRESULT>(
            MAKELONG(static_cast<WORD>(platform::DialogDefaultId(hDlg)), DC_HASDEFID));
    case DM_SETDEFID:
    {
        // The old default push button loses its look, the new one gets it.
        const UINT previous = platform::DialogDefaultId(hDlg);
        const UINT id = static_cast<UINT>(wParam);
        if (HWND hOld = GetDlgItem(hDlg, static_cast<int>(previous));
            hOld != 0 && previous != id &&
            (GetWindowLongA(hOld, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            SendMessageA(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (HWND hNew = GetDlgItem(hDlg, static_cast<int>(id));
            hNew != 0 && (GetWindowLongA(hNew, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON)
            SendMessageA(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        platform::SetDialogDefaultId(hDlg, id);
        return TRUE;
    }
    default:
        return DefWindowProcA(hDlg, Msg, wParam, lParam);
    }
}
