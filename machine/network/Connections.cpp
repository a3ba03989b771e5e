#include "machine/network/Connections.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/devices/DeviceBuilders.h"

#include <sstream>

namespace machine::network
{
namespace
{

std::filesystem::path connectionsPath(const Machine& machine)
{
    return machine.root() / "network" / "connections.txt";
}

// Values are single lines.
std::string oneLine(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

std::optional<bool> parseYesNo(const std::string& v, const char* yes, const char* no)
{
    if (v == yes)
        return true;
    if (v == no)
        return false;
    return std::nullopt;
}

} // namespace

bool SetField(Connection& c, const std::string& field, const std::string& raw)
{
    const std::string value = oneLine(raw);
    if (field == "name")
        c.name = value;
    else if (field == "description")
        c.description = value;
    else if (field == "guid")
        c.guid = value;
    else if (field == "mac")
        c.mac = value;
    else if (field == "ip")
        c.ip = value;
    else if (field == "mask")
        c.mask = value;
    else if (field == "gateway")
        c.gateway = value;
    else if (field == "dhcp")
    {
        auto v = parseYesNo(value, "yes", "no");
        if (!v)
            return false;
        c.dhcp = *v;
    }
    else if (field == "status")
    {
        auto v = parseYesNo(value, "connected", "disconnected");
        if (!v)
            return false;
        c.connected = *v;
    }
    else if (field == "type")
    {
        if (value == "ethernet")
            c.type = MediaType::Ethernet;
        else if (value == "ppp")
            c.type = MediaType::Ppp;
        else
            return false;
    }
    else if (field == "sharing")
    {
        auto s = ParseSharing(value);
        if (!s)
            return false;
        c.sharing = *s;
    }
    else
        return false;
    return true;
}

const char* SharingName(Sharing s)
{
    return s == Sharing::Public ? "public" : s == Sharing::Private ? "private" : "none";
}

std::optional<Sharing> ParseSharing(const std::string& text)
{
    if (text == "none")
        return Sharing::None;
    if (text == "public")
        return Sharing::Public;
    if (text == "private")
        return Sharing::Private;
    return std::nullopt;
}

std::vector<Connection> DefaultConnections()
{
    const devices::NetDevice adapter = devices::DefaultAdapter();
    Connection wired;
    wired.name = "Local Area Connection";
    wired.description = "Norvast GigaLink PCI-E Ethernet Controller";
    wired.guid = "{7A3E12C4-58B1-4F6D-9C20-1B44E0A10001}";
    wired.mac = "00-1B-77-3A-9C-41";
    wired.ip = "10.0.0.23";
    wired.mask = "255.255.255.0";
    wired.gateway = "10.0.0.1";

    Connection wireless;
    wireless.name = "Wireless Network Connection";
    wireless.description = adapter.friendlyName.empty() ? adapter.deviceDesc : adapter.friendlyName;
    wireless.guid = adapter.netCfgInstanceId;
    wireless.mac = "00-0C-E7-34-00-02";
    wireless.connected = false;

    Connection spare;
    spare.name = "Local Area Connection 2";
    spare.description = "Norvast FastLink 10/100 Ethernet Adapter";
    spare.guid = "{7A3E12C4-58B1-4F6D-9C20-1B44E0A10002}";
    spare.mac = "00-1B-77-3A-9C-42";
    spare.connected = false;
    return {wired, wireless, spare};
}

std::string FormatConnections(const std::vector<Connection>& list)
{
    std::ostringstream out;
    for (const auto& c : list)
    {
        out << "[connection]\n"
            << "name=" << oneLine(c.name) << "\n"
            << "description=" << oneLine(c.description) << "\n"
            << "guid=" << oneLine(c.guid) << "\n"
            << "mac=" << oneLine(c.mac) << "\n"
            << "ip=" << oneLine(c.ip) << "\n"
            << "mask=" << oneLine(c.mask) << "\n"
            << "gateway=" << oneLine(c.gateway) << "\n"
            << "dhcp=" << (c.dhcp ? "yes" : "no") << "\n"
            << "status=" << (c.connected ? "connected" : "disconnected") << "\n"
            << "type=" << (c.type == MediaType::Ppp ? "ppp" : "ethernet") << "\n"
            << "sharing=" << SharingName(c.sharing) << "\n\n";
    }
    return out.str();
}

std::vector<Connection> ParseConnections(const std::string& text)
{
    std::vector<Connection> list;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "[connection]")
        {
            list.emplace_back();
            continue;
        }
        auto eq = line.find('=');
        if (eq == std::string::npos || list.empty())
            continue;
        SetField(list.back(), line.substr(0, eq), line.substr(eq + 1));
    }
    return list;
}

std::vector<Connection> LoadConnections(const Machine& machine)
{
    auto text = ReadWholeFile(connectionsPath(machine));
    if (!text)
        return DefaultConnections();
    return ParseConnections(*text);
}

bool SaveConnections(const Machine& machine, const std::vector<Connection>& list)
{
    std::error_code ec;
    machine::CreateFolders(connectionsPath(machine).parent_path(), ec);
    return WriteFileAtomically(connectionsPath(machine), FormatConnections(list),
                               FileAccess::Everyone);
}

bool ChangeConnections(const Machine& machine,
                       const std::function<bool(std::vector<Connection>&)>& change)
{
    MachineLock lock(machine);
    auto list = LoadConnections(machine);
    if (!change(list))
        return false;
    return SaveConnections(machine, list);
}

void AddConnection(const Machine& machine, const Connection& c)
{
    ChangeConnections(machine,
                      [&](std::vector<Connection>& list)
                      {
                          list.push_back(c);
                          return true;
                      });
}

bool RemoveConnection(const Machine& machine, const std::string& name)
{
    return ChangeConnections(machine,
                             [&](std::vector<Connection>& list)
                             {
                                 for (auto it = list.begin(); it != list.end(); ++it)
                                     if (it->name == name)
                                     {
                                         list.erase(it);
                                         return true;
                                     }
                                 return false;
                             });
}

bool SetConnectionField(const Machine& machine, const std::string& name, const std::string& field,
                        const std::string& value)
{
    return ChangeConnections(machine,
                             [&](std::vector<Connection>& list)
                             {
                                 for (std::size_t i = 0; i < list.size(); ++i)
                                 {
                                     if (list[i].name != name)
                                         continue;
                                     if (field == "sharing")
                                     {
                                         auto s = ParseSharing(value);
                                         if (!s)
                                             return false;
                                         ApplySharing(list, i, *s);
                                         return true;
                                     }
                                     return SetField(list[i], field, value);
                                 }
                                 return false;
                             });
}

void ApplySharing(std::vector<Connection>& list, std::size_t index, Sharing sharing)
{
    if (index >= list.size())
        return;
    if (sharing != Sharing::None)
        for (auto& c : list)
            if (c.sharing == sharing)
                c.sharing = Sharing::None;
    list[index].sharing = sharing;
}

bool SetSharing(const Machine& machine, std::size_t index, Sharing sharing)
{
    return ChangeConnections(machine,
                             [&](std::vector<Connection>& list)
                             {
                                 if (index >= list.size())
                                     return false;
                                 ApplySharing(list, index, sharing);
                                 return true;
                             });
}

bool SetSharingByName(const Machine& machine, const std::string& name, Sharing sharing)
{
    return SetConnectionField(machine, name, "sharing", SharingName(sharing));
}

} // namespace machine::network
