#pragma once
// What changed among the machine files this process looks at, told by the operating system
// instead of asked of each file: the folders of the files looked at are watched (inotify), and
// a look first takes the events that came since the last one, in one read for all of them. A
// file nothing happened to since its last look then costs no call to the system at all.
//
// Within a ChangeScope (one call of a program into the machine, or the handling of one message)
// the events are taken once, at the first look: the call sees the machine as it was when the call
// began, as a call holding the machine lock would. Holding the lock, after a write of one's own
// or after a wait, a look takes them again.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace machine
{

struct FileVersion;

// The file's version (machine/ParsedFile.h), from what the process knows when nothing happened to
// the file since it last looked, else from a stat.
std::optional<FileVersion> WatchedVersionOf(const std::filesystem::path& path);

// A count that changes when the file is made, removed or renamed, or its folder is, as of the
// events last taken (this takes none: it costs nothing); nullopt when the folder is not watched.
// A log kept open for appending is written through its descriptor as long as this stays.
std::optional<std::uint64_t> ReplacementsOf(const std::filesystem::path& path);

// The next look takes the events again, even within a scope: after a write of this thread's own,
// which its next look must see, and after a wait, which may have been for a change.
void LookAfresh();

// Marks one call into the machine; scopes nest.
class ChangeScope
{
public:
    ChangeScope();
    ~ChangeScope();
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;
};

// For the machine lock: whether this thread holds it, so that its looks take every event.
void NoteLockTaken();
void NoteLockReleased();

} // namespace machine
