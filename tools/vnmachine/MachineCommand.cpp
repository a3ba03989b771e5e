#include "tools/vnmachine/MachineCommand.h"

#include "machine/Machine.h"

#include <iostream>

int RunInitCommand(const Words& args)
{
    NeedWords(args, 0);
    machine::Machine& m = machine::CurrentMachine(); // creates the image when missing
    std::cout << "machine at " << m.root().string() << "\n";
    return 0;
}

int RunWhereCommand(const Words& args)
{
    NeedWords(args, 0);
    std::cout << machine::CurrentMachine().root().string() << "\n";
    return 0;
}
