#include "tools/vnmachine/LogCommand.h"

#include "machine/LineLog.h"
#include "machine/LogJournal.h"
#include "machine/registry/RegistryLog.h"
#include "platform/system/DebugOutput.h"
#include "tools/vnmachine/ProgramsCommand.h"

#include <iostream>
#include <string>

int RunLogCommand(const Words& args)
{
    NeedWords(args, 0, 1);
    if (args.size() == 1)
    {
        if (args[0] == "all")
        {
            for (const machine::JournalLine& line : machine::ReadJournal(machine::CurrentMachine()))
                std::cout << "#" << line.seq << " " << line.time_ms << " " << line.log << " "
                          << line.text << "\n";
            return 0;
        }
        if (args[0] == "registry")
        {
            const auto& m = machine::CurrentMachine();
            for (const std::string& line :
                 machine::ReadLogLines(m, machine::registry::RegistryLogPath(m)))
                std::cout << line << "\n";
            return 0;
        }
        if (args[0] != "programs")
            throw UsageError{};
        return RunProgramsCommand({"log"});
    }
    for (const std::string& line :
         machine::ReadLogLines(machine::CurrentMachine(), platform::DebugLogPath()))
        std::cout << line << "\n";
    return 0;
}
