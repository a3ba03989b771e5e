#pragma once
// The address of a unix socket file of the run-time folder. A path too long for sun_path is
// reached through a descriptor of its folder, so machine folders deep in the file system work
// too. Used by the desktop's own files only.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <string>

namespace machine::desktop::detail
{

class SocketAddress
{
public:
    explicit SocketAddress(const std::filesystem::path& path)
    {
        m_addr.sun_family = AF_UNIX;
        std::string text = path.string();
        if (text.size() >= sizeof m_addr.sun_path)
        {
            m_dirFd = ::open(path.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (m_dirFd < 0)
                return;
            text = "/proc/self/fd/" + std::to_string(m_dirFd) + "/" + path.filename().string();
            if (text.size() >= sizeof m_addr.sun_path)
                return;
        }
        std::memcpy(m_addr.sun_path, text.c_str(), text.size() + 1);
        m_size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + text.size() + 1);
    }
    ~SocketAddress()
    {
        if (m_dirFd >= 0)
            ::close(m_dirFd);
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool valid() const { return m_size != 0; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&m_addr); }
    socklen_t size() const { return m_size; }

private:
    sockaddr_un m_addr = {};
    socklen_t m_size = 0;
    int m_dirFd = -1;
};

} // namespace machine::desktop::detail
