#include "adapter/shell/TrayIcon.h"

#include <cstring>

void FillTrayIconRecord(NOTIFYICONDATA& nid, HWND hWnd, UINT uID, UINT uCallbackMessage,
                        HICON hIcon, LPCSTR pszTip)
{
    memset(&nid, 0, sizeof(nid));
    nid.cbSize = sizeof(nid);
    nid.hWnd = hWnd;
    nid.uID = uID;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = uCallbackMessage;
    nid.hIcon = hIcon;
    lstrcpynA(nid.szTip, pszTip, sizeof(nid.szTip));
}

BOOL AddTrayIconRecord(NOTIFYICONDATA& nid, BOOL* pbPresent)
{
    BOOL bAdded = Shell_NotifyIconA(NIM_ADD, &nid);
    if (bAdded)
        *pbPresent = TRUE;
    return bAdded;
}

BOOL DeleteTrayIconOf(HWND hWnd, UINT uID, BOOL* pbPresent)
{
    NOTIFYICONDATA nid;
    memset(&nid, 0, sizeof(nid));
    nid.cbSize = sizeof(nid);
    nid.hWnd = hWnd;
    nid.uID = uID;
    BOOL bDeleted = Shell_NotifyIconA(NIM_DELETE, &nid);
    if (bDeleted)
        *pbPresent = FALSE;
    return bDeleted;
}

void ModifyTrayIconRecord(NOTIFYICONDATA& nid, BOOL* pbPresent)
{
    if (Shell_NotifyIconA(NIM_MODIFY, &nid))
        return;
    DeleteTrayIconOf(nid.hWnd, nid.uID, pbPresent);
    AddTrayIconRecord(nid, pbPresent);
}
