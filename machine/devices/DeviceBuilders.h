#pragma once
// Ready-made devices: the default machine's adapter, and the other kinds tests and the machine
// tool install (PCI and USB adapters of every chip type, a network card of another maker).

#include "machine/devices/DeviceTree.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace machine::devices
{

// The chip maker's vendor code, on both buses (an invented one).
inline constexpr std::uint16_t kTessarynVendorId = 0xFA11;

// Family name of a chip type 0..8 ("KQ3400" for 8); "" for any other value. A 98 SE / Me
// driver is opened as "\\.\" + this name.
std::string ChipFamilyName(int chipType);

// The adapter of a new machine: USB, chip type 8 ("KQ3400", 802.11n).
NetDevice DefaultAdapter();

// A Tessaryn adapter of the chip type on that bus. The product / device code defaults to one
// that stands for the chip type; `index` tells several of the same kind apart (instance ID,
// location, NetCfgInstanceId).
NetDevice TessarynUsbAdapter(int chipType, int index = 0, std::uint16_t productId = 0);
NetDevice TessarynPciAdapter(int chipType, int index = 0, std::uint16_t deviceId = 0);
// A wired card of another maker: listed, but no Tessaryn chip behind it.
NetDevice OtherMakerNic(int index = 0);

// The driver parameters written into a new driver key (name, REG_SZ text), in order.
std::vector<std::pair<std::string, std::string>> DriverParameters(const NetDevice& device);

} // namespace machine::devices
