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

// The change to make to the file in its current form, or nullopt to leave it as it is.
using ProfileEdit = std::function<std::optional<ini::LineEdit>(const ini::Document&)>;

// Applies an edit under the machine lock to the file as it is on disk now, and puts the new
// text in place whole, readable by the owner only. ERROR_SUCCESS or the error of the failure
// (the file is then unchanged). The kept document of the file takes the edit too, rather than
// the new text being parsed.
DWORD UpdateProfile(const std::filesystem::path& host, const ProfileEdit& edit);

// How many times a file's text has been parsed (tests check that reads reuse the parse).
std::uint64_t ParseCount();

} // namespace platform::profile_detail
