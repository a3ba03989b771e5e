#pragma once
// The adapter's driver loaded again (replug, reboot, the mode switch).

#include "machine/Machine.h"

#include <string>

namespace machine::miniport
{

// What a fresh driver holds: the start marker reads 0, there is no link, the access point is
// not started and has no stations, no event waits; the operation mode is read from the driver
// key's "OpMode" as the driver reads it at load ("1" access point, anything else or none
// station). Settings the driver keeps in its store stay.
void ReloadDriver(const Machine& machine, const std::string& netCfgInstanceId);

} // namespace machine::miniport
