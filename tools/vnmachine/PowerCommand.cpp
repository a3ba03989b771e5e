#include "tools/vnmachine/PowerCommand.h"

#include <iostream>

int RunPowerCommand(const std::vector<std::string>& args)
{
    std::cerr << "vnmachine power: not available yet\n";
    return 1;
}
