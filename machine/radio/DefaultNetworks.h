#pragma once
// The networks in range of a new machine: one of each kind of security, a hidden one, an ad
// hoc one and an 802.11n one, at differing signal.

#include "machine/Machine.h"
#include "machine/radio/Network.h"

#include <vector>

namespace machine::radio
{

std::vector<Network> DefaultNetworks();

// Writes the default networks unless the machine has its networks file already.
void WriteDefaultNetworks(const Machine& machine);

} // namespace machine::radio
