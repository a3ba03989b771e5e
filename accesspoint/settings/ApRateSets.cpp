#include "accesspoint/settings/ApRateSets.h"

#include <cstring>

namespace
{

const BYTE kOfdmAuto[AP_RATE_SET_BYTES] = {108, 96, 72, 48, 36, 24, 18, 12};
const BYTE kMixedAuto[AP_RATE_SET_BYTES] = {108, 96, 72, 48, 22, 11, 4, 2};
const BYTE kCckAuto[AP_RATE_SET_BYTES] = {22, 11, 4, 2};
// The single rate of index 1 and up.
const BYTE kOfdmRates[] = {12, 18, 24, 36, 48, 72, 96, 108};
const BYTE kMixedRates[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};

BOOL IsOfdmOnlyMode(int nMode)
{
    return nMode == 2 || nMode == 4 || nMode == 7 || nMode == 8 || nMode == 10;
}

} // namespace

void BuildApRateSet(int nMode, int nTransRate, BYTE abRates[AP_RATE_SET_BYTES])
{
    memset(abRates, 0, AP_RATE_SET_BYTES);
    if ((nMode == 1 && nTransRate > 4) || (nMode == 2 && nTransRate > 8))
        nTransRate = 0;
    const BYTE* pRates = IsOfdmOnlyMode(nMode) ? kOfdmRates : kMixedRates;
    int nRates = IsOfdmOnlyMode(nMode) ? static_cast<int>(sizeof(kOfdmRates))
                                       : static_cast<int>(sizeof(kMixedRates));
    if (nTransRate >= 1 && nTransRate <= nRates)
    {
        abRates[0] = pRates[nTransRate - 1];
        return;
    }
    if (IsOfdmOnlyMode(nMode))
        memcpy(abRates, kOfdmAuto, AP_RATE_SET_BYTES);
    else if (nMode == 1)
        memcpy(abRates, kCckAuto, AP_RATE_SET_BYTES);
    else
        memcpy(abRates, kMixedAuto, AP_RATE_SET_BYTES);
}

DWORD ApTxPowerPercent(int nIndex)
{
    static const DWORD kPercent[] = {100, 75, 50, 25, 12};
    if (nIndex < 0 || nIndex >= static_cast<int>(sizeof(kPercent) / sizeof(kPercent[0])))
        return 100;
    return kPercent[nIndex];
}

int CorrectApEncryption(int nAuthMode, int nEncryption)
{
    switch (nAuthMode)
    {
    case 0:
    case 1:
    case 2:
        return nEncryption > 1 ? 1 : nEncryption;
    case 3:
    case 4:
    case 6:
    case 7:
    case 8:
    case 9:
        return (nEncryption == 4 || nEncryption == 6 || nEncryption == 8) ? nEncryption : 4;
    default:
        return nEncryption;
    }
}

BOOL IsApPskAuthMode(int nAuthMode)
{
    return nAuthMode == 4 || nAuthMode == 7 || nAuthMode == 9;
}

BOOL IsApWpaAuthMode(int nAuthMode)
{
    return nAuthMode == 3 || nAuthMode == 4 || nAuthMode == 6 || nAuthMode == 7 || nAuthMode == 8 ||
           nAuthMode == 9;
}
