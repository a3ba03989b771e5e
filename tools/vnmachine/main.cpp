// vnmachine: creates a simulated machine, shows and changes its state.

#include "machine/Machine.h"
#include "machine/MachineDamage.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/ToolOptions.h"
#include "tools/vnmachine/VnmachineCommands.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    ToolOptions options;
    try
    {
        options = ReadToolOptions({argv + 1, argv + argc});
    }
    catch (const std::invalid_argument& e)
    {
        std::cerr << "vnmachine: " << e.what() << "\n";
        return 2;
    }
    if (options.version)
    {
        std::cout << "vnmachine " << TESSARYN_VERSION << "\n";
        return 0;
    }
    if (options.json && !JsonApplies(options.words))
    {
        std::cerr << "vnmachine: --json is for ui list, ui show, wlan status, networks, devices, "
                     "connections, services, sharing, stations, system and the logs\n";
        return 2;
    }
    SetJsonOutput(options.json);
    if (options.machine)
        ::setenv("TESSARYN_MACHINE", options.machine->c_str(), 1);
    // Only init and the starting of a program make a machine; everything else finds one.
    machine::SetCreateWhenMissing(false);
    try
    {
        // A machine that is there is read as it stands (nothing is made for the look); what of it
        // cannot be read is said before anything else.
        const bool help =
            std::any_of(options.words.begin(), options.words.end(),
                        [](const auto& a) { return a == "help" || a == "--help" || a == "-h"; });
        if (const machine::Machine there(machine::DefaultMachineDirectory());
            !help && there.exists())
            for (const auto& damage : machine::DamagedMachineFiles(there))
                std::cerr << "vnmachine: damaged machine file: " << damage << "\n";
        return VnmachineCommands().run(options.words);
    }
    catch (const std::exception& e)
    {
        std::cerr << "vnmachine: " << e.what() << "\n";
        return 1;
    }
}
