#pragma once
// What of a machine's own files could not be read. Each file reads what it can and passes the
// rest over, so a hand-edited typo leaves a machine that still runs; this says where it is, so
// that a person learns of it at once instead of meeting an empty or default machine.

#include "machine/Machine.h"

#include <string>
#include <vector>

namespace machine
{

// "<kind> <path>, line N: <what>" for each line that did not read, "<kind> <path>: <what>" for a
// file refused whole (the registry, the networks, the devices, the system). Empty for a sound
// machine.
std::vector<std::string> DamagedMachineFiles(const Machine& machine);

} // namespace machine
