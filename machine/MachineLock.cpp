#include "machine/MachineLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

namespace machine
{

// One flock per machine directory, shared by the threads of this process; the recursive
// mutex keeps threads apart and lets a holder take the lock again.
struct ProcessLock
{
    std::recursive_mutex threads;
    int depth = 0;
    int fd = -1;
    pid_t owner = 0; // the process that opened fd: a forked child shares its lock
};

namespace
{

// Built on first use and never destroyed: programs open the machine while they load, and
// threads may still use it while the process ends.
struct LockTable
{
    std::mutex lock;
    std::map<std::string, ProcessLock> locks;
};

ProcessLock& lockFor(const Machine& machine)
{
    static LockTable* table = new LockTable;
    std::lock_guard guard(table->lock);
    return table->locks[machine.lockPath().string()];
}

} // namespace

namespace
{

bool lockOpen(ProcessLock& lock, const Machine& machine)
{
    // A descriptor inherited across fork shares the parent's lock, so it would exclude nothing.
    // Closing it leaves the parent's lock in place.
    if (lock.fd >= 0 && lock.owner != ::getpid())
    {
        ::close(lock.fd);
        lock.fd = -1;
    }
    if (lock.fd < 0)
    {
        lock.fd = ::open(machine.lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // A machine one may only read is still locked against writers while it is read.
        if (lock.fd < 0 && (errno == EACCES || errno == EROFS))
            lock.fd = ::open(machine.lockPath().c_str(), O_RDONLY | O_CLOEXEC);
        lock.owner = ::getpid();
    }
    return lock.fd >= 0 && ::flock(lock.fd, LOCK_EX) == 0;
}

void closeLockFile(ProcessLock& lock)
{
    if (lock.fd >= 0)
        ::close(lock.fd);
    lock.fd = -1;
}

} // namespace

MachineLock::MachineLock(const Machine& machine)
{
    ProcessLock& lock = lockFor(machine);
    lock.threads.lock();
    if (lock.depth++ == 0)
    {
        // The lock file stays open between changes, which saves an open and a close each time.
        // A lock file removed meanwhile (the machine deleted, perhaps made anew) locks nothing
        // any more: then it is opened again.
        bool locked = lockOpen(lock, machine);
        struct stat st
        {
        };
        if (locked && (::fstat(lock.fd, &st) != 0 || st.st_nlink == 0))
        {
            closeLockFile(lock);
            locked = lockOpen(lock, machine);
        }
        if (!locked)
        {
            closeLockFile(lock);
            lock.depth = 0;
            lock.threads.unlock();
            throw std::runtime_error("cannot lock machine " + machine.root().string());
        }
    }
    m_lock = &lock;
}

MachineLock::~MachineLock()
{
    if (--m_lock->depth == 0)
        ::flock(m_lock->fd, LOCK_UN);
    m_lock->threads.unlock();
}

std::uint64_t MachineLock::nextSequence()
{
    std::uint64_t last = 0;
    if (::pread(m_lock->fd, &last, sizeof last, 0) != static_cast<ssize_t>(sizeof last))
        last = 0; // a new lock file
    const std::uint64_t next = last + 1;
    if (::pwrite(m_lock->fd, &next, sizeof next, 0) != static_cast<ssize_t>(sizeof next))
        return next; // numbers may then repeat, but the line is still written
    return next;
}

} // namespace machine
