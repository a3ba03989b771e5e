#pragma once
// Private-profile (settings) files with the platform's reading and writing rules: names match
// without regard to case, blanks around names and values are trimmed, one pair of quotes
// around a value is dropped, and texts and lists that do not fit are cut as the platform cuts
// them (a value to nSize-1 characters; a NUL-separated list to nSize-2 characters followed by
// two zeros, so its last name comes back shortened).
//
// lpFileName: a bare name or ".\name" lies in the process's current directory (not in the
// Windows folder); "C:\..." is used as given; NULL names C:\Windows\win.ini.
//
// A write changes the one line it is about (or adds one, or removes a key's line or a whole
// section) and keeps every other line as it was; it reaches the disk whole, readable by the
// owner only. A new key goes after the last entry of its section, a new section at the end of
// the file, directly after its last line. Lines written end with CR LF.
//
// The one deliberate difference from the platform: a write that would corrupt the file is
// refused with ERROR_INVALID_PARAMETER and changes nothing. That is a section name holding
// "]" or a line break, a key holding "=" or a line break or starting with ";" or "[" (it would
// read back as a comment or a header), and a value holding a line break.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <cstdint>

// With lpAppName NULL: every section name; with lpKeyName NULL: every key of the section (an
// empty list when there is no such section). Otherwise the value, or lpDefault (NULL is "",
// trailing blanks dropped) when the file, section or key is missing.
DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);

// The value read as the platform reads it: an optional sign, then decimal digits (or "0x"
// hex, "0o" octal, "0b" binary digits) up to the first other character, accumulated in 32
// bits that wrap. A value without digits is 0; a missing or empty value gives nDefault.
UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);

// The entries of the section, "key=value" each (a key without "=" as it stands).
DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize,
                                LPCSTR lpFileName);
DWORD GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName);

// lpKeyName NULL deletes the section, lpString NULL deletes the key; otherwise writes
// "key=value", creating the file and the section when needed.
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName);

// Replaces the lines of the section with the NUL-separated, double-NUL-ended lpString
// (NULL deletes the section).
BOOL WritePrivateProfileSectionA(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName);

namespace platform
{
// How many times the text of a settings file has been parsed in this process. Reads of a
// file that has not changed reuse the last parse.
std::uint64_t ProfileParseCount();
} // namespace platform
