#include "machine/registry/HiveText.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
namespace reg = machine::registry;

namespace
{

reg::Hive parse(const std::string& text, reg::ParseReport* out = nullptr)
{
    reg::Hive hive;
    reg::ParseReport report = reg::ApplyHiveText(text, hive);
    if (out)
        *out = report;
    EXPECT_TRUE(report.ok) << report.error;
    return hive;
}

const reg::Key& key(const reg::Hive& hive, const char* path)
{
    const reg::Key* k = hive.find(*reg::ParseKeyPath(path));
    if (k == nullptr)
        throw std::runtime_error(std::string("no key ") + path);
    return *k;
}

std::string allBytes()
{
    std::string s;
    for (int i = 0; i < 256; ++i)
        s += static_cast<char>(i);
    return s;
}

TEST(HiveText, ValuesKeepTheirExactBytesAndTypesThroughTheFile)
{
    struct Case
    {
        const char* name;
        std::uint32_t type;
        std::string data;
        const char* line; // the form expected in the file, null when not checked
    } cases[] = {
        {"Terminated", reg::kTypeString, "C:\\Users\0"s, "\"Terminated\"=\"C:\\\\Users\""},
        {"NoTerminator", reg::kTypeString, "1", "\"NoTerminator\"=hex(1):31"},
        {"EmptyNoBytes", reg::kTypeString, "", "\"EmptyNoBytes\"=hex(1):"},
        {"EmptyTerminated", reg::kTypeString, "\0"s, "\"EmptyTerminated\"=\"\""},
        {"TwoTerminators", reg::kTypeString, "a\0\0"s, "\"TwoTerminators\"=hex(1):61,00,00"},
        {"LineBreak", reg::kTypeString, "a\r\nb\0"s, "\"LineBreak\"=hex(1):61,0d,0a,62,00"},
        {"BadUtf8", reg::kTypeString, "\xff\xfe\0"s, "\"BadUtf8\"=hex(1):ff,fe,00"},
        {"Utf8", reg::kTypeString, "caf\xc3\xa9\0"s, "\"Utf8\"=\"caf\xc3\xa9\""},
        {"MultiEmpty", reg::kTypeMultiString, "\0"s, "\"MultiEmpty\"=hex(7):00"},
        {"MultiTwo", reg::kTypeMultiString,
         "001122334455\0"
         "66778899aabb\0\0"s,
         nullptr},
        {"Dword", reg::kTypeDword, "\x78\x56\x34\x12"s, "\"Dword\"=dword:12345678"},
        {"ShortDword", reg::kTypeDword, "\x01\x00"s, "\"ShortDword\"=hex(4):01,00"},
        {"Expand", reg::kTypeExpandString, "%X%\0"s, "\"Expand\"=hex(2):25,58,25,00"},
        {"Binary", reg::kTypeBinary, allBytes(), nullptr},
        {"None", reg::kTypeNone, "", "\"None\"=hex(0):"},
        {"Qword", 11, "12345678", "\"Qword\"=hex(b):31,32,33,34,35,36,37,38"},
        {"BigType", 0xFFFFFFFF, "x", "\"BigType\"=hex(ffffffff):78"},
        {"", reg::kTypeString, "default\0"s, "@=\"default\""},
        {"quote\"back\\slash=eq", reg::kTypeString, "v\0"s, "\"quote\\\"back\\\\slash=eq\"=\"v\""},
        {"@", reg::kTypeDword, "\0\0\0\0"s, "\"@\"=dword:00000000"},
        {"[not a key]", reg::kTypeString, "]\0"s, "\"[not a key]\"=\"]\""},
    };
    reg::Hive hive;
    reg::Key* k = hive.create(*reg::ParseKeyPath("HKEY_LOCAL_MACHINE\\SOFTWARE\\Test"));
    for (const auto& c : cases)
        k->setValue(c.name, c.type, c.data);

    std::string text = reg::FormatHive(hive);
    for (const auto& c : cases)
    {
        if (c.line)
        {
            EXPECT_NE(text.find(std::string("\r\n") + c.line + "\r\n"), std::string::npos)
                << c.line << "\n"
                << text;
        }
    }

    reg::Hive back = parse(text);
    const reg::Key& read = key(back, "HKLM\\SOFTWARE\\Test");
    ASSERT_EQ(read.values().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        EXPECT_EQ(read.values()[i].name, cases[i].name);
        EXPECT_EQ(read.values()[i].type, cases[i].type) << cases[i].name;
        EXPECT_EQ(read.values()[i].data, cases[i].data) << cases[i].name;
    }
    EXPECT_EQ(back, hive);
    EXPECT_EQ(reg::FormatHive(back), text);
}

TEST(HiveText, EmptyKeysAndOrderPersist)
{
    reg::Hive hive;
    for (const char* path : {"HKCU\\Zeta", "HKCU\\alpha\\Inner", "HKCU\\Middle", "HKU\\Empty",
                             "HKCR\\.x", "HKLM\\A]B[C"})
        hive.create(*reg::ParseKeyPath(path));
    hive.find(*reg::ParseKeyPath("HKCU"))->setValue("OnRoot", reg::kTypeString, "r\0"s);

    reg::Hive back = parse(reg::FormatHive(hive));
    EXPECT_EQ(back, hive);
    const auto& subs = key(back, "HKEY_CURRENT_USER").subkeys();
    ASSERT_EQ(subs.size(), 3u);
    EXPECT_EQ(subs[0].name(), "Zeta");
    EXPECT_EQ(subs[1].name(), "alpha");
    EXPECT_EQ(subs[2].name(), "Middle");
    EXPECT_NO_THROW(key(back, "HKLM\\A]B[C"));
}

TEST(HiveText, LongHexWrapsAsTheEditorDoesAndReadsBack)
{
    reg::Value v{"Bin", reg::kTypeBinary, allBytes()};
    std::string line = reg::FormatValue(v);
    std::size_t start = 0;
    int lines = 0;
    while (start < line.size())
    {
        std::size_t end = line.find("\r\n", start);
        std::string piece = line.substr(start, end == std::string::npos ? end : end - start);
        EXPECT_LE(piece.size(), 80u) << piece;
        if (end != std::string::npos)
        {
            EXPECT_EQ(piece.back(), '\\');
            EXPECT_EQ(line.substr(end + 2, 2), "  ");
        }
        ++lines;
        start = end == std::string::npos ? line.size() : end + 2;
    }
    EXPECT_GT(lines, 5);
}

TEST(HiveText, ReadsAHandWrittenExport)
{
    const std::string text =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
        "\r\n"
        "; a comment\r\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972}\\0001]\r\n"
        "\"NetCfgInstanceId\"=\"{ABC}\"\r\n"
        "  \"Channel\" = hex(1):36  \r\n"
        "\"Macs\"=hex(7):30,30,31,31,32,32,33,33,34,34,35,35,00,36,36,37,37,38,38,39,\\\r\n"
        "  39,41,41,42,42,00,00\r\n"
        "\"Mixed\"=HEX:0A,b,\\\n"
        "\t   ff,\\\r\n"
        "  00\r\n"
        "\"TXBurst\"=DWORD:1\r\n"
        "@=\"\"\r\n"
        "\r\n"
        "[hkey_local_machine\\system\\currentcontrolset\\control\\class\\{4d36e972}\\0001]\r\n"
        "\"channel\"=hex(1):31\r\n"
        "[HKEY_CURRENT_USER\\Gone]\r\n"
        "[-HKEY_CURRENT_USER\\Gone]\r\n"
        "[HKEY_CURRENT_USER\\Kept]\n"
        "\"x\"=dword:00000002\n"
        "\"x\"=-\n"
        "\"y\"=\"last line without a line end\"";
    reg::ParseReport report;
    reg::Hive hive = parse(text, &report);
    EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();

    const reg::Key& k =
        key(hive, "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972}\\0001");
    EXPECT_EQ(k.name(), "0001");
    ASSERT_EQ(k.values().size(), 6u);
    EXPECT_EQ(k.values()[0], (reg::Value{"NetCfgInstanceId", reg::kTypeString, "{ABC}\0"s}));
    // Set again under another spelling: same value, first spelling, new data.
    EXPECT_EQ(k.values()[1], (reg::Value{"Channel", reg::kTypeString, "1"}));
    EXPECT_EQ(k.values()[2].data, "001122334455\0"
                                  "66778899AABB\0\0"s);
    EXPECT_EQ(k.values()[2].data.size(), 27u);
    EXPECT_EQ(k.values()[3], (reg::Value{"Mixed", reg::kTypeBinary, "\x0a\x0b\xff\x00"s}));
    EXPECT_EQ(k.values()[4], (reg::Value{"TXBurst", reg::kTypeDword, "\1\0\0\0"s}));
    EXPECT_EQ(k.values()[5], (reg::Value{"", reg::kTypeString, "\0"s}));

    EXPECT_EQ(hive.find(*reg::ParseKeyPath("HKCU\\Gone")), nullptr);
    const reg::Key& kept = key(hive, "HKCU\\Kept");
    ASSERT_EQ(kept.values().size(), 1u);
    EXPECT_EQ(kept.values()[0].data, "last line without a line end\0"s);
}

TEST(HiveText, BadLinesAreSkippedAndTheRestIsRead)
{
    const char* bad[] = {
        "\"unclosed=\"x\"",
        "\"a\"",
        "\"a\"=\"unclosed",
        "\"a\"=\"x\"trailing",
        "\"a\"=dword:123456789",
        "\"a\"=dword:",
        "\"a\"=dword:12g4",
        "\"a\"=hex:1,2,333",
        "\"a\"=hex:01,,02",
        "\"a\"=hex:,",
        "\"a\"=hex(zz):01",
        "\"a\"=hex(1:01",
        "\"a\"=hex(123456789):01",
        "\"a\"=hex;01",
        "\"a\"=text",
        "junk",
        "\"",
        "@",
        "@=",
        "\"a\"=hex(1):31,\\",
    };
    for (const char* line : bad)
    {
        std::string text = std::string(reg::kHiveSignature) + "\r\n[HKEY_CURRENT_USER\\K]\r\n" +
                           line + "\r\n\"good\"=dword:00000007\r\n";
        reg::ParseReport report;
        reg::Hive hive = parse(text, &report);
        const reg::Key& k = key(hive, "HKCU\\K");
        // Only the good value made it; the bad line is reported.
        ASSERT_FALSE(k.values().empty()) << line;
        EXPECT_EQ(k.values().back(), (reg::Value{"good", reg::kTypeDword, "\7\0\0\0"s})) << line;
        if (std::string(line) != "\"a\"=hex(1):31,\\")
        {
            EXPECT_EQ(k.values().size(), 1u) << line;
            EXPECT_EQ(report.warnings.size(), 1u) << line;
        }
    }
}

TEST(HiveText, ValuesOutsideAKnownKeyAreSkipped)
{
    const char* headers[] = {
        "[HKEY_NOWHERE\\x]",
        "[HKEY_CURRENT_USER\\unclosed",
        "[-HKEY_CURRENT_USER]",
        "[]",
        "[",
        "[-HKEY_CURRENT_USER\\K]",
    };
    for (const char* header : headers)
    {
        std::string text = std::string(reg::kHiveSignature) + "\n\"early\"=dword:1\n" + header +
                           "\n\"lost\"=dword:2\n";
        reg::ParseReport report;
        reg::Hive hive = parse(text, &report);
        EXPECT_EQ(hive, reg::Hive()) << header;
        EXPECT_GE(report.warnings.size(), 2u) << header;
        EXPECT_LE(report.warnings.size(), 3u) << header;
    }
}

TEST(HiveText, ATextThatIsNotAnExportIsRefusedWhole)
{
    const std::string refused[] = {
        "",
        "\r\n\r\n",
        "[HKEY_CURRENT_USER\\K]\r\n\"a\"=dword:1\r\n",
        "Windows Registry Editor Version 4.00\r\n",
        "\xFF\xFEW\0i\0n\0"s,
    };
    for (const auto& text : refused)
    {
        reg::Hive hive;
        hive.create(*reg::ParseKeyPath("HKCU\\Before"));
        reg::Hive before = hive;
        reg::ParseReport report = reg::ApplyHiveText(text, hive);
        EXPECT_FALSE(report.ok) << text;
        EXPECT_FALSE(report.error.empty());
        EXPECT_EQ(hive, before);
    }
    reg::Hive hive;
    EXPECT_TRUE(reg::ApplyHiveText("\n  REGEDIT4\n[HKCU\\x]\n", hive).ok);
}

TEST(HiveText, AKeyTreeIsFormattedWithTheKeysOwnSpelling)
{
    reg::Hive hive;
    hive.create(*reg::ParseKeyPath("HKCU\\Outer\\Inner"))->setValue("v", reg::kTypeString, "x\0"s);
    hive.create(*reg::ParseKeyPath("HKCU\\Other"));
    EXPECT_EQ(reg::FormatKeyTree(hive, *reg::ParseKeyPath("hkcu\\OUTER")),
              "[HKEY_CURRENT_USER\\Outer]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Outer\\Inner]\r\n\"v\"=\"x\"\r\n\r\n");
    EXPECT_EQ(reg::FormatKeyTree(hive, *reg::ParseKeyPath("HKCU\\Missing")), "");
}

} // namespace

namespace
{

TEST(HiveText, TheHivesOwnFileKeepsWhatItCannotReadWhereItStood)
{
    const std::string text = std::string(reg::kHiveSignature) +
                             "\r\n"
                             "; a note before every key\r\n"
                             "\r\n"
                             "[HKEY_CURRENT_USER\\K]\r\n"
                             "\"a\"=dword:00000001\r\n"
                             "\"Typo\"=dword:1234567g\n" // a line end of its own
                             "\"b\"=dword:00000002\r\n"
                             "\r\n"
                             "[HKEY_NOWHERE\\X]\r\n" // a block no key holds
                             "\"c\"=dword:00000003\r\n"
                             "\r\n"
                             "[HKEY_CURRENT_USER\\K\\Sub]\r\n"
                             "\"d\"=hex:01,zz,\\\r\n  03\r\n" // two lines, one value
                             "junk at the end, cut off";
    reg::ParseReport report;
    reg::Hive hive;
    report = reg::ApplyHiveText(text, hive, reg::UnreadableLines::Keep);
    ASSERT_TRUE(report.ok);
    ASSERT_EQ(report.warnings.size(), 5u);
    EXPECT_EQ(report.warnings[0].rfind("line 6:", 0), 0u) << report.warnings[0];
    EXPECT_EQ(report.warnings[4].rfind("line 15:", 0), 0u) << report.warnings[4];

    // Changes around the kept lines leave them in place.
    reg::Key* k = hive.find(*reg::ParseKeyPath("HKCU\\K"));
    k->removeValue("a");
    k->setValue("e", reg::kTypeDword, "\5\0\0\0"s);
    EXPECT_EQ(reg::FormatHive(hive), std::string(reg::kHiveSignature) +
                                         "\r\n\r\n"
                                         "; a note before every key\r\n"
                                         "\r\n"
                                         "[HKEY_CURRENT_USER\\K]\r\n"
                                         "\"Typo\"=dword:1234567g\n"
                                         "\"b\"=dword:00000002\r\n"
                                         "\"e\"=dword:00000005\r\n"
                                         "\r\n"
                                         "[HKEY_NOWHERE\\X]\r\n"
                                         "\"c\"=dword:00000003\r\n"
                                         "\r\n"
                                         "[HKEY_CURRENT_USER\\K\\Sub]\r\n"
                                         "\"d\"=hex:01,zz,\\\r\n  03\r\n"
                                         "junk at the end, cut off\r\n"
                                         "\r\n");

    // An import skips them instead.
    reg::Hive imported;
    ASSERT_TRUE(reg::ApplyHiveText(text, imported).ok);
    EXPECT_FALSE(imported.keepsText());
}

TEST(HiveText, DeletingAKeyHandsTheBlocksAfterItToItsParent)
{
    const std::string text = std::string(reg::kHiveSignature) +
                             "\n[HKEY_CURRENT_USER\\A\\B]\n\"bad\"=dword:\n"
                             "[HKEY_NOWHERE]\n\"v\"=\"w\"\n";
    reg::Hive hive;
    ASSERT_TRUE(reg::ApplyHiveText(text, hive, reg::UnreadableLines::Keep).ok);
    ASSERT_TRUE(hive.remove(*reg::ParseKeyPath("HKCU\\A")));
    EXPECT_EQ(reg::FormatHive(hive), std::string(reg::kHiveSignature) +
                                         "\r\n\r\n"
                                         "[HKEY_CURRENT_USER]\r\n\r\n"
                                         "[HKEY_NOWHERE]\n\"v\"=\"w\"\n\r\n");
}

} // namespace
