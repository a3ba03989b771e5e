#pragma once
// The WLAN service's notifications journal: every notification the service sends, numbered and
// stamped with the machine time it falls due. Only the newest kJournalLimit are kept.

#include "machine/wlan/ServiceState.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace machine::wlan
{

inline constexpr std::size_t kJournalLimit = 256;

void Journal(ServiceState& state, std::uint64_t due, std::uint32_t source, std::uint32_t code,
             const std::string& guid, std::vector<std::uint8_t> data = {});

// A notification's data: a 32-bit value as it lies in memory (a reason code).
std::vector<std::uint8_t> Le32(std::uint32_t value);
// The PHY radio record of a radio_state_change: the PHY index, its software and hardware state.
std::vector<std::uint8_t> RadioRecord(std::uint32_t phyIndex, std::uint32_t software,
                                      std::uint32_t hardware);

} // namespace machine::wlan
