#include "machine/FileStore.h"

#include "machine/FileChanges.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

namespace machine
{

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    return ReadFileFrom(path, 0);
}

std::optional<std::string> ReadFileFrom(const std::filesystem::path& path, std::uint64_t offset)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    if (offset > 0 && ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0)
    {
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    for (;;)
    {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return data;
}

namespace
{

// The writer's pid in a temporary file's name, or 0 when the name is not one.
pid_t writerOf(const std::string& name)
{
    std::size_t at = name.rfind(".tmp");
    if (at == std::string::npos)
        return 0;
    std::size_t i = at + 4;
    long pid = 0;
    std::size_t digits = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 0x40000000; ++i, ++digits)
        pid = pid * 10 + (name[i] - '0');
    if (digits == 0 || i >= name.size() || name[i] != '.' || i + 1 == name.size())
        return 0;
    for (++i; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return 0;
    return static_cast<pid_t>(pid);
}

} // namespace

void RemoveStaleTemporaries(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
    {
        if (it->is_symlink(ec) || !it->is_regular_file(ec))
            continue;
        pid_t pid = writerOf(it->path().filename().string());
        // A writer still running (or a process of that number, which may be one) keeps its file.
        if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH)
            stale.push_back(it->path());
    }
    for (const auto& path : stale)
        std::filesystem::remove(path, ec);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileAccess access)
{
    return WriteFileAtomically(path, data, access, nullptr);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileAccess access, const std::function<bool(int fd)>& beforeRename)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid()) + "." + std::to_string(counter++);
    mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0644;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    ::fchmod(fd, mode); // the umask must not widen or narrow what was asked for
    const char* p = data.data();
    std::size_t left = data.size();
    bool ok = true;
    while (left > 0)
    {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (ok && beforeRename && !beforeRename(fd))
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        ::unlink(temp.c_str());
    LookAfresh();
    return ok;
}

} // namespace machine
