#pragma once
// TessarynUI's reading of the Windows version into OsVersionCode (adapter/system/OsVersion.h).

#include "platform/Windows.h"

// NT versions after 5.2 map by the client's rule: major 6 gives 11, any later version 12 for a
// workstation and 13 otherwise. Returns nonzero when the version could be read.
BOOL DetectOsVersion();
