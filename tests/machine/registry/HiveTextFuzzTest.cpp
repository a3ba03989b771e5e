// Random and mutated texts fed to the hive parser: it never fails unsafely, and whatever it
// reads is written and read back unchanged.

#include "machine/registry/HiveText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace std::string_literals;
namespace reg = machine::registry;

namespace
{

std::string seedText()
{
    reg::Hive hive;
    reg::Key* k = hive.create(*reg::ParseKeyPath("HKLM\\SOFTWARE\\Fuzz\\Key"));
    k->setValue("s", reg::kTypeString, "text \"q\" \\\0"s);
    k->setValue("n", reg::kTypeString, "1");
    k->setValue("", reg::kTypeDword, "\1\2\3\4"s);
    k->setValue("m", reg::kTypeMultiString, "aa\0bb\0\0"s);
    std::string bytes;
    for (int i = 0; i < 120; ++i)
        bytes += static_cast<char>(i * 7);
    k->setValue("b", reg::kTypeBinary, bytes);
    hive.create(*reg::ParseKeyPath("HKCU\\Empty"));
    return reg::FormatHive(hive) + "[-HKCU\\Gone]\r\n\"x\"=-\r\n";
}

// Both as an import and as the hive's own file, which keeps what it cannot read: the kept lines
// must come back as the same kept lines, in the same places.
void checkStable(const std::string& text)
{
    for (auto mode : {reg::UnreadableLines::Skip, reg::UnreadableLines::Keep})
    {
        reg::Hive hive;
        reg::ParseReport report = reg::ApplyHiveText(text, hive, mode);
        if (!report.ok)
            return;
        std::string once = reg::FormatHive(hive);
        reg::Hive again;
        ASSERT_TRUE(reg::ApplyHiveText(once, again, mode).ok);
        ASSERT_EQ(again, hive) << text;
        ASSERT_EQ(reg::FormatHive(again), once);
    }
}

TEST(HiveTextFuzz, MutatedExportsParseSafelyAndReadBackUnchanged)
{
    const std::string seed = seedText();
    const char alphabet[] = "[]\\\"@=-,:;()\r\n\t hexdword0123456789abcdefHKEY_\xff";
    std::mt19937 rng(20240611);
    for (int iteration = 0; iteration < 3000; ++iteration)
    {
        std::string text = seed;
        int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !text.empty(); ++e)
        {
            std::size_t at = rng() % text.size();
            switch (rng() % 4)
            {
            case 0:
                text[at] = alphabet[rng() % (sizeof alphabet - 1)];
                break;
            case 1:
                text.insert(at, 1, alphabet[rng() % (sizeof alphabet - 1)]);
                break;
            case 2:
                text.erase(at, 1 + rng() % 16);
                break;
            default:
                text.resize(at);
                break;
            }
        }
        checkStable(text);
    }
}

TEST(HiveTextFuzz, RandomBytesAfterTheSignatureParseSafely)
{
    std::mt19937 rng(7);
    for (int iteration = 0; iteration < 1000; ++iteration)
    {
        std::string text = std::string(reg::kHiveSignature) + "\n[HKCU\\R]\n";
        std::size_t length = rng() % 300;
        for (std::size_t i = 0; i < length; ++i)
            text += static_cast<char>(rng() % 4 == 0 ? "\"\\[\n="[rng() % 5] : rng() % 256);
        checkStable(text);
    }
}

} // namespace
