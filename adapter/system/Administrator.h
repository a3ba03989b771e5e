#pragma once
// Whether the program runs with administrator rights.

#include "platform/Windows.h"

// TRUE without a check before Windows 2000 (OsVersionCode below 7); otherwise TRUE when the
// process token's groups hold BUILTIN\Administrators (S-1-5-32-544). Membership alone counts:
// the group's attributes are not looked at.
BOOL IsAdministrator();
