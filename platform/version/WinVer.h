#pragma once
// Version information of files (the version resource of a program or a driver), as the
// platform hands it out: GetFileVersionInfoSizeA, GetFileVersionInfoA, VerQueryValueA. The
// block has the platform's layout: a tree of nodes (length, value length, type, UTF-16 key,
// value) holding the fixed file information, a StringFileInfo table and a VarFileInfo
// translation list; string values are given out as ANSI copies kept after the tree.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
#include "platform/ui/gdi/Resources.h" // ERROR_RESOURCE_TYPE_NOT_FOUND

#include <cstddef>

using PUINT = UINT*;

inline constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BDu;
inline constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000u;
inline constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003Fu;

inline constexpr DWORD VOS_NT_WINDOWS32 = 0x00040004u;

inline constexpr DWORD VFT_UNKNOWN = 0;
inline constexpr DWORD VFT_APP = 1;
inline constexpr DWORD VFT_DLL = 2;
inline constexpr DWORD VFT_DRV = 3;
inline constexpr DWORD VFT2_DRV_NETWORK = 6;

inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;

struct VS_FIXEDFILEINFO
{
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS; // major in the high word, minor in the low word
    DWORD dwFileVersionLS; // build in the high word, revision in the low word
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);
static_assert(offsetof(VS_FIXEDFILEINFO, dwFileVersionMS) == 8);
static_assert(offsetof(VS_FIXEDFILEINFO, dwFileType) == 36);

// The size of the file's version block, 0 when the file has none (ERROR_RESOURCE_TYPE_NOT_FOUND)
// or cannot be read (the file error). *lpdwHandle (may be null) is set to 0.
DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle);
// Copies the block into lpData. dwHandle is ignored. FALSE with ERROR_INSUFFICIENT_BUFFER when
// dwLen is below the size GetFileVersionInfoSizeA gives, and with the errors above.
BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
// lpSubBlock: "\" (the VS_FIXEDFILEINFO), "\VarFileInfo\Translation" (language and code page
// words), "\StringFileInfo\<lang+codepage>\<name>" (a zero-terminated ANSI string; *puLen is
// its length in characters with the terminator). Keys match without regard to case. FALSE
// (pointer null, length 0) for a path the block lacks or a block that is not well formed.
BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen);
