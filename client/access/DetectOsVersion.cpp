#include "client/access/DetectOsVersion.h"

#include "adapter/system/OsVersion.h"

int OsVersionCode = 0;

BOOL DetectOsVersion()
{
    OSVERSIONINFOEXA osvi;
    if (!ReadOsVersion(osvi))
        return FALSE;

    int nCode = CommonOsVersionCode(osvi);
    if (IsNtAfter52(osvi))
    {
        if (osvi.dwMajorVersion == 6)
            nCode = 11;
        else
            nCode = (osvi.wProductType == VER_NT_WORKSTATION) ? 12 : 13;
    }
    if (nCode != 0)
        OsVersionCode = nCode;
    return TRUE;
}
