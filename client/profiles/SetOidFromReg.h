#pragma once
// Builds a StationProfile from the active configuration (section "Config" of the adapter's
// station file) and queues it for the adapter; runs the queue at once when it was empty.

#include "platform/Windows.h"

// bSetAdvance: also fill and apply the advanced radio settings (wireless mode, 802.11n, the
// advanced block, region, rates). pszProfileName: the name the record carries ("" at card
// initialisation). bConnect: connect through the WLAN service before the driver sets.
void SetOidFromReg(BOOL bSetAdvance, LPCSTR pszProfileName, BOOL bConnect);
