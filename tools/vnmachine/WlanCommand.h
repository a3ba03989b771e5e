#pragma once
// vnmachine wlan: the machine's WLAN service.
// Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunWlanCommand(const std::vector<std::string>& args);
