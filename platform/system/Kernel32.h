#pragma once
// Module lookup in kernel32 and the WOW64 exports the programs probe for. Whether the
// system has the WOW64 exports, and whether the process runs under WOW64, is part of the
// machine's image.

#include "platform/base/WinError.h"

#include <string>

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
// The pair that saves and restores the calling thread's state; OldValue is opaque.
using PFN_Wow64DisableWow64FsRedirection = BOOL (*)(void** OldValue);
using PFN_Wow64RevertWow64FsRedirection = BOOL (*)(void* OldValue);

// "C:\Windows\system32" and "C:\Windows". Under WOW64 the system folder's name is the
// same; with the thread's redirection on, files under it are those of "C:\Windows\SysWOW64".
// Returns the length without the terminator, or the size needed (terminator included) when
// uSize is too small.
UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize);
UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize);

namespace platform
{
// File-system redirection of the calling thread (on unless switched off). Each thread starts
// with it on; it matters only when the process runs under WOW64.
bool Wow64RedirectionEnabled();
// The Windows path a file name stands for after the calling thread's redirection: under WOW64
// with redirection on, "C:\Windows\System32\..." becomes "C:\Windows\SysWOW64\...". Other
// paths, and every path otherwise, are returned unchanged.
std::string RedirectedPath(const std::string& fullWindowsPath);
} // namespace platform
