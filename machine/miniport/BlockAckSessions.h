#pragma once
// The driver's 802.11n block-ack sessions: one table a mode (3076 bytes: 32 originator and 32
// recipient peer entries of 48 bytes, then the two counts), changed by the 14-byte session
// requests of either program. Entries in use stay packed at the front of their side.

#include <cstddef>
#include <string>

namespace machine::miniport
{

inline constexpr std::size_t kBaTableSize = 3076;
inline constexpr std::size_t kBaRequestSize = 14;

// {u8 direction, MAC at 1, u8 TID at 7, u8 window size at 8, ..., u8 whole entry at 12}.
// A session for a new peer takes the side's next free entry; its TID's bit is set and its window
// size kept as the TID's value. A request for an all-zero MAC changes nothing. False for a
// direction or TID the table has no place for, or a full side.
bool AddBaSession(std::string& table, const std::string& request);
// Clears the TID's session, or the whole entry when byte 12 is 1; an entry left without sessions
// leaves the table. A peer the table lacks changes nothing. False for a bad direction or TID.
bool DeleteBaSession(std::string& table, const std::string& request);

} // namespace machine::miniport
