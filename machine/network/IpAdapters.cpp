#include "machine/network/IpAdapters.h"

#include "machine/AsciiCase.h"
#include "machine/HexDigit.h"
#include "machine/SettingsFile.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/network/Connections.h"

#include <cctype>
#include <sstream>

namespace machine::network
{
namespace
{

const SettingsFile<IpHelperFaults> kFaultsFile{"network/iphlp-faults.txt", FormatIpHelperFaults,
                                               ParseIpHelperFaults};

} // namespace

std::vector<std::uint8_t> ParseMacText(const std::string& text)
{
    std::vector<std::uint8_t> mac;
    std::size_t i = 0;
    while (i < text.size())
    {
        if (mac.size() == 8 || i + 1 >= text.size())
            return {};
        int hi = HexDigit(text[i]);
        int lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return {};
        mac.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        i += 2;
        if (i == text.size())
            break;
        if (text[i] != '-' && text[i] != ':')
            return {};
        if (++i == text.size())
            return {};
    }
    return mac;
}

std::optional<IpAddressing> AddressingOf(const Connection& c, const miniport::AdapterState* state)
{
    if (state == nullptr)
    {
        if (!c.connected || c.ip.empty())
            return std::nullopt;
        return IpAddressing{c.ip, c.mask, c.gateway, c.dhcp};
    }
    // The wireless adapter has media while its driver is associated, or while its record
    // says so (a person set it up by hand).
    if (!c.ip.empty())
    {
        if (!c.connected && !state->associated)
            return std::nullopt;
        return IpAddressing{c.ip, c.mask, c.gateway, c.dhcp};
    }
    if (!state->associated || !c.dhcp)
        return std::nullopt;
    const std::string mac = miniport::AdapterMacAddress(*state);
    const unsigned host = 100 + static_cast<unsigned char>(mac.empty() ? 0 : mac.back()) % 100;
    return IpAddressing{"192.168.10." + std::to_string(host), "255.255.255.0", "192.168.10.1",
                        true};
}

std::optional<IpAddressing> AddressingOf(const Machine& machine, const Connection& c)
{
    std::optional<devices::NetDevice> device;
    if (!c.guid.empty())
        device = devices::FindDeviceByNetCfgInstanceId(machine, c.guid);
    if (!device || device->chipType < 0)
        return AddressingOf(c, nullptr);
    const miniport::AdapterState state = miniport::LoadAdapterState(machine, c.guid);
    return AddressingOf(c, &state);
}

std::vector<IpAdapter> ListIpAdapters(const Machine& machine)
{
    std::vector<IpAdapter> list;
    const auto connections = LoadConnections(machine);
    const auto deviceList = devices::ListDevices(machine);
    for (std::size_t i = 0; i < connections.size(); ++i)
    {
        const Connection& c = connections[i];
        const devices::NetDevice* device = nullptr;
        if (!c.guid.empty())
            for (const auto& d : deviceList)
                if (!d.netCfgInstanceId.empty() && EqualNoCase(d.netCfgInstanceId, c.guid))
                {
                    device = &d;
                    break;
                }
        std::optional<miniport::AdapterState> state;
        if (device != nullptr && device->chipType >= 0)
            state = miniport::LoadAdapterState(machine, c.guid);
        // Without media or an address the adapter has no IP configuration to list.
        const std::optional<IpAddressing> addressing = AddressingOf(c, state ? &*state : nullptr);
        if (!addressing)
            continue;
        IpAdapter a;
        a.kind = c.type == MediaType::Ppp ? IpAdapterKind::Ppp : IpAdapterKind::Ethernet;
        if (device != nullptr)
        {
            if (!device->present)
                continue;
            if (device->chipType >= 0)
                a.kind = IpAdapterKind::Wireless;
        }
        a.name = c.guid;
        a.description = c.description;
        a.mac = ParseMacText(c.mac);
        // A Tessaryn adapter reports the address its driver answers, whatever the record says.
        if (state)
        {
            const std::string mac = miniport::AdapterMacAddress(*state);
            a.mac.assign(mac.begin(), mac.end());
        }
        a.ip = addressing->ip;
        a.mask = addressing->mask;
        a.gateway = addressing->gateway;
        a.dhcp = addressing->dhcp;
        a.index = static_cast<std::uint32_t>(i + 1);
        list.push_back(std::move(a));
    }
    return list;
}

std::string FormatIpHelperFaults(const IpHelperFaults& faults)
{
    std::ostringstream out;
    for (const auto& f : faults.failures)
        out << "fail adapters " << f.remaining << " " << f.result << "\n";
    return out.str();
}

IpHelperFaults ParseIpHelperFaults(const std::string& text)
{
    IpHelperFaults faults;
    ForEachSetting(text,
                   [&](const std::string& keyword, std::istream& words)
                   {
                       std::string call;
                       IpHelperFailure f;
                       if (keyword == "fail" && words >> call >> f.remaining >> f.result &&
                           call == "adapters")
                           faults.failures.push_back(f);
                   });
    return faults;
}

void InjectIpHelperFailure(const Machine& machine, int times, std::uint32_t result)
{
    kFaultsFile.Change(machine,
                       [&](IpHelperFaults& f)
                       {
                           f.failures.clear();
                           if (times != 0)
                               f.failures.push_back({times, result});
                       });
}

std::optional<std::uint32_t> TakeIpHelperFailure(const Machine& machine)
{
    return kFaultsFile.TakeFailure(machine, &IpHelperFaults::failures,
                                   [](const IpHelperFailure&) { return true; });
}

} // namespace machine::network
