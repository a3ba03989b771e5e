#include "machine/MachineLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
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

MachineLock::MachineLock(const Machine& machine)
{
    ProcessLock& lock = lockFor(machine);
    lock.threads.lock();
    if (lock.depth++ == 0)
    {
        int fd = ::open(machine.lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // A machine one may only read is still locked against writers while it is read.
        if (fd < 0 && (errno == EACCES || errno == EROFS))
            fd = ::open(machine.lockPath().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
        {
            if (fd >= 0)
                ::close(fd);
            lock.depth = 0;
            lock.threads.unlock();
            throw std::runtime_error("cannot lock machine " + machine.root().string());
        }
        lock.fd = fd;
    }
    m_lock = &lock;
}

MachineLock::~MachineLock()
{
    if (--m_lock->depth == 0)
    {
        ::flock(m_lock->fd, LOCK_UN);
        ::close(m_lock->fd);
        m_lock->fd = -1;
    }
    m_lock->threads.unlock();
}

} // namespace machine
