#include "platform/process/internal/ProgramStart.h"

#include "machine/Machine.h"
#include "machine/MachineCheck.h"
#include "machine/MachineDamage.h"
#include "platform/system/DebugOutput.h"

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
    if (!why.empty())
    {
        std::fprintf(stderr, "%s: the machine cannot be used: %s\n", program.c_str(), why.c_str());
        return false;
    }
    // A damaged file leaves a machine that runs on what it could read: say where it is.
    for (const auto& damage : machine::DamagedMachineFiles(machine::CurrentMachine()))
    {
        std::fprintf(stderr, "%s: damaged machine file: %s\n", program.c_str(), damage.c_str());
        OutputDebugStringA((program + ": damaged machine file: " + damage).c_str());
    }
    return true;
}

} // namespace platform
