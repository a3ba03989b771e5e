#pragma once
// The channels the access point may use in a wireless mode and country region: the 2.4 GHz list
// of the region unless the mode is 5 GHz only (2), then the 5 GHz list for modes 2, 3 and 8.

#include "platform/Windows.h"

void BuildApChannelList(int nWirelessMode, int nBgRegion, int nARegion, CDWordArray& list);
