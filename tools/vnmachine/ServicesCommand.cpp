#include "tools/vnmachine/ServicesCommand.h"

#include <iostream>

int RunServicesCommand(const std::vector<std::string>& args)
{
    std::cerr << "vnmachine services: not available yet\n";
    return 1;
}
