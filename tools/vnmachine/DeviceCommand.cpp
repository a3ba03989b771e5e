#include "tools/vnmachine/DeviceCommand.h"

#include "machine/Machine.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "machine/wmi/DriverEvents.h"
#include "tools/vnmachine/AdapterChoice.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/DriverAnswerCommand.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/MachineHandler.h"

#include <cctype>
#include <cstdint>
#include <iostream>
#include <optional>

namespace devices = machine::devices;
namespace miniport = machine::miniport;

namespace
{

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

void listDevices(const machine::Machine& m)
{
    auto list = devices::ListDevices(m);
    if (JsonOutput())
    {
        nlohmann::json all = nlohmann::json::array();
        for (std::size_t i = 0; i < list.size(); ++i)
        {
            const devices::NetDevice& d = list[i];
            nlohmann::json one = {{"index", i},
                                  {"instance_id", d.instanceId},
                                  {"hardware_ids", d.hardwareIds},
                                  {"present", d.present},
                                  {"bus", d.bus == devices::Bus::Pci ? "pci" : "usb"},
                                  {"description", d.deviceDesc},
                                  {"manufacturer", d.manufacturer},
                                  {"net_cfg_instance_id", d.netCfgInstanceId},
                                  {"driver_key", devices::DriverKeyPath(d)}};
            if (d.chipType >= 0)
                one["chip"] = d.chipType;
            all.push_back(std::move(one));
        }
        PrintJson({{"devices", all}});
        return;
    }
    if (list.empty())
        std::cout << "no network devices\n";
    for (std::size_t i = 0; i < list.size(); ++i)
        printDevice(i, list[i]);
}

int addDevice(const Words& args)
{
    NeedWords(args, 1, 3);
    const std::string& kind = args[0];
    std::size_t next = 1;
    std::optional<long> chip;
    if (kind == "usb" || kind == "pci")
    {
        if (args.size() < 2 || !(chip = ParseNumber(args[1])) || *chip < 0 || *chip > 8)
            throw UsageError{};
        next = 2;
    }
    int index = 0;
    if (args.size() > next)
    {
        auto n = ParseNumber(args[next]);
        if (args.size() > next + 1 || !n || *n < 0 || *n > 99)
            throw UsageError{};
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
        throw UsageError{};
    d = devices::InstallDevice(machine::CurrentMachine(), d);
    std::cout << "installed " << d.instanceId << " " << d.netCfgInstanceId << "\n";
    return 0;
}

// remove, unplug or replug the device the one word names.
Handler changeDevice(std::string verb)
{
    return [verb](const Words& args)
    {
        NeedWords(args, 1);
        auto d = FindDeviceNamed(args[0]);
        if (!d)
        {
            std::cerr << "vnmachine: no device '" << args[0] << "'\n";
            return 1;
        }
        const machine::Machine& m = machine::CurrentMachine();
        bool ok = verb == "remove" ? devices::RemoveDevice(m, d->instanceId)
                                   : devices::SetDevicePresent(m, d->instanceId, verb == "replug");
        return ok ? 0 : 1;
    };
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
            throw UsageError{};
        miniport::InjectSetScribble(m, id, *c);
        return 0;
    }
    if (args.size() == 3 && args[0] == "short")
    {
        auto c = ParseCode(args[1]);
        auto bytes = ParseNumber(args[2]);
        if (!c || !bytes || *bytes < 0)
            throw UsageError{};
        miniport::InjectShortAnswer(m, id, *c, static_cast<std::uint32_t>(*bytes));
        return 0;
    }
    if (args.size() == 2 || args.size() == 3)
    {
        auto c = ParseCode(args[0]);
        auto times = ParseTimes(args[1], 1, 999999);
        if (!c || !times)
            throw UsageError{};
        miniport::Direction direction = miniport::Direction::Both;
        if (args.size() == 3)
        {
            if (args[2] == "query")
                direction = miniport::Direction::Query;
            else if (args[2] == "set")
                direction = miniport::Direction::Set;
            else
                throw UsageError{};
        }
        miniport::InjectRequestFault(m, id, *c, *times, direction);
        return 0;
    }
    throw UsageError{};
}

// The driver's instrumentation events: raising them, and what subscribing to them meets. They
// are the machine's, whichever adapter raises them.
namespace wmi = machine::wmi;

int raiseEvent(const machine::Machine& m, const Words& args)
{
    std::string className = wmi::kDriverEventClass;
    long count = 1;
    std::vector<long> unreadable;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        if ((args[i] == "--batch" || args[i] == "--unreadable") && i + 1 < args.size())
        {
            auto n = ParseNumber(args[i + 1]);
            if (!n || *n < 1 || *n > 1000)
                throw UsageError{};
            if (args[i] == "--batch")
                count = *n;
            else
                unreadable.push_back(*n);
            ++i;
        }
        else if (i == 0 && args[i].rfind("--", 0) != 0)
            className = args[i];
        else
            throw UsageError{};
    }
    std::vector<wmi::EventObject> objects(static_cast<std::size_t>(count),
                                          wmi::EventObject{className, true});
    for (long k : unreadable)
    {
        if (k > count)
            throw UsageError{};
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

int wmiFail(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 1, 3);
    auto step = wmi::ParseWmiStep(args[0]);
    std::optional<int> times = 1;
    if (args.size() >= 2)
        times = ParseTimes(args[1], 1, 999999);
    std::optional<std::uint32_t> result = 0x80004005u;
    if (args.size() == 3)
        result = ParseCode(args[2]);
    if (!step || !times || !result)
        throw UsageError{};
    wmi::InjectWmiFailure(m, *step, *times, *result);
    return 0;
}

// The adapter `chosen` names (the first Tessaryn adapter when empty), else a word after the
// command; nullopt with the reason on stderr when there is none.
std::optional<devices::NetDevice> adapterArgument(const std::string& chosen, const Words& args)
{
    NeedWords(args, 0, 1);
    auto d = AdapterNamed(args.empty() ? chosen : args[0]);
    if (!d)
        std::cerr << "vnmachine: no such adapter\n";
    return d;
}

void printState(const machine::Machine& m, const devices::NetDevice& d)
{
    std::cout << "adapter " << d.netCfgInstanceId << (d.present ? "" : " (unplugged)") << "\n";
    std::cout << miniport::FormatAdapterState(miniport::LoadAdapterState(m, d.netCfgInstanceId));
}

void printRequests(const machine::Machine& m, const devices::NetDevice& d)
{
    if (JsonOutput())
        return PrintLogJson(m,
                            {miniport::AdapterDirectory(m, d.netCfgInstanceId) / "requests.log"});
    // The opens and closes of the device path as well as the requests.
    for (const auto& line : miniport::ReadDriverLog(m, d.netCfgInstanceId))
        std::cout << line << "\n";
}

} // namespace

int RunDevicesCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine devices",
        .commands =
            {
                {"list",
                 {},
                 "every device, present or not, with its driver key",
                 WithoutWords(listDevices)},
                {"add",
                 {"default|usb CHIP|pci CHIP|other [INDEX]"},
                 "install an adapter (INDEX tells several apart)",
                 addDevice},
                {"remove", {"ID"}, "take the device off the machine", changeDevice("remove")},
                {"unplug", {"ID"}, "the device is no longer present", changeDevice("unplug")},
                {"replug", {"ID"}, "the device is present again", changeDevice("replug")},
            },
        .fallback = "list",
        .notes = "ID: the device's number in the list, its instance ID or its NetCfgInstanceId.\n",
    };
    return table.run(args);
}

int RunDriverCommand(const Words& input)
{
    Words args = input;
    const std::string deviceId = TakeDeviceOption(args);
    // A command on one adapter: the one its word names, else the one --device chose.
    auto onAdapter =
        [&deviceId](void (*body)(const machine::Machine&, const devices::NetDevice&)) -> Handler
    {
        return [&deviceId, body](const Words& a)
        {
            auto d = adapterArgument(deviceId, a);
            if (!d)
                return 1;
            body(machine::CurrentMachine(), *d);
            return 0;
        };
    };
    const CommandTable table{
        .path = "vnmachine driver",
        .options = "[--device ID]",
        .commands =
            {
                {"state", {"[ID]"}, "the adapter's radio and link", onAdapter(printState)},
                {"log",
                 {"[ID]"},
                 "the opens, requests and closes the programs sent the adapter",
                 onAdapter(printRequests)},
                {"clear-log",
                 {"[ID]"},
                 "forget those requests",
                 onAdapter([](const machine::Machine& m, const devices::NetDevice& d)
                           { miniport::ClearRequestLog(m, d.netCfgInstanceId); })},
                {"fault",
                 {"CODE once|N|always [query|set]", "short CODE BYTES", "scribble CODE",
                  "open | clear | list"},
                 "make the adapter's requests fail or answer oddly",
                 [&](const Words& a)
                 {
                     auto d = adapterArgument(deviceId, {});
                     return d ? fault(*d, a) : 1;
                 },
                 "fault CODE: requests of CODE fail (queries, sets or both); short: answers of\n"
                 "CODE return only BYTES bytes; scribble: sets of CODE write into the caller's\n"
                 "buffer; open: the device cannot be opened.\n"},
                {"answer",
                 {"CODE HEX", "CODE --clear"},
                 "queries of CODE answer HEX, whatever the link (--clear: they follow it again)",
                 [&](const Words& a) { return RunDriverAnswer(deviceId, a); }},
                {"event",
                 {"[CLASS] [--batch N] [--unreadable K]..."},
                 "raise a batch of driver events",
                 OnMachine(raiseEvent),
                 "event raises one batch of N event objects (of the driver's class unless CLASS\n"
                 "is given); the K-th cannot be read.\n"},
                {"wmi-fail",
                 {"init|security|locator|connect|query [once|N|always] [HRESULT]"},
                 "a step of subscribing to the events fails (E_FAIL by default)",
                 OnMachine(wmiFail)},
                {"wmi-faults",
                 {},
                 "those failures",
                 WithoutWords([](const machine::Machine& m)
                              { std::cout << wmi::FormatWmiFaults(wmi::LoadWmiFaults(m)); })},
                {"wmi-clear", {}, "remove them", WithoutWords(wmi::ClearWmiFaults)},
                {"wmi-log",
                 {},
                 "the subscription calls the programs made",
                 PrintingLog(wmi::ReadWmiLog, [](const machine::Machine& m)
                             { return m.root() / "wmi" / "wmi.log"; })},
                {"wmi-clear-log", {}, "forget it", WithoutWords(wmi::ClearWmiLog)},
            },
        .notes = "ID: the device's number in `vnmachine devices`, its instance ID or its\n"
                 "NetCfgInstanceId; without one the first Tessaryn adapter (--device ID chooses\n"
                 "another for every command but the events').\n",
    };
    return table.run(args);
}
