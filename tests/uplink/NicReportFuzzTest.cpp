// Drives the report parser's fuzz entry with seeded, mutated reports, so that every build (and
// the sanitizer build) runs it without libFuzzer.

#include "tests/fuzz/NicReportFuzz.cpp"

#include "uplink/KnownWirelessAdapters.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{

const char kSeed[] = "Windows IP Configuration\r\n"
                     "\r\n"
                     "Ethernet adapter Local Area Connection:\r\n"
                     "\r\n"
                     "        Connection-specific DNS Suffix  . : \r\n"
                     "        Description . . . . . . . . . . . : Brightwire Fast Ethernet "
                     "Adapter\r\n"
                     "        Physical Address. . . . . . . . . : 00-11-22-33-44-55\r\n"
                     "        Dhcp Enabled. . . . . . . . . . . : Yes\r\n"
                     "        Autoconfiguration Enabled . . . . : Yes\r\n"
                     "        IP Address. . . . . . . . . . . . : 10.0.0.5\r\n"
                     "\r\n"
                     "Ethernet adapter Wireless Network Connection:\r\n"
                     "\r\n"
                     "        Media State . . . . . . . . . . . : Media disconnected\r\n"
                     "        Description . . . . . . . . . . . : Tessaryn KWF-9310USB Wireless "
                     "LAN Adapter\r\n"
                     "        Physical Address. . . . . . . . . : 00-0C-43-30-52-77\r\n"
                     "\r\n"
                     "PPP adapter Dial-up:\r\n"
                     "\r\n"
                     "        Connection-specific DNS Suffix  . : \r\n"
                     "        Description . . . . . . . . . . . : WAN (PPP/SLIP) Interface\r\n"
                     "        Physical Address. . . . . . . . . : 00-53-45-00-00-00\r\n"
                     "        Dhcp Enabled. . . . . . . . . . . : No\r\n"
                     "        IP Address. . . . . . . . . . . . : 10.64.1.7\r\n";

// Pieces the parser looks for, so that mutations reach its branches.
const std::string kTokens[] = {"Ethernet adapter",
                               "PPP adapter",
                               "Ethernet adapter X:\n",
                               "PPP adapter Y:\n\n",
                               "Connection-specific",
                               ": ",
                               ":",
                               "Yes",
                               "\n",
                               "\r\n",
                               "\r",
                               "\t",
                               " ",
                               std::string(1, '\0'),
                               "Tessaryn KQ3400 USB Wireless LAN Adapter",
                               "\xFF\xFE"};

std::string Mutate(std::string text, std::mt19937& random)
{
    int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; e++)
    {
        std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        switch (random() % 6)
        {
        case 0: // flip a byte
            if (!text.empty())
                text[at % text.size()] = static_cast<char>(random());
            break;
        case 1: // insert a token
            text.insert(at, kTokens[random() % std::size(kTokens)]);
            break;
        case 2: // cut the rest (a file ending anywhere)
            text.resize(at);
            break;
        case 3: // delete a run
            text.erase(at, random() % 40);
            break;
        case 4: // repeat a run (many blocks)
        {
            std::string run = text.substr(at, random() % 400);
            for (int n = static_cast<int>(random() % 12); n > 0; n--)
                text.insert(at, run);
            break;
        }
        default: // random bytes
            for (int n = static_cast<int>(random() % 16); n > 0; n--)
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at),
                            static_cast<char>(random()));
            break;
        }
    }
    return text;
}

int Feed(const std::string& input)
{
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                  input.size());
}

TEST(NicReportFuzzTest, SeedParsesToItsConnections)
{
    ASSERT_EQ(Feed(kSeed), 0);
    EXPECT_EQ(g_nAdapterCount, 2);
    EXPECT_EQ(g_strWirelessName, "Wireless Network Connection");
}

TEST(NicReportFuzzTest, MutatedReportsParseSoundly)
{
    std::mt19937 random(20261210);
    std::string current = kSeed;
    for (int i = 0; i < 4000; i++)
    {
        std::string input = Mutate(i % 4 == 0 ? std::string(kSeed) : current, random);
        ASSERT_EQ(Feed(input), 0);
        // Keep growing inputs up to a bound, as a fuzzer's corpus would.
        current = input.size() < 64 * 1024 ? input : std::string(kSeed);
    }
}

TEST(NicReportFuzzTest, RandomBytesParseSoundly)
{
    std::mt19937 random(7);
    for (int i = 0; i < 1000; i++)
    {
        std::string input(random() % 512, '\0');
        for (char& c : input)
            c = static_cast<char>(random());
        ASSERT_EQ(Feed(input), 0);
    }
}

TEST(NicReportFuzzTest, ManyHeadersNeverOverrunTheTable)
{
    std::string input;
    for (int i = 0; i < 300; i++)
        input += (i % 2 ? "PPP adapter P" : "Ethernet adapter E") + std::to_string(i) +
                 ":\n\n        Connection-specific DNS Suffix  . : \n";
    ASSERT_EQ(Feed(input), 0);
    EXPECT_EQ(g_nAdapterCount, MAX_ADAPTER_RECORDS);
}

} // namespace
