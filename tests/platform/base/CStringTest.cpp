#include "platform/base/CString.h"
#include "platform/base/StringResolver.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace
{

TEST(CString, ConstructionAndAssignment)
{
    EXPECT_EQ(CString(), "");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(CString("abc", 2), "ab");
    EXPECT_EQ(CString("abc", -1), "");
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString('x', 0), "");
    EXPECT_EQ(CString(u"h\u00E9"), "h\xC3\xA9");

    // An explicit length keeps embedded NULs.
    const CString withNul("a\0b", 3);
    EXPECT_EQ(withNul.GetLength(), 3);

    CString s = "first";
    const CString copy = s;
    s = "second";
    EXPECT_EQ(copy, "first");
    s = static_cast<const char*>(s) + 3; // a pointer into the string itself
    EXPECT_EQ(s, "ond");
    s = 'z';
    EXPECT_EQ(s, "z");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, BytesAboveAsciiArePreservedAndNotCaseMapped)
{
    const char raw[] = "\xE9t\xC3\xA9 Ab\xFF";
    CString s(raw);
    EXPECT_EQ(s.GetLength(), static_cast<int>(std::strlen(raw)));
    CString upper = s;
    upper.MakeUpper();
    EXPECT_EQ(upper, "\xE9T\xC3\xA9 AB\xFF");
    CString lower = s;
    lower.MakeLower();
    EXPECT_EQ(lower, "\xE9t\xC3\xA9 ab\xFF");
    EXPECT_EQ(CString("\xC9").CompareNoCase("\xE9"), -1); // not folded
    EXPECT_EQ(s.Find('\xFF'), s.GetLength() - 1);
    // Trimming knows ASCII white space only; 0xA0 is a byte like any other.
    CString padded("\xA0 x \xA0");
    padded.Trim();
    EXPECT_EQ(padded, "\xA0 x \xA0");
}

TEST(CString, LeftMidRightClampAsTheFrameworkDoes)
{
    const CString s("abcdef");
    struct Case
    {
        CString got;
        const char* want;
    } cases[] = {
        {s.Left(2), "ab"},   {s.Left(0), ""},      {s.Left(-1), ""},        {s.Left(99), "abcdef"},
        {s.Mid(2), "cdef"},  {s.Mid(6), ""},       {s.Mid(99), ""},         {s.Mid(-3), "abcdef"},
        {s.Mid(1, 2), "bc"}, {s.Mid(4, 99), "ef"}, {s.Mid(1, -1), ""},      {s.Mid(-2, 3), "abc"},
        {s.Right(2), "ef"},  {s.Right(-1), ""},    {s.Right(99), "abcdef"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(CString, FindAndReverseFind)
{
    const CString path("C:\\dir\\file.HLP");
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 6);
    EXPECT_EQ(path.Find('\\', 7), -1);
    EXPECT_EQ(path.Find('C', -1), -1);
    EXPECT_EQ(path.Find('C', 99), -1);
    EXPECT_EQ(path.Find(".HLP"), 11);
    EXPECT_EQ(path.Find(".HLP", 12), -1);
    EXPECT_EQ(path.Find("", 3), 3);
    EXPECT_EQ(path.Find("", path.GetLength()), path.GetLength());
    EXPECT_EQ(path.Find("x", path.GetLength() + 1), -1);
    EXPECT_EQ(path.Find(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(path.ReverseFind('\\'), 6);
    EXPECT_EQ(path.ReverseFind('#'), -1);
    EXPECT_EQ(path.FindOneOf(".:"), 1);
    EXPECT_EQ(path.FindOneOf("#"), -1);
    EXPECT_EQ(CString().ReverseFind('a'), -1);
    // The usual "folder of a path" step.
    EXPECT_EQ(path.Left(path.ReverseFind('\\')), "C:\\dir");
}

TEST(CString, ReplaceRemoveInsertDelete)
{
    CString help("VnConfig.HLP");
    EXPECT_EQ(help.Replace(".HLP", "ENG.chm"), 1);
    EXPECT_EQ(help, "VnConfigENG.chm");

    CString s("aaaa");
    EXPECT_EQ(s.Replace("aa", "a"), 2); // left to right, without overlap
    EXPECT_EQ(s, "aa");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("a", nullptr), 2);
    EXPECT_EQ(s, "");

    CString t("a-b-c");
    EXPECT_EQ(t.Replace('-', '+'), 2);
    EXPECT_EQ(t.Replace('+', '+'), 0);
    EXPECT_EQ(t, "a+b+c");
    EXPECT_EQ(t.Replace(static_cast<const char*>(t) + 1, "!"), 1); // argument inside itself
    EXPECT_EQ(t, "a!");
    EXPECT_EQ(t.Remove('!'), 1);
    EXPECT_EQ(t, "a");

    CString u("ac");
    EXPECT_EQ(u.Insert(1, 'b'), 3);
    EXPECT_EQ(u.Insert(99, "d"), 4);
    EXPECT_EQ(u.Insert(-5, "_"), 5);
    EXPECT_EQ(u, "_abcd");
    EXPECT_EQ(u.Delete(0), 4);
    EXPECT_EQ(u.Delete(2, 99), 2);
    EXPECT_EQ(u.Delete(5, 1), 2);
    EXPECT_EQ(u.Delete(-1, 1), 1);
    EXPECT_EQ(u, "b");
}

TEST(CString, Trim)
{
    struct Case
    {
        const char* in;
        int which; // 0 Trim, 1 TrimLeft, 2 TrimRight
        const char* targets;
        const char* want;
    } cases[] = {
        {" \t a b \r\n", 0, nullptr, "a b"},
        {" \t a b \r\n", 1, nullptr, "a b \r\n"},
        {" \t a b \r\n", 2, nullptr, " \t a b"},
        {"   ", 0, nullptr, ""},
        {"", 0, nullptr, ""},
        {"xxaxx", 0, "x", "a"},
        {"\"quoted\"", 0, "\"", "quoted"},
        {"-=a=-", 1, "=-", "a=-"},
        {"-=a=-", 2, "=-", "-=a"},
        {"abc", 0, "", "abc"},
    };
    for (const auto& c : cases)
    {
        CString s(c.in);
        if (c.targets == nullptr)
            c.which == 0 ? s.Trim() : c.which == 1 ? s.TrimLeft() : s.TrimRight();
        else
            c.which == 0   ? s.Trim(c.targets)
            : c.which == 1 ? s.TrimLeft(c.targets)
                           : s.TrimRight(c.targets);
        EXPECT_EQ(s, c.want) << '"' << c.in << '"' << c.which;
    }
    CString one("..a..");
    EXPECT_EQ(one.Trim('.'), "a");
}

TEST(CString, ComparisonsAndConcatenation)
{
    const CString a("abc");
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != "abd");
    EXPECT_TRUE(a == CString("abc"));
    EXPECT_TRUE(a < "abd");
    EXPECT_TRUE("abb" < a);
    EXPECT_TRUE(CString("\xE9") > "z"); // bytes compare unsigned
    EXPECT_EQ(a.Compare("abc"), 0);
    EXPECT_LT(a.Compare("b"), 0);
    EXPECT_GT(a.Compare(nullptr), 0);
    EXPECT_EQ(CString("-S").CompareNoCase("-s"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0); // folded to lower case
    EXPECT_NE(CString("a").CompareNoCase("b"), 0);

    const CString dir("C:\\x");
    EXPECT_EQ(dir + "\\" + "file", "C:\\x\\file");
    EXPECT_EQ("<" + dir + '>', "<C:\\x>");
    EXPECT_EQ('[' + dir, "[C:\\x");
    CString s;
    s += "a";
    s += 'b';
    s += CString("c");
    s += s;
    EXPECT_EQ(s, "abcabc");
}

TEST(CString, IndexingRejectsOutOfRange)
{
    CString s("ab");
    EXPECT_EQ(s[0], 'a');
    EXPECT_EQ(s.GetAt(1), 'b');
    EXPECT_EQ(s.GetAt(2), '\0'); // the terminator can be read
    EXPECT_THROW(s.GetAt(3), std::out_of_range);
    EXPECT_THROW(s.GetAt(-1), std::out_of_range);
    s.SetAt(1, 'z');
    EXPECT_EQ(s, "az");
    EXPECT_THROW(s.SetAt(2, 'x'), std::out_of_range);
    EXPECT_EQ(s, "az");
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s("old");
    char* p = s.GetBuffer(64);
    std::strcpy(p, "a longer text written through the buffer");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "a longer text written through the buffer");

    p = s.GetBuffer(4);
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "a ");

    p = s.GetBuffer(10);
    std::memcpy(p, "0123456789", 10);
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, "0123");

    // An unterminated buffer is measured up to its end only.
    p = s.GetBuffer(8);
    std::memset(p, 'q', 8);
    s.ReleaseBuffer();
    EXPECT_EQ(s, "qqqqqqqq");

    p = s.GetBufferSetLength(3);
    std::memcpy(p, "xyz", 3);
    EXPECT_EQ(s.GetLength(), 3);
    s.ReleaseBuffer();
    EXPECT_EQ(s, "xyz");

    s.ReleaseBuffer(99); // beyond the buffer: clamped
    EXPECT_EQ(s, "xyz");
}

TEST(CString, ReverseAndTokenize)
{
    CString s("abc");
    EXPECT_EQ(s.MakeReverse(), "cba");

    const CString list(",,one,two,,three,");
    int pos = 0;
    std::vector<std::string> tokens;
    for (CString t = list.Tokenize(",", pos); pos != -1; t = list.Tokenize(",", pos))
        tokens.emplace_back(t);
    EXPECT_EQ(tokens, (std::vector<std::string>{"one", "two", "three"}));
}

class CStringResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetStringResolver(
            [](UINT id) -> std::optional<std::string>
            {
                static const std::map<UINT, std::string> table = {{7, "Seven"},
                                                                  {8, "Channel %d of %s"}};
                auto it = table.find(id);
                return it == table.end() ? std::nullopt : std::optional(it->second);
            });
    }
    void TearDown() override { platform::SetStringResolver(nullptr); }
};

TEST_F(CStringResources, LoadStringAndResourceFormats)
{
    CString s("kept");
    EXPECT_FALSE(s.LoadString(99));
    EXPECT_EQ(s, "kept");
    EXPECT_TRUE(s.LoadString(7));
    EXPECT_EQ(s, "Seven");

    s.Format(8u, 6, "B");
    EXPECT_EQ(s, "Channel 6 of B");
    s.Format(99u, 6);
    EXPECT_EQ(s, "");

    const auto id = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(7));
    EXPECT_EQ(CString(id), "Seven");

    platform::SetStringResolver(nullptr);
    EXPECT_FALSE(s.LoadString(7));
}

} // namespace
