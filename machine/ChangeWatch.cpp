#include "machine/ChangeWatch.h"

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

void ChangeWatch::watch(const std::filesystem::path& folder, const std::vector<std::string>& names)
{
    if (m_inotify < 0)
        return;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // Watched files are replaced whole by a rename. Writes in place are left out: the lock file
    // and the logs beside them are written on every change of the machine and would wake each
    // wait for nothing.
    const int wd = ::inotify_add_watch(m_inotify, folder.c_str(), IN_MOVED_TO | IN_DELETE);
    if (wd < 0)
        return;
    m_watching = true;
    for (auto& [existing, watched] : m_watches)
        if (existing == wd)
        {
            watched.insert(names.begin(), names.end());
            return;
        }
    m_watches.emplace_back(wd, std::set<std::string>(names.begin(), names.end()));
}

void ChangeWatch::clear()
{
    for (const auto& [wd, names] : m_watches)
        ::inotify_rm_watch(m_inotify, wd);
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
            for (const auto& [wd, names] : m_watches)
                if (wd == event->wd && names.count(name) != 0)
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
