#include "tools/vnmachine/NetworkCommand.h"

#include "machine/Machine.h"
#include "machine/network/ConnectionView.h"
#include "machine/network/Connections.h"
#include "machine/network/SharingFaults.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/MachineHandler.h"

#include <iostream>
#include <limits>
#include <optional>

namespace network = machine::network;

namespace
{

void listJson(const std::vector<network::Connection>& connections)
{
    nlohmann::json list = nlohmann::json::array();
    for (const auto& c : connections)
        list.push_back({{"name", c.name},
                        {"type", c.type == network::MediaType::Ppp ? "ppp" : "ethernet"},
                        {"connected", c.connected},
                        {"sharing", network::SharingName(c.sharing)},
                        {"description", c.description},
                        {"guid", c.guid},
                        {"mac", c.mac},
                        {"ip", c.ip},
                        {"mask", c.mask},
                        {"gateway", c.gateway},
                        {"dhcp", c.dhcp}});
    PrintJson({{"connections", list}});
}

void list(const machine::Machine& m)
{
    auto connections = network::ConnectionsAsSeen(m);
    if (JsonOutput())
        return listJson(connections);
    if (connections.empty())
        std::cout << "no connections\n";
    int n = 1;
    for (const auto& c : connections)
    {
        std::cout << n++ << "  " << c.name << "  ["
                  << (c.type == network::MediaType::Ppp ? "PPP" : "Ethernet") << ", "
                  << (c.connected ? "connected" : "media disconnected") << ", sharing "
                  << network::SharingName(c.sharing) << "]\n"
                  << "     description " << c.description << "\n"
                  << "     guid        " << c.guid << "\n"
                  << "     mac         " << c.mac << "\n"
                  << "     ip          " << c.ip << " mask " << c.mask << " gateway " << c.gateway
                  << " dhcp " << (c.dhcp ? "yes" : "no") << "\n";
    }
}

void showSharing(const machine::Machine& m)
{
    if (JsonOutput())
    {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& c : network::LoadConnections(m))
            list.push_back({{"name", c.name}, {"sharing", network::SharingName(c.sharing)}});
        return PrintJson({{"connections", list}});
    }
    for (const auto& c : network::LoadConnections(m))
        std::cout << network::SharingName(c.sharing) << "\t" << c.name << "\n";
}

int addConnection(const machine::Machine& m, const Words& args)
{
    if (args.empty() || args.size() % 2 == 0)
        throw UsageError{};
    network::Connection c;
    c.name = args[0];
    std::optional<network::Sharing> sharing;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2)
    {
        bool ok = args[i] == "sharing" ? (sharing = network::ParseSharing(args[i + 1])).has_value()
                                       : network::SetField(c, args[i], args[i + 1]);
        if (!ok)
        {
            std::cerr << "vnmachine: bad field or value: " << args[i] << " " << args[i + 1] << "\n";
            return 1;
        }
    }
    bool ok = network::ChangeConnections(m,
                                         [&](std::vector<network::Connection>& l)
                                         {
                                             l.push_back(c);
                                             if (sharing)
                                                 network::ApplySharing(l, l.size() - 1, *sharing);
                                             return true;
                                         });
    return ok ? 0 : 1;
}

int sharingFault(const machine::Machine& m, const Words& args)
{
    if (args.size() == 1 && args[0] == "clear")
    {
        network::ClearSharingFaults(m);
        return 0;
    }
    if (args.size() == 1 && args[0] == "list")
    {
        std::cout << network::FormatSharingFaults(network::LoadSharingFaults(m));
        return 0;
    }
    if (args.size() == 2 && args[0] == "item")
    {
        auto p = ParseNumber(args[1]);
        if (!p || *p < 0)
            throw UsageError{};
        network::InjectOddItem(m, static_cast<std::size_t>(*p));
        return 0;
    }
    NeedWords(args, 2, 3);
    auto call = network::ParseSharingCall(args[0]);
    // 0 calls takes the failure away.
    auto times = ParseTimes(args[1], 0, std::numeric_limits<int>::max());
    std::optional<std::uint32_t> result = 0x80004005u;
    if (args.size() == 3)
        result = ParseCode(args[2]);
    if (!call || !times || !result)
        throw UsageError{};
    network::InjectSharingFailure(m, *call, *times, *result);
    return 0;
}

} // namespace

int RunConnectionsCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine connections",
        .commands =
            {
                {"list", {}, "every connection with its addresses and sharing", WithoutWords(list)},
                {"add",
                 {"NAME [FIELD VALUE]..."},
                 "a new Ethernet connection at the end",
                 OnMachine(addConnection)},
                {"remove",
                 {"NAME"},
                 "the first connection of that name",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 1);
                         if (network::RemoveConnection(m, a[0]))
                             return 0;
                         std::cerr << "vnmachine: no connection named '" << a[0] << "'\n";
                         return 1;
                     })},
                {"set",
                 {"NAME FIELD VALUE"},
                 "change a field of the first of that name",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 3);
                         if (network::SetConnectionField(m, a[0], a[1], a[2]))
                             return 0;
                         std::cerr << "vnmachine: no connection '" << a[0]
                                   << "', or a bad field or value\n";
                         return 1;
                     })},
                {"reset",
                 {},
                 "back to the default machine's connections",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 0);
                         return network::SaveConnections(m, network::DefaultConnections()) ? 0 : 1;
                     })},
            },
        .fallback = "list",
        .notes = "FIELD: name description guid mac ip mask gateway dhcp (yes|no)\n"
                 "       status (connected|disconnected) type (ethernet|ppp)\n"
                 "       sharing (none|public|private)\n",
    };
    return table.run(args);
}

int RunSharingCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine sharing",
        .commands =
            {
                {"show", {}, "which connection shares, and how", WithoutWords(showSharing)},
                {"set",
                 {"NAME public|private|none"},
                 "one public and one private at most",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 2);
                         auto s = network::ParseSharing(a[1]);
                         if (!s)
                             throw UsageError{};
                         if (network::SetSharingByName(m, a[0], *s))
                             return 0;
                         std::cerr << "vnmachine: no connection named '" << a[0] << "'\n";
                         return 1;
                     })},
                {"log",
                 {},
                 "the calls made to the sharing objects",
                 PrintingLog(network::ReadSharingLog, [](const machine::Machine& m)
                             { return m.root() / "network" / "sharing.log"; })},
                {"clear-log", {}, "forget those calls", WithoutWords(network::ClearSharingLog)},
                {"fault",
                 {"CALL once|N|always [HRESULT]", "item POSITION", "clear | list"},
                 "make the sharing objects' calls fail",
                 OnMachine(sharingFault),
                 "fault CALL: the next calls fail with HRESULT (E_FAIL by default; 0 calls takes\n"
                 "the failure away); item: that enumeration item is no connection (VT_I4).\n"
                 "CALL: create enum props configuration enable disable\n"},
            },
        .fallback = "show",
    };
    return table.run(args);
}
