#include "client/core/OsVersion.h"

#include <cstring>

int OsVersionCode = 0;

BOOL DetectOsVersion()
{
    OSVERSIONINFOEXA osvi;
    memset(&osvi, 0, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&osvi)))
    {
        // Systems before NT 4 SP6 only know the short form; the product type then reads 0.
        osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&osvi)))
            return FALSE;
    }

    switch (osvi.dwPlatformId)
    {
    case VER_PLATFORM_WIN32_WINDOWS:
        if (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion == 0)
            OsVersionCode = 2;
        else if (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion == 10)
            OsVersionCode = (LOWORD(osvi.dwBuildNumber) == 2222) ? 4 : 3;
        else if (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion == 90)
            OsVersionCode = 5;
        break;

    case VER_PLATFORM_WIN32_NT:
        if (osvi.dwMajorVersion <= 4)
            OsVersionCode = 6;
        else if (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion == 0)
            OsVersionCode = 7;
        else if (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion == 1)
            OsVersionCode = 8;
        else if (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion == 2)
            OsVersionCode = (osvi.wProductType == VER_NT_WORKSTATION) ? 10 : 9;
        else if (osvi.dwMajorVersion == 6)
            OsVersionCode = 11;
        else
            OsVersionCode = (osvi.wProductType == VER_NT_WORKSTATION) ? 12 : 13;
        break;

    default:
        break;
    }
    return TRUE;
}
