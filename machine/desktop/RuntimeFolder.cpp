#include "machine/desktop/RuntimeFolder.h"
#include "machine/Folders.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

namespace machine::desktop::detail
{
namespace
{

// This process's hold on its alive file, per machine. A POSIX record lock (not flock) is
// used on purpose: it belongs to the process, so a child made by fork does not inherit it
// and a parent that dies is seen as gone even while its child lives on.
struct Registration
{
    pid_t pid = 0;
    int fd = -1;
};

std::mutex g_lock;
// Never destroyed: threads may still post or publish while the process ends.
std::map<std::string, Registration>& registrationsByMachine()
{
    static auto* map = new std::map<std::string, Registration>;
    return *map;
}

std::filesystem::path alivePath(const Machine& machine, int pid)
{
    return ProcsDir(machine) / (std::to_string(pid) + ".alive");
}

bool registeredHere(const Machine& machine)
{
    std::lock_guard guard(g_lock);
    auto it = registrationsByMachine().find(machine.root().string());
    return it != registrationsByMachine().end() && it->second.pid == ::getpid();
}

void removeQuietly(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

// At a normal exit a process takes its entries with it; after a crash the next process to open
// the machine sweeps them (SweepGoneProcesses).
void removeOwnEntries()
{
    std::lock_guard guard(g_lock);
    for (auto& [root, reg] : registrationsByMachine())
    {
        if (reg.pid != ::getpid())
            continue;
        const Machine machine{std::filesystem::path(root)};
        const std::string name = std::to_string(reg.pid);
        removeQuietly(UiSocketDir(machine) / name);
        removeQuietly(SocketDir(machine) / name);
        removeQuietly(alivePath(machine, reg.pid));
    }
}

} // namespace

std::filesystem::path ProcsDir(const Machine& machine)
{
    return machine.runtimeDir() / "procs";
}
std::filesystem::path WindowsDir(const Machine& machine)
{
    return machine.runtimeDir() / "windows";
}
std::filesystem::path SocketDir(const Machine& machine)
{
    return machine.runtimeDir() / "sock";
}
std::filesystem::path MutexDir(const Machine& machine)
{
    return machine.runtimeDir() / "mutex";
}
std::filesystem::path TrayDir(const Machine& machine)
{
    return machine.runtimeDir() / "tray";
}
std::filesystem::path UiSocketDir(const Machine& machine)
{
    return machine.runtimeDir() / "ui";
}
std::filesystem::path HandleCounterPath(const Machine& machine)
{
    return machine.runtimeDir() / "next-hwnd";
}

int LeadingPid(const std::string& name)
{
    long value = 0;
    std::size_t i = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
    {
        value = value * 10 + (name[i] - '0');
        if (value > 0x3FFFFFFF) // beyond any pid the kernel hands out
            return 0;
    }
    if (i == 0 || (i < name.size() && name[i] != '.'))
        return 0;
    return static_cast<int>(value);
}

bool RegisterThisProcess(const Machine& machine)
{
    std::lock_guard guard(g_lock);
    Registration& reg = registrationsByMachine()[machine.root().string()];
    const pid_t self = ::getpid();
    if (reg.pid == self)
        return true;
    // A descriptor inherited across fork: the lock on it is the parent's, and closing this
    // copy does not touch it.
    if (reg.fd >= 0)
        ::close(reg.fd);
    reg = {};

    std::error_code ec;
    machine::CreateFolders(ProcsDir(machine), ec);
    machine::CreateFolders(WindowsDir(machine), ec);
    machine::CreateFolders(SocketDir(machine), ec);
    int fd = ::open(alivePath(machine, self).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &whole) != 0)
    {
        ::close(fd);
        return false;
    }
    // Anything under this number is from a process that is gone.
    const std::string name = std::to_string(self);
    removeQuietly(WindowsDir(machine) / name);
    removeQuietly(SocketDir(machine) / name);
    removeQuietly(TrayDir(machine) / name);
    removeQuietly(UiSocketDir(machine) / name);
    reg.pid = self;
    reg.fd = fd;
    static const bool atExit = std::atexit(removeOwnEntries) == 0; // once, inherited by fork
    (void)atExit;
    return true;
}

bool IsProcessRunning(const Machine& machine, int pid)
{
    if (pid <= 0)
        return false;
    if (pid == ::getpid())
        return registeredHere(machine);
    int fd = ::open(alivePath(machine, pid).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    bool running = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    // This process holds no lock on another process's file, so closing releases nothing.
    ::close(fd);
    return running;
}

void SweepGoneProcesses(const Machine& machine)
{
    std::map<int, bool> running;
    auto isRunning = [&](int pid)
    {
        auto it = running.find(pid);
        if (it == running.end())
            it = running.emplace(pid, IsProcessRunning(machine, pid)).first;
        return it->second;
    };
    for (const auto& dir : {ProcsDir(machine), WindowsDir(machine), SocketDir(machine),
                            TrayDir(machine), UiSocketDir(machine)})
    {
        std::error_code ec;
        std::vector<std::filesystem::path> gone;
        for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end;
             it.increment(ec))
        {
            int pid = LeadingPid(it->path().filename().string());
            if (pid != 0 && !isRunning(pid))
                gone.push_back(it->path());
        }
        for (const auto& path : gone)
            removeQuietly(path);
    }
}

} // namespace machine::desktop::detail
