#include "adapter/driver/DriverVersion.h"

#include "adapter/driver/DriverRequest.h"

#define OID_DRIVER_VERSION 0x00010110

void QueryDriverVersion()
{
    g_nDriverVersion = 0;
    WORD wVersion = 0;
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_DRIVER_VERSION, &wVersion, sizeof(wVersion), &dwReturned))
        g_nDriverVersion = wVersion;
}
