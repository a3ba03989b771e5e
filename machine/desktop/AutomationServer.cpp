#include "machine/desktop/Automation.h"

#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/PeerCredentials.h"
#include "machine/desktop/RuntimeFolder.h"
#include "machine/desktop/SocketAddress.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace machine::desktop
{
namespace
{

constexpr std::size_t kMaxRequest = 1 << 20;
constexpr int kReadTimeoutMs = 5000;

struct Server
{
    std::mutex lock;
    AutomationHandler handler;
    pid_t servingPid = 0; // the process whose thread serves (a forked child starts afresh)
    std::string socketPath;
};

// Never destroyed: the serving thread is detached and may run while the process ends.
Server& server()
{
    static auto* s = new Server;
    return *s;
}

bool readAll(int fd, std::string& out)
{
    char buffer[4096];
    for (;;)
    {
        pollfd p = {fd, POLLIN, 0};
        int ready = ::poll(&p, 1, kReadTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(got));
        if (out.size() > kMaxRequest)
            return false;
    }
}

void writeAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size())
    {
        ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

void answer(int fd, const AutomationHandler& handler)
{
    std::string request;
    if (readAll(fd, request))
    {
        std::string reply;
        try
        {
            reply = handler(request);
        }
        catch (const std::exception& e)
        {
            reply = std::string("error: ") + e.what() + "\n";
        }
        writeAll(fd, reply);
    }
    ::close(fd);
}

void serve(int listenFd, AutomationHandler handler)
{
    for (;;)
    {
        int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
        {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (!detail::StreamPeerIsOwnUser(fd))
        {
            ::close(fd); // another user's process: nothing is read from it
            continue;
        }
        // Each request on a thread of its own: one that waits for a window's state (which may
        // take long) holds up no other.
        try
        {
            std::thread(answer, fd, handler).detach();
        }
        catch (const std::system_error&)
        {
            answer(fd, handler);
        }
    }
}

void startLocked(const Machine& machine, Server& s)
{
    if (!s.handler || s.servingPid == ::getpid())
        return;
    std::error_code ec;
    machine::CreateFolders(detail::UiSocketDir(machine), ec);
    auto path = detail::UiSocketDir(machine) / std::to_string(::getpid());
    detail::SocketAddress address(path);
    if (!address.valid())
        return;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    ::unlink(path.c_str());
    if (::bind(fd, address.get(), address.size()) != 0 || !detail::RestrictSocketFile(path) ||
        ::listen(fd, 16) != 0)
    {
        ::close(fd);
        ::unlink(path.c_str());
        return;
    }
    try
    {
        std::thread(serve, fd, s.handler).detach();
    }
    catch (const std::system_error&)
    {
        ::close(fd);
        ::unlink(path.c_str());
        return;
    }
    s.servingPid = ::getpid();
    s.socketPath = path.string();
}

} // namespace

void SetAutomationHandler(AutomationHandler handler)
{
    {
        Server& s = server();
        std::lock_guard guard(s.lock);
        if (s.handler || !handler)
            return;
        s.handler = std::move(handler);
    }
    if (IsReceiving())
    {
        try
        {
            detail::StartAutomationIfWanted(CurrentMachine());
        }
        catch (const std::exception&)
        {
        }
    }
}

bool IsServingAutomation()
{
    Server& s = server();
    std::lock_guard guard(s.lock);
    return s.servingPid == ::getpid();
}

void detail::StartAutomationIfWanted(const Machine& machine)
{
    MachineLock machineLock(machine);
    Server& s = server();
    std::lock_guard guard(s.lock);
    startLocked(machine, s);
}

std::optional<std::string> AskProcess(const Machine& machine, int pid, const std::string& request,
                                      std::chrono::milliseconds timeout)
{
    if (pid <= 0)
        return std::nullopt;
    detail::SocketAddress address(detail::UiSocketDir(machine) / std::to_string(pid));
    if (!address.valid())
        return std::nullopt;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    if (::connect(fd, address.get(), address.size()) != 0)
    {
        ::close(fd);
        return std::nullopt;
    }
    writeAll(fd, request);
    ::shutdown(fd, SHUT_WR);
    std::string reply;
    char buffer[4096];
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool complete = false;
    for (;;)
    {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p = {fd, POLLIN, 0};
        int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
        {
            complete = got == 0;
            break;
        }
        reply.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!complete)
        return std::nullopt;
    return reply;
}

} // namespace machine::desktop
