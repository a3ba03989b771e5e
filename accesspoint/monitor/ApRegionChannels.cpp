#include "accesspoint/monitor/ApRegionChannels.h"

#include "adapter/radio/RegionChannels.h"

void BuildApChannelList(int nWirelessMode, int nBgRegion, int nARegion, CDWordArray& list)
{
    list.RemoveAll();
    if (nWirelessMode != 2)
        AppendChannelRow(list, BgRegionChannels(nBgRegion));
    if (nWirelessMode == 2 || nWirelessMode == 3 || nWirelessMode == 8)
        AppendChannelRow(list, ARegionChannels(nARegion));
}
