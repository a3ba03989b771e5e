#include "tools/vnmachine/WlanCommand.h"

#include <iostream>

int RunWlanCommand(const std::vector<std::string>& args)
{
    std::cerr << "vnmachine wlan: not available yet\n";
    return 1;
}
