#pragma once
// The platform's C-string helpers. NULL pointers are tolerated as the platform tolerates them
// (length 0, compare as less than any string, copy nothing). Comparisons know ASCII only:
// lstrcmpA puts letters in alphabetical order regardless of case first and lower case before
// upper case only to break a tie, as the platform's word order does for ASCII; lstrcmpiA
// ignores case.

#include "platform/base/Formatter.h"
#include "platform/base/WinTypes.h"

#include <cstdarg>

namespace platform
{
// wsprintfA writes at most this many bytes, terminator included.
inline constexpr int kWsprintfLimit = 1024;
int CopyBounded(LPSTR buffer, const std::string& text, int size);
} // namespace platform

int lstrlenA(LPCSTR lpString);
LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 bytes and always terminates (when iMaxLength > 0).
LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2);
int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2);
int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);

// Same conversions as CString::Format; the output is cut to 1023 bytes plus the terminator.
// Returns the number of bytes stored, terminator excluded.
template <class... Args> int wsprintfA(LPSTR lpOut, LPCSTR lpFmt, const Args&... args)
{
    return platform::CopyBounded(lpOut, platform::Format(lpFmt, args...), platform::kWsprintfLimit);
}
int wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist);
