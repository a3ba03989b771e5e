#include "machine/LineLog.h"

#include "machine/FileChanges.h"
#include "machine/Folders.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"
#include "machine/ProcessId.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <mutex>
#include <unordered_map>

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

namespace
{

// How near its cap a log is written under the lock.
constexpr std::uintmax_t kNearCapBytes = 16u << 10;

// A log this process appends to, kept open. What it knows of the file's size is exact as long as
// no other process wrote a line since this one's last: the sequence tells, each line taking the
// next number. Otherwise, or when the file was removed or renamed, it looks at the file again.
struct OpenLog
{
    int fd = -1;
    ino_t inode = 0;
    std::uintmax_t size = 0;
    std::uint64_t lastSeq = 0; // of this process's last line here
    std::uint64_t ownAt = 0;   // this process's count of lines then
    std::optional<std::uint64_t> replacements;
};

struct OpenLogs
{
    std::mutex lock;
    std::uint64_t own = 0; // lines this process wrote, to any log
    std::unordered_map<std::string, OpenLog> logs;
    pid_t owner = ThisProcessId();
};

OpenLogs& openLogs()
{
    // Built on first use and never destroyed: threads may still log while the process ends.
    static OpenLogs* logs = new OpenLogs;
    return *logs;
}

void closeLog(OpenLog& log)
{
    if (log.fd >= 0)
        ::close(log.fd);
    log = OpenLog{};
}

bool reopen(OpenLog& log, const std::filesystem::path& path, FileAccess access)
{
    closeLog(log);
    log.fd = openForAppend(path, access);
    struct stat st
    {
    };
    if (log.fd < 0 || ::fstat(log.fd, &st) != 0)
    {
        closeLog(log);
        return false;
    }
    log.inode = st.st_ino;
    log.size = static_cast<std::uintmax_t>(st.st_size);
    log.replacements = ReplacementsOf(path);
    return true;
}

// The file at the path is still the one open, and its size is known.
bool lookAgain(OpenLog& log, const std::filesystem::path& path, FileAccess access)
{
    struct stat named
    {
    };
    struct stat open
    {
    };
    if (::stat(path.c_str(), &named) != 0 || ::fstat(log.fd, &open) != 0 ||
        named.st_ino != open.st_ino || named.st_dev != open.st_dev)
        return reopen(log, path, access);
    log.size = static_cast<std::uintmax_t>(open.st_size);
    log.replacements = ReplacementsOf(path);
    return true;
}

// Moves a log past its cap to its older generation. Called under the lock, so that of two
// processes only one moves it; the other finds it moved.
bool rotate(OpenLog& log, const std::filesystem::path& path, FileAccess access)
{
    struct stat named
    {
    };
    if (::stat(path.c_str(), &named) == 0 && named.st_ino == log.inode)
        ::rename(path.c_str(), OlderLogGeneration(path).c_str());
    return reopen(log, path, access);
}

} // namespace

void AppendLogLine(const Machine& machine, const std::filesystem::path& log,
                   const std::string& line, FileAccess access)
{
    // A line end inside the text (an SSID may hold any byte) would split the record.
    std::string text;
    text.reserve(line.size() + 1);
    for (std::size_t at = 0;;)
    {
        const std::size_t end = line.find('\n', at);
        text.append(line, at, end == std::string::npos ? std::string::npos : end - at);
        if (end == std::string::npos)
            break;
        text += "\\n";
        at = end + 1;
    }
    text += '\n';

    OpenLogs& logs = openLogs();
    std::lock_guard guard(logs.lock);
    if (logs.owner != ThisProcessId())
    {
        // A forked child: the descriptors are its parent's as well, with sizes the parent keeps.
        for (auto& [name, open] : logs.logs)
            closeLog(open); // only this process's copy of the descriptor
        logs.logs.clear();
        logs.owner = ThisProcessId();
    }
    const std::uint64_t seq = NextLogSequence(machine);
    ++logs.own;
    // Appended piece by piece: GCC 12 takes `"#" + std::string` for an overlapping copy.
    std::string stored = "#";
    stored.append(std::to_string(seq)).append(" ");
    stored.append(std::to_string(MachineNow())).append(" ");
    stored += text;

    OpenLog& open = logs.logs[log.native()];
    const bool alone = open.fd >= 0 && seq - open.lastSeq == logs.own - open.ownAt &&
                       open.replacements && ReplacementsOf(log) == open.replacements;
    if (!alone && !(open.fd >= 0 ? lookAgain(open, log, access) : reopen(open, log, access)))
        return;
    std::optional<MachineLock> lock;
    if (open.size + stored.size() + kNearCapBytes > kLogCapBytes)
    {
        // Near its cap the log is written under the lock, its size looked at again: of writers
        // appending at once, only one moves it, and none takes it past the cap.
        lock.emplace(machine);
        if (!lookAgain(open, log, access))
            return;
        if (open.size > 0 && open.size + stored.size() > kLogCapBytes && !rotate(open, log, access))
            return;
    }
    // One write of the whole line: O_APPEND puts it after every other process's lines.
    const ssize_t n = ::write(open.fd, stored.data(), stored.size());
    if (n > 0)
        open.size += static_cast<std::uintmax_t>(n);
    open.lastSeq = seq;
    open.ownAt = logs.own;
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
    // A number taken without a line: every process keeping the log open looks at it again
    // before its next line.
    NextLogSequence(machine);
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
