#include "machine/FileChanges.h"

#include "machine/ParsedFile.h"

#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <string>
#include <unordered_map>

namespace machine
{
namespace
{

thread_local int t_scopes = 0;
thread_local int t_locks = 0;
thread_local bool t_taken = false; // the events were taken within this thread's scope

// What a change of a file's contents or place raises in its folder, and what raises in the
// folder itself. A write in place counts when the writer closes the file: a reader looking in
// between would read half of it anyway. The logs, appended to through descriptors kept open,
// so raise nothing while they grow.
constexpr std::uint32_t kContentEvents = IN_CLOSE_WRITE | IN_ATTRIB;
constexpr std::uint32_t kPlaceEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kSelfEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

struct Name
{
    std::uint64_t changed = 0;  // last event of any kind
    std::uint64_t replaced = 0; // last creation, removal or renaming
};

struct Folder
{
    std::uint64_t since = 0; // watched since, or since the folder itself was removed or moved
    std::unordered_map<std::string, Name> names; // only the names looked at
};

struct Kept
{
    std::uint64_t count = 0;
    std::optional<FileVersion> version;
};

class Monitor
{
public:
    Monitor() = default;

    std::optional<FileVersion> version(const std::filesystem::path& path)
    {
        std::lock_guard guard(m_lock);
        std::optional<std::uint64_t> count;
        if (m_fd == kNotYet)
            open();
        if (m_fd >= 0)
        {
            if (!(t_taken && t_scopes > 0 && t_locks == 0))
                takeEvents();
            t_taken = t_scopes > 0;
            if (auto counts = countsOf(path))
                count = counts->changed;
        }
        if (count)
        {
            auto it = m_kept.find(path.native());
            if (it != m_kept.end() && it->second.count == *count)
                return it->second.version;
        }
        std::optional<FileVersion> now = StatVersionOf(path);
        if (count)
            m_kept[path.native()] = {*count, now};
        return now;
    }

    std::optional<std::uint64_t> replacements(const std::filesystem::path& path)
    {
        std::lock_guard guard(m_lock);
        if (m_fd == kNotYet)
            open();
        if (m_fd < 0)
            return std::nullopt;
        auto counts = countsOf(path);
        if (!counts)
            return std::nullopt;
        return counts->replaced;
    }

    // Held across a fork, so that the child's copy is whole: only the forking thread goes on in
    // the child, and another thread may have been looking.
    void lockForFork() { m_lock.lock(); }
    void unlockAfterFork() { m_lock.unlock(); }

    // A forked child shares its parent's queue of events: whichever takes them, the other would
    // miss them. The child closes its copy and watches anew; what it kept counts as changed.
    void startAfreshInChild()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = kNotYet;
        m_wds.clear();
        m_folders.clear();
        m_byPath.clear();
        m_missing.clear();
        m_kept.clear();
        m_resetAt = ++m_count; // counts handed out stay below what the child hands out
        m_lock.unlock();
    }

private:
    static constexpr int kNotYet = -2;

    // Opened at the first look, so that a child forked only to start a program opens nothing.
    void open() { m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC); }

    // The name's counts, with what happened to its folder and to the watch as a whole; its folder
    // watched from now on when it was not. Nullopt when the system gives no watch.
    std::optional<Name> countsOf(const std::filesystem::path& path)
    {
        auto fast = m_byPath.find(path.native());
        if (fast != m_byPath.end())
            return counted(*fast->second.first, *fast->second.second);
        const std::filesystem::path folderName = path.parent_path();
        const std::string& folderPath = folderName.native();
        auto known = m_wds.find(folderPath);
        Folder* folder = nullptr;
        if (known != m_wds.end())
            folder = &m_folders[known->second];
        else
        {
            // A folder known missing stays so while its own name in its parent is unchanged:
            // what it would hold is missing too, and no watch is tried again.
            if (auto missing = m_missing.find(folderPath); missing != m_missing.end())
            {
                auto up = countsOf(folderName);
                if (up && up->changed == missing->second)
                    return up;
                m_missing.erase(folderPath);
            }
            int wd = addWatch(folderPath);
            if (wd < 0 && errno == ENOENT)
            {
                // Watched through its parent first, then tried again: a folder made in between
                // is either found now or raises its creation in the parent.
                std::optional<Name> up;
                if (folderName.has_relative_path() && folderName.parent_path() != folderName)
                    up = countsOf(folderName);
                wd = addWatch(folderPath);
                if (wd < 0 && up && errno == ENOENT)
                {
                    m_missing[folderPath] = up->changed;
                    return up;
                }
            }
            if (wd < 0)
                return std::nullopt;
            m_wds[folderPath] = wd; // another spelling of a folder watched gets the same wd
            auto [it, made] = m_folders.try_emplace(wd);
            folder = &it->second;
            if (made)
                folder->since = ++m_count;
        }
        auto [it, made] = folder->names.try_emplace(path.filename().native());
        if (made)
            it->second.changed = it->second.replaced = ++m_count;
        // Elements of the maps stay where they are until erased: the pointers hold.
        m_byPath[path.native()] = {folder, &it->second};
        return counted(*folder, it->second);
    }

    int addWatch(const std::string& folderPath)
    {
        return ::inotify_add_watch(m_fd, folderPath.empty() ? "." : folderPath.c_str(),
                                   kContentEvents | kPlaceEvents | kSelfEvents | IN_ONLYDIR);
    }

    Name counted(const Folder& folder, const Name& name) const
    {
        const std::uint64_t floor = std::max(folder.since, m_resetAt);
        return Name{std::max(name.changed, floor), std::max(name.replaced, floor)};
    }

    void takeEvents()
    {
        alignas(inotify_event) char buffer[16384];
        for (;;)
        {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                return; // EAGAIN: nothing more
            for (ssize_t at = 0; at < n;)
            {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
                take(*e);
            }
            if (static_cast<std::size_t>(n) < sizeof buffer / 2)
                return; // a short read took all there was
        }
    }

    void take(const inotify_event& e)
    {
        if (e.mask & IN_Q_OVERFLOW)
        {
            // Events were lost: everything may have changed.
            m_resetAt = ++m_count;
            return;
        }
        auto it = m_folders.find(e.wd);
        if (it == m_folders.end())
            return;
        Folder& folder = it->second;
        if (e.mask & kSelfEvents)
        {
            folder.since = ++m_count;
            if (e.mask & IN_IGNORED)
            {
                // The watch is gone with the folder: the next look watches whatever is there
                // then, its names counted anew.
                std::erase_if(m_wds, [&](const auto& entry) { return entry.second == e.wd; });
                m_byPath.clear();
                m_folders.erase(it);
            }
            return;
        }
        if (e.len == 0)
            return;
        auto name = folder.names.find(e.name);
        if (name == folder.names.end())
            return;
        name->second.changed = ++m_count;
        if (e.mask & kPlaceEvents)
            name->second.replaced = m_count;
    }

    std::mutex m_lock;
    int m_fd = kNotYet;
    std::uint64_t m_count = 0;
    std::uint64_t m_resetAt = 0;
    std::unordered_map<std::string, int> m_wds;
    std::unordered_map<int, Folder> m_folders;
    std::unordered_map<std::string, Kept> m_kept;
    // Each path looked at, to its folder and name.
    std::unordered_map<std::string, std::pair<Folder*, Name*>> m_byPath;
    // Folders found missing, to the count of their name in their parent then.
    std::unordered_map<std::string, std::uint64_t> m_missing;
};

Monitor& current()
{
    // Built on first use and never destroyed: threads may still look while the process ends.
    static Monitor* monitor = []
    {
        ::pthread_atfork([] { current().lockForFork(); }, [] { current().unlockAfterFork(); },
                         [] { current().startAfreshInChild(); });
        return new Monitor;
    }();
    return *monitor;
}

} // namespace

std::optional<FileVersion> WatchedVersionOf(const std::filesystem::path& path)
{
    return current().version(path);
}

std::optional<std::uint64_t> ReplacementsOf(const std::filesystem::path& path)
{
    return current().replacements(path);
}

void LookAfresh()
{
    t_taken = false;
}

ChangeScope::ChangeScope()
{
    ++t_scopes;
}

ChangeScope::~ChangeScope()
{
    if (--t_scopes == 0)
        t_taken = false;
}

void NoteLockTaken()
{
    ++t_locks;
}

void NoteLockReleased()
{
    --t_locks;
}

} // namespace machine
