#include "platform/base/GlobalMemory.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace
{

bool AllBytes(const void* p, std::size_t n, unsigned char v)
{
    const auto* b = static_cast<const unsigned char*>(p);
    return std::all_of(b, b + n, [v](unsigned char c) { return c == v; });
}

TEST(GlobalMemory, ZeroFillOnlyWhenAskedFor)
{
    for (UINT flags : {GHND, GPTR, GMEM_MOVEABLE | GMEM_ZEROINIT})
    {
        const HGLOBAL h = GlobalAlloc(flags, 100);
        ASSERT_NE(h, 0u);
        EXPECT_EQ(GlobalSize(h), 100u);
        void* p = GlobalLock(h);
        EXPECT_TRUE(AllBytes(p, 100, 0)) << flags;
        GlobalUnlock(h);
        EXPECT_EQ(GlobalFree(h), 0u);
    }
    const HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 100);
    EXPECT_FALSE(AllBytes(GlobalLock(h), 100, 0));
    GlobalUnlock(h);
    GlobalFree(h);
}

TEST(GlobalMemory, LockCountsAndHandleLookups)
{
    const HGLOBAL h = GlobalAlloc(GHND, 16);
    char* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalHandle(p), h);
    EXPECT_TRUE(GlobalUnlock(h)); // still locked once
    SetLastError(ERROR_INVALID_DATA);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), NO_ERROR);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);

    const HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 16);
    EXPECT_NE(fixed, h);
    EXPECT_NE(GlobalLock(fixed), nullptr);
    SetLastError(ERROR_INVALID_DATA);
    EXPECT_FALSE(GlobalUnlock(fixed)); // fixed blocks have no lock count
    EXPECT_EQ(GetLastError(), NO_ERROR);

    GlobalFree(h);
    GlobalFree(fixed);
    EXPECT_EQ(GlobalHandle(p), 0u);
}

TEST(GlobalMemory, FreeAndLiveCount)
{
    const std::size_t before = platform::LiveGlobalBlocks();
    const HGLOBAL a = GlobalAlloc(GHND, 8);
    const HGLOBAL b = GlobalAlloc(GPTR, 0);
    EXPECT_EQ(platform::LiveGlobalBlocks(), before + 2);
    EXPECT_NE(GlobalLock(b), nullptr); // an empty block still has an address
    EXPECT_EQ(GlobalFree(a), 0u);
    EXPECT_EQ(platform::LiveGlobalBlocks(), before + 1);

    SetLastError(0);
    EXPECT_EQ(GlobalFree(a), a); // twice: the handle comes back
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalLock(a), nullptr);
    EXPECT_EQ(GlobalSize(a), 0u);
    EXPECT_EQ(GlobalFree(0), 0u);
    GlobalFree(b);
    EXPECT_EQ(platform::LiveGlobalBlocks(), before);

    SetLastError(0);
    EXPECT_EQ(GlobalAlloc(GHND, 0x7FFFFFFF), 0u);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(platform::LiveGlobalBlocks(), before);
}

TEST(GlobalMemory, ReAllocKeepsContentAndPinnedBlocksStayPut)
{
    const HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(h), "abcd", 4);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalReAlloc(h, 64, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
    const char* p = static_cast<const char*>(GlobalLock(h));
    EXPECT_EQ(std::memcmp(p, "abcd", 4), 0);
    EXPECT_TRUE(AllBytes(p + 4, 60, 0));
    EXPECT_EQ(GlobalSize(h), 64u);

    // Locked and not allowed to move: only in place.
    SetLastError(0);
    EXPECT_EQ(GlobalReAlloc(h, 128, 0), 0u);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(GlobalReAlloc(h, 8, 0), h);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalSize(h), 8u);
    GlobalUnlock(h);
    GlobalUnlock(h);

    const HGLOBAL fixed = GlobalAlloc(GPTR, 4);
    EXPECT_EQ(GlobalReAlloc(fixed, 100, GMEM_ZEROINIT), 0u);
    EXPECT_EQ(GlobalReAlloc(fixed, 100, GMEM_MOVEABLE | GMEM_ZEROINIT), fixed);
    EXPECT_EQ(GlobalSize(fixed), 100u);
    EXPECT_EQ(GlobalReAlloc(0x1234, 4, GMEM_MOVEABLE), 0u);
    GlobalFree(h);
    GlobalFree(fixed);
}

} // namespace
