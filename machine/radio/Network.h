#pragma once
// A network in range of the machine's radio: one BSS as its beacons show it. The information
// elements are kept as the raw bytes a beacon carries (id, length, body, ...), unchecked, so a
// malformed beacon can be simulated as well as a sound one.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::radio
{

// The platform's dot11 PHY type numbers.
enum PhyType : std::uint32_t
{
    kPhyOfdm = 4,   // "A"
    kPhyHrDsss = 5, // "B"
    kPhyErp = 6,    // "G"
    kPhyHt = 7,     // "N"
};

enum BssType : std::uint32_t
{
    kInfrastructure = 1,
    kIndependent = 2, // ad hoc
};

// Capability information bits of a beacon.
constexpr std::uint16_t kCapEss = 0x0001;
constexpr std::uint16_t kCapIbss = 0x0002;
constexpr std::uint16_t kCapPrivacy = 0x0010;

constexpr std::size_t kMaxSsid = 32;

using Bssid = std::array<std::uint8_t, 6>;

struct Network
{
    std::string ssid{}; // 0 to 32 bytes, any values; empty: a hidden network
    Bssid bssid{};
    std::uint32_t channel = 1;
    std::uint32_t frequencyKhz = 2412000; // may lie outside the channel table
    std::int32_t rssi = -60;              // dBm
    std::uint32_t linkQuality = 80;       // 0 to 100
    std::uint32_t phyType = kPhyErp;
    std::uint32_t bssType = kInfrastructure;
    std::uint16_t capability = kCapEss;
    std::uint16_t beaconPeriod = 100; // time units
    std::vector<std::uint8_t> elements{};

    bool operator==(const Network&) const = default;
};

// Centre frequency of a channel: 1-14 at 2.4 GHz, 34-177 at 5 GHz, 182-196 at 4.9 GHz.
// Nullopt for a channel in none of them.
std::optional<std::uint32_t> ChannelFrequencyKhz(std::uint32_t channel);

// The link quality a signal of `rssi` dBm gives: -100 dBm and below 0, -50 and above 100.
std::uint32_t QualityFromRssi(std::int32_t rssi);

// "02-54-59-00-00-01"; parsing also takes ':' between the bytes.
std::string FormatBssid(const Bssid& bssid);
std::optional<Bssid> ParseBssid(const std::string& text);

// Upper-case hex with no separators; parsing takes either case and fails on an odd length or
// any other character.
std::string ToHex(const std::vector<std::uint8_t>& bytes);
std::optional<std::vector<std::uint8_t>> FromHex(const std::string& text);

} // namespace machine::radio
