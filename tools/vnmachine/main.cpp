// vnmachine: creates a simulated machine, shows and changes its state.

#include "machine/Machine.h"
#include "machine/MachineCheck.h"
#include "tools/vnmachine/VnmachineCommands.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--machine")
    {
        ::setenv("TESSARYN_MACHINE", args[1].c_str(), 1);
        args.erase(args.begin(), args.begin() + 2);
    }
    else if (!args.empty() && args[0].rfind("--machine=", 0) == 0)
    {
        ::setenv("TESSARYN_MACHINE", args[0].substr(10).c_str(), 1);
        args.erase(args.begin());
    }
    // Help needs no machine; everything else says first why the machine cannot be used.
    const bool help =
        args.empty() ||
        std::any_of(args.begin(), args.end(),
                    [](const auto& a) { return a == "help" || a == "--help" || a == "-h"; });
    try
    {
        if (!help)
            if (const std::string why =
                    machine::UnusableMachineReason(machine::DefaultMachineDirectory());
                !why.empty())
            {
                std::cerr << "vnmachine: the machine cannot be used: " << why << "\n";
                return 1;
            }
        return VnmachineCommands().run(args);
    }
    catch (const std::exception& e)
    {
        std::cerr << "vnmachine: " << e.what() << "\n";
        return 1;
    }
}
