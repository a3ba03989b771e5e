#include "machine/programs/ProgramLog.h"

#include "machine/LineLog.h"

namespace machine::programs
{

std::filesystem::path ProgramLogPath(const Machine& machine)
{
    return machine.root() / "programs.log";
}

void AppendProgramLog(const Machine& machine, const std::string& line)
{
    AppendLogLine(machine, ProgramLogPath(machine), line);
}

std::vector<std::string> ReadProgramLog(const Machine& machine)
{
    return ReadLogLines(machine, ProgramLogPath(machine));
}

void ClearProgramLog(const Machine& machine)
{
    ClearLog(machine, ProgramLogPath(machine));
}

} // namespace machine::programs
