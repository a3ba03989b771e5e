#include "machine/MachineLock.h"

#include "machine/FileChanges.h"
#include "machine/ProcessId.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>

namespace machine
{

// The log sequence: the lock file's first eight bytes mapped, shared by every process of the
// machine (a forked child's mapping too) and counted with an atomic add, so that a line takes its
// number without the lock.
struct SequenceMap
{
    std::mutex lock;
    int fd = -1;
    std::uint64_t* value = nullptr;
    std::optional<std::uint64_t> replacements; // of the lock file, when it was mapped
    std::filesystem::path lockPath;
};

// One flock per machine directory, shared by the threads of this process; the recursive
// mutex keeps threads apart and lets a holder take the lock again.
struct ProcessLock
{
    std::recursive_mutex threads;
    int depth = 0;
    int fd = -1;
    pid_t owner = 0; // the process that opened fd: a forked child shares its lock
    SequenceMap sequence;
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
    // The last machine this thread locked, without making its lock file's name again. Entries
    // of the table stay where they are.
    thread_local std::string lastRoot;
    thread_local ProcessLock* last = nullptr;
    if (last != nullptr && lastRoot == machine.root().native())
        return *last;
    std::lock_guard guard(table->lock);
    ProcessLock& lock = table->locks[machine.lockPath().string()];
    lastRoot = machine.root().native();
    last = &lock;
    return lock;
}

} // namespace

namespace
{

bool lockOpen(ProcessLock& lock, const Machine& machine)
{
    // A descriptor inherited across fork shares the parent's lock, so it would exclude nothing.
    // Closing it leaves the parent's lock in place.
    if (lock.fd >= 0 && lock.owner != ThisProcessId())
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
        lock.owner = ThisProcessId();
    }
    return lock.fd >= 0 && ::flock(lock.fd, LOCK_EX) == 0;
}

void closeLockFile(ProcessLock& lock)
{
    if (lock.fd >= 0)
        ::close(lock.fd);
    lock.fd = -1;
}

void unmapSequence(SequenceMap& seq)
{
    if (seq.value != nullptr)
        ::munmap(seq.value, sizeof *seq.value);
    seq.value = nullptr;
    if (seq.fd >= 0)
        ::close(seq.fd);
    seq.fd = -1;
}

// False on a machine one may only read: then seq.fd may still be open for reading.
bool mapSequence(SequenceMap& seq)
{
    seq.fd = ::open(seq.lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (seq.fd < 0)
    {
        seq.fd = ::open(seq.lockPath.c_str(), O_RDONLY | O_CLOEXEC);
        return false;
    }
    seq.replacements = ReplacementsOf(seq.lockPath);
    struct stat st
    {
    };
    if (::fstat(seq.fd, &st) != 0)
        return false;
    if (st.st_size < static_cast<off_t>(sizeof(std::uint64_t)) &&
        ::ftruncate(seq.fd, sizeof(std::uint64_t)) != 0)
        return false;
    void* p = ::mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, seq.fd, 0);
    if (p == MAP_FAILED)
        return false;
    seq.value = static_cast<std::uint64_t*>(p);
    return true;
}

std::uint64_t takeNumber(SequenceMap& seq, const Machine& machine)
{
    std::lock_guard guard(seq.lock);
    if (seq.lockPath.empty())
        seq.lockPath = machine.lockPath();
    // A lock file replaced (the machine made anew) is mapped again.
    if (seq.fd >= 0 && ReplacementsOf(seq.lockPath) != seq.replacements)
    {
        struct stat st
        {
        };
        if (::fstat(seq.fd, &st) != 0 || st.st_nlink == 0 || seq.value == nullptr)
            unmapSequence(seq);
        else
            seq.replacements = ReplacementsOf(seq.lockPath);
    }
    if (seq.value == nullptr && (seq.fd >= 0 || !mapSequence(seq)))
    {
        // Read only: the numbers are only read, and may then repeat; the line is still written.
        std::uint64_t last = 0;
        if (seq.fd < 0 ||
            ::pread(seq.fd, &last, sizeof last, 0) != static_cast<ssize_t>(sizeof last))
            last = 0;
        return last + 1;
    }
    return std::atomic_ref<std::uint64_t>(*seq.value).fetch_add(1) + 1;
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
            const int error = errno;
            closeLockFile(lock);
            lock.depth = 0;
            lock.threads.unlock();
            throw std::runtime_error("cannot lock the machine " + machine.root().string() + " (" +
                                     machine.lockPath().string() + "): " + std::strerror(error));
        }
    }
    m_lock = &lock;
    NoteLockTaken();
}

MachineLock::~MachineLock()
{
    NoteLockReleased();
    if (--m_lock->depth == 0)
        ::flock(m_lock->fd, LOCK_UN);
    m_lock->threads.unlock();
}

std::uint64_t NextLogSequence(const Machine& machine)
{
    return takeNumber(lockFor(machine).sequence, machine);
}

} // namespace machine
