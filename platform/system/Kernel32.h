#pragma once
// Module lookup in kernel32 and the WOW64 exports the programs probe for. Whether the
// system has the WOW64 exports, and whether the process runs under WOW64, is part of the
// machine's image.

#include "platform/base/WinError.h"

using FARPROC = void (*)();
using PBOOL = BOOL*;

HMODULE GetModuleHandleA(LPCSTR lpModuleName);
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
// The address of an export, or null (ERROR_PROC_NOT_FOUND) when the module lacks it.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

HANDLE GetCurrentProcess();

// Exported only where the machine's image has them: reach them through GetProcAddress.
using PFN_IsWow64Process = BOOL (*)(HANDLE hProcess, PBOOL Wow64Process);
using PFN_Wow64EnableWow64FsRedirection = BOOL (*)(BOOL Wow64FsEnableRedirection);

namespace platform
{
// File-system redirection of the calling thread (on unless switched off).
bool Wow64RedirectionEnabled();
} // namespace platform
