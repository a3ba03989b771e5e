#pragma once
// Waiting for a change of machine files without looking at them again and again: the operating
// system's change notification on the folders that hold them (inotify). The files watched are
// those the machine replaces whole, by renaming a new file over them (machine/FileStore.h); that
// and their removal wake a wait. A file written in place (the lock file, which counts every log
// line) is watched for its writes instead, and a folder for its own removal. Another thread ends
// a wait early with wake().

#include <chrono>
#include <cstdint>
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

    // Watches every file of the folder, whatever its name (one file per process, named by its
    // pid). A folder not there is not made: a new entry where its path begins to be missing wakes
    // the wait instead, and the caller then watches again.
    // The new kinds of watch return false when the system gave none.
    bool watchFolder(const std::filesystem::path& folder);

    // Watches the writes in place of a file that exists, and its removal.
    bool watchWrites(const std::filesystem::path& file);

    // Watches the writes in place of every file of a folder that exists (logs, appended to through
    // descriptors kept open), and new entries.
    bool watchFolderWrites(const std::filesystem::path& folder);

    // Watches the removal or renaming of the folder itself.
    bool watchRemoval(const std::filesystem::path& folder);

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
    struct Watch
    {
        int wd = -1;
        std::set<std::string> names; // the files of the folder that are watched
        bool anyName = false;        // every file of the folder
        bool self = false;           // what happens to the watched file or folder itself
    };

    // True when a pending event names a watched file.
    bool drainEvents();
    // The watch of that descriptor, made when new.
    Watch* add(const std::filesystem::path& path, std::uint32_t events);

    int m_inotify = -1;
    int m_wake = -1;
    bool m_watching = false;
    std::vector<Watch> m_watches;
};

} // namespace machine
