#pragma once
// A forked child process running a function, with a byte channel each way. The child leaves
// with _exit and the function's result, so nothing of the test process's teardown runs twice.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

namespace desktop_tests
{

// Waits are bounded, so a broken child fails a test instead of hanging it.
inline constexpr int kWaitMs = 10000;

// One end of the channel: what the child sees of the parent, or the parent of the child.
class Channel
{
public:
    Channel(int readFd, int writeFd) : m_read(readFd), m_write(writeFd) {}

    bool Send(const void* data, std::size_t size) const
    {
        auto p = static_cast<const char*>(data);
        while (size > 0)
        {
            ssize_t n = ::write(m_write, p, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    bool Send(char c) const { return Send(&c, 1); }

    // False on timeout or when the other side is gone.
    bool Receive(void* data, std::size_t size) const
    {
        auto p = static_cast<char*>(data);
        while (size > 0)
        {
            pollfd fd = {m_read, POLLIN, 0};
            int ready = ::poll(&fd, 1, kWaitMs);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                return false;
            ssize_t n = ::read(m_read, p, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    std::optional<char> Receive() const
    {
        char c;
        if (!Receive(&c, 1))
            return std::nullopt;
        return c;
    }

private:
    int m_read;
    int m_write;
};

class ChildProcess
{
public:
    // body(const Channel& toParent) runs in the child; its result is the child's exit status.
    template <class Body> explicit ChildProcess(Body body)
    {
        int down[2], up[2];
        if (::pipe(down) != 0 || ::pipe(up) != 0)
            std::abort();
        m_pid = ::fork();
        if (m_pid < 0)
            std::abort();
        if (m_pid == 0)
        {
            ::close(down[1]);
            ::close(up[0]);
            int status = body(Channel(down[0], up[1]));
            ::_exit(status);
        }
        ::close(down[0]);
        ::close(up[1]);
        m_toChild = down[1];
        m_fromChild = up[0];
    }
    ~ChildProcess()
    {
        if (m_pid > 0)
        {
            Kill();
            Wait();
        }
        ::close(m_toChild);
        ::close(m_fromChild);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return m_pid; }
    Channel channel() const { return Channel(m_fromChild, m_toChild); }

    void Kill() const { ::kill(m_pid, SIGKILL); }
    // The exit status, or 128 + signal; -1 when the child was already waited for.
    int Wait()
    {
        if (m_pid <= 0)
            return -1;
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR)
        {
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t m_pid = -1;
    int m_toChild = -1;
    int m_fromChild = -1;
};

} // namespace desktop_tests
