#pragma once
// Whole-file reads and writes of machine files. A write goes to a file beside the target and
// is renamed over it, so a reader never sees half of it and a crash loses nothing.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace machine
{

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
// What the file holds from that byte on (nothing when it is shorter).
std::optional<std::string> ReadFileFrom(const std::filesystem::path& path, std::uint64_t offset);

// Permissions of the new file; owner-only for anything that may hold keys or passwords.
enum class FileAccess
{
    OwnerOnly,
    Everyone
};

// False when the data could not be written; the old file is then untouched.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileAccess access = FileAccess::OwnerOnly);
// The same, with `beforeRename` called on the written file's descriptor just before it takes the
// target's place; when it returns false the write is given up.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileAccess access, const std::function<bool(int fd)>& beforeRename);

// Removes what writers that died between writing and renaming left beside their targets
// ("<name>.tmp<pid>.<n>" of a process that no longer runs), anywhere under the folder.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

} // namespace machine
