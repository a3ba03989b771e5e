#pragma once
// The openers of the machine's own devices, registered together by
// RegisterStandardDeviceOpeners (StandardDevices.h).

#include "platform/base/WinTypes.h"
#include "platform/file/DeviceOpen.h"

#include <optional>

namespace platform
{

// "\\.\{NetCfgInstanceId}", and the chip family's name on Windows 98 SE / Me.
std::optional<HANDLE> OpenAdapterDevice(const DeviceOpenRequest& request);
// "\\.\NBRG", the Ethernet bridge driver, while the machine has one.
std::optional<HANDLE> OpenBridgeDevice(const DeviceOpenRequest& request);

} // namespace platform
