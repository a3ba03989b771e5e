#pragma once
// Folders of a machine: created for their owner only (0700, whatever the umask), so that no
// other local user reaches the machine's files, its run folder or the sockets in it. A folder
// that is there already keeps its mode.

#include <filesystem>
#include <system_error>

namespace machine
{

// Creates the folder and every missing folder above it; false with `ec` set on failure.
bool CreateFolders(const std::filesystem::path& path, std::error_code& ec);
// The same, throwing std::filesystem::filesystem_error.
void CreateFolders(const std::filesystem::path& path);

} // namespace machine
