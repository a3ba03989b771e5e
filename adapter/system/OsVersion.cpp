#include "adapter/system/OsVersion.h"

#include <cstring>

BOOL ReadOsVersion(OSVERSIONINFOEXA& osvi)
{
    memset(&osvi, 0, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&osvi)))
        return TRUE;
    // Systems before NT 4 SP6 only know the short form; the product type then reads 0.
    osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&osvi));
}

bool IsNtAfter52(const OSVERSIONINFOEXA& osvi)
{
    return osvi.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (osvi.dwMajorVersion > 5 || (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion > 2));
}

int CommonOsVersionCode(const OSVERSIONINFOEXA& osvi)
{
    switch (osvi.dwPlatformId)
    {
    case VER_PLATFORM_WIN32_WINDOWS:
        if (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion == 0)
            return 2;
        if (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion == 10)
            return (LOWORD(osvi.dwBuildNumber) == 2222) ? 4 : 3;
        if (osvi.dwMajorVersion == 4 && osvi.dwMinorVersion == 90)
            return 5;
        return 0;

    case VER_PLATFORM_WIN32_NT:
        if (osvi.dwMajorVersion <= 4)
            return 6;
        if (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion == 0)
            return 7;
        if (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion == 1)
            return 8;
        if (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion == 2)
            return (osvi.wProductType == VER_NT_WORKSTATION) ? 10 : 9;
        return 0;

    default:
        return 0;
    }
}

BOOL DetectOsVersionWith(PFN_LATER_NT_CODE pfnLaterNtCode)
{
    OSVERSIONINFOEXA osvi;
    if (!ReadOsVersion(osvi))
        return FALSE;
    int nCode = IsNtAfter52(osvi) ? pfnLaterNtCode(osvi) : CommonOsVersionCode(osvi);
    if (nCode != 0)
        OsVersionCode = nCode;
    return TRUE;
}
