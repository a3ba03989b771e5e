#pragma once
// MAC addresses as the pages show and take them: six pairs of hexadecimal digits joined by "-".

#include "platform/Windows.h"

// "%02X-%02X-%02X-%02X-%02X-%02X"
CString MacText(const BYTE* pMac);

// Every "-" taken out, the 12 digits that remain become the 6 bytes by HexToBytes (never read
// past the text's end; a missing or non-hexadecimal digit counts as 255).
void MacTextToBytes(LPCSTR pszText, BYTE* pMac);
