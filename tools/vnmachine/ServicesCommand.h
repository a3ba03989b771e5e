#pragma once
// vnmachine services: the machine's services.
// Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunServicesCommand(const std::vector<std::string>& args);
