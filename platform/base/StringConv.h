#pragma once
// Code-page conversions. The machine's ANSI code page is UTF-8, so CP_ACP and CP_UTF8 both mean
// UTF-8; only the flags each accepts differ, as they do on the platform.

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

using LPBOOL = BOOL*;

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_COMPOSITE = 0x00000002;
inline constexpr DWORD MB_USEGLYPHCHARS = 0x00000004;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

inline constexpr DWORD WC_DISCARDNS = 0x00000010;
inline constexpr DWORD WC_SEPCHARS = 0x00000020;
inline constexpr DWORD WC_DEFAULTCHAR = 0x00000040;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
inline constexpr DWORD WC_COMPOSITECHECK = 0x00000200;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

namespace platform
{

// UTF-8 to UTF-16. A byte that does not start a well-formed sequence (stray continuation byte,
// truncated, overlong or surrogate sequence, value above U+10FFFF) becomes one U+FFFD, and
// decoding resumes at the next byte. Returns false when any byte was replaced.
bool Utf8ToUtf16(std::string_view in, std::u16string& out);

// UTF-16 to UTF-8. An unpaired surrogate becomes `replacement`. Returns false when any was.
bool Utf16ToUtf8(std::u16string_view in, std::string& out,
                 std::string_view replacement = "\xEF\xBF\xBD");

std::u16string Utf8ToUtf16(std::string_view in);
std::string Utf16ToUtf8(std::u16string_view in);

} // namespace platform

UINT GetACP();
UINT GetOEMCP();

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);
