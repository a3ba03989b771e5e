#pragma once
// Internet Connection Sharing through the platform's home-networking configuration objects.

#include "platform/Windows.h"

// Turns sharing on for the connection of that name (or, with bMatchGuid, of that GUID text):
// nSharingType 0 as the public side, 1 as the private side. 1 when sharing was enabled.
int EnableConnectionSharing(LPCSTR lpszConnection, int nSharingType, int bMatchGuid);
// Turns sharing off on every connection. Always 1.
int DisableAllConnectionSharing();
