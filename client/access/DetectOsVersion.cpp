#include "client/access/DetectOsVersion.h"

#include "adapter/system/OsVersion.h"

int OsVersionCode = 0;

namespace
{

// Major version 6 is 11; any later NT 12 for a workstation, 13 otherwise.
int ClientLaterNtCode(const OSVERSIONINFOEXA& osvi)
{
    if (osvi.dwMajorVersion == 6)
        return 11;
    return (osvi.wProductType == VER_NT_WORKSTATION) ? 12 : 13;
}

} // namespace

BOOL DetectOsVersion()
{
    return DetectOsVersionWith(ClientLaterNtCode);
}
