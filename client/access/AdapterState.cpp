#include "client/access/AdapterState.h"

#include "adapter/discovery/AdapterDiscovery.h"

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
    TakeAdapterSelection(selection);
    g_bFirstGenChip = (selection.nChipType == 0 || selection.nChipType == 1);
    return 1;
}
