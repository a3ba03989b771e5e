#include "machine/FileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace machine
{

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
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

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileAccess access)
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
    if (::close(fd) != 0)
        ok = false;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

} // namespace machine
