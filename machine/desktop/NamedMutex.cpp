#include "machine/desktop/Desktop.h"

#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/desktop/RuntimeFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace machine::desktop
{
namespace
{

// File names hold letters, digits, '_' and '-' as they are and every other byte as %XX, so no
// name reaches outside the folder and names that differ only in case stay apart. A long name
// is cut into folders of kSegment characters, each marked with a '+' that an escaped name
// never holds, so every name has a path of its own.
constexpr std::size_t kSegment = 200;

std::filesystem::path mutexPath(const Machine& machine, const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string escaped;
    for (char c : name)
    {
        auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-')
            escaped += c;
        else
        {
            escaped += '%';
            escaped += hex[byte >> 4];
            escaped += hex[byte & 15];
        }
    }
    std::filesystem::path path = detail::MutexDir(machine);
    while (escaped.size() > kSegment)
    {
        path /= escaped.substr(0, kSegment) + "+";
        escaped.erase(0, kSegment);
    }
    return path / escaped;
}

int retryFlock(int fd, int operation)
{
    int result;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result;
}

// Each handle is an open file description of its own holding a shared flock. Whether anyone
// else holds the mutex is told by trying for an exclusive lock, which succeeds only when no
// other description holds one, in this process or any other. All of it happens under the
// machine lock, so the brief exclusive lock and its downgrade are never seen half-done.
enum class Holders
{
    None,
    Some,
    Failed
};

Holders probe(int fd)
{
    if (retryFlock(fd, LOCK_EX | LOCK_NB) == 0)
        return Holders::None;
    return errno == EWOULDBLOCK ? Holders::Some : Holders::Failed;
}

} // namespace

std::optional<NamedMutex> NamedMutex::Open(const Machine& machine, const std::string& name,
                                           bool& alreadyExisted)
{
    alreadyExisted = false;
    if (name.empty())
        return std::nullopt;
    MachineLock lock(machine);
    auto path = mutexPath(machine, name);
    std::error_code ec;
    machine::CreateFolders(path.parent_path(), ec);
    int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return std::nullopt;
    Holders holders = probe(fd);
    // Holders only ever hold shared locks outside the machine lock, so this cannot block.
    if (holders == Holders::Failed || retryFlock(fd, LOCK_SH | LOCK_NB) != 0)
    {
        ::close(fd);
        return std::nullopt;
    }
    alreadyExisted = holders == Holders::Some;
    return NamedMutex(fd);
}

std::optional<NamedMutex> NamedMutex::OpenExisting(const Machine& machine, const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    MachineLock lock(machine);
    int fd = ::open(mutexPath(machine, name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    if (probe(fd) != Holders::Some || retryFlock(fd, LOCK_SH | LOCK_NB) != 0)
    {
        ::close(fd); // nobody holds it: it does not exist
        return std::nullopt;
    }
    return NamedMutex(fd);
}

NamedMutex::NamedMutex(NamedMutex&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

NamedMutex& NamedMutex::operator=(NamedMutex&& other) noexcept
{
    if (this != &other)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

NamedMutex::~NamedMutex()
{
    if (m_fd >= 0)
        ::close(m_fd); // the last description's close drops its lock
}

} // namespace machine::desktop
