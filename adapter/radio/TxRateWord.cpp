#include "adapter/radio/TxRateWord.h"

namespace
{

// CCK codes 8-11 are the short-preamble forms of 0-3.
const double kCckRates[4] = {1.0, 2.0, 5.5, 11.0};
const double kOfdmRates[8] = {6.0, 9.0, 12.0, 18.0, 24.0, 36.0, 48.0, 54.0};

} // namespace

void DecodeTxRateWord(const CHTTable& table, WORD word, double& rate, int& isHt)
{
    TxRateWord txRate = {word};
    int nCode = txRate.RateCode();
    isHt = 0;
    rate = 0;
    switch (txRate.PhyMode())
    {
    case TXRATE_PHY_CCK:
        if (nCode < 4)
            rate = kCckRates[nCode];
        else if (nCode >= 8 && nCode < 12)
            rate = kCckRates[nCode - 8];
        break;
    case TXRATE_PHY_OFDM:
        if (nCode < 8)
            rate = kOfdmRates[nCode];
        break;
    default:
        isHt = 1;
        if (!table.LookupHtRate(txRate.Is40MHz(), txRate.IsShortGi(), nCode, rate))
            rate = 0;
        break;
    }
}
