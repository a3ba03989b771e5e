#pragma once
// What the system says about itself: its version (GetVersionExA, GetVersion) and its language.
// Both answer the machine's system settings.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <cstddef>

using LANGID = WORD;

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

inline constexpr BYTE VER_NT_WORKSTATION = 1;
inline constexpr BYTE VER_NT_DOMAIN_CONTROLLER = 2;
inline constexpr BYTE VER_NT_SERVER = 3;

inline constexpr WORD VER_SUITE_SMALLBUSINESS = 0x0001;
inline constexpr WORD VER_SUITE_ENTERPRISE = 0x0002;
inline constexpr WORD VER_SUITE_TERMINAL = 0x0010;
inline constexpr WORD VER_SUITE_SINGLEUSERTS = 0x0100;
inline constexpr WORD VER_SUITE_PERSONAL = 0x0200;

struct OSVERSIONINFOA
{
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(offsetof(OSVERSIONINFOA, szCSDVersion) == 20);

struct OSVERSIONINFOEXA
{
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};
static_assert(sizeof(OSVERSIONINFOEXA) == 156);
static_assert(offsetof(OSVERSIONINFOEXA, wServicePackMajor) == 148);
static_assert(offsetof(OSVERSIONINFOEXA, wSuiteMask) == 152);
static_assert(offsetof(OSVERSIONINFOEXA, wProductType) == 154);

using LPOSVERSIONINFOA = OSVERSIONINFOA*;
using LPOSVERSIONINFOEXA = OSVERSIONINFOEXA*;

// Fills the record whose size its first member names: 148 (OSVERSIONINFOA) or 156
// (OSVERSIONINFOEXA, refused by systems that predate it). Any other size fails with
// ERROR_INVALID_PARAMETER. On Windows 9x the build number's high word holds the major and minor
// version, as those systems report it.
BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation);
// Low byte major, next byte minor; high word the build (NT) or, with the top bit set, 9x.
DWORD GetVersion();

LANGID GetSystemDefaultLangID();
LANGID GetUserDefaultLangID();
