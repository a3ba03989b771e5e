#include "machine/LineLog.h"

#include "machine/Folders.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>

namespace machine
{
namespace
{

int openForAppend(const std::filesystem::path& log, FileAccess access)
{
    const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0644;
    int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, mode);
    if (fd < 0 && errno == ENOENT)
    {
        std::error_code ec;
        CreateFolders(log.parent_path(), ec);
        fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, mode);
    }
    return fd;
}

void readLines(const std::filesystem::path& file, std::vector<std::string>& lines)
{
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
    {
        if (auto stored = SplitStoredLine(line))
            line = std::string(stored->text);
        lines.push_back(std::move(line));
    }
}

bool readNumber(std::string_view& rest, std::uint64_t& value)
{
    auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc() || end == rest.data() || end == rest.data() + rest.size() || *end != ' ')
        return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()) + 1);
    return true;
}

} // namespace

std::filesystem::path OlderLogGeneration(const std::filesystem::path& log)
{
    std::filesystem::path older = log;
    older += ".1";
    return older;
}

void AppendLogLine(const Machine& machine, const std::filesystem::path& log,
                   const std::string& line, FileAccess access)
{
    MachineLock lock(machine);
    // Appended piece by piece: GCC 12 takes `"#" + std::string` for an overlapping copy.
    std::string stored = "#";
    stored.append(std::to_string(lock.nextSequence())).append(" ");
    stored.append(std::to_string(MachineNow())).append(" ");
    // A line end inside the text (an SSID may hold any byte) would split the record.
    for (char c : line)
        stored += c == '\n' ? std::string_view("\\n") : std::string_view(&c, 1);
    stored += '\n';
    int fd = openForAppend(log, access);
    if (fd < 0)
        return;
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0 && st.st_size > 0 &&
        static_cast<std::uintmax_t>(st.st_size) + stored.size() > kLogCapBytes)
    {
        ::close(fd);
        ::rename(log.c_str(), OlderLogGeneration(log).c_str());
        fd = openForAppend(log, access);
        if (fd < 0)
            return;
    }
    // One write of the whole line.
    [[maybe_unused]] ssize_t n = ::write(fd, stored.data(), stored.size());
    ::close(fd);
}

std::vector<std::string> ReadLogLines(const Machine& machine, const std::filesystem::path& log)
{
    MachineLock lock(machine);
    std::vector<std::string> lines;
    readLines(OlderLogGeneration(log), lines);
    readLines(log, lines);
    return lines;
}

void ClearLog(const Machine& machine, const std::filesystem::path& log)
{
    MachineLock lock(machine);
    std::error_code ec;
    std::filesystem::remove(log, ec);
    std::filesystem::remove(OlderLogGeneration(log), ec);
}

std::optional<StoredLine> SplitStoredLine(std::string_view line)
{
    if (line.empty() || line.front() != '#')
        return std::nullopt;
    std::string_view rest = line.substr(1);
    StoredLine stored;
    if (!readNumber(rest, stored.seq) || !readNumber(rest, stored.time_ms))
        return std::nullopt;
    stored.text = rest;
    return stored;
}

} // namespace machine
