#include "machine/network/IpAdapters.h"

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

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::vector<std::uint8_t> ParseMacText(const std::string& text)
{
    std::vector<std::uint8_t> mac;
    std::size_t i = 0;
    while (i < text.size())
    {
        if (mac.size() == 8 || i + 1 >= text.size())
            return {};
        int hi = hexDigit(text[i]);
        int lo = hexDigit(text[i + 1]);
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

std::vector<IpAdapter> ListIpAdapters(const Machine& machine)
{
    std::vector<IpAdapter> list;
    const auto connections = LoadConnections(machine);
    for (std::size_t i = 0; i < connections.size(); ++i)
    {
        const Connection& c = connections[i];
        // Without media or an address the adapter has no IP configuration to list.
        if (!c.connected || c.ip.empty())
            continue;
        IpAdapter a;
        a.kind = c.type == MediaType::Ppp ? IpAdapterKind::Ppp : IpAdapterKind::Ethernet;
        if (!c.guid.empty())
        {
            if (auto device = devices::FindDeviceByNetCfgInstanceId(machine, c.guid))
            {
                if (!device->present)
                    continue;
                if (device->chipType >= 0)
                    a.kind = IpAdapterKind::Wireless;
            }
        }
        a.name = c.guid;
        a.description = c.description;
        a.mac = ParseMacText(c.mac);
        // A Tessaryn adapter reports the address its driver answers, whatever the record says.
        if (a.kind == IpAdapterKind::Wireless)
        {
            const std::string mac =
                miniport::AdapterMacAddress(miniport::LoadAdapterState(machine, c.guid));
            a.mac.assign(mac.begin(), mac.end());
        }
        a.ip = c.ip;
        a.mask = c.mask;
        a.gateway = c.gateway;
        a.dhcp = c.dhcp;
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
