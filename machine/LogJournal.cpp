#include "machine/LogJournal.h"

#include "machine/LineLog.h"
#include "machine/MachineLock.h"

#include <algorithm>
#include <fstream>

namespace machine
{
namespace
{

bool isLog(const std::filesystem::path& file)
{
    std::string name = file.filename().string();
    if (name.size() > 2 && name.compare(name.size() - 2, 2, ".1") == 0)
        name.resize(name.size() - 2);
    return name == "log.txt" || (name.size() > 4 && name.compare(name.size() - 4, 4, ".log") == 0);
}

std::string logName(const std::filesystem::path& file, const std::filesystem::path& root)
{
    std::string name = file.lexically_relative(root).generic_string();
    if (name.size() > 2 && name.compare(name.size() - 2, 2, ".1") == 0)
        name.resize(name.size() - 2);
    return name;
}

void readFile(const std::filesystem::path& file, const std::string& log,
              const JournalFilter& filter, std::vector<JournalLine>& out)
{
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
    {
        auto stored = SplitStoredLine(line);
        if (!stored || stored->seq <= filter.afterSeq || stored->time_ms < filter.since_ms)
            continue;
        out.push_back({stored->seq, stored->time_ms, log, std::string(stored->text)});
    }
}

} // namespace

std::vector<JournalLine> ReadJournal(const Machine& machine, const JournalFilter& filter)
{
    MachineLock lock(machine);
    std::vector<JournalLine> lines;
    const std::filesystem::path drives = machine.root() / "drive";
    std::error_code ec;
    std::filesystem::recursive_directory_iterator it(machine.root(), ec), end;
    for (; !ec && it != end; it.increment(ec))
    {
        if (it->path() == drives)
        {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(ec) || !isLog(it->path()))
            continue;
        std::string log = logName(it->path(), machine.root());
        if (filter.logs.empty() ||
            std::find(filter.logs.begin(), filter.logs.end(), log) != filter.logs.end())
            readFile(it->path(), log, filter, lines);
    }
    std::sort(lines.begin(), lines.end(),
              [](const JournalLine& a, const JournalLine& b) { return a.seq < b.seq; });
    if (filter.tail != 0 && lines.size() > filter.tail)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(filter.tail));
    return lines;
}

std::string JournalLogName(const Machine& machine, const std::filesystem::path& log)
{
    return logName(log, machine.root());
}

} // namespace machine
