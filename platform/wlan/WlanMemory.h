#pragma once
// The blocks the WLAN API hands out (one allocation per returned list or record, freed with
// WlanFreeMemory), counted so that a test sees nothing leaks.

#include <cstddef>

namespace platform::wlan
{

// Blocks handed out and not yet freed, in this process.
std::size_t LiveWlanBlocks();

} // namespace platform::wlan
