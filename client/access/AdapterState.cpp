#include "client/access/AdapterState.h"

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/system/OsVersion.h"

// g_strNetCfgInstanceId and g_strDriverKey are program-wide objects with a fixed place in
// the start-up order: they are defined with the others in ProgramObjects.cpp.
CString g_strDevicePath;
int g_nChipType = 0;
BOOL g_bUsbAdapter = FALSE;
BOOL g_bFirstGenChip = FALSE;
BOOL g_bHtSupported = FALSE;
int g_nHtVariant = 0;

PFN_ADAPTER_CHOSEN g_pfnAdapterChosen = NULL;

int DiscoverAdapter()
{
    AdapterSelection selection;
    if (!SelectAdapter(selection))
        return 0;
    if (g_pfnAdapterChosen != NULL)
        g_pfnAdapterChosen(selection.strName);

    // The adapter state changes only when the whole selection succeeded.
    int nChipType = selection.nChipType;
    g_nChipType = nChipType;
    g_bUsbAdapter = selection.bUsb;
    g_bFirstGenChip = (nChipType == 0 || nChipType == 1);
    g_bHtSupported = OsVersionCode > 6 && (nChipType == 6 || nChipType == 7 || nChipType == 8);
    g_nHtVariant = 0;
    if (OsVersionCode > 6)
    {
        if (nChipType == 6)
            g_nHtVariant = 1;
        else if (nChipType == 7)
            g_nHtVariant = 2;
        else if (nChipType == 8)
            g_nHtVariant = 3;
        g_strNetCfgInstanceId = selection.strNetCfgInstanceId;
    }
    g_strDevicePath = selection.strDevicePath;
    g_strDriverKey = selection.strDriverKey;
    return 1;
}
