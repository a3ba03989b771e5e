#pragma once
// vnmachine networks: the networks in range of the machine's radio, listed, added, removed,
// changed and loaded from a file (`vnmachine networks help` lists the commands). Exit status 1
// when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "networks".
int RunNetworksCommand(const Words& args);
