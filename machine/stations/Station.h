#pragma once
// A simulated wireless station in range of an adapter: it asks to join the adapter's access
// point while that runs, with the key it was configured with.

#include "machine/radio/Network.h"

#include <cstdint>
#include <string>

namespace machine::stations
{

enum class StationKey
{
    None,       // joins an open access point only
    Passphrase, // WPA/WPA2-PSK: 8 to 63 characters, or the PSK itself as 64 hex digits
    Wep,        // a WEP key at one of the access point's key indexes
};

struct Station
{
    radio::Bssid mac{};
    bool powerSave = false;
    StationKey key = StationKey::None;
    std::string passphrase;     // StationKey::Passphrase
    std::uint32_t wepIndex = 0; // StationKey::Wep: the driver's key index, 0 to 3
    std::string wepKey;         // StationKey::Wep: the key's bytes, 5 or 13

    bool operator==(const Station&) const = default;
};

} // namespace machine::stations
