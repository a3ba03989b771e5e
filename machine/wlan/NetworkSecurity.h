#pragma once
// The security of a network in range, as the WLAN service reads it from the network's privacy
// bit and its RSN and WPA elements, and whether a network offers what a profile asks for.

#include "machine/radio/Network.h"
#include "machine/wlan/WlanCodes.h"

#include <cstdint>

namespace machine::wlan
{

struct Security
{
    bool enabled = false;
    bool oneX = false;
    std::uint32_t auth = kAuthOpen;
    std::uint32_t cipher = kCipherNone;

    bool operator==(const Security&) const = default;
};

// Open without the privacy bit; with it WEP, unless an RSN or a WPA element names a key
// management and a pairwise cipher (PSK or 802.1X; CCMP or TKIP). An RSN element wins over a WPA
// element; of two of a kind the later one counts.
Security NetworkSecurity(const radio::Network& network);

// Whether the network offers the authentication and cipher a profile asks for: open or shared
// without privacy for no cipher, with privacy and neither RSN nor WPA for WEP; a WPA or WPA2
// algorithm when one of the network's WPA or RSN elements lists its key management and cipher.
bool OffersSecurity(const radio::Network& network, std::uint32_t auth, std::uint32_t cipher);

} // namespace machine::wlan
