#include "machine/LineLog.h"

#include "machine/MachineLock.h"

#include <fstream>

namespace machine
{

void AppendLogLine(const Machine& machine, const std::filesystem::path& log,
                   const std::string& line)
{
    MachineLock lock(machine);
    std::error_code ec;
    std::filesystem::create_directories(log.parent_path(), ec);
    std::ofstream out(log, std::ios::app | std::ios::binary);
    out << line << "\n";
}

std::vector<std::string> ReadLogLines(const Machine& machine, const std::filesystem::path& log)
{
    MachineLock lock(machine);
    std::vector<std::string> lines;
    std::ifstream in(log, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

void ClearLog(const Machine& machine, const std::filesystem::path& log)
{
    MachineLock lock(machine);
    std::error_code ec;
    std::filesystem::remove(log, ec);
}

} // namespace machine
