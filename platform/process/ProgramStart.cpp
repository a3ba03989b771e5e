#include "platform/process/internal/ProgramStart.h"

#include "machine/Machine.h"
#include "machine/MachineCheck.h"

#include <cstdio>
#include <exception>

namespace platform
{

bool StartProgramOnMachine(const std::string& program)
{
    std::string why;
    try
    {
        why = machine::UnusableMachineReason(machine::CurrentMachine().root());
    }
    catch (const std::exception& e)
    {
        // The check names the cause better than the first call that met it.
        why = machine::UnusableMachineReason(machine::DefaultMachineDirectory());
        if (why.empty())
            why = e.what();
    }
    if (why.empty())
        return true;
    std::fprintf(stderr, "%s: the machine cannot be used: %s\n", program.c_str(), why.c_str());
    return false;
}

} // namespace platform
