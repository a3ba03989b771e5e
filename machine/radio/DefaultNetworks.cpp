#include "machine/radio/DefaultNetworks.h"

#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"

namespace machine::radio
{
namespace
{

// Made on use, not at load: a program may build its default machine while its own static
// objects are still being constructed.
Bytes ratesFor(std::uint32_t phy, std::uint32_t channel)
{
    if (phy == kPhyHrDsss)
        return {0x82, 0x84, 0x8B, 0x96};
    if (channel > 14)
        return {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
    return {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
}

// Locally administered addresses, so none is any real maker's.
Bssid bssid(std::uint8_t last)
{
    return {0x02, 0x54, 0x59, 0x00, 0x00, last};
}

Network make(const std::string& ssid, std::uint8_t id, std::uint32_t channel, std::int32_t rssi,
             std::uint32_t phy, std::uint16_t capability, const Bytes& security)
{
    Network n;
    n.ssid = ssid;
    n.bssid = bssid(id);
    n.channel = channel;
    n.frequencyKhz = ChannelFrequencyKhz(channel).value_or(0);
    n.rssi = rssi;
    n.linkQuality = QualityFromRssi(rssi);
    n.phyType = phy;
    n.capability = capability;
    n.elements = Concat({SsidElement(ssid), RatesElements(ratesFor(phy, channel)),
                         DsParameterElement(static_cast<std::uint8_t>(channel)), security});
    return n;
}

} // namespace

std::vector<Network> DefaultNetworks()
{
    const std::uint16_t ess = kCapEss;
    const std::uint16_t secured = kCapEss | kCapPrivacy;
    std::vector<Network> list;
    list.push_back(make("Harbor Guest", 1, 1, -48, kPhyErp, ess, {}));
    list.push_back(make("Lantern WEP", 2, 6, -67, kPhyErp, secured, {}));
    list.push_back(make("Millbrook TKIP", 3, 11, -72, kPhyErp, secured,
                        WpaElement(kWpaTkip, {kWpaTkip}, {kWpaAkmPsk})));
    list.push_back(make("Orchard AES", 4, 3, -55, kPhyErp, secured,
                        RsnElement(kRsnCcmp, {kRsnCcmp}, {kRsnAkmPsk})));
    list.push_back(make("Cobalt Mixed", 5, 9, -60, kPhyErp, secured,
                        Concat({RsnElement(kRsnTkip, {kRsnCcmp, kRsnTkip}, {kRsnAkmPsk}),
                                WpaElement(kWpaTkip, {kWpaTkip}, {kWpaAkmPsk})})));
    list.push_back(make("Quarry Corp", 6, 36, -63, kPhyOfdm, secured,
                        RsnElement(kRsnCcmp, {kRsnCcmp}, {kRsnAkm8021x})));
    // Hidden: the beacon carries a zero-length SSID element.
    list.push_back(
        make("", 7, 6, -81, kPhyErp, secured, RsnElement(kRsnCcmp, {kRsnCcmp}, {kRsnAkmPsk})));
    Network adhoc = make("Pebble AdHoc", 8, 10, -76, kPhyHrDsss, kCapIbss, {});
    adhoc.bssType = kIndependent;
    list.push_back(adhoc);
    // 802.11n at 5 GHz, 40 MHz with the secondary channel above, two streams; it carries the
    // pre-standard vendor HT elements as well, as the early HT access points did.
    list.push_back(
        make("Nimbus Eleven", 9, 44, -42, kPhyHt, secured,
             Concat({RsnElement(kRsnCcmp, {kRsnCcmp}, {kRsnAkmPsk}),
                     HtCapabilitiesElement(0x01EE, 2), HtOperationElement(44, 1),
                     VendorHtCapabilitiesElement(0x01EE, 2), VendorHtInformationElement(44, 1)})));
    return list;
}

void WriteDefaultNetworks(const Machine& machine)
{
    if (!std::filesystem::exists(NetworksPath(machine)))
        SaveNetworks(machine, DefaultNetworks());
}

} // namespace machine::radio
