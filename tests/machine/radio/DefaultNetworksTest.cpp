// The default radio environment: each network's security is what its beacon elements say.

#include "machine/radio/DefaultNetworks.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{

using namespace machine::radio;

struct Security
{
    bool rsn = false;
    bool wpa = false;
    std::set<std::uint32_t> pairwise{};
    std::set<std::uint32_t> akm{};
    bool ht = false;
    bool vendorHt = false;
    int ssidElements = 0;
    std::string ssid{};
    bool wellFormed = true;
};

std::uint32_t suiteAt(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return (std::uint32_t(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// Version, group, pairwise list, AKM list, read by hand with every read bounded.
bool readSuites(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t end, Security& s)
{
    if (at + 8 > end)
        return false;
    at += 6; // version, group
    std::size_t count = b[at] | (b[at + 1] << 8);
    at += 2;
    if (at + 4 * count + 2 > end)
        return false;
    for (std::size_t i = 0; i < count; ++i, at += 4)
        s.pairwise.insert(suiteAt(b, at));
    count = b[at] | (b[at + 1] << 8);
    at += 2;
    if (at + 4 * count > end)
        return false;
    for (std::size_t i = 0; i < count; ++i, at += 4)
        s.akm.insert(suiteAt(b, at));
    return true;
}

Security parse(const Network& n)
{
    Security s;
    const auto& e = n.elements;
    std::size_t at = 0;
    while (at + 2 <= e.size())
    {
        std::uint8_t id = e[at];
        std::size_t len = e[at + 1];
        std::size_t body = at + 2;
        if (body + len > e.size())
        {
            s.wellFormed = false;
            break;
        }
        if (id == 0)
        {
            ++s.ssidElements;
            s.ssid.assign(e.begin() + body, e.begin() + body + len);
        }
        else if (id == 48)
            s.rsn = readSuites(e, body, body + len, s) || (s.wellFormed = false);
        else if (id == 45 || id == 61)
            s.ht = true;
        else if (id == 221 && len >= 4 && e[body] == 0x00 && e[body + 1] == 0x50 &&
                 e[body + 2] == 0xF2 && e[body + 3] == 1)
            s.wpa = readSuites(e, body + 4, body + len, s) || (s.wellFormed = false);
        else if (id == 221 && len >= 4 && e[body] == 0x00 && e[body + 1] == 0x90 &&
                 e[body + 2] == 0x4C)
            s.vendorHt = true;
        at = body + len;
    }
    if (at != e.size())
        s.wellFormed = false;
    return s;
}

TEST(DefaultNetworks, SecurityIsWhatTheElementsSay)
{
    auto list = DefaultNetworks();
    std::map<std::string, const Network*> bySsid;
    std::set<Bssid> bssids;
    std::set<std::int32_t> signals;
    for (const auto& n : list)
    {
        bySsid[n.ssid] = &n;
        bssids.insert(n.bssid);
        signals.insert(n.rssi);
        Security s = parse(n);
        EXPECT_TRUE(s.wellFormed) << n.ssid;
        EXPECT_EQ(s.ssidElements, 1) << n.ssid;
        EXPECT_EQ(s.ssid, n.ssid);
        EXPECT_EQ(n.bssid[0] & 0x03, 0x02) << "locally administered, unicast";
        EXPECT_EQ(ChannelFrequencyKhz(n.channel), n.frequencyKhz) << n.ssid;
        EXPECT_EQ(n.linkQuality, QualityFromRssi(n.rssi));
        // Privacy is set exactly where there is some security.
        EXPECT_EQ((n.capability & kCapPrivacy) != 0, s.rsn || s.wpa || n.ssid == "Lantern WEP")
            << n.ssid;
    }
    EXPECT_EQ(bssids.size(), list.size());
    EXPECT_GE(signals.size(), list.size() - 1);

    struct Case
    {
        std::string ssid;
        bool rsn, wpa;
        std::set<std::uint32_t> pairwise, akm;
    } cases[] = {
        {"Harbor Guest", false, false, {}, {}},
        {"Lantern WEP", false, false, {}, {}},
        {"Millbrook TKIP", false, true, {0x0050F202}, {0x0050F202}},
        {"Orchard AES", true, false, {0x000FAC04}, {0x000FAC02}},
        {"Cobalt Mixed",
         true,
         true,
         {0x000FAC04, 0x000FAC02, 0x0050F202},
         {0x000FAC02, 0x0050F202}},
        {"Quarry Corp", true, false, {0x000FAC04}, {0x000FAC01}},
        {"", true, false, {0x000FAC04}, {0x000FAC02}},
        {"Pebble AdHoc", false, false, {}, {}},
        {"Nimbus Eleven", true, false, {0x000FAC04}, {0x000FAC02}},
    };
    ASSERT_EQ(list.size(), std::size(cases));
    for (const auto& c : cases)
    {
        ASSERT_TRUE(bySsid.count(c.ssid)) << c.ssid;
        Security s = parse(*bySsid[c.ssid]);
        EXPECT_EQ(s.rsn, c.rsn) << c.ssid;
        EXPECT_EQ(s.wpa, c.wpa) << c.ssid;
        EXPECT_EQ(s.pairwise, c.pairwise) << c.ssid;
        EXPECT_EQ(s.akm, c.akm) << c.ssid;
    }

    const Network& adhoc = *bySsid["Pebble AdHoc"];
    EXPECT_EQ(adhoc.bssType, kIndependent);
    EXPECT_EQ(adhoc.capability & (kCapIbss | kCapEss), kCapIbss);
    const Network& n = *bySsid["Nimbus Eleven"];
    EXPECT_EQ(n.phyType, kPhyHt);
    EXPECT_TRUE(parse(n).ht);
    EXPECT_TRUE(parse(n).vendorHt);
    EXPECT_EQ(bySsid["Quarry Corp"]->frequencyKhz, 5180000u);
}

TEST(DefaultNetworks, ChannelTableCoversTheThreeBands)
{
    struct Case
    {
        std::uint32_t channel;
        std::optional<std::uint32_t> khz;
    } cases[] = {{1, 2412000},      {13, 2472000},      {14, 2484000},
                 {36, 5180000},     {165, 5825000},     {184, 4920000},
                 {0, std::nullopt}, {15, std::nullopt}, {200, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(ChannelFrequencyKhz(c.channel), c.khz) << c.channel;
}

} // namespace
