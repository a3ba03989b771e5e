#pragma once
// Device paths ("\\.\NAME") name drivers, not files. CreateFileA hands them to the openers
// registered here, so each area that simulates a device adds its own.

#include "platform/base/WinTypes.h"

#include <functional>
#include <optional>
#include <string>

namespace platform
{

struct DeviceOpenRequest
{
    std::string name; // the part after "\\.\" ("NBRG", "{GUID}")
    DWORD desiredAccess = 0;
    DWORD shareMode = 0;
    DWORD creationDisposition = 0;
    DWORD flagsAndAttributes = 0;
};

// Answers nullopt for a name that is not its device, so the next opener is asked; otherwise
// the new handle, or INVALID_HANDLE_VALUE with the last error set.
using DeviceOpener = std::function<std::optional<HANDLE>(const DeviceOpenRequest&)>;

// Openers are asked in the order they were registered. Returns an id for UnregisterDeviceOpener.
int RegisterDeviceOpener(DeviceOpener opener);
void UnregisterDeviceOpener(int id);

// What CreateFileA does with a device path: the first opener's answer, or
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when no opener knows the name.
HANDLE OpenDevice(const DeviceOpenRequest& request);

} // namespace platform
