#include "machine/radio/Network.h"

#include "machine/HexDigit.h"

#include <cstdio>

namespace machine::radio
{

std::optional<std::uint32_t> ChannelFrequencyKhz(std::uint32_t channel)
{
    if (channel >= 1 && channel <= 13)
        return (2407 + 5 * channel) * 1000;
    if (channel == 14)
        return 2484000;
    if (channel >= 34 && channel <= 177)
        return (5000 + 5 * channel) * 1000;
    if (channel >= 182 && channel <= 196)
        return (4000 + 5 * channel) * 1000;
    return std::nullopt;
}

std::uint32_t QualityFromRssi(std::int32_t rssi)
{
    if (rssi <= -100)
        return 0;
    if (rssi >= -50)
        return 100;
    return static_cast<std::uint32_t>(2 * (rssi + 100));
}

std::string FormatBssid(const Bssid& bssid)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", bssid[0], bssid[1], bssid[2],
                  bssid[3], bssid[4], bssid[5]);
    return text;
}

std::optional<Bssid> ParseBssid(const std::string& text)
{
    if (text.size() != 17)
        return std::nullopt;
    Bssid b{};
    for (std::size_t i = 0; i < 6; ++i)
    {
        int hi = HexDigit(text[i * 3]);
        int lo = HexDigit(text[i * 3 + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        if (i < 5 && text[i * 3 + 2] != '-' && text[i * 3 + 2] != ':')
            return std::nullopt;
        b[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return b;
}

std::string ToHex(const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes)
    {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> FromHex(const std::string& text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2)
    {
        int hi = HexDigit(text[i]);
        int lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return out;
}

} // namespace machine::radio
