#pragma once
// Which Windows the program runs on, as one code that the rest of the program tests:
// 2 Windows 95, 3 Windows 98, 4 Windows 98 SE, 5 Windows Me, 6 NT 4, 7 2000, 8 XP,
// 9 Server 2003, 10 XP 64-bit, 11 and later: NT versions after 5.2, which each program maps by
// a rule of its own (its DetectOsVersion).

#include "platform/Windows.h"

// Defined by each program. 0 until its DetectOsVersion has read a version it knows; an
// unknown version keeps the old code.
extern int OsVersionCode;

// The version as GetVersionExA gives it: the long form, else the short one (whose product type
// reads 0). FALSE when neither could be read.
BOOL ReadOsVersion(OSVERSIONINFOEXA& osvi);

// True for an NT version after 5.2, the versions the programs map differently.
bool IsNtAfter52(const OSVERSIONINFOEXA& osvi);

// The code of a version both programs map alike (Windows 9x, NT up to 5.2); 0 for an NT
// version after 5.2 and for a version not listed.
int CommonOsVersionCode(const OSVERSIONINFOEXA& osvi);

// A program's code for an NT version after 5.2.
typedef int (*PFN_LATER_NT_CODE)(const OSVERSIONINFOEXA& osvi);

// Reads the version and sets OsVersionCode: the common code, or the program's for an NT version
// after 5.2; an unknown version keeps the old code. FALSE when no version could be read.
BOOL DetectOsVersionWith(PFN_LATER_NT_CODE pfnLaterNtCode);
