#pragma once
// Internal to the private-profile functions: settings files read once and kept parsed until
// they change on disk, and whole-file updates under the machine lock.

#include "platform/base/WinTypes.h"
#include "platform/profile/IniDocument.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform::profile_detail
{

struct LoadedProfile
{
    std::shared_ptr<const ini::Document> document; // empty for a missing file
    bool exists = false;
};

// The parsed file. A file whose identity, size and times are what they were at the last read
// is not read again.
LoadedProfile LoadProfile(const std::filesystem::path& host);

// Produces the new text of the file from its current form, or nullopt to leave it as it is.
using ProfileEdit = std::function<std::optional<std::string>(const LoadedProfile&)>;

// The same edit done to the parsed document, when it can be: true when done. Then the written
// text need not be parsed again.
using ProfilePatch = std::function<bool(ini::Document&)>;

// Applies an edit under the machine lock to the file as it is on disk now, and puts the new
// text in place whole, readable by the owner only. ERROR_SUCCESS or the error of the failure
// (the file is then unchanged). With a patch, the kept document of the file is patched rather
// than the new text parsed, when no reader of this process holds it.
DWORD UpdateProfile(const std::filesystem::path& host, const ProfileEdit& edit,
                    const ProfilePatch& patch = nullptr);

// How many times a file's text has been parsed (tests check that reads reuse the parse).
std::uint64_t ParseCount();

} // namespace platform::profile_detail
