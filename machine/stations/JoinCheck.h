#pragma once
// Whether a station's key lets it join the access point as the program set it up: the
// authentication (0x0D810118) and encryption (0x0D81011B) codes, the keys added (0x0D81011D) and
// the SSID the access point broadcasts (the last 0x0D810102). Before the key, the last
// access-control list (0x0DF10110: policy 1 takes only the stations listed, 2 turns them away)
// decides whether the station is heard at all.

#include "machine/miniport/AdapterState.h"
#include "machine/stations/Station.h"

#include <optional>
#include <string>

namespace machine::stations
{

enum class JoinCheck
{
    Joins,
    WrongKey,        // the key does not match: "associated with invalid PSK password"
    NoAuthenticator, // 802.1X and WPA with a RADIUS server: the machine has none, nobody joins
    NotAllowed       // the access-control list keeps the station out; nothing is told
};

JoinCheck CheckJoin(const miniport::AdapterState& accessPoint, const Station& station);

// The station's pairwise master key: its 64 hex digits, or PBKDF2-HMAC-SHA1 of its passphrase
// salted with the SSID, 4096 iterations, 32 bytes. Computed here with libcrypto, apart from the
// programs' own hashing, so that a wrong derivation on either side keeps the station out;
// nullopt for a passphrase when libcrypto cannot be loaded.
std::optional<std::string> StationPsk(const std::string& passphrase, const std::string& ssid);

} // namespace machine::stations
