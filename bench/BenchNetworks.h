#pragma once
// Networks in range for the benchmarks of scan lists: `count` access points, each its own SSID,
// spread over the 2.4 GHz channels, with the elements a beacon carries at least.

#include "machine/radio/Network.h"

#include <vector>

namespace bench
{

std::vector<machine::radio::Network> NetworksInRange(int count);

} // namespace bench
