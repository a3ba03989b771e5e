#pragma once
// The driver's 16-bit description of the transmit rate in use: the low half of the 4-byte
// answer to OID_TX_RATE.

#include "adapter/radio/HTTable.h"
#include "platform/Windows.h"

#define OID_TX_RATE 0xFF0C0021

// PHY modes of bits 14-15; 2 and 3 are both HT.
enum
{
    TXRATE_PHY_CCK = 0,
    TXRATE_PHY_OFDM = 1,
    TXRATE_PHY_HT_MIX = 2,
    TXRATE_PHY_HT_GREENFIELD = 3
};

struct TxRateWord
{
    WORD wValue;

    // Bits 0-6: the MCS index for HT, the rate code for CCK and OFDM.
    int RateCode() const { return wValue & 0x7F; }
    // Bit 7: 1 = 40 MHz, 0 = 20 MHz.
    int Is40MHz() const { return (wValue >> 7) & 1; }
    // Bit 8: 1 = short guard interval (400 ns).
    int IsShortGi() const { return (wValue >> 8) & 1; }
    // Bits 9-10: space-time block coding, non-zero when used.
    int Stbc() const { return (wValue >> 9) & 3; }
    // Bits 14-15.
    int PhyMode() const { return (wValue >> 14) & 3; }
    BOOL IsHt() const { return PhyMode() >= TXRATE_PHY_HT_MIX; }
};
static_assert(sizeof(TxRateWord) == 2);

// The rate in Mbps of a transmit-rate word; isHt becomes 1 for an HT word (2 or 3), else 0. A
// rate code the PHY mode does not have, or an HT rate the table lacks, gives 0. Callers that
// query the driver zero the answer first, so a failed query reads as CCK code 0 (1 Mbps).
void DecodeTxRateWord(const CHTTable& table, WORD word, double& rate, int& isHt);
