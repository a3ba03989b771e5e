#pragma once
// The access point's signal as the notification-area icon shows it.

#include "platform/Windows.h"

// Signed dBm to percent: -40 or more gives 100; -80 to -41 gives 2 x dBm + 180; -84 to -81
// gives 5 x dBm + 420; below -84 gives 0. (The client's rule differs.)
int RssiToPercentAp(LONG lRssi);

// Good above 70 %, normal from 41 to 70 %, weak at 40 % or less.
UINT SignalIconForPercent(int nPercent);

// The icon's tip for an icon state (the disconnected one for a state without its own).
UINT TrayTipForIcon(UINT nIconId);
