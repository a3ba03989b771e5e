#pragma once
// vnmachine stations: simulated wireless stations in range of the adapter, which ask to join its
// access point while it runs: listed, added with the key they use, removed. `vnmachine stations
// help` lists the commands. Exit status 1 when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "stations".
int RunStationsCommand(const Words& args);
