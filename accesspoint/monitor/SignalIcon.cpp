#include "accesspoint/monitor/SignalIcon.h"

#include "resources/TessarynAp/resource.h"

int RssiToPercentAp(LONG lRssi)
{
    if (lRssi >= -40)
        return 100;
    if (lRssi >= -80)
        return static_cast<int>(2 * lRssi + 180);
    if (lRssi >= -84)
        return static_cast<int>(5 * lRssi + 420);
    return 0;
}

UINT SignalIconForPercent(int nPercent)
{
    if (nPercent > 70)
        return IDI_SIGNAL_GOOD;
    if (nPercent > 40)
        return IDI_SIGNAL_NORMAL;
    return IDI_SIGNAL_WEAK;
}

UINT TrayTipForIcon(UINT nIconId)
{
    switch (nIconId)
    {
    case IDI_SIGNAL_GOOD:
        return IDS_TIP_GOOD;
    case IDI_SIGNAL_NORMAL:
        return IDS_TIP_NORMAL;
    case IDI_SIGNAL_WEAK:
        return IDS_TIP_WEAK;
    case IDI_NO_ADAPTER:
        return IDS_TIP_NOT_EXIST;
    default:
        return IDS_TIP_DISCONNECTED;
    }
}
