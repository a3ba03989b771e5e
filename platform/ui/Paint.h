#pragma once
// Painting without pixels: a visible window that is invalidated (or shown) gets a WM_PAINT once
// its thread has nothing else to do; BeginPaint/EndPaint (or ValidateRect) satisfy it.

#include "platform/ui/UserTypes.h"

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
// Sends WM_PAINT at once when the window waits for one.
BOOL UpdateWindow(HWND hWnd);
BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
