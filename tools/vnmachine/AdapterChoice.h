#pragma once
// Which device a command of the machine tool means: its number in `vnmachine devices`, its
// instance ID or its NetCfgInstanceId; for the commands about the wireless adapter, the first
// Tessaryn adapter when none is named.

#include "machine/devices/DeviceTree.h"
#include "tools/vnmachine/Command.h"

#include <optional>
#include <string>

std::optional<machine::devices::NetDevice> FindDeviceNamed(const std::string& id);
// The device `id` names, or the first Tessaryn adapter when `id` is empty.
std::optional<machine::devices::NetDevice> AdapterNamed(const std::string& id);

// "--device ID" leading the words: takes both off and gives ID; empty when they do not lead.
std::string TakeDeviceOption(Words& args);
