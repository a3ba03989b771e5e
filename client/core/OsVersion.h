#pragma once
// Which Windows the program runs on, as one code that the rest of the program tests:
// 2 Windows 95, 3 Windows 98, 4 Windows 98 SE, 5 Windows Me, 6 NT 4, 7 2000, 8 XP,
// 9 Server 2003, 10 XP 64-bit, 11 Vista and later (major 6), 12 a later workstation,
// 13 a later server.

#include "platform/Windows.h"

// 0 until DetectOsVersion has read a version it knows; an unknown version keeps the old code.
extern int OsVersionCode;

// Sets OsVersionCode; returns nonzero when the version could be read.
BOOL DetectOsVersion();
