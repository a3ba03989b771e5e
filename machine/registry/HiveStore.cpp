#include "machine/registry/HiveStore.h"

#include "machine/FileStore.h"
#include "machine/MachineLock.h"
#include "machine/registry/HiveText.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

namespace machine::registry
{
namespace
{

// What identifies one version of the file. A rewrite always changes the inode, and the writer
// keeps the modification time strictly increasing, so an inode reused by a later version still
// differs in its time.
struct Stamp
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const Stamp& o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

bool before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Nullopt when the file exists but cannot be examined.
std::optional<Stamp> stampOf(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
    {
        if (errno == ENOENT)
            return Stamp{};
        return std::nullopt;
    }
    Stamp s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modified = st.st_mtim;
    s.changed = st.st_ctim;
    return s;
}

struct Cached
{
    bool valid = false;
    Stamp stamp;
    StoreStatus status = StoreStatus::Ok;
    Hive hive;
    std::vector<std::string> warnings;
    std::string error;
};

// Built on first use and never destroyed: programs may read the registry while they load.
std::map<std::string, std::unique_ptr<Cached>>& cacheMap()
{
    static auto* cache = new std::map<std::string, std::unique_ptr<Cached>>;
    return *cache;
}
std::mutex g_cacheLock;
std::atomic<std::uint64_t> g_parses{0};

// The entry is used only under the machine lock, which keeps the threads of this process apart.
Cached& cacheFor(const Machine& machine)
{
    std::lock_guard guard(g_cacheLock);
    auto& entry = cacheMap()[machine.hivePath().string()];
    if (!entry)
        entry = std::make_unique<Cached>();
    return *entry;
}

// Brings the cached hive up to date with the file. Call under the machine lock.
Cached& load(const Machine& machine)
{
    Cached& c = cacheFor(machine);
    auto stamp = stampOf(machine.hivePath());
    if (!stamp)
    {
        c.valid = false;
        c.status = StoreStatus::Unreadable;
        c.error = "the registry file cannot be examined";
        return c;
    }
    if (c.valid && c.stamp == *stamp)
        return c;

    c.valid = false;
    c.hive = Hive();
    c.warnings.clear();
    c.error.clear();
    c.status = StoreStatus::Ok;
    if (stamp->exists)
    {
        auto text = ReadWholeFile(machine.hivePath());
        if (!text)
        {
            c.status = StoreStatus::Unreadable;
            c.error = "the registry file cannot be read";
            return c;
        }
        ++g_parses;
        ParseReport report = ApplyHiveText(*text, c.hive, UnreadableLines::Keep);
        c.warnings = std::move(report.warnings);
        if (!report.ok)
        {
            c.hive = Hive();
            c.status = StoreStatus::Corrupt;
            c.error = report.error;
        }
    }
    c.stamp = *stamp;
    c.valid = true;
    return c;
}

// Writes the hive and records the new file's stamp. Call under the machine lock.
StoreStatus store(const Machine& machine, Cached& c, const Hive& hive)
{
    Stamp previous = c.stamp;
    if (!WriteFileAtomically(machine.hivePath(), FormatHive(hive)))
    {
        c.valid = false;
        return StoreStatus::WriteFailed;
    }
    auto stamp = stampOf(machine.hivePath());
    if (stamp && stamp->exists && previous.exists && !before(previous.modified, stamp->modified))
    {
        // Same clock tick as the version it replaced: move the time on so that no process
        // can take the new file for the old one.
        timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1] = previous.modified;
        if (++times[1].tv_nsec >= 1000000000L)
        {
            times[1].tv_nsec = 0;
            ++times[1].tv_sec;
        }
        ::utimensat(AT_FDCWD, machine.hivePath().c_str(), times, 0);
        stamp = stampOf(machine.hivePath());
        if (stamp && stamp->exists && !before(previous.modified, stamp->modified))
        {
            // The file system keeps coarser times.
            times[1] = previous.modified;
            ++times[1].tv_sec;
            times[1].tv_nsec = 0;
            ::utimensat(AT_FDCWD, machine.hivePath().c_str(), times, 0);
            stamp = stampOf(machine.hivePath());
        }
    }
    if (!stamp)
    {
        c.valid = false;
        return StoreStatus::Ok;
    }
    if (&c.hive != &hive)
        c.hive = hive;
    c.stamp = *stamp;
    c.status = StoreStatus::Ok;
    c.warnings.clear();
    c.error.clear();
    // Kept lines moved with the write: the next use reads the file again to report them at
    // their new line numbers.
    c.valid = !hive.keepsText();
    return StoreStatus::Ok;
}

} // namespace

StoreStatus ReadHive(const Machine& machine, const std::function<void(const Hive&)>& read)
{
    MachineLock lock(machine);
    Cached& c = load(machine);
    if (c.status != StoreStatus::Ok)
        return c.status;
    read(c.hive);
    return StoreStatus::Ok;
}

StoreStatus ChangeHive(const Machine& machine, const std::function<bool(Hive&)>& change)
{
    MachineLock lock(machine);
    Cached& c = load(machine);
    if (c.status != StoreStatus::Ok)
        return c.status;
    bool changed;
    try
    {
        changed = change(c.hive);
    }
    catch (...)
    {
        c.valid = false; // the change may be half made: read the file again next time
        throw;
    }
    if (!changed)
        return StoreStatus::Ok;
    return store(machine, c, c.hive);
}

StoreStatus SaveHive(const Machine& machine, const Hive& hive)
{
    MachineLock lock(machine);
    Cached& c = load(machine);
    if (c.status == StoreStatus::Unreadable)
        return c.status;
    return store(machine, c, hive);
}

std::vector<std::string> HiveLoadWarnings(const Machine& machine)
{
    MachineLock lock(machine);
    return load(machine).warnings;
}

std::string HiveLoadError(const Machine& machine)
{
    MachineLock lock(machine);
    return load(machine).error;
}

std::uint64_t HiveParseCount()
{
    return g_parses;
}

} // namespace machine::registry
