#include "tools/vnmachine/DeviceCommand.h"

#include "machine/Machine.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "machine/wmi/DriverEvents.h"
#include "tools/vnmachine/Arguments.h"

#include <cctype>
#include <cstdint>
#include <iostream>
#include <optional>

namespace devices = machine::devices;
namespace miniport = machine::miniport;

namespace
{

int usage()
{
    std::cerr << "usage: vnmachine devices [list]\n"
                 "       vnmachine devices add default|usb CHIP|pci CHIP|other [INDEX]\n"
                 "       vnmachine devices remove|unplug|replug ID\n"
                 "       vnmachine driver state [ID] | log [ID] | clear-log [ID]\n"
                 "       vnmachine driver [--device ID] fault CODE once|N|always [query|set]\n"
                 "       vnmachine driver [--device ID] fault short CODE BYTES\n"
                 "       vnmachine driver [--device ID] fault scribble CODE\n"
                 "       vnmachine driver [--device ID] fault open | clear | list\n"
                 "       vnmachine driver event [CLASS] [--batch N] [--unreadable K]...\n"
                 "       vnmachine driver wmi-fail init|security|locator|connect|query "
                 "[once|N|always] [HRESULT]\n"
                 "       vnmachine driver wmi-faults | wmi-clear | wmi-log | wmi-clear-log\n"
                 "ID: the device's number in the list, its instance ID or NetCfgInstanceId.\n";
    return 2;
}

std::optional<devices::NetDevice> findDevice(const std::string& id)
{
    const machine::Machine& m = machine::CurrentMachine();
    auto list = devices::ListDevices(m);
    if (auto n = ParseNumber(id); n && *n >= 0 && static_cast<std::size_t>(*n) < list.size())
        return list[static_cast<std::size_t>(*n)];
    if (auto d = devices::FindDevice(m, id))
        return d;
    return devices::FindDeviceByNetCfgInstanceId(m, id);
}

std::optional<devices::NetDevice> adapterFor(const std::string& id)
{
    if (!id.empty())
        return findDevice(id);
    for (auto& d : devices::ListDevices(machine::CurrentMachine()))
        if (d.chipType >= 0)
            return d;
    return std::nullopt;
}

void printDevice(std::size_t index, const devices::NetDevice& d)
{
    std::cout << index << "  " << (d.present ? "present " : "unplugged") << "  "
              << (d.bus == devices::Bus::Pci ? "PCI" : "USB") << "  ";
    if (d.chipType >= 0)
        std::cout << "chip " << d.chipType << " (" << devices::ChipFamilyName(d.chipType) << ")  ";
    else
        std::cout << "other maker  ";
    std::cout << (d.friendlyName.empty() ? d.deviceDesc : d.friendlyName) << "\n";
    std::cout << "   instance      " << d.instanceId << "\n";
    for (const auto& id : d.hardwareIds)
        std::cout << "   hardware ID   " << id << "\n";
    std::cout << "   description   " << d.deviceDesc << "\n"
              << "   manufacturer  " << d.manufacturer << "\n"
              << "   location      " << d.locationInfo << "\n"
              << "   driver key    " << devices::DriverKeyPath(d) << "\n"
              << "   device path   \\\\.\\" << d.netCfgInstanceId << "\n";
}

int listDevices()
{
    auto list = devices::ListDevices(machine::CurrentMachine());
    if (list.empty())
        std::cout << "no network devices\n";
    for (std::size_t i = 0; i < list.size(); ++i)
        printDevice(i, list[i]);
    return 0;
}

int addDevice(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return usage();
    const std::string& kind = args[1];
    std::size_t next = 2;
    std::optional<long> chip;
    if (kind == "usb" || kind == "pci")
    {
        if (args.size() < 3 || !(chip = ParseNumber(args[2])) || *chip < 0 || *chip > 8)
            return usage();
        next = 3;
    }
    int index = 0;
    if (args.size() > next)
    {
        auto n = ParseNumber(args[next]);
        if (!n || *n < 0 || *n > 99)
            return usage();
        index = static_cast<int>(*n);
    }
    devices::NetDevice d;
    if (kind == "default")
        d = devices::DefaultAdapter();
    else if (kind == "usb")
        d = devices::TessarynUsbAdapter(static_cast<int>(*chip), index);
    else if (kind == "pci")
        d = devices::TessarynPciAdapter(static_cast<int>(*chip), index);
    else if (kind == "other")
        d = devices::OtherMakerNic(index);
    else
        return usage();
    d = devices::InstallDevice(machine::CurrentMachine(), d);
    std::cout << "installed " << d.instanceId << " " << d.netCfgInstanceId << "\n";
    return 0;
}

int changeDevice(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return usage();
    auto d = findDevice(args[1]);
    if (!d)
    {
        std::cerr << "vnmachine: no device '" << args[1] << "'\n";
        return 1;
    }
    const machine::Machine& m = machine::CurrentMachine();
    bool ok = args[0] == "remove"
                  ? devices::RemoveDevice(m, d->instanceId)
                  : devices::SetDevicePresent(m, d->instanceId, args[0] == "replug");
    return ok ? 0 : 1;
}

int fault(const devices::NetDevice& d, const std::vector<std::string>& args)
{
    const machine::Machine& m = machine::CurrentMachine();
    const std::string& id = d.netCfgInstanceId;
    if (args.size() == 1 && args[0] == "clear")
    {
        miniport::ClearDriverFaults(m, id);
        return 0;
    }
    if (args.size() == 1 && args[0] == "list")
    {
        std::cout << miniport::FormatDriverFaults(miniport::LoadDriverFaults(m, id));
        return 0;
    }
    if (args.size() == 1 && args[0] == "open")
    {
        miniport::InjectOpenFailure(m, id, true);
        return 0;
    }
    if (args.size() == 2 && args[0] == "scribble")
    {
        auto c = ParseCode(args[1]);
        if (!c)
            return usage();
        miniport::InjectSetScribble(m, id, *c);
        return 0;
    }
    if (args.size() == 3 && args[0] == "short")
    {
        auto c = ParseCode(args[1]);
        auto bytes = ParseNumber(args[2]);
        if (!c || !bytes || *bytes < 0)
            return usage();
        miniport::InjectShortAnswer(m, id, *c, static_cast<std::uint32_t>(*bytes));
        return 0;
    }
    if (args.size() == 2 || args.size() == 3)
    {
        auto c = ParseCode(args[0]);
        if (!c)
            return usage();
        auto times = ParseTimes(args[1], 1, 999999);
        if (!times)
            return usage();
        miniport::Direction direction = miniport::Direction::Both;
        if (args.size() == 3)
        {
            if (args[2] == "query")
                direction = miniport::Direction::Query;
            else if (args[2] == "set")
                direction = miniport::Direction::Set;
            else
                return usage();
        }
        miniport::InjectRequestFault(m, id, *c, *times, direction);
        return 0;
    }
    return usage();
}

// The driver's instrumentation events: raising them, and what subscribing to them meets.
int wmiCommand(const std::vector<std::string>& args)
{
    namespace wmi = machine::wmi;
    const machine::Machine& m = machine::CurrentMachine();
    const std::string& command = args[0];
    if (command == "event")
    {
        std::string className = wmi::kDriverEventClass;
        long count = 1;
        std::vector<long> unreadable;
        for (std::size_t i = 1; i < args.size(); ++i)
        {
            if ((args[i] == "--batch" || args[i] == "--unreadable") && i + 1 < args.size())
            {
                auto n = ParseNumber(args[i + 1]);
                if (!n || *n < 1 || *n > 1000)
                    return usage();
                if (args[i] == "--batch")
                    count = *n;
                else
                    unreadable.push_back(*n);
                ++i;
            }
            else if (i == 1 && args[i].rfind("--", 0) != 0)
                className = args[i];
            else
                return usage();
        }
        std::vector<wmi::EventObject> objects(static_cast<std::size_t>(count),
                                              wmi::EventObject{className, true});
        for (long k : unreadable)
        {
            if (k > count)
                return usage();
            objects[static_cast<std::size_t>(k - 1)].classReadable = false;
        }
        auto seq = wmi::RaiseDriverEvents(m, objects);
        if (seq == 0)
        {
            std::cerr << "vnmachine: the event could not be raised\n";
            return 1;
        }
        std::cout << "raised batch " << seq << " (" << count << " object" << (count == 1 ? "" : "s")
                  << ")\n";
        return 0;
    }
    if (command == "wmi-fail" && args.size() >= 2 && args.size() <= 4)
    {
        auto step = wmi::ParseWmiStep(args[1]);
        std::optional<int> times = 1;
        if (args.size() >= 3)
            times = ParseTimes(args[2], 1, 999999);
        std::optional<std::uint32_t> result = 0x80004005u;
        if (args.size() == 4)
            result = ParseCode(args[3]);
        if (!step || !times || !result)
            return usage();
        wmi::InjectWmiFailure(m, *step, *times, *result);
        return 0;
    }
    if (args.size() != 1)
        return usage();
    if (command == "wmi-faults")
        std::cout << wmi::FormatWmiFaults(wmi::LoadWmiFaults(m));
    else if (command == "wmi-clear")
        wmi::ClearWmiFaults(m);
    else if (command == "wmi-log")
        for (const auto& line : wmi::ReadWmiLog(m))
            std::cout << line << "\n";
    else if (command == "wmi-clear-log")
        wmi::ClearWmiLog(m);
    else
        return usage();
    return 0;
}

} // namespace

int RunDevicesCommand(const std::vector<std::string>& args)
{
    if (args.empty() || args[0] == "list")
        return listDevices();
    if (args[0] == "add")
        return addDevice(args);
    if (args[0] == "remove" || args[0] == "unplug" || args[0] == "replug")
        return changeDevice(args);
    return usage();
}

int RunDriverCommand(const std::vector<std::string>& input)
{
    std::vector<std::string> args = input;
    std::string deviceId;
    if (args.size() >= 2 && args[0] == "--device")
    {
        deviceId = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return usage();
    const std::string command = args[0];
    // Events and their faults are the machine's, whichever adapter raises them.
    if (command == "event" || command.rfind("wmi-", 0) == 0)
        return wmiCommand(args);
    if ((command == "state" || command == "log" || command == "clear-log") && args.size() == 2)
        deviceId = args[1];
    else if (command != "fault" && args.size() != 1)
        return usage();
    auto d = adapterFor(deviceId);
    if (!d)
    {
        std::cerr << "vnmachine: no such adapter\n";
        return 1;
    }
    const machine::Machine& m = machine::CurrentMachine();
    if (command == "state")
    {
        std::cout << "adapter " << d->netCfgInstanceId << (d->present ? "" : " (unplugged)")
                  << "\n";
        std::cout << miniport::FormatAdapterState(
            miniport::LoadAdapterState(m, d->netCfgInstanceId));
        return 0;
    }
    if (command == "log")
    {
        for (const auto& e : miniport::ReadRequestLog(m, d->netCfgInstanceId))
            std::cout << miniport::FormatLogEntry(e) << "\n";
        return 0;
    }
    if (command == "clear-log")
    {
        miniport::ClearRequestLog(m, d->netCfgInstanceId);
        return 0;
    }
    if (command == "fault")
        return fault(*d, std::vector<std::string>(args.begin() + 1, args.end()));
    return usage();
}
