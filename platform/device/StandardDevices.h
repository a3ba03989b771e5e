#pragma once
// The devices every program finds: the machine's network adapters ("\\.\{NetCfgInstanceId}",
// and "\\.\" + the chip family on Windows 98 SE and Me).

namespace platform
{

// Registers the openers once; called before any device path is opened.
void RegisterStandardDeviceOpeners();

} // namespace platform
