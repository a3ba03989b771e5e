#pragma once
// vnmachine services: the machine's services, their states and start types, and the log of the
// calls programs made on them. Starts and stops go through the machine as a program's would
// (pending first, done after a short while); `vnmachine services help` lists the commands. Exit
// status 1 when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "services".
int RunServicesCommand(const Words& args);
