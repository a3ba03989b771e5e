#include "tools/vnmachine/AdapterChoice.h"

#include "machine/Machine.h"
#include "tools/vnmachine/Arguments.h"

namespace devices = machine::devices;

std::optional<devices::NetDevice> FindDeviceNamed(const std::string& id)
{
    const machine::Machine& m = machine::CurrentMachine();
    auto list = devices::ListDevices(m);
    if (auto n = ParseNumber(id); n && *n >= 0 && static_cast<std::size_t>(*n) < list.size())
        return list[static_cast<std::size_t>(*n)];
    if (auto d = devices::FindDevice(m, id))
        return d;
    return devices::FindDeviceByNetCfgInstanceId(m, id);
}

std::optional<devices::NetDevice> AdapterNamed(const std::string& id)
{
    if (!id.empty())
        return FindDeviceNamed(id);
    for (auto& d : devices::ListDevices(machine::CurrentMachine()))
        if (d.chipType >= 0)
            return d;
    return std::nullopt;
}

std::string TakeDeviceOption(Words& args)
{
    if (args.size() < 2 || args[0] != "--device")
        return {};
    std::string id = args[1];
    args.erase(args.begin(), args.begin() + 2);
    return id;
}
