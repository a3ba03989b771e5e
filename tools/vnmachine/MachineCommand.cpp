#include "tools/vnmachine/MachineCommand.h"

#include "machine/Machine.h"
#include "machine/MachineCheck.h"

#include <filesystem>
#include <iostream>

bool MachineUsableOrSay(std::ostream& err)
{
    const std::string why = machine::UnusableMachineReason(machine::DefaultMachineDirectory());
    if (!why.empty())
        err << "vnmachine: the machine cannot be used: " << why << "\n";
    return why.empty();
}

int RunInitCommand(const Words& args)
{
    NeedWords(args, 0);
    if (!MachineUsableOrSay(std::cerr))
        return 1;
    machine::SetCreateWhenMissing(true);
    machine::Machine& m = machine::CurrentMachine(); // creates the image when missing
    std::cout << "machine at " << m.root().string() << "\n";
    return 0;
}

int RunWhereCommand(const Words& args)
{
    NeedWords(args, 0);
    // Where the machine is or would be: asking does not make it.
    std::cout << std::filesystem::absolute(machine::DefaultMachineDirectory()).string() << "\n";
    return 0;
}
