#pragma once
// Hexadecimal key text into bytes, as the passphrase hashing and the key records take it.

#include "platform/Windows.h"

// 0 to 15 for a hexadecimal digit of either case, 255 for anything else.
BYTE HexDigitValue(char ch);
// Two digits a byte. Never reads past the text's terminator: a missing digit counts as 255.
void HexToBytes(LPCSTR pszText, BYTE* pOut, int nBytes);
