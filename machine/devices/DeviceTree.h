#pragma once
// The machine's network devices ("Net" class), as the device manager knows them: what SetupAPI
// lists, and which adapter a device path opens.

#include "machine/FieldLines.h"
#include "machine/Machine.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace machine::devices
{

enum class Bus
{
    Pci,
    Usb
};

struct NetDevice
{
    std::string instanceId;               // "USB\VID_FA11&PID_3400\6&2F1A0C3B&0&2", unique
    std::vector<std::string> hardwareIds; // most specific first, as the bus reports them
    std::string deviceDesc;
    std::string friendlyName; // may be empty: the description is then shown
    std::string locationInfo;
    std::string manufacturer;
    Bus bus = Bus::Usb;
    std::string driverKeyIndex;   // "0007": the driver key is the class key's subkey 0007
    std::string netCfgInstanceId; // "{GUID}", also in the driver key
    int chipType = -1;            // the Tessaryn chip model behind it (0 to 8); -1 another NIC
    bool present = true;          // false while unplugged: not listed as present, path fails

    bool operator==(const NetDevice&) const = default;
};

// "{4D36E972-E325-11CE-BFC1-08002BE10318}", the network adapters' class.
inline constexpr const char* kNetClassGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

// In install order.
std::vector<NetDevice> ListDevices(const Machine& machine);
std::optional<NetDevice> FindDevice(const Machine& machine, const std::string& instanceId);
// By NetCfgInstanceId, without regard to case (device paths name it).
std::optional<NetDevice> FindDeviceByNetCfgInstanceId(const Machine& machine,
                                                      const std::string& netCfgInstanceId);
// Whether that device is listed and present (plugged in), without a copy of its entry.
bool IsDevicePresent(const Machine& machine, const std::string& netCfgInstanceId);

// Installs the device: its entry, and its driver key under the class key holding
// "NetCfgInstanceId", the driver's parameters and an empty subkey "Default". Missing
// driverKeyIndex / netCfgInstanceId are chosen. Returns the device as installed.
NetDevice InstallDevice(const Machine& machine, NetDevice device);
bool RemoveDevice(const Machine& machine, const std::string& instanceId);
// Unplug (false) and replug (true).
bool SetDevicePresent(const Machine& machine, const std::string& instanceId, bool present);

} // namespace machine::devices

namespace machine::devices
{

// Where the device list is kept: <root>/devices.txt, one block of "key=value" lines per device.
std::filesystem::path DeviceListPath(const Machine& machine);

// The registry path of the device's driver key ("HKLM\SYSTEM\...\Class\{...}\0007").
std::string DriverKeyPath(const NetDevice& device);

// Text form of the list, as kept in the file; unknown keys are ignored on parse.
std::string FormatDeviceList(const std::vector<NetDevice>& devices);
// Lines that do not read are passed over; `problems`, when given, gets each with its number.
std::vector<NetDevice> ParseDeviceList(const std::string& text,
                                       std::vector<LineProblem>* problems = nullptr);

// Removes every device (a machine without network adapters).
void RemoveAllDevices(const Machine& machine);

} // namespace machine::devices
