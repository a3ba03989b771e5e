#pragma once
// The channels a country-region code allows, in list order (the first is the fallback channel):
// the 2.4 GHz lists of codes 0 to 7 and the 5 GHz lists of codes 0 to 10. A code beyond a table
// takes its row 0.

#include "platform/Windows.h"

struct ChannelRow
{
    int nCount;
    BYTE anChannel[32];
};

const ChannelRow& BgRegionChannels(int nRegion);
const ChannelRow& ARegionChannels(int nRegion);

// Appends the row's channels to the list.
void AppendChannelRow(CDWordArray& list, const ChannelRow& row);
