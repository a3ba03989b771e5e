#pragma once
// vnmachine init and where: the machine directory itself.

#include "tools/vnmachine/Command.h"

// Creates the default machine when none exists, and says where it is.
int RunInitCommand(const Words& args);
// Prints the machine directory (creating the machine when none exists).
int RunWhereCommand(const Words& args);
