#include "machine/registry/HiveStore.h"

#include "machine/FileStore.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/registry/HiveJournal.h"
#include "machine/registry/HiveText.h"
#include "machine/registry/RegistryLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace machine::registry
{
namespace
{

// What identifies one version of a file. A rewrite of the hive always changes the inode, and the
// writer keeps the modification time strictly increasing, so an inode reused by a later version
// still differs in its time. The journal only grows between rewrites of the hive.
struct Stamp
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static Stamp of(const struct stat& st)
    {
        return Stamp{true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    }

    bool sameFile(const Stamp& o) const
    {
        return exists && o.exists && device == o.device && inode == o.inode;
    }

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
    return Stamp::of(st);
}

std::string lineWarning(std::size_t line, const std::string& what)
{
    return "registry.journal line " + std::to_string(line) + ": " + what;
}

struct Cached
{
    // Paths kept as paths: a look at a file's version takes one, and making it splits the name.
    std::filesystem::path hivePath;
    std::filesystem::path journalPath;

    bool valid = false;
    Stamp stamp; // the hive file the hive was read from
    StoreStatus status = StoreStatus::Ok;
    Hive hive; // the hive file with the journal applied
    std::vector<std::string> warnings;
    std::string error;

    // The journal, as far as it was applied.
    Stamp journal;
    bool journalApplied = false;  // false: there was none, or it was left out as a whole
    bool journalUsable = true;    // false: a change replaces it rather than append to it
    std::uint64_t journalEnd = 0; // the end of its last complete change
    std::size_t journalLines = 0; // lines up to there
    std::vector<std::string> journalWarnings;
    std::optional<std::size_t> unfinished; // where a change not complete (yet) starts
    Stamp idleFoldTried;                   // the journal last folded for being idle, or tried

    void forgetJournal(const Stamp& now)
    {
        journal = now;
        journalApplied = false;
        journalUsable = true;
        journalEnd = 0;
        journalLines = 0;
        journalWarnings.clear();
        unfinished.reset();
    }
};

// Built on first use and never destroyed: programs may read the registry while they load.
using CacheMap = std::map<std::string, std::unique_ptr<Cached>, std::less<>>;
CacheMap& cacheMap()
{
    static auto* cache = new CacheMap;
    return *cache;
}
std::mutex g_cacheLock;
std::atomic<std::uint64_t> g_parses{0};
// Keeps this process's threads apart on an entry: a read of files unchanged uses it without the
// machine lock. Taken after the machine lock, never before it.
std::recursive_mutex g_entries;
Cached& cacheFor(const Machine& machine)
{
    std::lock_guard guard(g_cacheLock);
    // By the folder's name, as the files' names spell it: "m/" is "m".
    std::string_view root = machine.root().native();
    while (root.size() > 1 && root.back() == '/')
        root.remove_suffix(1);
    auto& map = cacheMap();
    auto it = map.find(root);
    if (it == map.end())
    {
        auto entry = std::make_unique<Cached>();
        entry->hivePath = machine.hivePath();
        entry->journalPath = JournalPath(machine);
        it = map.emplace(std::string(root), std::move(entry)).first;
    }
    return *it->second;
}

// Removes a journal that belongs to no hive any more. False when it stays.
bool dropJournal(const Machine& machine, Cached& c)
{
    if (::unlink(c.journalPath.c_str()) == 0 || errno == ENOENT)
    {
        c.forgetJournal(Stamp{});
        return true;
    }
    c.journalUsable = false;
    return false;
}

// Applies the journal from `from` (a change's end, or 0 for all of it) onto the cached hive, which
// holds the hive file and the journal up to there. False when the hive file must be read again.
bool applyJournal(const Machine& machine, Cached& c, const Stamp& journal, std::uint64_t from)
{
    if (from == 0)
        c.forgetJournal(journal);
    c.journal = journal;
    if (!journal.exists)
        return true;
    auto text = ReadFileFrom(c.journalPath, from);
    if (!text)
    {
        c.valid = false;
        c.status = StoreStatus::Unreadable;
        c.error = "the registry journal cannot be read";
        return true;
    }
    JournalScan scan = ScanJournal(*text, from == 0, c.journalLines + 1);
    if (!scan.isJournal)
    {
        c.journalUsable = false;
        c.journalWarnings.push_back("registry.journal: not a journal of the registry; left out");
        return true;
    }
    if (scan.folded && *scan.folded == FileIdentity{static_cast<std::uint64_t>(c.stamp.inode),
                                                    static_cast<std::uint64_t>(c.stamp.size)})
    {
        // Its writer wrote it into this hive and died before removing it.
        if (from > 0)
            return false;
        dropJournal(machine, c);
        return true;
    }
    c.journalApplied = true;
    for (const auto& change : scan.changes)
    {
        HiveEdit edit(c.hive, nullptr);
        for (const auto& warning : ApplyHiveLines(change.text, edit, change.line).warnings)
            c.journalWarnings.push_back("registry.journal " + warning);
    }
    for (std::size_t line : scan.leftOut)
        c.journalWarnings.push_back(
            lineWarning(line, "a change its writer did not finish, left out"));
    c.journalEnd = from + scan.end;
    c.journalLines += scan.lines;
    c.unfinished = scan.unfinished;
    return true;
}

// Reads the hive file and the journal after it.
void reload(const Machine& machine, Cached& c, const Stamp& stamp, const Stamp& journal)
{
    c.valid = false;
    c.hive = Hive();
    c.warnings.clear();
    c.error.clear();
    c.status = StoreStatus::Ok;
    c.forgetJournal(journal);
    c.stamp = stamp;
    if (!stamp.exists)
    {
        // A journal without its hive has nothing to apply to.
        if (journal.exists)
            dropJournal(machine, c);
        c.valid = true;
        return;
    }
    auto text = ReadWholeFile(c.hivePath);
    if (!text)
    {
        c.status = StoreStatus::Unreadable;
        c.error = "the registry file cannot be read";
        return;
    }
    ++g_parses;
    ParseReport report = ApplyHiveText(*text, c.hive, UnreadableLines::Keep);
    c.warnings = std::move(report.warnings);
    if (!report.ok)
    {
        c.hive = Hive();
        c.status = StoreStatus::Corrupt;
        c.error = report.error;
        c.valid = true;
        return;
    }
    c.valid = true;
    applyJournal(machine, c, journal, 0);
}

StoreStatus fold(const Machine& machine, Cached& c);

// Brings the cached hive up to date with the files, without folding.
Cached& loadFiles(const Machine& machine)
{
    Cached& c = cacheFor(machine);
    auto stamp = stampOf(c.hivePath);
    auto journal = stampOf(c.journalPath);
    if (!stamp || !journal)
    {
        c.valid = false;
        c.status = StoreStatus::Unreadable;
        c.error = "the registry file cannot be examined";
        return c;
    }
    if (c.valid && c.stamp == *stamp)
    {
        if (c.status != StoreStatus::Ok || c.journal == *journal)
            return c;
        // Only the journal changed: read what it gained, or all of one not applied before.
        if (!c.journalApplied ? applyJournal(machine, c, *journal, 0)
                              : journal->sameFile(c.journal) &&
                                    static_cast<std::uint64_t>(journal->size) >= c.journalEnd &&
                                    applyJournal(machine, c, *journal, c.journalEnd))
            return c;
    }
    reload(machine, c, *stamp, *journal);
    return c;
}

// Folds a journal no change has reached for a while. One the process cannot fold (a machine it
// may only read) is tried once, not at every look.
void foldIfIdle(const Machine& machine, Cached& c)
{
    if (!c.valid || c.status != StoreStatus::Ok || !c.journal.exists || !c.journalUsable ||
        !c.stamp.exists || c.journal == c.idleFoldTried)
        return;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec - c.journal.modified.tv_sec < kJournalQuietSeconds)
        return;
    c.idleFoldTried = c.journal;
    fold(machine, c);
}

// Brings the cached hive up to date with the files. Call under the machine lock.
Cached& load(const Machine& machine)
{
    Cached& c = loadFiles(machine);
    foldIfIdle(machine, c);
    if (!c.valid)
        return loadFiles(machine);
    return c;
}

// Appends the text whole to the journal, giving its state before and after. On a failure the
// journal is cut back to where it ended.
bool appendToJournal(const std::string& path, const std::string& text, struct stat& before,
                     struct stat& after)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = ::fstat(fd, &before) == 0;
    // A short write is followed by the rest: no other writer comes between, under the lock.
    std::size_t done = 0;
    while (ok && done < text.size())
    {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fstat(fd, &after) == 0;
    if (!ok && done > 0)
    {
        // Should even that fail, the bytes lack their closing line and stay left out.
        [[maybe_unused]] int cut = ::ftruncate(fd, before.st_size);
    }
    return ::close(fd) == 0 && ok;
}

// What starts an append after bytes a writer that died left, so that they cannot end in a
// closing line: they stay left out.
constexpr const char* kAfterUnfinished = ";\r\n";

// Appends one change to the journal. Call under the machine lock, after load().
StoreStatus append(const Machine& machine, Cached& c, const std::string& change)
{
    std::string text;
    if (c.journal.size == 0)
        text = JournalHead();
    else if (static_cast<std::uint64_t>(c.journal.size) > c.journalEnd)
    {
        auto rest = ReadFileFrom(c.journalPath, c.journalEnd);
        if (!rest)
            return StoreStatus::WriteFailed;
        c.journalLines += static_cast<std::size_t>(std::count(rest->begin(), rest->end(), '\n'));
        if (c.unfinished)
            c.journalWarnings.push_back(
                lineWarning(*c.unfinished, "a change its writer did not finish, left out"));
        c.unfinished.reset();
        text = kAfterUnfinished;
    }
    text += change;
    struct stat before
    {
    }, after{};
    if (!appendToJournal(c.journalPath, text, before, after))
    {
        c.valid = false;
        return StoreStatus::WriteFailed;
    }
    c.journal = Stamp::of(after);
    c.journalApplied = true;
    c.journalEnd = static_cast<std::uint64_t>(after.st_size);
    c.journalLines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return StoreStatus::Ok;
}

// Writes the cached hive whole and removes the journal it now holds. Call under the machine lock,
// after load().
StoreStatus fold(const Machine& machine, Cached& c)
{
    const Stamp previous = c.stamp;
    const bool hadJournal = c.journal.exists;
    bool written = WriteFileAtomically(
        c.hivePath, FormatHive(c.hive), FileAccess::OwnerOnly,
        [&](int fd)
        {
            if (!hadJournal)
                return true;
            // Noted before the new hive takes its place: a journal found beside the hive it
            // names is in it already.
            struct stat st
            {
            }, before{}, after{};
            if (::fstat(fd, &st) != 0)
                return false;
            FileIdentity hive{static_cast<std::uint64_t>(st.st_ino),
                              static_cast<std::uint64_t>(st.st_size)};
            const bool unfinished = static_cast<std::uint64_t>(c.journal.size) > c.journalEnd;
            return appendToJournal(c.journalPath,
                                   (unfinished ? kAfterUnfinished : "") + FormatFoldMark(hive),
                                   before, after);
        });
    if (!written)
    {
        c.valid = false;
        return StoreStatus::WriteFailed;
    }
    if (hadJournal && ::unlink(c.journalPath.c_str()) != 0 && errno != ENOENT)
        c.valid = false; // the next use finds it folded and tries again
    c.forgetJournal(Stamp{});

    auto stamp = stampOf(c.hivePath);
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
        ::utimensat(AT_FDCWD, c.hivePath.c_str(), times, 0);
        stamp = stampOf(c.hivePath);
        if (stamp && stamp->exists && !before(previous.modified, stamp->modified))
        {
            // The file system keeps coarser times.
            times[1] = previous.modified;
            ++times[1].tv_sec;
            times[1].tv_nsec = 0;
            ::utimensat(AT_FDCWD, c.hivePath.c_str(), times, 0);
            stamp = stampOf(c.hivePath);
        }
    }
    if (!stamp)
    {
        c.valid = false;
        return StoreStatus::Ok;
    }
    c.stamp = *stamp;
    c.status = StoreStatus::Ok;
    c.warnings.clear();
    c.error.clear();
    // Kept lines moved with the write: the next use reads the file again to report them at
    // their new line numbers.
    if (c.hive.keepsText())
        c.valid = false;
    return StoreStatus::Ok;
}

// Whether the look matches the stamp a file was read at.
bool sameAs(const std::optional<FileVersion>& version, const Stamp& stamp)
{
    if (!version)
        return !stamp.exists;
    return stamp.exists && *version == FileVersion{stamp.device, stamp.inode, stamp.size,
                                                   stamp.modified, stamp.changed};
}

// The entry holds the files as they are, by what the system told of them since: no look at
// either file, and no lock.
bool current(const Cached& c)
{
    return c.valid && c.status == StoreStatus::Ok && sameAs(VersionOf(c.hivePath), c.stamp) &&
           sameAs(VersionOf(c.journalPath), c.journal);
}

} // namespace

StoreStatus ReadHive(const Machine& machine, const std::function<void(const Hive&)>& read)
{
    Cached& entry = cacheFor(machine);
    {
        std::lock_guard guard(g_entries);
        if (current(entry))
        {
            read(entry.hive);
            return StoreStatus::Ok;
        }
    }
    MachineLock lock(machine);
    std::lock_guard guard(g_entries);
    Cached& c = load(machine);
    if (c.status != StoreStatus::Ok)
        return c.status;
    read(c.hive);
    return StoreStatus::Ok;
}

StoreStatus ChangeHive(const Machine& machine, const std::function<bool(HiveEdit&)>& change)
{
    MachineLock lock(machine);
    std::lock_guard guard(g_entries);
    Cached& c = load(machine);
    if (c.status != StoreStatus::Ok)
        return c.status;
    std::vector<HiveChange> steps;
    HiveEdit edit(c.hive, &steps);
    bool changed;
    try
    {
        changed = change(edit);
    }
    catch (...)
    {
        c.valid = false; // the change may be half made: read the files again next time
        throw;
    }
    if (steps.empty())
        return changed && !c.stamp.exists ? fold(machine, c) : StoreStatus::Ok;
    StoreStatus status;
    if (!c.stamp.exists || !c.journalUsable)
        status = fold(machine, c);
    else
    {
        status = append(machine, c, FormatJournalChange(steps));
        // The change is stored whatever becomes of the fold.
        if (status == StoreStatus::Ok &&
            static_cast<std::uint64_t>(c.journal.size) >
                JournalFoldThreshold(static_cast<std::uint64_t>(c.stamp.size)))
            fold(machine, c);
    }
    if (status == StoreStatus::Ok)
        AppendRegistryLog(machine, steps);
    return status;
}

StoreStatus FoldJournal(const Machine& machine)
{
    MachineLock lock(machine);
    std::lock_guard guard(g_entries);
    Cached& c = load(machine);
    if (c.status != StoreStatus::Ok)
        return c.status;
    if (c.stamp.exists && !c.journal.exists)
        return StoreStatus::Ok;
    return fold(machine, c);
}

std::vector<std::string> HiveLoadWarnings(const Machine& machine)
{
    MachineLock lock(machine);
    std::lock_guard guard(g_entries);
    Cached& c = load(machine);
    std::vector<std::string> out = c.warnings;
    out.insert(out.end(), c.journalWarnings.begin(), c.journalWarnings.end());
    if (c.unfinished)
        out.push_back(lineWarning(*c.unfinished, "a change its writer did not finish, left out"));
    return out;
}

std::string HiveLoadError(const Machine& machine)
{
    MachineLock lock(machine);
    std::lock_guard guard(g_entries);
    return load(machine).error;
}

std::uint64_t HiveParseCount()
{
    return g_parses;
}

} // namespace machine::registry
