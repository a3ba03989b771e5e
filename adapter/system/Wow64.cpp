#include "adapter/system/Wow64.h"

#include "adapter/system/OsVersion.h"

FARPROC Kernel32Function(LPCSTR pszName)
{
    return GetProcAddress(GetModuleHandleA("kernel32.dll"), pszName);
}

BOOL IsWow64()
{
    if (OsVersionCode <= 9 || g_pfnIsWow64Process == NULL)
        return FALSE;
    BOOL bWow64 = FALSE;
    if (!g_pfnIsWow64Process(GetCurrentProcess(), &bWow64))
        return FALSE;
    return bWow64 ? TRUE : FALSE;
}

void EnableWow64Redirection()
{
    if (g_pfnWow64EnableWow64FsRedirection != NULL)
        g_pfnWow64EnableWow64FsRedirection(TRUE);
}

void DisableWow64Redirection()
{
    if (g_pfnWow64EnableWow64FsRedirection != NULL)
        g_pfnWow64EnableWow64FsRedirection(FALSE);
}
