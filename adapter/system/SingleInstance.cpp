#include "adapter/system/SingleInstance.h"

#include "resources/common/TrayIds.h"

namespace
{

const char kInstanceMutex[] = "KQ21";
const char kMonitorTitle[] = "Vantir Wireless UI";

} // namespace

HANDLE ClaimSingleInstance()
{
    HANDLE hMutex = CreateMutexA(NULL, FALSE, kInstanceMutex);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return hMutex;
    if (hMutex != 0)
        CloseHandle(hMutex);
    // A post to no window would reach this thread's own queue: nobody is asked then.
    HWND hWnd = FindWindowA(NULL, kMonitorTitle);
    if (hWnd != 0)
        PostMessageA(hWnd, WM_COMMAND, ID_TRAY_LAUNCH, 0);
    return 0;
}

void ReleaseSingleInstance(HANDLE& hMutex)
{
    if (hMutex != 0)
    {
        CloseHandle(hMutex);
        hMutex = 0;
    }
}

BOOL IsTrayOnlyCommandTail(LPCSTR pszTail)
{
    CString strTail = pszTail != NULL ? pszTail : "";
    return strTail.CompareNoCase("-S") == 0;
}
