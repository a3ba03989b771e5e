#include "accesspoint/settings/ApWirelessMode.h"

#include "accesspoint/app/ApGlobals.h"
#include "adapter/discovery/AdapterState.h"

#include <cstdlib>

void AdjustApWirelessMode(int& nMode)
{
    if (!g_bABandSupported)
    {
        if (nMode == 2 || nMode == 3)
            nMode = 0;
        else if (nMode == 5)
            nMode = 9;
        else if (nMode == 8)
            nMode = 6;
    }
    if (!g_bHtSupported)
    {
        if (nMode == 5)
            nMode = 3;
        else if (nMode == 6 || nMode == 9)
            nMode = 0;
    }
}

void AdjustApWirelessModeText(CString& strMode)
{
    int nMode = atoi(strMode);
    AdjustApWirelessMode(nMode);
    strMode.Format("%d", nMode);
}
