#include "tools/vnmachine/NetworksCommand.h"

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/MachineHandler.h"

#include <iostream>

namespace radio = machine::radio;

namespace
{

void list(const machine::Machine& m)
{
    auto networks = radio::LoadNetworks(m);
    if (JsonOutput())
    {
        nlohmann::json all = nlohmann::json::array();
        for (const auto& n : networks)
            all.push_back(
                {{"ssid", radio::EscapeSsid(n.ssid)},
                 {"bssid", radio::FormatBssid(n.bssid)},
                 {"channel", n.channel},
                 {"frequency_khz", n.frequencyKhz},
                 {"rssi", n.rssi},
                 {"quality", n.linkQuality},
                 {"phy", n.phyType},
                 {"bss_type", n.bssType == radio::kIndependent ? "ad hoc" : "infrastructure"},
                 {"privacy", (n.capability & radio::kCapPrivacy) != 0},
                 {"elements", radio::ToHex(n.elements)}});
        PrintJson({{"networks", all}});
        return;
    }
    if (networks.empty())
        std::cout << "no networks\n";
    int i = 1;
    for (const auto& n : networks)
    {
        std::cout << i++ << "  "
                  << (n.ssid.empty() ? std::string("(hidden)") : radio::EscapeSsid(n.ssid)) << "  "
                  << radio::FormatBssid(n.bssid) << "  channel " << n.channel << " ("
                  << n.frequencyKhz << " kHz)  rssi " << n.rssi << " quality " << n.linkQuality
                  << "  phy " << n.phyType << "  "
                  << (n.bssType == radio::kIndependent ? "ad hoc" : "infrastructure")
                  << ((n.capability & radio::kCapPrivacy) ? "  privacy" : "") << "\n"
                  << "     elements " << radio::ToHex(n.elements) << "\n";
    }
}

// A BSSID no network has yet, locally administered.
radio::Bssid freshBssid(const std::vector<radio::Network>& list)
{
    for (unsigned k = 1;; ++k)
    {
        radio::Bssid b = {0x02,
                          0xAD,
                          0x00,
                          0x00,
                          static_cast<std::uint8_t>(k >> 8),
                          static_cast<std::uint8_t>(k)};
        bool used = false;
        for (const auto& n : list)
            used = used || n.bssid == b;
        if (!used)
            return b;
    }
}

int add(const machine::Machine& m, const Words& args)
{
    if (args.empty() || args.size() % 2 == 0)
        throw UsageError{};
    radio::Network n;
    if (!radio::SetNetworkField(n, "ssid", args[0]))
        throw UsageError{"an SSID holds 0 to 32 bytes"};
    bool haveBssid = false, haveElements = false;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2)
    {
        if (!radio::SetNetworkField(n, args[i], args[i + 1]))
            throw UsageError{"bad " + args[i] + " '" + args[i + 1] + "'"};
        haveBssid = haveBssid || args[i] == "bssid";
        haveElements = haveElements || args[i] == "elements";
    }
    if (!haveElements)
        n.elements =
            radio::Concat({radio::SsidElement(n.ssid),
                           radio::DsParameterElement(static_cast<std::uint8_t>(n.channel))});
    return radio::ChangeNetworks(m,
                                 [&](std::vector<radio::Network>& networks)
                                 {
                                     if (!haveBssid)
                                         n.bssid = freshBssid(networks);
                                     networks.push_back(n);
                                     return true;
                                 })
               ? 0
               : 1;
}

int load(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 1);
    auto text = machine::ReadWholeFile(args[0]);
    if (!text)
    {
        std::cerr << "vnmachine: cannot read " << args[0] << "\n";
        return 1;
    }
    auto networks = radio::ParseNetworks(*text);
    // An empty file empties the air on purpose; text without one readable network is
    // more likely a wrong file, and would wipe the environment silently.
    if (networks.empty() && text->find_first_not_of(" \t\r\n") != std::string::npos)
    {
        std::cerr << "vnmachine: no network could be read from " << args[0] << "\n";
        return 1;
    }
    return radio::SaveNetworks(m, networks) ? 0 : 1;
}

int removeNetwork(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 1);
    bool ok = radio::ChangeNetworks(m,
                                    [&](std::vector<radio::Network>& networks)
                                    {
                                        radio::Network* n = radio::FindNetwork(networks, args[0]);
                                        if (n == nullptr)
                                            return false;
                                        networks.erase(networks.begin() + (n - networks.data()));
                                        return true;
                                    });
    if (!ok)
        std::cerr << "vnmachine: no network '" << args[0] << "'\n";
    return ok ? 0 : 1;
}

int set(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 3);
    // A value no network could take is the caller's mistake, told apart from a missing network.
    radio::Network probe;
    if (!radio::SetNetworkField(probe, args[1], args[2]))
        throw UsageError{"bad " + args[1] + " '" + args[2] + "'"};
    bool found = false;
    bool ok =
        radio::ChangeNetworks(m,
                              [&](std::vector<radio::Network>& networks)
                              {
                                  radio::Network* n = radio::FindNetwork(networks, args[0]);
                                  found = n != nullptr;
                                  return found && radio::SetNetworkField(*n, args[1], args[2]);
                              });
    if (!found)
        std::cerr << "vnmachine: no network '" << args[0] << "'\n";
    else if (!ok)
        std::cerr << "vnmachine: the networks could not be saved\n";
    return ok ? 0 : 1;
}

} // namespace

int RunNetworksCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine networks",
        .commands =
            {
                {"list",
                 {},
                 "every network with its signal, security and elements",
                 WithoutWords(list)},
                {"add",
                 {"SSID [FIELD VALUE]..."},
                 "a new network at the end (beacon elements from its fields)",
                 OnMachine(add)},
                {"remove",
                 {"SSID|BSSID"},
                 "the first network that matches",
                 OnMachine(removeNetwork)},
                {"set",
                 {"SSID|BSSID FIELD VALUE"},
                 "change a field of the first that matches",
                 OnMachine(set)},
                {"load", {"FILE"}, "replace the set with the networks of a file", OnMachine(load)},
                {"reset",
                 {},
                 "back to the default machine's networks",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 0);
                         return radio::SaveNetworks(m, radio::DefaultNetworks()) ? 0 : 1;
                     })},
            },
        .fallback = "list",
        .notes = "FIELD: ssid bssid channel frequency rssi quality phy bss privacy (on|off)\n"
                 "       capability beacon elements (hex; without it, add builds the elements\n"
                 "       from the other fields)\n",
    };
    return table.run(args);
}
