#include "machine/devices/DeviceTree.h"

#include "machine/devices/DriverFiles.h"

#include "machine/AsciiCase.h"

#include "machine/FileStore.h"
#include "machine/KeptPath.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/miniport/DriverReload.h"
#include "machine/registry/Registry.h"
#include "machine/text/LineValue.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <sstream>

namespace machine::devices
{
namespace
{

const char* busName(Bus bus)
{
    return bus == Bus::Pci ? "PCI" : "USB";
}

// The list as kept, shared; never null.
std::shared_ptr<const std::vector<NetDevice>> share(const Machine& machine)
{
    static ParsedFile<std::vector<NetDevice>> kept;
    // A driver request looks at the list.
    auto list =
        kept.share(KeptPath(machine, [&] { return DeviceListPath(machine); }),
                   [](const std::filesystem::path& file) -> std::optional<std::vector<NetDevice>>
                   {
                       auto text = ReadWholeFile(file);
                       if (!text)
                           return std::nullopt;
                       return ParseDeviceList(*text);
                   });
    return list ? list : std::make_shared<const std::vector<NetDevice>>();
}

std::vector<NetDevice> load(const Machine& machine)
{
    return *share(machine);
}

bool save(const Machine& machine, const std::vector<NetDevice>& devices)
{
    return WriteFileAtomically(DeviceListPath(machine), FormatDeviceList(devices),
                               FileAccess::Everyone);
}

std::string classKeyPath()
{
    return std::string("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\") +
           kNetClassGuid;
}

// The lowest four-digit index no driver key of the class uses yet.
std::string freeDriverIndex(const Machine& machine, const std::vector<NetDevice>& devices)
{
    std::set<std::string> used;
    for (const auto& d : devices)
        used.insert(d.driverKeyIndex);
    if (auto keys = registry::ListSubkeys(machine, classKeyPath()))
        used.insert(keys->begin(), keys->end());
    for (unsigned i = 0; i < 10000; ++i)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%04u", i);
        if (!used.count(text))
            return text;
    }
    return "9999";
}

std::string newGuid(const std::vector<NetDevice>& devices)
{
    for (unsigned n = static_cast<unsigned>(devices.size());; ++n)
    {
        char text[48];
        std::snprintf(text, sizeof text, "{A5D0%04X-0E11-4F00-8A11-0000%08X}", n & 0xFFFFu,
                      0xFA110000u + n);
        std::string guid = text;
        if (std::none_of(devices.begin(), devices.end(),
                         [&](const NetDevice& d) { return EqualNoCase(d.netCfgInstanceId, guid); }))
            return guid;
    }
}

} // namespace

std::filesystem::path DeviceListPath(const Machine& machine)
{
    return machine.root() / "devices.txt";
}

std::string DriverKeyPath(const NetDevice& device)
{
    return classKeyPath() + "\\" + device.driverKeyIndex;
}

std::string FormatDeviceList(const std::vector<NetDevice>& devices)
{
    std::ostringstream out;
    out << "# Network devices of the machine, in install order.\n";
    for (const auto& d : devices)
    {
        out << "\n[device]\n";
        out << "instanceId=" << text::EscapeLineValue(d.instanceId) << "\n";
        for (const auto& id : d.hardwareIds)
            out << "hardwareId=" << text::EscapeLineValue(id) << "\n";
        out << "deviceDesc=" << text::EscapeLineValue(d.deviceDesc) << "\n";
        out << "friendlyName=" << text::EscapeLineValue(d.friendlyName) << "\n";
        out << "locationInfo=" << text::EscapeLineValue(d.locationInfo) << "\n";
        out << "manufacturer=" << text::EscapeLineValue(d.manufacturer) << "\n";
        out << "bus=" << busName(d.bus) << "\n";
        out << "driverKeyIndex=" << text::EscapeLineValue(d.driverKeyIndex) << "\n";
        out << "netCfgInstanceId=" << text::EscapeLineValue(d.netCfgInstanceId) << "\n";
        out << "chipType=" << d.chipType << "\n";
        out << "present=" << (d.present ? 1 : 0) << "\n";
    }
    return out.str();
}

std::vector<NetDevice> ParseDeviceList(const std::string& text, std::vector<LineProblem>* problems)
{
    std::vector<NetDevice> devices;
    std::istringstream in(text);
    std::string line;
    std::size_t number = 0;
    auto problem = [&](std::string what)
    {
        if (problems != nullptr)
            problems->push_back({number, std::move(what)});
    };
    while (std::getline(in, line))
    {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "[device]")
        {
            devices.emplace_back();
            continue;
        }
        auto eq = line.find('=');
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        if (devices.empty() || eq == std::string::npos)
        {
            problem(devices.empty() ? "a line before the first [device]" : "a line without \"=\"");
            continue;
        }
        std::string key = line.substr(0, eq);
        std::string value = text::UnescapeLineValue(std::string_view(line).substr(eq + 1));
        NetDevice& d = devices.back();
        if (key == "instanceId")
            d.instanceId = value;
        else if (key == "hardwareId")
            d.hardwareIds.push_back(value);
        else if (key == "deviceDesc")
            d.deviceDesc = value;
        else if (key == "friendlyName")
            d.friendlyName = value;
        else if (key == "locationInfo")
            d.locationInfo = value;
        else if (key == "manufacturer")
            d.manufacturer = value;
        else if (key == "bus")
        {
            d.bus = EqualNoCase(value, "PCI") ? Bus::Pci : Bus::Usb;
            if (!EqualNoCase(value, "PCI") && !EqualNoCase(value, "USB"))
                problem("bus \"" + value + "\" is neither PCI nor USB (taken as USB)");
        }
        else if (key == "driverKeyIndex")
            d.driverKeyIndex = value;
        else if (key == "netCfgInstanceId")
            d.netCfgInstanceId = value;
        else if (key == "chipType")
        {
            try
            {
                d.chipType = std::stoi(value);
            }
            catch (const std::exception&)
            {
                d.chipType = -1;
                problem("chipType \"" + value + "\" is not a number");
            }
        }
        else if (key == "present")
            d.present = value != "0";
        else
            problem("unknown key \"" + key + "\"");
    }
    // A block without an instance ID names nothing.
    std::erase_if(devices, [](const NetDevice& d) { return d.instanceId.empty(); });
    return devices;
}

std::vector<NetDevice> ListDevices(const Machine& machine)
{
    // No lock: the list is replaced whole, so a reader sees one version or the next.
    return load(machine);
}

std::optional<NetDevice> FindDevice(const Machine& machine, const std::string& instanceId)
{
    // Held by name: a range-for keeps only the dereferenced vector's reference alive.
    const auto devices = share(machine);
    for (auto& d : *devices)
        if (EqualNoCase(d.instanceId, instanceId))
            return d;
    return std::nullopt;
}

namespace
{

const NetDevice* byNetCfgInstanceId(const std::vector<NetDevice>& devices,
                                    const std::string& netCfgInstanceId)
{
    for (auto& d : devices)
        if (!d.netCfgInstanceId.empty() && EqualNoCase(d.netCfgInstanceId, netCfgInstanceId))
            return &d;
    return nullptr;
}

} // namespace

std::optional<NetDevice> FindDeviceByNetCfgInstanceId(const Machine& machine,
                                                      const std::string& netCfgInstanceId)
{
    const auto devices = share(machine);
    if (const NetDevice* d = byNetCfgInstanceId(*devices, netCfgInstanceId))
        return *d;
    return std::nullopt;
}

bool IsDevicePresent(const Machine& machine, const std::string& netCfgInstanceId)
{
    const auto devices = share(machine);
    const NetDevice* d = byNetCfgInstanceId(*devices, netCfgInstanceId);
    return d != nullptr && d->present;
}

NetDevice InstallDevice(const Machine& machine, NetDevice device)
{
    MachineLock lock(machine);
    std::vector<NetDevice> devices = load(machine);
    // Installing again replaces the entry (same instance ID), as a driver update would.
    auto same = std::find_if(devices.begin(), devices.end(),
                             [&](const NetDevice& d)
                             { return EqualNoCase(d.instanceId, device.instanceId); });
    if (same != devices.end())
    {
        if (device.driverKeyIndex.empty())
            device.driverKeyIndex = same->driverKeyIndex;
        if (device.netCfgInstanceId.empty())
            device.netCfgInstanceId = same->netCfgInstanceId;
        devices.erase(same);
    }
    // Two devices never share a driver key or a device path: a taken one is replaced.
    if (device.driverKeyIndex.empty() ||
        std::any_of(devices.begin(), devices.end(),
                    [&](const NetDevice& d) { return d.driverKeyIndex == device.driverKeyIndex; }))
        device.driverKeyIndex = freeDriverIndex(machine, devices);
    if (device.netCfgInstanceId.empty() ||
        std::any_of(devices.begin(), devices.end(),
                    [&](const NetDevice& d)
                    { return EqualNoCase(d.netCfgInstanceId, device.netCfgInstanceId); }))
        device.netCfgInstanceId = newGuid(devices);

    const std::string key = DriverKeyPath(device);
    registry::CreateKey(machine, key + "\\Default");
    registry::SetString(machine, key, "DriverDesc", device.deviceDesc);
    registry::SetString(machine, key, "MatchingDeviceId",
                        device.hardwareIds.empty() ? std::string() : device.hardwareIds.back());
    registry::SetString(machine, key, "NetCfgInstanceId", device.netCfgInstanceId);
    for (const auto& [name, value] : DriverParameters(device))
        registry::SetString(machine, key, name, value);

    // A Tessaryn device brings its family's driver files.
    InstallDriverFiles(machine, device.chipType);

    devices.push_back(device);
    save(machine, devices);
    return device;
}

bool RemoveDevice(const Machine& machine, const std::string& instanceId)
{
    MachineLock lock(machine);
    std::vector<NetDevice> devices = load(machine);
    auto it =
        std::find_if(devices.begin(), devices.end(),
                     [&](const NetDevice& d) { return EqualNoCase(d.instanceId, instanceId); });
    if (it == devices.end())
        return false;
    registry::DeleteKeyTree(machine, DriverKeyPath(*it));
    devices.erase(it);
    return save(machine, devices);
}

void RemoveAllDevices(const Machine& machine)
{
    MachineLock lock(machine);
    for (const auto& d : load(machine))
        registry::DeleteKeyTree(machine, DriverKeyPath(d));
    save(machine, {});
}

bool SetDevicePresent(const Machine& machine, const std::string& instanceId, bool present)
{
    MachineLock lock(machine);
    std::vector<NetDevice> devices = load(machine);
    for (auto& d : devices)
        if (EqualNoCase(d.instanceId, instanceId))
        {
            bool replugged = present && !d.present;
            d.present = present;
            bool saved = save(machine, devices);
            // Plugged in again, the driver loads afresh.
            if (replugged && !d.netCfgInstanceId.empty())
                miniport::ReloadDriver(machine, d.netCfgInstanceId);
            return saved;
        }
    return false;
}

} // namespace machine::devices
