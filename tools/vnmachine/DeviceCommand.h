#pragma once
// vnmachine devices: the machine's network devices, listed, installed, removed, unplugged and
// replugged. vnmachine driver: the wireless adapter's driver, its state, request log, injected
// faults and instrumentation events. `vnmachine devices help` and `vnmachine driver help` list
// the commands. Exit status 1 when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after the command's name.
int RunDevicesCommand(const Words& args);
int RunDriverCommand(const Words& args);
