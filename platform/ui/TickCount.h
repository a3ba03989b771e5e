#pragma once
// Milliseconds of the monotonic clock since the machine started.

#include "platform/base/WinTypes.h"

// Wraps to 0 after 49.7 days, as on the platform.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
