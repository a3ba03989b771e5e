#pragma once
// A 32-bit program on 64-bit Windows. The two functions of kernel32 are looked up when the
// program loads (each program defines them with its program-wide objects); null where the
// system lacks them.

#include "platform/Windows.h"

extern PFN_IsWow64Process g_pfnIsWow64Process;
extern PFN_Wow64EnableWow64FsRedirection g_pfnWow64EnableWow64FsRedirection;

// The kernel32 export of that name, for the two pointers above; null where the system lacks it.
FARPROC Kernel32Function(LPCSTR pszName);

// FALSE unless the system is newer than Server 2003 (OsVersionCode above 9) and has
// IsWow64Process; then that function's answer for this process.
BOOL IsWow64();
// File-system redirection on and off, where the system has the switch.
void EnableWow64Redirection();
void DisableWow64Redirection();
