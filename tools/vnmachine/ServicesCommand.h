#pragma once
// vnmachine services: the machine's services, their states and start types, and the log of the
// calls programs made on them. Starts and stops go through the machine as a program's would
// (pending first, done after a short while). Exit status 1 when the command fails, 2 on a usage
// error.

#include <string>
#include <vector>

int RunServicesCommand(const std::vector<std::string>& args);
