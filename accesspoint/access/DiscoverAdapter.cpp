#include "accesspoint/access/DiscoverAdapter.h"

#include "adapter/discovery/AdapterDiscovery.h"

int DiscoverAdapter()
{
    AdapterSelection selection;
    if (!SelectAdapter(selection))
        return 0;
    TakeAdapterSelection(selection);
    return 1;
}
