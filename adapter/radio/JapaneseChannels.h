#pragma once
// The Japanese channels J8, J12 and J16 by name and by the number the channel table and the
// stored settings give them (208, 212, 216).

#include "platform/Windows.h"

// Channel as stored ("208") from the text shown ("J8"); other texts stay as they are.
CString StoredChannelFromText(LPCSTR pszChannel);
// Channel as shown from the stored number: 208, 212, 216 as "J8", "J12", "J16"; an empty value
// stays empty.
CString ChannelTextFromStored(LPCSTR pszStored);
