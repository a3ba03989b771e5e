#pragma once
// What the stored radio choices become in the driver's terms: the rate set of a wireless mode
// and "TransRate" index, and the transmit power of a "TXPower" index.

#include "platform/Windows.h"

#define AP_RATE_SET_BYTES 8

// The 8-byte rate set (500 kbit/s units, unused bytes 0). Modes 2, 4, 7, 8 and 10 have the OFDM
// rates only; an index without a rate of its own gives the automatic set.
void BuildApRateSet(int nMode, int nTransRate, BYTE abRates[AP_RATE_SET_BYTES]);

// 100, 75, 50, 25 and 12 % for indexes 0 to 4; 100 for any other.
DWORD ApTxPowerPercent(int nIndex);

// The encryption code that the authentication code allows: 0, 1 and 2 take WEP (0) or none
// (1), anything above 1 becoming 1; the WPA codes 3, 4, 6, 7, 8 and 9 take 4, 6 or 8, anything
// else becoming 4; other codes pass.
int CorrectApEncryption(int nAuthMode, int nEncryption);

// The pre-shared-key codes: WPA-PSK, WPA2-PSK and both.
BOOL IsApPskAuthMode(int nAuthMode);
// The WPA codes, which rekey the group key: 3, 4, 6, 7, 8 and 9.
BOOL IsApWpaAuthMode(int nAuthMode);
