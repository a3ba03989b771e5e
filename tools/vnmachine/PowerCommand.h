#pragma once
// vnmachine power: power events sent to the running programs.
// Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunPowerCommand(const std::vector<std::string>& args);
