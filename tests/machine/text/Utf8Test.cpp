#include "machine/text/Utf8.h"

#include <gtest/gtest.h>

namespace
{

namespace text = machine::text;

TEST(Utf8, EncodesEachLengthToItsBoundary)
{
    struct Case
    {
        char32_t codePoint;
        std::string bytes;
    } cases[] = {
        {0x00, std::string(1, '\0')},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xD7FF, "\xED\x9F\xBF"},
        {0xE000, "\xEE\x80\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        // No UTF-8 form: the replacement character stands in.
        {0xD800, "\xEF\xBF\xBD"},
        {0xDFFF, "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(static_cast<unsigned>(c.codePoint));
        std::string out = "<";
        text::AppendUtf8(out, c.codePoint);
        EXPECT_EQ(out, "<" + c.bytes);
        if (c.bytes != "\xEF\xBF\xBD")
        {
            char32_t back = 0;
            EXPECT_EQ(text::DecodeUtf8(c.bytes, 0, back), c.bytes.size());
            EXPECT_EQ(back, c.codePoint);
        }
    }
}

TEST(Utf8, DecodesOnlyWellFormedSequences)
{
    struct Case
    {
        const char* what;
        std::string bytes;
        std::size_t length; // of the sequence at the start (0 none); all of it is well formed
                            // when that is its whole length
    } cases[] = {
        {"ASCII", "A\x80", 1},
        {"two bytes, then a stray one", "\xC3\xA9\x80", 2},
        {"stray continuation", "\x80", 0},
        {"overlong NUL", "\xC0\x80", 0},
        {"overlong U+007F", "\xC1\xBF", 0},
        {"overlong U+07FF", "\xE0\x9F\xBF", 0},
        {"overlong U+FFFF", "\xF0\x8F\xBF\xBF", 0},
        {"high surrogate", "\xED\xA0\x80", 0},
        {"low surrogate", "\xED\xBF\xBF", 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"lead byte past F4", "\xF5\x80\x80\x80", 0},
        {"truncated two", "\xC2", 0},
        {"truncated three", "\xE0\xA0", 0},
        {"truncated four", "\xF0\x90\x80", 0},
        {"continuation missing", "\xC2\x41", 0},
        {"continuation missing late", "\xF0\x90\x41\x80", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(text::Utf8SequenceLength(c.bytes, 0), c.length);
        EXPECT_EQ(text::IsWellFormedUtf8(c.bytes), c.length == c.bytes.size());
    }
    EXPECT_EQ(text::Utf8SequenceLength("abc", 3), 0u) << "nothing starts past the end";
    EXPECT_TRUE(text::IsWellFormedUtf8(""));
}

TEST(Utf8, ConvertsToAndFromUtf16)
{
    struct Case
    {
        const char* what;
        std::u16string wide;
        std::string narrow;
        bool clean;
    } toUtf8[] = {
        {"BMP", u"A\u00E9\u20AC", "A\xC3\xA9\xE2\x82\xAC", true},
        {"surrogate pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80", true},
        {"highest pair", u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF", true},
        {"lone high at the end", u"a\xD800", "a?", false},
        {"lone high before a letter", u"\xD800z", "?z", false},
        {"lone low", u"\xDC00", "?", false},
        {"pair reversed", u"\xDC00\xD800", "??", false},
    };
    for (const Case& c : toUtf8)
    {
        SCOPED_TRACE(c.what);
        std::string out;
        EXPECT_EQ(text::Utf16ToUtf8(c.wide, out, "?"), c.clean);
        EXPECT_EQ(out, c.narrow);
    }

    // Each byte that starts nothing well formed becomes one U+FFFD; decoding resumes after it.
    Case toUtf16[] = {
        {"pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80", true},
        {"truncated three", u"\xFFFD\xFFFDz", "\xE0\xA0z", false},
        {"overlong", u"\xFFFD\xFFFD", "\xC0\x80", false},
        {"surrogate form", u"\xFFFD\xFFFD\xFFFD", "\xED\xA0\x80", false},
    };
    for (const Case& c : toUtf16)
    {
        SCOPED_TRACE(c.what);
        std::u16string out = u"old";
        EXPECT_EQ(text::Utf8ToUtf16(c.narrow, out), c.clean);
        EXPECT_EQ(out, c.wide);
    }
}

} // namespace
