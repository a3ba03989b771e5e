#include "machine/ChangeWatch.h"

#include "machine/Folders.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace machine
{

ChangeWatch::ChangeWatch()
    : m_inotify(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)),
      m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

ChangeWatch::~ChangeWatch()
{
    if (m_inotify >= 0)
        ::close(m_inotify);
    if (m_wake >= 0)
        ::close(m_wake);
}

ChangeWatch::Watch* ChangeWatch::add(const std::filesystem::path& path, std::uint32_t events)
{
    if (m_inotify < 0)
        return nullptr;
    // Added to what the path's watch already looks for, so that two kinds of watch on one folder
    // do not undo each other.
    const int wd = ::inotify_add_watch(m_inotify, path.c_str(), events | IN_MASK_ADD);
    if (wd < 0)
        return nullptr;
    m_watching = true;
    for (Watch& existing : m_watches)
        if (existing.wd == wd)
            return &existing;
    m_watches.push_back({wd, {}, false, false});
    return &m_watches.back();
}

void ChangeWatch::watch(const std::filesystem::path& folder, const std::vector<std::string>& names)
{
    std::error_code ec;
    CreateFolders(folder, ec);
    // Watched files are replaced whole by a rename. Writes in place are left out: the lock file
    // and the logs beside them are written on every change of the machine and would wake each
    // wait for nothing.
    if (Watch* w = add(folder, IN_MOVED_TO | IN_DELETE))
        w->names.insert(names.begin(), names.end());
}

bool ChangeWatch::watchFolder(const std::filesystem::path& folder)
{
    // A folder not there yet is not made (a look creates nothing): what is there of its path is
    // watched for a new entry, the folder's way of appearing.
    std::filesystem::path there = folder;
    std::uint32_t events = IN_MOVED_TO | IN_DELETE;
    std::error_code ec;
    while (!std::filesystem::is_directory(there, ec) && there.has_relative_path())
    {
        there = there.parent_path();
        events = IN_CREATE | IN_MOVED_TO;
    }
    Watch* w = add(there, events);
    if (w != nullptr)
        w->anyName = true;
    return w != nullptr;
}

bool ChangeWatch::watchWrites(const std::filesystem::path& file)
{
    // The link count's change (IN_ATTRIB) tells of a removal while the file is held open.
    Watch* w = add(file, IN_MODIFY | IN_DELETE_SELF | IN_MOVE_SELF | IN_ATTRIB);
    if (w != nullptr)
        w->self = true;
    return w != nullptr;
}

bool ChangeWatch::watchFolderWrites(const std::filesystem::path& folder)
{
    Watch* w = add(folder, IN_MODIFY | IN_CREATE | IN_MOVED_TO);
    if (w != nullptr)
        w->anyName = true;
    return w != nullptr;
}

bool ChangeWatch::watchRemoval(const std::filesystem::path& folder)
{
    Watch* w = add(folder, IN_DELETE_SELF | IN_MOVE_SELF);
    if (w != nullptr)
        w->self = true;
    return w != nullptr;
}

void ChangeWatch::clear()
{
    for (const Watch& w : m_watches)
        ::inotify_rm_watch(m_inotify, w.wd);
    m_watches.clear();
    m_watching = false;
    drainEvents();
}

void ChangeWatch::wake()
{
    const std::uint64_t one = 1;
    if (m_wake >= 0)
        (void)!::write(m_wake, &one, sizeof one);
}

bool ChangeWatch::drainEvents()
{
    bool changed = false;
    alignas(inotify_event) char buffer[4096];
    for (;;)
    {
        const ssize_t n = ::read(m_inotify, buffer, sizeof buffer);
        if (n <= 0)
            return changed;
        for (ssize_t at = 0; at < n;)
        {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if ((event->mask & IN_Q_OVERFLOW) != 0)
                changed = true; // events were lost: anything may have changed
            const std::string name = event->len != 0 ? event->name : "";
            for (const Watch& w : m_watches)
                if (w.wd == event->wd &&
                    (name.empty() ? w.self : w.anyName || w.names.count(name) != 0))
                    changed = true;
        }
    }
}

ChangeWatch::Result ChangeWatch::wait(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;)
    {
        int wait_ms = -1;
        if (timeout.count() >= 0)
        {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            wait_ms = static_cast<int>(std::max<std::int64_t>(0, left.count()));
        }
        pollfd fds[2] = {{m_wake, POLLIN, 0}, {m_inotify, POLLIN, 0}};
        const int ready = ::poll(fds, 2, wait_ms);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return Result::TimedOut;
        if ((fds[0].revents & POLLIN) != 0)
        {
            std::uint64_t count = 0;
            (void)!::read(m_wake, &count, sizeof count);
            drainEvents();
            return Result::Woken;
        }
        if (drainEvents())
            return Result::Changed;
    }
}

} // namespace machine
