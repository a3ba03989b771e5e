#include "client/access/SecurityIes.h"

// The fuzz body, driven here over its seeds and mutations of them in every build.
#define SECURITY_IES_FUZZ_NO_ENTRY
#include "tests/fuzz/SecurityIesFuzz.cpp"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<BYTE>;

const Bytes kWpaOui = {0x00, 0x50, 0xF2};
const Bytes kRsnOui = {0x00, 0x0F, 0xAC};
const Bytes kOtherOui = {0x00, 0x11, 0x22};

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Suite(const Bytes& oui, BYTE type)
{
    return Cat({oui, {type}});
}

Bytes Count(unsigned n)
{
    return {static_cast<BYTE>(n & 0xFF), static_cast<BYTE>(n >> 8)};
}

Bytes List(const Bytes& oui, std::initializer_list<BYTE> types)
{
    Bytes out = Count(static_cast<unsigned>(types.size()));
    for (BYTE type : types)
        out = Cat({out, Suite(oui, type)});
    return out;
}

Bytes Element(BYTE id, const Bytes& body)
{
    return Cat({{id, static_cast<BYTE>(body.size())}, body});
}

// RSN element: version 1, group suite, pairwise list, AKM list, capabilities.
Bytes Rsn(BYTE group, std::initializer_list<BYTE> pairwise, std::initializer_list<BYTE> akm)
{
    return Element(48, Cat({{0x01, 0x00},
                            Suite(kRsnOui, group),
                            List(kRsnOui, pairwise),
                            List(kRsnOui, akm),
                            {0x00, 0x00}}));
}

// WPA vendor element: OUI and type 1, version 1, group suite, pairwise list, AKM list.
Bytes Wpa(BYTE group, std::initializer_list<BYTE> pairwise, std::initializer_list<BYTE> akm)
{
    return Element(221, Cat({kWpaOui,
                             {0x01, 0x01, 0x00},
                             Suite(kWpaOui, group),
                             List(kWpaOui, pairwise),
                             List(kWpaOui, akm)}));
}

Bytes Padded(const Bytes& head, std::size_t length)
{
    Bytes body = head;
    body.resize(length, 0x00);
    return body;
}

Bytes HtVendor(std::size_t length)
{
    return Element(221, Padded({0x00, 0x90, 0x4C, 0x33}, length));
}

Bytes HtOperation(std::size_t length)
{
    return Element(61, Padded({0x06}, length));
}

const Bytes kSsid = Element(0, {'l', 'a', 'b'});
const Bytes kHiddenSsid = Element(0, {});
const Bytes kRates = Element(1, {0x82, 0x84, 0x8B, 0x96});

// One whole entry: the fixed part, then the elements; Length and IELength agree.
Bytes Entry(const Bytes& ies, ULONG privacy = 1, ULONG infrastructureMode = 1)
{
    Bytes entry(NDIS_WLAN_BSSID_EX_FIXED + ies.size(), 0);
    auto* header = reinterpret_cast<NDIS_WLAN_BSSID_EX*>(entry.data());
    header->Length = static_cast<ULONG>(entry.size());
    header->Privacy = privacy;
    header->InfrastructureMode = infrastructureMode;
    header->IELength = static_cast<ULONG>(ies.size());
    if (!ies.empty())
        std::memcpy(entry.data() + NDIS_WLAN_BSSID_EX_FIXED, ies.data(), ies.size());
    return entry;
}

NDIS_WLAN_BSSID_EX* Header(Bytes& entry)
{
    return reinterpret_cast<NDIS_WLAN_BSSID_EX*>(entry.data());
}

// The outputs that are set, by name, in table order.
std::string SetFlags(const BssSecurity& s)
{
    const std::pair<int, const char*> flags[] = {
        {s.bPrivacy, "privacy"},   {s.bTkip, "tkip"}, {s.bWrap, "wrap"},
        {s.bCcmp, "ccmp"},         {s.bWpa, "wpa"},   {s.bWpaPsk, "wpapsk"},
        {s.bWpaNone, "wpanone"},   {s.bWpa2, "wpa2"}, {s.bWpa2Psk, "wpa2psk"},
        {s.bWpa2None, "wpa2none"}, {s.bHt, "ht"}};
    std::string out;
    for (const auto& [value, name] : flags)
    {
        EXPECT_TRUE(value == 0 || value == 1) << name << " = " << value;
        if (value != 0)
            out += out.empty() ? name : std::string(" ") + name;
    }
    return out;
}

std::string Parse(Bytes entry)
{
    BssSecurity out;
    std::memset(&out, 0x5A, sizeof(out));
    ParseSecurityIes(Header(entry), &out);
    return SetFlags(out);
}

struct Case
{
    const char* name;
    Bytes ies;
    ULONG infrastructureMode;
    const char* expected;
};

TEST(SecurityIesTest, ElementTable)
{
    const Case cases[] = {
        {"open", Cat({kSsid, kRates}), 1, "privacy"},
        {"rsn ccmp psk", Cat({kSsid, Rsn(4, {4}, {2})}), 1, "privacy ccmp wpa2psk"},
        {"rsn akm 0 is psk", Cat({kSsid, Rsn(4, {4}, {0})}), 1, "privacy ccmp wpa2psk"},
        {"rsn ccmp+tkip psk", Cat({kSsid, Rsn(2, {4, 2}, {2})}), 1, "privacy tkip ccmp wpa2psk"},
        {"rsn 802.1x", Cat({kSsid, Rsn(4, {4}, {1})}), 1, "privacy ccmp wpa2"},
        {"rsn ad hoc psk", Cat({kSsid, Rsn(4, {4}, {2})}), 0, "privacy ccmp wpa2none"},
        {"rsn 802.1x then psk", Cat({kSsid, Rsn(4, {4}, {1, 2})}), 1, "privacy ccmp wpa2"},
        {"rsn psk then 802.1x", Cat({kSsid, Rsn(4, {4}, {2, 1})}), 1, "privacy ccmp wpa2psk"},
        {"rsn other akm", Cat({kSsid, Rsn(4, {4}, {3})}), 1, "privacy ccmp"},
        {"rsn no akm", Cat({kSsid, Rsn(4, {4}, {})}), 1, "privacy ccmp"},
        {"rsn wrap", Cat({kSsid, Rsn(3, {3}, {2})}), 1, "privacy wrap wpa2psk"},
        {"rsn wep ciphers", Cat({kSsid, Rsn(1, {5}, {2})}), 1, "privacy wpa2psk"},
        {"rsn wpa oui suites",
         Cat({kSsid,
              Element(48,
                      Cat({{1, 0}, Suite(kRsnOui, 4), List(kWpaOui, {2}), List(kWpaOui, {2})}))}),
         1, "privacy ccmp"},
        {"rsn too short",
         Cat({kSsid, Element(48, Cat({{1, 0}, Suite(kRsnOui, 4), Count(1), {0x00, 0x0F}}))}), 1,
         "privacy"},
        {"wpa tkip psk", Cat({kSsid, Wpa(2, {2}, {2})}), 1, "privacy tkip wpapsk"},
        {"wpa akm 0 is psk", Cat({kSsid, Wpa(2, {2}, {0})}), 1, "privacy tkip wpapsk"},
        {"wpa 802.1x", Cat({kSsid, Wpa(2, {2}, {1})}), 1, "privacy tkip wpa"},
        {"wpa ad hoc none", Cat({kSsid, Wpa(2, {2}, {2})}), 0, "privacy tkip wpanone"},
        {"wpa ccmp", Cat({kSsid, Wpa(4, {4}, {2})}), 1, "privacy ccmp wpapsk"},
        {"wpa wrap", Cat({kSsid, Wpa(3, {3}, {1, 2})}), 1, "privacy wrap wpa"},
        {"wpa rsn oui akm",
         Cat({kSsid, Element(221, Cat({kWpaOui,
                                       {1, 1, 0},
                                       Suite(kWpaOui, 2),
                                       List(kWpaOui, {2}),
                                       List(kRsnOui, {2})}))}),
         1, "privacy tkip"},
        {"other vendor element", Cat({kSsid, Element(221, Padded({0x00, 0x50, 0xF2, 0x02}, 24))}),
         1, "privacy"},
        {"mixed wpa and wpa2", Cat({kSsid, Rsn(2, {4, 2}, {2}), Wpa(2, {2}, {2})}), 1,
         "privacy tkip ccmp wpapsk wpa2psk"},
        {"mixed enterprise", Cat({kSsid, Wpa(2, {2}, {1}), Rsn(2, {4}, {1})}), 1,
         "privacy tkip ccmp wpa wpa2"},
        // A foreign group suite ends the whole walk: later elements are not read.
        {"wpa foreign group",
         Cat({kSsid,
              Element(221, Cat({kWpaOui,
                                {1, 1, 0},
                                Suite(kOtherOui, 4),
                                List(kWpaOui, {4}),
                                List(kWpaOui, {2})})),
              Rsn(4, {4}, {2}), HtOperation(22)}),
         1, "privacy"},
        {"rsn foreign group",
         Cat({kSsid,
              Element(48,
                      Cat({{1, 0}, Suite(kOtherOui, 4), List(kRsnOui, {4}), List(kRsnOui, {2})})),
              Wpa(2, {2}, {2})}),
         1, "privacy"},
        // A foreign pairwise suite ends only the pairwise loop; the AKM list still counts.
        {"foreign pairwise",
         Cat({kSsid, Element(48, Cat({{1, 0},
                                      Suite(kRsnOui, 2),
                                      Count(2),
                                      Suite(kOtherOui, 4),
                                      Suite(kRsnOui, 4),
                                      List(kRsnOui, {2})}))}),
         1, "privacy tkip wpa2psk"},
        {"ht vendor 26", Cat({kSsid, HtVendor(26)}), 1, "privacy"},
        {"ht vendor 30", Cat({kSsid, HtVendor(30)}), 1, "privacy ht"},
        {"ht vendor 31", Cat({kSsid, HtVendor(31)}), 1, "privacy"},
        {"ht operation 22", Cat({kSsid, HtOperation(22)}), 1, "privacy ht"},
        {"ht operation 21", Cat({kSsid, HtOperation(21)}), 1, "privacy"},
        {"ht and rsn", Cat({kSsid, HtOperation(22), Rsn(4, {4}, {2}), HtVendor(30)}), 1,
         "privacy ccmp wpa2psk ht"},
        // An empty first element (hidden SSID) does not stop the walk; a later one does.
        {"empty first", Cat({kHiddenSsid, Rsn(4, {4}, {2})}), 1, "privacy ccmp wpa2psk"},
        {"empty later", Cat({kSsid, Element(5, {}), Rsn(4, {4}, {2})}), 1, "privacy"},
        {"empty third", Cat({kSsid, kRates, Element(7, {}), Wpa(2, {2}, {2})}), 1, "privacy"},
        {"empty after rsn", Cat({kSsid, Rsn(4, {4}, {2}), Element(5, {}), HtOperation(22)}), 1,
         "privacy ccmp wpa2psk"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(Entry(c.ies, 1, c.infrastructureMode)), c.expected) << c.name;
}

TEST(SecurityIesTest, MalformedElementsStayInBounds)
{
    // WPA element of length 16: its AKM count lies outside it.
    Bytes wpa16 = Element(221, Cat({kWpaOui, {1, 1, 0}, Suite(kWpaOui, 2), List(kWpaOui, {2})}));
    ASSERT_EQ(wpa16[1], 16);
    // RSN element whose pairwise count exceeds what it holds.
    Bytes rsnCount =
        Element(48, Cat({{1, 0}, Suite(kRsnOui, 2), Count(0xFFFF), Suite(kRsnOui, 4)}));
    // RSN element whose AKM count exceeds what it holds.
    Bytes akmCount = Element(48, Cat({{1, 0}, Suite(kRsnOui, 4), List(kRsnOui, {4}), Count(7)}));
    // RSN element whose length runs past the end of the list.
    Bytes truncated = Rsn(4, {4}, {2});
    truncated.resize(truncated.size() - 3);

    const Case cases[] = {
        {"wpa len 16", Cat({kSsid, wpa16, Rsn(4, {4}, {2})}), 1, "privacy tkip"},
        {"pairwise count", Cat({kSsid, HtVendor(30), rsnCount, Wpa(2, {2}, {2})}), 1,
         "privacy tkip ccmp ht"},
        {"akm count", Cat({kSsid, akmCount, Wpa(2, {2}, {2})}), 1, "privacy ccmp"},
        {"truncated element", Cat({kSsid, HtOperation(22), truncated}), 1, "privacy ht"},
        {"truncated first", truncated, 1, "privacy"},
        {"length byte last", Cat({kSsid, HtOperation(22), {48}}), 1, "privacy ht"},
    };
    for (const Case& c : cases)
    {
        // Exactly the elements' bytes on the heap, so that a read past them is caught.
        EXPECT_EQ(Parse(Entry(c.ies, 1, c.infrastructureMode)), c.expected) << c.name;
    }
}

TEST(SecurityIesTest, ShortListsAndPrivacy)
{
    // Three bytes or fewer are not walked.
    EXPECT_EQ(Parse(Entry({48, 1, 0}, 1)), "privacy");
    EXPECT_EQ(Parse(Entry({}, 0)), "");
    EXPECT_EQ(Parse(Entry({61, 0, 61}, 0)), "");
    // Only a Privacy of exactly 1 counts.
    EXPECT_EQ(Parse(Entry(Cat({kSsid, HtOperation(22)}), 2)), "ht");
    EXPECT_EQ(Parse(Entry(Cat({kSsid, HtOperation(22)}), 0)), "ht");
    // The fields of the fixed part other than Privacy and the mode do not matter.
    Bytes entry = Entry(Cat({kSsid, Rsn(4, {4}, {2})}), 0);
    Header(entry)->Rssi = -40;
    std::memset(Header(entry)->SupportedRates, 0xFF, sizeof(Header(entry)->SupportedRates));
    EXPECT_EQ(Parse(entry), "ccmp wpa2psk");
}

TEST(SecurityIesTest, IeLengthIsBoundedByTheEntryLength)
{
    // The entry's Length covers only the SSID element; an RSN element lies past it in memory.
    Bytes entry = Entry(Cat({kSsid, Rsn(4, {4}, {2})}));
    Header(entry)->Length = static_cast<ULONG>(NDIS_WLAN_BSSID_EX_FIXED + kSsid.size());
    EXPECT_EQ(Parse(entry), "privacy");

    // An IELength beyond the entry reads only what the entry holds.
    Bytes longer = Entry(Cat({kSsid, Rsn(4, {4}, {2})}));
    Header(longer)->IELength = 0xFFFFFFF0;
    EXPECT_EQ(Parse(longer), "privacy ccmp wpa2psk");

    // A shorter IELength wins over Length.
    Bytes shorter = Entry(Cat({kSsid, Rsn(4, {4}, {2})}));
    Header(shorter)->IELength = static_cast<ULONG>(kSsid.size());
    EXPECT_EQ(Parse(shorter), "privacy");
}

TEST(SecurityIesTest, OutputsAreClearedFirst)
{
    Bytes entry = Entry(Cat({kSsid, Rsn(4, {4}, {2})}));
    BssSecurity out;
    std::memset(&out, 0, sizeof(out));
    out.bWpa = out.bTkip = out.bHt = 1;
    ParseSecurityIes(Header(entry), &out);
    EXPECT_EQ(SetFlags(out), "privacy ccmp wpa2psk");
    ParseSecurityIes(nullptr, &out);
    EXPECT_EQ(SetFlags(out), "");
}

std::vector<Bytes> CorpusSeeds()
{
    std::filesystem::path folder =
        std::filesystem::path(__FILE__).parent_path() / "../../fuzz/corpus/securityies";
    std::vector<Bytes> seeds;
    for (const auto& file : std::filesystem::directory_iterator(folder))
    {
        std::ifstream in(file.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

int Feed(const Bytes& input)
{
    return security_ies_fuzz::RunOne(input.data(), input.size());
}

TEST(SecurityIesTest, FuzzBodyOverSeedsAndMutations)
{
    std::vector<Bytes> seeds = CorpusSeeds();
    ASSERT_GE(seeds.size(), 5u);
    for (const Bytes& seed : seeds)
        ASSERT_EQ(Feed(seed), 0);

    std::mt19937 random(20261210);
    for (int i = 0; i < 20000; i++)
    {
        Bytes input = seeds[random() % seeds.size()];
        for (int edits = 1 + static_cast<int>(random() % 6); edits > 0; edits--)
        {
            std::size_t at = random() % (input.size() + 1);
            switch (random() % 5)
            {
            case 0: // a byte of the elements (or the lengths in front of them)
                if (!input.empty())
                    input[std::max<std::size_t>(at, 112) % input.size()] =
                        static_cast<BYTE>(random());
                break;
            case 1: // cut the entry anywhere
                input.resize(at);
                break;
            case 2: // delete a run
                input.erase(input.begin() + static_cast<std::ptrdiff_t>(at),
                            input.begin() + static_cast<std::ptrdiff_t>(
                                                std::min(input.size(), at + random() % 8)));
                break;
            case 3: // insert a small element of a kind the parser reads
            {
                const BYTE ids[] = {0, 48, 61, 221};
                Bytes element = {ids[random() % 4], static_cast<BYTE>(random() % 40)};
                for (int n = static_cast<int>(random() % 34); n > 0; n--)
                    element.push_back(static_cast<BYTE>(random() % 6));
                input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), element.begin(),
                             element.end());
                break;
            }
            default: // a random IELength
                if (input.size() >= 116)
                {
                    ULONG ieLength = static_cast<ULONG>(random() % (input.size() + 8));
                    std::memcpy(input.data() + 112, &ieLength, sizeof(ieLength));
                }
                break;
            }
        }
        ASSERT_EQ(Feed(input), 0);
    }
}

} // namespace
