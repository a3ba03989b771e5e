#include "tools/vnmachine/NetworkCommand.h"

#include "machine/Machine.h"
#include "machine/network/Connections.h"
#include "machine/network/SharingFaults.h"
#include "tools/vnmachine/Arguments.h"

#include <iostream>
#include <limits>
#include <optional>

namespace network = machine::network;

namespace
{

int usage()
{
    std::cerr << "usage: vnmachine connections [list] | reset\n"
                 "       vnmachine connections add NAME [FIELD VALUE]...\n"
                 "       vnmachine connections remove NAME\n"
                 "       vnmachine connections set NAME FIELD VALUE\n"
                 "       vnmachine sharing [show] | log | clear-log\n"
                 "       vnmachine sharing set NAME public|private|none\n"
                 "       vnmachine sharing fault CALL once|N|always [HRESULT]\n"
                 "       vnmachine sharing fault item POSITION | clear | list\n"
                 "FIELD: name description guid mac ip mask gateway dhcp status type sharing\n"
                 "CALL: create enum props configuration enable disable\n";
    return 2;
}

void list(const machine::Machine& m)
{
    auto connections = network::LoadConnections(m);
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
    for (const auto& c : network::LoadConnections(m))
        std::cout << network::SharingName(c.sharing) << "\t" << c.name << "\n";
}

} // namespace

int RunConnectionsCommand(const std::vector<std::string>& args)
{
    const machine::Machine& m = machine::CurrentMachine();
    if (args.empty() || args[0] == "list")
    {
        list(m);
        return 0;
    }
    const std::string& verb = args[0];
    if (verb == "reset" && args.size() == 1)
        return network::SaveConnections(m, network::DefaultConnections()) ? 0 : 1;
    if (verb == "add" && args.size() >= 2 && args.size() % 2 == 0)
    {
        network::Connection c;
        c.name = args[1];
        std::optional<network::Sharing> sharing;
        for (std::size_t i = 2; i + 1 < args.size(); i += 2)
        {
            bool ok = args[i] == "sharing"
                          ? (sharing = network::ParseSharing(args[i + 1])).has_value()
                          : network::SetField(c, args[i], args[i + 1]);
            if (!ok)
            {
                std::cerr << "vnmachine: bad field or value: " << args[i] << " " << args[i + 1]
                          << "\n";
                return 1;
            }
        }
        bool ok =
            network::ChangeConnections(m,
                                       [&](std::vector<network::Connection>& l)
                                       {
                                           l.push_back(c);
                                           if (sharing)
                                               network::ApplySharing(l, l.size() - 1, *sharing);
                                           return true;
                                       });
        return ok ? 0 : 1;
    }
    if (verb == "remove" && args.size() == 2)
    {
        if (network::RemoveConnection(m, args[1]))
            return 0;
        std::cerr << "vnmachine: no connection named '" << args[1] << "'\n";
        return 1;
    }
    if (verb == "set" && args.size() == 4)
    {
        if (network::SetConnectionField(m, args[1], args[2], args[3]))
            return 0;
        std::cerr << "vnmachine: no connection '" << args[1] << "', or a bad field or value\n";
        return 1;
    }
    return usage();
}

int RunSharingCommand(const std::vector<std::string>& args)
{
    const machine::Machine& m = machine::CurrentMachine();
    if (args.empty() || args[0] == "show")
    {
        showSharing(m);
        return 0;
    }
    const std::string& verb = args[0];
    if (verb == "log" && args.size() == 1)
    {
        for (const auto& line : network::ReadSharingLog(m))
            std::cout << line << "\n";
        return 0;
    }
    if (verb == "clear-log" && args.size() == 1)
    {
        network::ClearSharingLog(m);
        return 0;
    }
    if (verb == "set" && args.size() == 3)
    {
        auto s = network::ParseSharing(args[2]);
        if (!s)
            return usage();
        if (network::SetSharingByName(m, args[1], *s))
            return 0;
        std::cerr << "vnmachine: no connection named '" << args[1] << "'\n";
        return 1;
    }
    if (verb == "fault" && args.size() >= 2)
    {
        if (args[1] == "clear" && args.size() == 2)
        {
            network::ClearSharingFaults(m);
            return 0;
        }
        if (args[1] == "list" && args.size() == 2)
        {
            std::cout << network::FormatSharingFaults(network::LoadSharingFaults(m));
            return 0;
        }
        if (args[1] == "item" && args.size() == 3)
        {
            auto p = ParseNumber(args[2]);
            if (!p || *p < 0)
                return usage();
            network::InjectOddItem(m, static_cast<std::size_t>(*p));
            return 0;
        }
        auto call = network::ParseSharingCall(args[1]);
        if (!call || args.size() < 3 || args.size() > 4)
            return usage();
        // 0 calls takes the failure away.
        auto times = ParseTimes(args[2], 0, std::numeric_limits<int>::max());
        if (!times)
            return usage();
        std::uint32_t result = 0x80004005u;
        if (args.size() == 4)
        {
            auto v = ParseCode(args[3]);
            if (!v)
                return usage();
            result = *v;
        }
        network::InjectSharingFailure(m, *call, *times, result);
        return 0;
    }
    return usage();
}
