#pragma once
// Keys as the programs store them in text: bytes as lower-case hexadecimal digits, and WEP keys
// typed as ASCII kept as the digits of their characters.

#include "platform/Windows.h"

// Bytes as two lower-case hex digits each.
CString BytesToHex(const BYTE* pData, int nLen);
// An ASCII WEP key as stored: two lower-case hex digits per byte, 5 bytes for a 5-character
// key and the first 13 for any other length; empty stays empty.
CString WepAsciiToHex(LPCSTR pszAscii);
// A stored ASCII key back to its characters: TRUE for 10 or 26 hex digits that decode to
// non-zero bytes; otherwise FALSE and strAscii empty.
BOOL WepHexToAscii(LPCSTR pszHex, CString& strAscii);
