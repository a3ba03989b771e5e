#pragma once
// vnmachine init and where: the machine directory itself.

#include "tools/vnmachine/Command.h"

#include <ostream>

// Before a command makes or changes the machine: false, and why on err, when it cannot be used
// (a file where a folder belongs, a folder it may not write).
bool MachineUsableOrSay(std::ostream& err);
// Creates the default machine when none exists, and says where it is.
int RunInitCommand(const Words& args);
// Prints the machine directory (creating the machine when none exists).
int RunWhereCommand(const Words& args);
