#include "accesspoint/access/DetectOsVersion.h"

#include "adapter/system/OsVersion.h"

namespace
{

int ApLaterNtCode(const OSVERSIONINFOEXA& osvi)
{
    return (osvi.wProductType == VER_NT_WORKSTATION) ? 11 : 12;
}

} // namespace

BOOL DetectOsVersion()
{
    return DetectOsVersionWith(ApLaterNtCode);
}
