#pragma once
// The platform's integer types, with the widths they have on 32-bit Windows.

#include <cstddef>
#include <cstdint>

using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;
using BOOLEAN = std::uint8_t;
using SHORT = std::int16_t;
using CHAR = char;
using WCHAR = char16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORD_PTR = std::uint32_t;
using UINT_PTR = std::uint32_t;
using LONG_PTR = std::int32_t;
using WPARAM = std::uint32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;
using HRESULT = std::int32_t;
using ATOM = std::uint16_t;

using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using PBYTE = BYTE*;
using PDWORD = DWORD*;
using PLONG = LONG*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are 32-bit values everywhere, so they can sit inside records unchanged.
using HANDLE = std::uint32_t;
using HWND = std::uint32_t;
using HKEY = std::uint32_t;
using HICON = std::uint32_t;
using HBITMAP = std::uint32_t;
using HMENU = std::uint32_t;
using HGLOBAL = std::uint32_t;
using HINSTANCE = std::uint32_t;
using HMODULE = std::uint32_t;
using HDEVINFO = std::uint32_t;
using HCERTSTORE = std::uint32_t;
using SC_HANDLE = std::uint32_t;

inline constexpr HANDLE INVALID_HANDLE_VALUE = 0xFFFFFFFFu;

// The longest path the fixed-size buffers of the programs hold, terminator included.
inline constexpr int MAX_PATH = 260;

constexpr WORD LOWORD(DWORD v)
{
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(DWORD v)
{
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(DWORD v)
{
    return static_cast<BYTE>(v & 0xFF);
}
constexpr BYTE HIBYTE(DWORD v)
{
    return static_cast<BYTE>((v >> 8) & 0xFF);
}
constexpr DWORD MAKELONG(WORD lo, WORD hi)
{
    return DWORD(lo) | (DWORD(hi) << 16);
}
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi)
{
    return MAKELONG(lo, hi);
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi)
{
    return static_cast<LPARAM>(MAKELONG(lo, hi));
}

struct FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
static_assert(sizeof(FILETIME) == 8);

struct SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
static_assert(sizeof(SYSTEMTIME) == 16);

struct GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
static_assert(sizeof(GUID) == 16);

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
