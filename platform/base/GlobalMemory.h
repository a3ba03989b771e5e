#pragma once
// Global memory blocks. An HGLOBAL is a 32-bit value naming a block in the process's table, never
// a pointer; GlobalLock gives the block's address, for fixed and moveable blocks alike.

#include "platform/base/SizeTypes.h"
#include "platform/base/WinTypes.h"

#include <cstddef>

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_NOCOMPACT = 0x0010;
inline constexpr UINT GMEM_NODISCARD = 0x0020;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_MODIFY = 0x0080;
inline constexpr UINT GMEM_DISCARDABLE = 0x0100;
inline constexpr UINT GMEM_SHARE = 0x2000;
inline constexpr UINT GMEM_DDESHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// NULL on failure (ERROR_NOT_ENOUGH_MEMORY). Without GMEM_ZEROINIT the block's bytes are 0xCD, so
// code that relies on zeroed memory it did not ask for shows up.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// The same handle on success. A fixed or locked block only shrinks or keeps its size unless
// uFlags has GMEM_MOVEABLE (it cannot move then); GMEM_MODIFY changes the kind only.
HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
// NULL on success; the handle itself when it names no block.
HGLOBAL GlobalFree(HGLOBAL hMem);
// Moveable blocks count their locks; fixed blocks always have a lock count of 0.
LPVOID GlobalLock(HGLOBAL hMem);
// Non-zero while still locked; FALSE with NO_ERROR when the last lock goes, FALSE with
// ERROR_NOT_LOCKED when the block was not locked.
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
// The block whose address GlobalLock gave, or NULL.
HGLOBAL GlobalHandle(LPCVOID pMem);

namespace platform
{
// Blocks allocated and not yet freed in this process.
std::size_t LiveGlobalBlocks();
} // namespace platform
