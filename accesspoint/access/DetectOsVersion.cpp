#include "accesspoint/access/DetectOsVersion.h"

#include "adapter/system/OsVersion.h"

BOOL DetectOsVersion()
{
    OSVERSIONINFOEXA osvi;
    if (!ReadOsVersion(osvi))
        return FALSE;

    int nCode = CommonOsVersionCode(osvi);
    if (IsNtAfter52(osvi))
        nCode = (osvi.wProductType == VER_NT_WORKSTATION) ? 11 : 12;
    if (nCode != 0)
        OsVersionCode = nCode;
    return TRUE;
}
