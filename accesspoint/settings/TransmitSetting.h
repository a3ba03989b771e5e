#pragma once
// The driver-key word "TransmitSetting" (REG_DWORD) of 802.11n chips: bits 0-3 wireless mode,
// 4-10 MCS, 11 bandwidth, 12 guard interval, 13 STBC, 14-15 PHY mode, 16 HT operating mode,
// 17-18 extension channel.

#include "accesspoint/settings/ApDriverRecords.h"
#include "platform/Windows.h"

void BuildApHtSetting(DWORD dwTransmitSetting, AP_HT_SETTING& setting);

// The word the Config page stores: the mode, the MCS, the bandwidth, guard interval, STBC and
// HT operating mode (each 0 or 1), the extension channel code (0 none, 1 above, 3 below) and 2
// in bits 14-15.
DWORD AssembleTransmitSetting(int nMode, int nMcs, int nBandwidth, int nGuardInterval, int nStbc,
                              int nHtMode, int nExtChannel);
