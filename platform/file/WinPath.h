#pragma once
// Windows paths over the machine's drives: "C:\..." names a file in the machine's C: folder,
// ".\x" and bare names are relative to the process's current directory, "\" and "/" both
// separate, and names match without regard to case, as on the platform.

#include "platform/base/WinError.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// The current directory as a Windows path ("C:\Program Files\Tessaryn"). Until set it is
// the folder of the machine's C: drive that holds the host's working directory, or the
// program folder when the working directory lies outside the machine.
std::string CurrentDirectory();
void SetCurrentDirectoryPath(std::string path);

// "\\.\NAME": a device, not a file.
bool IsDevicePath(std::string_view path);

// The absolute, normalised Windows path ("C:\a\b"), or nullopt for device paths and names
// that leave the drive.
std::optional<std::string> FullWindowsPath(std::string_view path);

// The host file behind a Windows path. Existing components are matched without regard to
// case; the rest are used as written.
std::optional<std::filesystem::path> HostPath(std::string_view path);

} // namespace platform

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
BOOL SetCurrentDirectoryA(LPCSTR lpPathName);
