#pragma once
// Waiting for a change of machine files without looking at them again and again: the operating
// system's change notification on the folders that hold them (inotify). The files watched are
// those the machine replaces whole, by renaming a new file over them (machine/FileStore.h); that
// and their removal wake a wait. Another thread ends a wait early with wake().

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace machine
{

class ChangeWatch
{
public:
    ChangeWatch();
    ~ChangeWatch();
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    // False when the system gave no watch: the caller must then look on a period of its own.
    bool ok() const { return m_inotify >= 0 && m_wake >= 0 && m_watching; }

    // Watches the files of these names in the folder, which is made when missing.
    void watch(const std::filesystem::path& folder, const std::vector<std::string>& names);

    // Watches nothing any more (before watching another machine's files).
    void clear();

    // Ends the wait under way, or the next one.
    void wake();

    enum class Result
    {
        Changed,  // a watched file changed
        Woken,    // wake() was called
        TimedOut, // the time passed first
    };
    // Waits until a watched file changes, wake() is called or the timeout passes (negative: no
    // timeout). Changes of other files in the watched folders are passed over.
    Result wait(std::chrono::milliseconds timeout);

private:
    // True when a pending event names a watched file.
    bool drainEvents();

    int m_inotify = -1;
    int m_wake = -1;
    bool m_watching = false;
    std::vector<std::pair<int, std::set<std::string>>> m_watches; // watch descriptor, names
};

} // namespace machine
