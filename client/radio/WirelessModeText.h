#pragma once
// The wireless-mode codes and the texts the pages show for them (G_enumWirelessMode's codes:
// 0 B/G, 1 B, 2 A, 3 A/B/G, 4 G, 5 A/B/G/N, 6 N only, 9 B/G/N).

#include "platform/Windows.h"

// The code of the first text that equals the given one, in code order; 0 when none does. Code 6
// has the empty text, so an empty text gives 6.
int WirelessModeFromText(LPCSTR pszText);
// The text of a code; a code without one (7, 8, 10 and others) gives the B/G mix's text.
CString WirelessModeToText(int nCode);
