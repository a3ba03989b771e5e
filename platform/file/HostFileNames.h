#pragma once
// Internal to the file functions: Windows file names to host files, and host failures to the
// platform's error numbers.

#include "platform/base/WinTypes.h"

#include <filesystem>
#include <optional>

namespace platform::file_detail
{

inline constexpr DWORD kErrorDiskFull = 112;
inline constexpr DWORD kErrorNegativeSeek = 131;
inline constexpr DWORD kErrorFilenameTooLong = 206;

// The host file behind a file name; nullopt with `error` set for a null or empty name, a name
// with characters Windows refuses in names, or a name that leaves the drive.
std::optional<std::filesystem::path> ResolveFileName(LPCSTR name, DWORD& error);

// The error for a name that does not exist: ERROR_FILE_NOT_FOUND when its folder exists,
// else ERROR_PATH_NOT_FOUND.
DWORD MissingFileError(const std::filesystem::path& host);

// The error for a failed host call on `host` (errno `err`).
DWORD ErrorFromErrno(int err, const std::filesystem::path& host);

} // namespace platform::file_detail
