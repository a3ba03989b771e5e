#pragma once
// Wireless-mode numbers of the access point: 0 B/G mixed, 1 B only, 2 A only, 3 A/B/G mix,
// 4 G only, 5 A/B/G/N mix, 6 N, 8 A/N mix, 9 B/G/N mix. A mode the adapter cannot run is mapped
// to one it can: without the 5 GHz type 2 and 3 become 0, 5 becomes 9 and 8 becomes 6; then,
// on a chip without 802.11n, 5 becomes 3 and 6 and 9 become 0.

#include "platform/Windows.h"

// Reads g_bABandSupported and g_bHtSupported.
void AdjustApWirelessMode(int& nMode);
// The same for a mode held as decimal text.
void AdjustApWirelessModeText(CString& strMode);

// The label of a mode number ("802.11 B/G Mixed" ...), empty for a number without one (7, 10,
// and any other); the number of a label, -1 for a text that is none.
CString ApWirelessModeText(int nMode);
int ApWirelessModeOfText(LPCSTR pszText);
