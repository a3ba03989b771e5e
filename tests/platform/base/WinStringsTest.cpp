#include "platform/base/WinStrings.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

TEST(WinStrings, CopiesAreBoundedAndTerminated)
{
    char buf[8];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(lstrcpynA(buf, "0123456789", 5), buf);
    EXPECT_STREQ(buf, "0123");
    EXPECT_EQ(buf[5], '#');
    lstrcpynA(buf, "ab", 8);
    EXPECT_STREQ(buf, "ab");
    lstrcpynA(buf, "zz", 0); // nothing fits, nothing is written
    EXPECT_STREQ(buf, "ab");
    lstrcpynA(buf, "zz", 1);
    EXPECT_STREQ(buf, "");
    lstrcpynA(buf, nullptr, 8);
    EXPECT_STREQ(buf, "");

    lstrcpyA(buf, "abc");
    lstrcatA(buf, "de");
    EXPECT_STREQ(buf, "abcde");
    EXPECT_EQ(lstrlenA(buf), 5);
    EXPECT_EQ(lstrlenA(nullptr), 0);
}

TEST(WinStrings, Comparisons)
{
    struct Case
    {
        const char* a;
        const char* b;
        int cmp;
        int cmpi;
    } cases[] = {
        {"abc", "abc", 0, 0},   {"abc", "ABC", -1, 0}, // same letters: lower case first
        {"ABC", "abd", -1, -1},                        // letters decide before case does
        {"b", "A", 1, 1},       {"ab", "abc", -1, -1}, {"", "a", -1, -1},
        {nullptr, "a", -1, -1}, {"a", nullptr, 1, 1},  {nullptr, nullptr, 0, 0},
        {"\xE9", "\xC9", 1, 1}, // bytes above ASCII are not folded
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(Sign(lstrcmpA(c.a, c.b)), c.cmp)
            << (c.a ? c.a : "NULL") << " " << (c.b ? c.b : "NULL");
        EXPECT_EQ(Sign(lstrcmpiA(c.a, c.b)), c.cmpi)
            << (c.a ? c.a : "NULL") << " " << (c.b ? c.b : "NULL");
    }
}

TEST(WinStrings, VaListFormatting)
{
    char buf[32];
    auto call = [&](const char* fmt, ...)
    {
        va_list args;
        va_start(args, fmt);
        const int n = wvsprintfA(buf, fmt, args);
        va_end(args);
        return n;
    };
    EXPECT_EQ(call("%s-%04d", "id", 42), 7);
    EXPECT_STREQ(buf, "id-0042");
}

} // namespace
