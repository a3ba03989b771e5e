#pragma once
// Which security a scan-list entry offers and whether it is an 802.11n network, read from its
// information elements (the RSN element, the WPA vendor element and the HT elements).

#include "adapter/driver/NdisTypes.h"

// What one scan-list entry offers; every value 0 or 1.
struct BssSecurity
{
    int bPrivacy, bTkip, bWrap, bCcmp, bWpa, bWpaPsk, bWpaNone, bWpa2, bWpa2Psk, bWpa2None, bHt;
};

// Clears every output, then sets them from the entry. Reads nothing past the entry's elements
// (IELength, and no more than Length - 116 bytes of them when Length holds the fixed part).
void ParseSecurityIes(const NDIS_WLAN_BSSID_EX* pEntry, BssSecurity* pOut);
