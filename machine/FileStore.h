#pragma once
// Whole-file reads and writes of machine files. A write goes to a file beside the target and
// is renamed over it, so a reader never sees half of it and a crash loses nothing.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace machine
{

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Permissions of the new file; owner-only for anything that may hold keys or passwords.
enum class FileAccess
{
    OwnerOnly,
    Everyone
};

// False when the data could not be written; the old file is then untouched.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data,
                         FileAccess access = FileAccess::OwnerOnly);

// Removes what writers that died between writing and renaming left beside their targets
// ("<name>.tmp<pid>.<n>" of a process that no longer runs), anywhere under the folder.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

} // namespace machine
