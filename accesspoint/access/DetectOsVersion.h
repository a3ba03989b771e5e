#pragma once
// TessarynAp's reading of the Windows version into OsVersionCode (adapter/system/OsVersion.h).
// NT versions after 5.2 give 11 for a workstation and 12 otherwise; 13 is never given.

#include "platform/Windows.h"

// Nonzero when a version was read; an unknown version keeps the old code.
BOOL DetectOsVersion();
