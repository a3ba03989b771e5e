#pragma once
// The framework's message boxes: the application's name as the caption, owned by the window
// the user is working in (the active window, else the main window).

#include "platform/ui/msgbox/MessageBox.h"

class CWnd;

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt (empty when there is none).
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// What CWnd::MessageBox does: owned by the window; a NULL caption is the application's name.
int AfxWndMessageBox(HWND hWnd, LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
