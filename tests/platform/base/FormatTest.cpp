#include "platform/base/CString.h"
#include "platform/base/WinStrings.h"

#include <clocale>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <type_traits>
#include <unistd.h>

namespace
{

std::string ViaVaList(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString s;
    s.FormatV(format, args);
    va_end(args);
    return std::string(s);
}

// Formats through the argument pack and, where the arguments can travel through C varargs,
// through a va_list too: both must agree.
template <class... A> std::string F(const char* format, const A&... args)
{
    CString s;
    s.Format(format, args...);
    if constexpr ((std::is_trivially_copyable_v<std::decay_t<A>> && ...))
    {
        EXPECT_EQ(ViaVaList(format, args...), std::string(s)) << "va_list path of " << format;
    }
    return std::string(s);
}

// The argument pack only: these arguments do not match their conversions, which C varargs
// cannot survive.
template <class... A> std::string P(const char* format, const A&... args)
{
    CString s;
    s.Format(format, args...);
    return std::string(s);
}

TEST(Format, EveryConversionTheProgramsUse)
{
    struct Case
    {
        std::string got;
        const char* want;
    } cases[] = {
        {F("%d", -5), "-5"},
        {F("%i", 42), "42"},
        {F("%u", 3000000000u), "3000000000"},
        {F("%u", -1), "4294967295"},
        {F("%x", 255), "ff"},
        {F("%X", 255), "FF"},
        {F("%x", -1), "ffffffff"},
        {F("%02X", 5), "05"},
        {F("%02x", 0xAB), "ab"},
        {F("%02X", 0x1234), "1234"},
        {F("%08X", 0xBEEF), "0000BEEF"},
        {F("%s", "abc"), "abc"},
        {F("%hs", "abc"), "abc"},
        {F("%c", 'A'), "A"},
        {F("%lu", 4000000000u), "4000000000"},
        {F("%ld", -7), "-7"},
        {F("%.1f", 54.04), "54.0"},
        {F("%.1f", -0.05), "-0.1"},
        {F("%.2f", 3.14159), "3.14"},
        {F("%.2f", 2.0f), "2.00"},
        {F("%f", 1.5), "1.500000"},
        {F("100%%"), "100%"},
        {F("%I64d", std::int64_t{-9000000000}), "-9000000000"},
        {F("%I64d", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        {F("%I64d", std::numeric_limits<std::int64_t>::max()), "9223372036854775807"},
        {F("%I64u", std::numeric_limits<std::uint64_t>::max()), "18446744073709551615"},
        {F("%I64X", std::uint64_t{0xDEADBEEFCAFEull}), "DEADBEEFCAFE"},
        {F("%lld", -1LL), "-1"},
        {F("%p", reinterpret_cast<void*>(0x1234)), "00001234"},
        {F("%p", reinterpret_cast<void*>(0xABCDEF12)), "ABCDEF12"},
        {F("%hd", 70000), "4464"},
        {F("%hu", -1), "65535"},
        {F("%o", 8), "10"},
        {F("%e", 12345.678), "1.234568e+04"},
        {F("%g", 0.0001), "0.0001"},
        {F("%d|%s|%c", 1, "two", '3'), "1|two|3"},
        {F("plain text"), "plain text"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(Format, WidthsFlagsAndPrecision)
{
    struct Case
    {
        std::string got;
        const char* want;
    } cases[] = {
        {F("[%5d]", 42), "[   42]"},
        {F("[%-5d]", 42), "[42   ]"},
        {F("[%05d]", -42), "[-0042]"},
        {F("[%-05d]", 42), "[42   ]"},
        {F("[%+d]", 5), "[+5]"},
        {F("[%+d]", -5), "[-5]"},
        {F("[% d]", 5), "[ 5]"},
        {F("[%+u]", 5), "[5]"},
        {F("[%#x]", 255), "[0xff]"},
        {F("[%#X]", 255), "[0XFF]"},
        {F("[%#x]", 0), "[0]"},
        {F("[%#o]", 8), "[010]"},
        {F("[%.3d]", 7), "[007]"},
        {F("[%08.3d]", 7), "[     007]"},
        {F("[%.0d]", 0), "[]"},
        {F("[%*d]", 4, 7), "[   7]"},
        {F("[%-*d]", 4, 7), "[7   ]"},
        {F("[%*d]", -4, 7), "[7   ]"},
        {F("[%.*s]", 2, "abcdef"), "[ab]"},
        {F("[%.*s]", -1, "abc"), "[abc]"},
        {F("[%10.3s]", "abcdef"), "[       abc]"},
        {F("[%-6s]", "ab"), "[ab    ]"},
        {F("[%5c]", 'x'), "[    x]"},
        {F("[%5.1f]", 54.04), "[ 54.0]"},
        {F("[%-7.2f]", 1.0), "[1.00   ]"},
        {F("[%+.1f]", 2.0), "[+2.0]"},
        {F("[%07.2f]", -1.5), "[-001.50]"},
        {F("[%12p]", reinterpret_cast<void*>(0xFF)), "[    000000FF]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(Format, StringsAndCharactersKeepTheirBytes)
{
    EXPECT_EQ(F("%s", "caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(F("%c", '\xE9'), "\xE9");
    EXPECT_EQ(F("%d", '\xE9'), "-23"); // char is signed, as on the platform
    EXPECT_EQ(F("%02x", static_cast<unsigned char>('\xE9')), "e9");
    const unsigned char ssid[] = {'N', 0xFF, 'T', 0};
    EXPECT_EQ(F("%s", ssid), "N\xFFT");
    EXPECT_EQ(F("%s", static_cast<const char*>(nullptr)), "(null)");
    EXPECT_EQ(F("%ls", u"h\u00E9\U0001F600"), "h\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(F("%S", u"wide"), "wide");
    EXPECT_EQ(F("%ws", u"wide"), "wide");
    EXPECT_EQ(F("%lc", u'\u00E9'), "\xC3\xA9");
    EXPECT_EQ(F("%.2ls", u"abc"), "ab");
}

TEST(Format, FrameworkObjectsAsArguments)
{
    CString name("Home");
    std::string extra = "net";
    CString s;
    s.Format("%s/%s:%d", name, extra, 3);
    EXPECT_EQ(s, "Home/net:3");
    s.AppendFormat(" %s", name);
    EXPECT_EQ(s, "Home/net:3 Home");

    // Formatting a string into itself reads the old value.
    CString self("ab");
    self.Format("%s%s", self, self);
    EXPECT_EQ(self, "abab");

    enum Mode
    {
        ModeA = 7
    };
    EXPECT_EQ(F("%d", ModeA), "7");
    EXPECT_EQ(F("%d", true), "1");
}

TEST(Format, MismatchedAndMissingArgumentsNeverMisreadMemory)
{
    struct Case
    {
        std::string got;
        const char* want;
    } cases[] = {
        {P("%d %s"), "0 (null)"},
        {P("%s", 5), "(null)"},
        {P("%d", 2.5), "0"},
        {P("%.1f", 3), "3.0"},
        {P("%I64d", -1), "-1"},
        {P("%I64u", -1), "18446744073709551615"},
        {P("%d", std::int64_t{0x100000005}), "5"},
        {F("%y"), "%y"},
        {F("50%"), "50%"},
        {F("%n", static_cast<int*>(nullptr)), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(F("%s", static_cast<const char*>(nullptr)), "(null)");
    CString s("unchanged");
    s.Format(static_cast<const char*>(nullptr));
    EXPECT_EQ(s, "");
}

TEST(Format, OutputIsBoundedOnlyByItsOwnSize)
{
    const std::string big(100000, 'x');
    EXPECT_EQ(F("%s", big.c_str()), big);
    EXPECT_EQ(F("%100000d", 1).size(), static_cast<std::size_t>(platform::kMaxFieldWidth));
    EXPECT_EQ(F("%.2000000000d", 1).size(), static_cast<std::size_t>(platform::kMaxFieldWidth));
    EXPECT_EQ(F("%.400f", 1.0).size(), 402u);
}

TEST(Format, WsprintfCutsAtItsLimitAndTerminates)
{
    char buffer[1100];
    std::memset(buffer, '#', sizeof buffer);
    const std::string big(2000, 'y');
    EXPECT_EQ(wsprintfA(buffer, "%s", big.c_str()), 1023);
    EXPECT_EQ(buffer[1022], 'y');
    EXPECT_EQ(buffer[1023], '\0');
    EXPECT_EQ(buffer[1024], '#');
    EXPECT_EQ(wsprintfA(buffer, "%s=%02X", "key", 10), 6);
    EXPECT_STREQ(buffer, "key=0A");
}

// A locale whose decimal point is a comma: an installed one, else one compiled for this test
// when the locale sources and compiler are present.
const char* SelectCommaLocale(const std::filesystem::path& scratch)
{
    static const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8",  "fr_FR.UTF-8",
                                       "fr_FR.utf8",  "nl_NL.UTF-8", "de_DE"};
    for (const char* name : candidates)
        if (std::setlocale(LC_ALL, name) != nullptr)
            return name;
    if (!std::filesystem::exists("/usr/share/i18n/locales/de_DE"))
        return nullptr;
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (scratch / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return nullptr;
    setenv("LOCPATH", scratch.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr ? "de_DE.UTF-8" : nullptr;
}

TEST(Format, DecimalPointIgnoresTheProcessLocale)
{
    const auto scratch =
        std::filesystem::temp_directory_path() / ("tessaryn-locale-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    const char* chosen = SelectCommaLocale(scratch);
    if (chosen == nullptr)
    {
        std::filesystem::remove_all(scratch);
        GTEST_SKIP() << "no locale with a decimal comma is available";
    }
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << chosen;
    ASSERT_EQ(std::to_string(0.5).substr(0, 3), "0,5"); // the C library itself now uses ','
    const std::string a = F("%.1f", 54.04);
    const std::string b = F("%.2f|%e|%g", 3.14159, 1.5, 0.25);
    std::setlocale(LC_ALL, "C");
    std::filesystem::remove_all(scratch);
    EXPECT_EQ(a, "54.0");
    EXPECT_EQ(b, "3.14|1.500000e+00|0.25");
}

} // namespace
