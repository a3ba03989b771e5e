#include "platform/process/Spawn.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace platform
{
namespace
{

bool readAll(int fd, void* buffer, std::size_t size)
{
    auto* p = static_cast<char*>(buffer);
    std::size_t got = 0;
    while (got < size)
    {
        ssize_t n = ::read(fd, p + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

void writeAll(int fd, const void* buffer, std::size_t size)
{
    const auto* p = static_cast<const char*>(buffer);
    while (size > 0)
    {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

// In the child, so async-signal-safe calls only: waits until the process has ended, through a
// process descriptor where the kernel has them.
void waitForProcessEnd(int pid)
{
#ifdef SYS_pidfd_open
    int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd >= 0)
    {
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, kHandOverWait_ms) < 0 && errno == EINTR)
        {
        }
        ::close(fd);
        return;
    }
    if (errno == ESRCH)
        return; // already gone
#endif
    // Without process descriptors: look again every few milliseconds, for a short hand-over.
    timespec step{0, 5 * 1000 * 1000};
    for (int waited_ms = 0; waited_ms < kHandOverWait_ms && ::kill(pid, 0) == 0; waited_ms += 5)
        ::nanosleep(&step, nullptr);
}

} // namespace

std::filesystem::path BuiltProgramFolder()
{
    if (const char* bin = std::getenv("TESSARYN_BIN"); bin != nullptr && *bin != '\0')
        return bin;
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

std::optional<int> SpawnDetached(const SpawnRequest& request, int* error)
{
    // Everything the child needs is made before fork: after it only async-signal-safe calls.
    std::vector<std::string> argStore{request.executable.string()};
    argStore.insert(argStore.end(), request.arguments.begin(), request.arguments.end());
    std::vector<char*> argv;
    for (auto& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStore;
    for (char** e = environ; e != nullptr && *e != nullptr; ++e)
    {
        std::string entry = *e;
        bool replaced = false;
        for (const auto& [name, value] : request.environment)
            if (entry.compare(0, name.size() + 1, name + "=") == 0)
                replaced = true;
        if (!replaced)
            envStore.push_back(entry);
    }
    for (const auto& [name, value] : request.environment)
        envStore.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string exe = request.executable.string();
    const int waitFor = request.startAfterProcessEnds;
    const std::string dir = request.hostDirectory.string();
    int nullIn = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    int out = request.outputFile.empty() ? -1
                                         : ::open(request.outputFile.c_str(),
                                                  O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
    {
        if (error)
            *error = errno;
        if (nullIn >= 0)
            ::close(nullIn);
        if (out >= 0)
            ::close(out);
        return std::nullopt;
    }

    pid_t child = ::fork();
    if (child == 0)
    {
        // The middle process leaves at once, so the program is nobody's child to wait for.
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0)
        {
            int pid = grandchild;
            writeAll(pipeFds[1], &pid, sizeof pid);
            ::_exit(grandchild < 0 ? 1 : 0);
        }
        if (nullIn >= 0)
            ::dup2(nullIn, 0);
        if (out >= 0)
        {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        if (!dir.empty())
            (void)::chdir(dir.c_str());
        if (waitFor > 0)
        {
            // The start is reported now; the program runs once the one handing over has ended.
            ::close(pipeFds[1]);
            waitForProcessEnd(waitFor);
        }
        ::execve(exe.c_str(), argv.data(), envp.data());
        int e = errno;
        writeAll(pipeFds[1], &e, sizeof e);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (nullIn >= 0)
        ::close(nullIn);
    if (out >= 0)
        ::close(out);
    if (child < 0)
    {
        if (error)
            *error = errno;
        ::close(pipeFds[0]);
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    int pid = -1;
    int execError = 0;
    bool gotPid = readAll(pipeFds[0], &pid, sizeof pid) && pid > 0;
    bool failed = gotPid && readAll(pipeFds[0], &execError, sizeof execError);
    ::close(pipeFds[0]);
    if (!gotPid || failed)
    {
        if (error)
            *error = failed ? execError : ECHILD;
        return std::nullopt;
    }
    return pid;
}

} // namespace platform
