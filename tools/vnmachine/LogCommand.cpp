#include "tools/vnmachine/LogCommand.h"

#include "platform/system/DebugOutput.h"
#include "tools/vnmachine/ProgramsCommand.h"

#include <fstream>
#include <iostream>
#include <string>

int RunLogCommand(const Words& args)
{
    NeedWords(args, 0, 1);
    if (args.size() == 1)
    {
        if (args[0] != "programs")
            throw UsageError{};
        return RunProgramsCommand({"log"});
    }
    std::ifstream in(platform::DebugLogPath());
    std::string line;
    while (std::getline(in, line))
        std::cout << line << "\n";
    return 0;
}
