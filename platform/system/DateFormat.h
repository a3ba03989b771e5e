#pragma once
// Dates in a locale's own forms (GetDateFormatA): the short and the long date of English (United
// States and United Kingdom) and German (Germany), or a picture the caller gives.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

using LCID = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400; // the machine's language
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr DWORD DATE_SHORTDATE = 0x00000001;
inline constexpr DWORD DATE_LONGDATE = 0x00000002;

// lpDate null: today (local). lpFormat null: the locale's form by the flags (short when none is
// given); else a picture of d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy and 'quoted text',
// with no flags allowed. Returns the characters written with the terminator, the size needed
// when cchDate is 0, or 0: ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_FLAGS, or
// ERROR_INVALID_PARAMETER for an unknown locale or a date that does not exist.
int GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                   LPSTR lpDateStr, int cchDate);
