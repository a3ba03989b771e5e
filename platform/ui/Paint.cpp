#include "platform/ui/Paint.h"

#include "platform/base/WinError.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/WindowOps.h"

namespace
{
// Painting draws nothing; the device context only has to be a value that is not 0.
inline constexpr HDC kPaintDC = 0x00DC0001u;
} // namespace

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL)
{
    if (!platform::ui::InvalidateWindow(hWnd))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT*)
{
    if (!IsWindow(hWnd))
        return FALSE;
    platform::ui::ValidateWindow(hWnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    if (platform::ui::WindowNeedsPaint(hWnd))
        SendMessageA(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL)
{
    const bool pending = platform::ui::WindowNeedsPaint(hWnd);
    if (lpRect != nullptr)
    {
        if (pending)
            GetClientRect(hWnd, lpRect);
        else
            *lpRect = RECT{0, 0, 0, 0};
    }
    return pending ? TRUE : FALSE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (lpPaint == nullptr || !IsWindow(hWnd))
        return 0;
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = kPaintDC;
    lpPaint->fErase = TRUE;
    GetClientRect(hWnd, &lpPaint->rcPaint);
    platform::ui::ValidateWindow(hWnd);
    return kPaintDC;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*)
{
    return TRUE;
}
