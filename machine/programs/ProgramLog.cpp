#include "machine/programs/ProgramLog.h"

#include "machine/MachineLock.h"

#include <fstream>

namespace machine::programs
{

std::filesystem::path ProgramLogPath(const Machine& machine)
{
    return machine.root() / "programs.log";
}

void AppendProgramLog(const Machine& machine, const std::string& line)
{
    MachineLock lock(machine);
    std::ofstream out(ProgramLogPath(machine), std::ios::app | std::ios::binary);
    out << line << "\n";
}

std::vector<std::string> ReadProgramLog(const Machine& machine)
{
    MachineLock lock(machine);
    std::vector<std::string> lines;
    std::ifstream in(ProgramLogPath(machine), std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

void ClearProgramLog(const Machine& machine)
{
    MachineLock lock(machine);
    std::error_code ec;
    std::filesystem::remove(ProgramLogPath(machine), ec);
}

} // namespace machine::programs
