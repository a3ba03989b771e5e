#include "platform/base/StringConv.h"
#include "platform/base/WinError.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

TEST(MultiByteToWideChar, SizeQueriesAndTerminators)
{
    // "Caf\xC3\xA9": 5 bytes, 4 characters.
    const char* text = "Caf\xC3\xA9";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 5); // terminator counted
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 5, nullptr, 0), 4);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 3, nullptr, 0), 3);

    WCHAR out[8];
    std::fill(std::begin(out), std::end(out), u'#');
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, out, 8), 5);
    EXPECT_EQ(std::u16string(out), u"Caf\u00E9");

    std::fill(std::begin(out), std::end(out), u'#');
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 5, out, 8), 4);
    EXPECT_EQ(out[4], u'#'); // an explicit length adds no terminator

    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, out, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(MultiByteToWideChar, InvalidBytesAndSurrogates)
{
    // A stray continuation byte, a lead byte without its continuation, and 0xFF.
    const char bad[] = "a\x80"
                       "b\xC3"
                       "c\xFF";
    WCHAR out[16];
    const int n = MultiByteToWideChar(CP_ACP, 0, bad, -1, out, 16);
    EXPECT_EQ(std::u16string(out, n), std::u16string(u"a\uFFFDb\uFFFDc\uFFFD\0", 7));

    // Overlong forms and encoded surrogates are not characters either.
    const char overlong[] = "\xC0\xAF\xED\xA0\x80";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, overlong, -1, nullptr, 0), 6);

    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, -1, out, 16), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);

    const char emoji[] = "\xF0\x9F\x98\x80";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, emoji, 4, out, 16), 2);
    EXPECT_EQ(out[0], 0xD83D);
    EXPECT_EQ(out[1], 0xDE00);
    // A pair is never split when the buffer ends between its halves.
    out[0] = u'#';
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, emoji, 4, out, 1), 0);
    EXPECT_EQ(out[0], u'#');
}

TEST(MultiByteToWideChar, BadArgumentsFail)
{
    WCHAR out[4];
    struct Case
    {
        UINT cp;
        DWORD flags;
        const char* src;
        int cb;
        WCHAR* dst;
        int cch;
        DWORD error;
    } cases[] = {
        {CP_ACP, 0, nullptr, -1, out, 4, ERROR_INVALID_PARAMETER},
        {CP_ACP, 0, "x", 0, out, 4, ERROR_INVALID_PARAMETER},
        {CP_ACP, 0, "x", -2, out, 4, ERROR_INVALID_PARAMETER},
        {CP_ACP, 0, "x", -1, nullptr, 4, ERROR_INVALID_PARAMETER},
        {CP_ACP, 0, "x", -1, out, -1, ERROR_INVALID_PARAMETER},
        {1252, 0, "x", -1, out, 4, ERROR_INVALID_PARAMETER},
        {CP_UTF8, MB_PRECOMPOSED, "x", -1, out, 4, ERROR_INVALID_FLAGS},
        {CP_ACP, MB_PRECOMPOSED | MB_COMPOSITE, "x", -1, out, 4, ERROR_INVALID_FLAGS},
    };
    for (const auto& c : cases)
    {
        SetLastError(0);
        EXPECT_EQ(MultiByteToWideChar(c.cp, c.flags, c.src, c.cb, c.dst, c.cch), 0);
        EXPECT_EQ(GetLastError(), c.error);
    }
}

TEST(WideCharToMultiByte, SizesFlagsAndReplacements)
{
    const WCHAR* text = u"Caf\u00E9";
    EXPECT_EQ(
        WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, nullptr, 0, nullptr, nullptr), 6);
    char out[8];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, out, 8, nullptr, nullptr),
              6);
    EXPECT_STREQ(out, "Caf\xC3\xA9");

    // Only whole characters land in a buffer that is too small.
    std::fill(std::begin(out), std::end(out), '#');
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 4, out, 4, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(out, 4), "Caf#");

    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_COMPOSITECHECK, text, -1, out, 8, nullptr, nullptr),
              0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    BOOL used = TRUE;
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, out, 8, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    // An unpaired surrogate: U+FFFD, or the default character given for CP_ACP.
    const WCHAR lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, -1, out, 8, nullptr, nullptr), 6);
    EXPECT_STREQ(out, "a\xEF\xBF\xBD"
                      "b");
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, lone, -1, out, 8, "?", &used), 4);
    EXPECT_STREQ(out, "a?b");
    EXPECT_EQ(used, TRUE);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, out, 8, "?", &used), 6);
    EXPECT_EQ(used, FALSE);
    SetLastError(0);
    EXPECT_EQ(
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, out, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(StringConv, RoundTripOfEveryPlane)
{
    std::string all;
    for (char32_t cp : {0x41u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xFFFDu, 0xFFFFu, 0x10000u, 0x10FFFFu})
    {
        std::u16string one;
        if (cp >= 0x10000)
        {
            one += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            one += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
        else
            one += static_cast<char16_t>(cp);
        const std::string narrow = platform::Utf16ToUtf8(one);
        EXPECT_EQ(platform::Utf8ToUtf16(narrow), one) << std::hex << static_cast<std::uint32_t>(cp);
        all += narrow;
    }
    EXPECT_EQ(platform::Utf16ToUtf8(platform::Utf8ToUtf16(all)), all);
    EXPECT_EQ(GetACP(), CP_UTF8);
}

} // namespace
