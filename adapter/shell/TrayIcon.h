#pragma once
// The notification-area icon both programs keep for their monitor window: one record for every
// state (callback message, icon and tip), and the shell's loss of the icon mended by adding it
// again.

#include "platform/Windows.h"

// The record of the window's icon uID in a state; the tip is cut to the tip field.
void FillTrayIconRecord(NOTIFYICONDATA& nid, HWND hWnd, UINT uID, UINT uCallbackMessage,
                        HICON hIcon, LPCSTR pszTip);

// NIM_ADD of the record; *pbPresent becomes TRUE when it succeeds.
BOOL AddTrayIconRecord(NOTIFYICONDATA& nid, BOOL* pbPresent);
// NIM_DELETE of the window's icon uID; *pbPresent becomes FALSE when it succeeds.
BOOL DeleteTrayIconOf(HWND hWnd, UINT uID, BOOL* pbPresent);
// NIM_MODIFY of the record. When the shell refuses (it restarted and forgot the icon), the icon
// is deleted and added again in that state; *pbPresent follows what succeeded.
void ModifyTrayIconRecord(NOTIFYICONDATA& nid, BOOL* pbPresent);
