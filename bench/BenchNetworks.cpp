#include "bench/BenchNetworks.h"

#include "machine/radio/Elements.h"

#include <string>

namespace bench
{

std::vector<machine::radio::Network> NetworksInRange(int count)
{
    std::vector<machine::radio::Network> list;
    for (int i = 0; i < count; ++i)
    {
        machine::radio::Network n;
        n.ssid = "Network " + std::to_string(i);
        n.bssid = {0x02,
                   0x11,
                   0x22,
                   static_cast<std::uint8_t>(i >> 16),
                   static_cast<std::uint8_t>(i >> 8),
                   static_cast<std::uint8_t>(i)};
        n.channel = 1 + static_cast<std::uint32_t>(i % 11);
        n.frequencyKhz = 2412000 + 5000 * (n.channel - 1);
        n.rssi = -40 - i % 50;
        n.elements = machine::radio::SsidElement(n.ssid);
        const auto rates = machine::radio::RatesElements({0x82, 0x84, 0x8b, 0x96, 0x0c, 0x12});
        n.elements.insert(n.elements.end(), rates.begin(), rates.end());
        const auto ds = machine::radio::DsParameterElement(static_cast<std::uint8_t>(n.channel));
        n.elements.insert(n.elements.end(), ds.begin(), ds.end());
        list.push_back(n);
    }
    return list;
}

} // namespace bench
