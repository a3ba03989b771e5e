#include "platform/profile/PrivateProfile.h"

#include "platform/file/WinPath.h"
#include "tests/support/TempMachine.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace
{

const char* const kFile = "C:\\Program Files\\Tessaryn\\reads";

void put(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::filesystem::path programDir(const testing_support::TempMachine& m)
{
    return m.cDrive() / "Program Files" / "Tessaryn";
}

// The whole list a call left in the buffer, zeros included, up to its double zero.
std::string listIn(const char* buffer, std::size_t size)
{
    std::string out(buffer, size);
    auto end = out.find(std::string("\0\0", 2));
    return end == std::string::npos ? out : out.substr(0, end + 2);
}

std::string readString(LPCSTR section, LPCSTR key, LPCSTR def, LPCSTR file = kFile)
{
    char buffer[128];
    DWORD n = GetPrivateProfileStringA(section, key, def, buffer, sizeof buffer, file);
    EXPECT_EQ(n, std::strlen(buffer));
    return buffer;
}

const std::string kSample = "; written by hand\r\n"
                            "orphan=before any section\r\n"
                            "[Config]\r\n"
                            "SSID=home net\r\n"
                            "  Channel \t=\t 11  \r\n"
                            "Quoted=\"  spaced  \"\r\n"
                            "Single='x'\r\n"
                            "Half=\"open\r\n"
                            "Inner=a \"b\" c\r\n"
                            "Comment=value ; not a comment\r\n"
                            ";Hidden=1\r\n"
                            "   ;Indented=1\r\n"
                            "Empty=\r\n"
                            "NoEquals\r\n"
                            "Twice=first\r\n"
                            "TWICE=second\r\n"
                            "Eq=a=b\r\n"
                            "\r\n"
                            "[ Spaced Name ]   trailing\r\n"
                            "k=v\r\n"
                            "[config]\r\n"
                            "SSID=duplicate section\r\n"
                            "Other=only in the duplicate\r\n"
                            "[Unclosed\r\n"
                            "u=1";

TEST(ProfileRead, ValuesAsThePlatformReadsThem)
{
    testing_support::TempMachine m;
    put(programDir(m) / "reads", kSample);
    struct Case
    {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Config", "SSID", "home net"},
        {"CONFIG", "ssid", "home net"},       // names ignore case
        {"  Config ", " SSID\t", "home net"}, // and blanks around them
        {"Config", "Channel", "11"},          // blanks around key and value trimmed
        {"Config", "Quoted", "  spaced  "},   // one pair of quotes dropped
        {"Config", "Single", "x"},
        {"Config", "Half", "\"open"}, // unmatched quote stays
        {"Config", "Inner", "a \"b\" c"},
        {"Config", "Comment", "value ; not a comment"},
        {"Config", "Hidden", "<default>"}, // comment lines are no keys
        {"Config", ";Hidden", "<default>"},
        {"Config", "Indented", "<default>"},
        {"Config", "Empty", ""},
        {"Config", "NoEquals", ""},   // a key without a value
        {"Config", "Twice", "first"}, // duplicates: the first counts
        {"Config", "Eq", "a=b"},
        {"Config", "Other", "<default>"}, // duplicate sections: only the first is read
        {"Config", "orphan", "<default>"},
        {"Spaced Name", "k", "v"},
        {"Unclosed", "u", "1"}, // last line without a line end
        {"Missing", "SSID", "<default>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readString(c.section, c.key, "<default>"), c.expected)
            << "[" << c.section << "] " << c.key;
}

TEST(ProfileRead, LinesEndInLineFeedCarriageReturnOrBoth)
{
    testing_support::TempMachine m;
    for (const char* end : {"\n", "\r", "\r\n"})
    {
        auto join = [&](const char* x) {
            return std::string("[a]") + end + x + end + "y = two " + end + end + "[b]" + end +
                   "z=3";
        };
        const std::string text = join("x=1");
        put(programDir(m) / "reads", text);
        EXPECT_EQ(readString("a", "y", ""), "two") << text;
        EXPECT_EQ(readString("b", "z", ""), "3") << text;
        char buffer[32];
        EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, sizeof buffer, kFile), 4u);
        EXPECT_EQ(listIn(buffer, sizeof buffer), std::string("a\0b\0\0", 5));

        // A write keeps the other lines and their ends as they were.
        ASSERT_TRUE(WritePrivateProfileStringA("a", "x", "9", kFile));
        std::ifstream in(programDir(m) / "reads", std::ios::binary);
        std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string expected = join("x=9");
        expected.replace(expected.find("x=9") + 3, std::strlen(end), "\r\n");
        EXPECT_EQ(after, expected);
    }
    // Mixed ends, a lone CR among them.
    put(programDir(m) / "reads", "[a]\r\nx=1\ry=2\n\r[b]\rz=3\r\n");
    EXPECT_EQ(readString("a", "x", ""), "1");
    EXPECT_EQ(readString("a", "y", ""), "2");
    EXPECT_EQ(readString("b", "z", ""), "3");
}

TEST(ProfileRead, DefaultsAndTheirBlanks)
{
    testing_support::TempMachine m;
    put(programDir(m) / "reads", "[s]\nk=v\n");
    EXPECT_EQ(readString("s", "none", ".\\  \t "), ".\\");
    EXPECT_EQ(readString("s", "none", "  lead"), "  lead");
    EXPECT_EQ(readString("s", "none", nullptr), "");
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(readString("s", "k", "d", "C:\\no such file"), "d");
    EXPECT_EQ(readString("s", "k", "d", "C:\\no folder\\file"), "d");
    EXPECT_EQ(readString("s", "k", "d"), "v");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST(ProfileRead, ValueTruncation)
{
    testing_support::TempMachine m;
    put(programDir(m) / "reads", "[s]\nk=abcdef\n");
    struct Case
    {
        DWORD size;
        DWORD returned;
        const char* text;
    } cases[] = {{8, 6, "abcdef"}, {7, 6, "abcdef"}, {6, 5, "abcde"}, {2, 1, "a"}, {1, 0, ""}};
    for (const auto& c : cases)
    {
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, c.size, kFile), c.returned);
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer of " << c.size;
    }
    // The default is cut the same way.
    char buffer[4];
    EXPECT_EQ(GetPrivateProfileStringA("s", "none", "default", buffer, 4, kFile), 3u);
    EXPECT_STREQ(buffer, "def");
    buffer[0] = '#';
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 0, kFile), 0u);
    EXPECT_EQ(buffer[0], '#');
}

TEST(ProfileRead, NameListsAndTheirTruncation)
{
    testing_support::TempMachine m;
    put(programDir(m) / "reads",
        "[PROF1]\r\nSSID=a\r\nbare\r\nAuth=b\r\n[PROF10]\r\nx=1\r\n[Empty]\r\n");
    // Full list "PROF1\0PROF10\0Empty\0" is 19 characters; the final zero makes 20 bytes.
    struct Case
    {
        DWORD size;
        DWORD returned;
        std::string list;
    } cases[] = {
        {64, 19, std::string("PROF1\0PROF10\0Empty\0\0", 20)},
        {21, 19, std::string("PROF1\0PROF10\0Empty\0\0", 20)},
        {20, 18, std::string("PROF1\0PROF10\0Empty\0\0", 20)}, // filled exactly: "cut"
        {19, 17, std::string("PROF1\0PROF10\0Empt\0\0", 19)},  // last name cut short
        {14, 12, std::string("PROF1\0PROF10\0\0", 14)},
        {13, 11, std::string("PROF1\0PROF1\0\0", 13)},
        {3, 1, std::string("P\0\0", 3)},
        {2, 0, std::string("\0\0", 2)},
    };
    for (const auto& c : cases)
    {
        char buffer[80];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, c.size, kFile), c.returned) << c.size;
        EXPECT_EQ(std::string(buffer, c.list.size()), c.list) << c.size;
        EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer of " << c.size;
        // The NULL-section form is the same list.
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileStringA(nullptr, "ignored", "dflt", buffer, c.size, kFile),
                  c.returned);
        EXPECT_EQ(std::string(buffer, c.list.size()), c.list) << c.size;
    }

    // Key names of one section, cut the same way; a line without "=" is none.
    char buffer[32];
    EXPECT_EQ(GetPrivateProfileStringA("prof1", nullptr, "dflt", buffer, sizeof buffer, kFile),
              10u);
    EXPECT_EQ(listIn(buffer, sizeof buffer), std::string("SSID\0Auth\0\0", 11));
    EXPECT_EQ(GetPrivateProfileStringA("PROF1", nullptr, "", buffer, 9, kFile), 7u);
    EXPECT_EQ(std::string(buffer, 9), std::string("SSID\0Au\0\0", 9));
    EXPECT_EQ(GetPrivateProfileStringA("PROF1", nullptr, "", buffer, 11, kFile), 9u);
    EXPECT_EQ(std::string(buffer, 11), std::string("SSID\0Auth\0\0", 11));
    // No keys, or no section: an empty list.
    for (LPCSTR section : {"Empty", "Missing"})
    {
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileStringA(section, nullptr, "dflt", buffer, sizeof buffer, kFile),
                  0u);
        EXPECT_EQ(std::string(buffer, 2), std::string("\0\0", 2)) << section;
    }
    // No file: no names.
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, sizeof buffer, "C:\\none"), 0u);
    EXPECT_EQ(std::string(buffer, 2), std::string("\0\0", 2));
}

TEST(ProfileRead, WholeSection)
{
    testing_support::TempMachine m;
    put(programDir(m) / "reads",
        "[a]\r\n; note\r\n Key1 = v 1 \r\nbare\r\nq=\"x\"\r\n\r\n[b]\r\nz=1\r\n");
    char buffer[64];
    std::string expected("Key1=v 1\0bare\0q=\"x\"\0\0", 21);
    EXPECT_EQ(GetPrivateProfileSectionA("A", buffer, sizeof buffer, kFile), 20u);
    EXPECT_EQ(listIn(buffer, sizeof buffer), expected);
    EXPECT_EQ(GetPrivateProfileSectionA("a", buffer, 12, kFile), 10u);
    EXPECT_EQ(std::string(buffer, 12), std::string("Key1=v 1\0b\0\0", 12));
    EXPECT_EQ(GetPrivateProfileSectionA("none", buffer, sizeof buffer, kFile), 0u);
    EXPECT_EQ(std::string(buffer, 2), std::string("\0\0", 2));
}

TEST(ProfileRead, IntegersAsThePlatformParsesThem)
{
    testing_support::TempMachine m;
    put(programDir(m) / "reads", "[n]\n"
                                 "lead=   12\n"
                                 "neg=-5\n"
                                 "plus=+7\n"
                                 "trail=12abc\n"
                                 "text=abc\n"
                                 "empty=\n"
                                 "hex=0x1A\n"
                                 "hexcase=0x1f\n"
                                 "octal=0o17\n"
                                 "binary=0b101\n"
                                 "wrap=4294967297\n"
                                 "max=4294967295\n"
                                 "negwrap=-4294967297\n"
                                 "quoted=\"42\"\n"
                                 "signs=+-3\n"
                                 "spaceinside=1 2\n"
                                 "zero=0\n"
                                 "onlyprefix=0x\n");
    struct Case
    {
        const char* key;
        UINT expected;
    } cases[] = {
        {"lead", 12},         {"neg", static_cast<UINT>(-5)},
        {"plus", 7},          {"trail", 12},
        {"text", 0},   // no digits: zero, not the default
        {"empty", 99}, // empty value: the default
        {"missing", 99},      {"hex", 26},
        {"hexcase", 31},      {"octal", 15},
        {"binary", 5},        {"wrap", 1}, // 32-bit accumulation wraps
        {"max", 0xFFFFFFFFu}, {"negwrap", static_cast<UINT>(-1)},
        {"quoted", 42},       {"signs", 0},
        {"spaceinside", 1},   {"zero", 0},
        {"onlyprefix", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileIntA("N", c.key, 99, kFile), c.expected) << c.key;
    EXPECT_EQ(GetPrivateProfileIntA("n", "lead", 99, "C:\\none"), 99u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "none", -1, kFile), static_cast<UINT>(-1));
}

TEST(ProfileRead, FileNamesResolveAgainstTheCurrentDirectory)
{
    testing_support::TempMachine m;
    put(programDir(m) / "setting", "[config]\ntype=2\n");
    std::filesystem::create_directories(m.cDrive() / "Data");
    put(m.cDrive() / "Data" / "setting", "[config]\ntype=3\n");
    put(m.cDrive() / "Windows" / "setting", "[config]\ntype=9\n");

    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, ".\\setting"), 2u);
    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, "setting"), 2u); // not the Windows folder
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Data"));
    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, ".\\setting"), 3u);
    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, "SETTING"), 3u);
    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, "..\\Windows\\setting"), 9u);
    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, "C:\\Program Files\\Tessaryn\\setting"),
              2u);
    EXPECT_EQ(GetPrivateProfileIntA("config", "type", 1, "c:/program files/tessaryn/Setting"), 2u);
}

} // namespace
