#include "tools/vnmachine/NetworksCommand.h"

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"

#include <iostream>

namespace radio = machine::radio;

namespace
{

int usage()
{
    std::cerr << "usage: vnmachine networks [list] | reset | load FILE\n"
                 "       vnmachine networks add SSID [FIELD VALUE]...\n"
                 "       vnmachine networks remove SSID|BSSID\n"
                 "       vnmachine networks set SSID|BSSID FIELD VALUE\n"
                 "FIELD: ssid bssid channel frequency rssi quality phy bss privacy capability\n"
                 "       beacon elements\n";
    return 2;
}

void list(const machine::Machine& m)
{
    auto networks = radio::LoadNetworks(m);
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

int add(const machine::Machine& m, const std::vector<std::string>& args)
{
    radio::Network n;
    if (!radio::SetNetworkField(n, "ssid", args[1]))
    {
        std::cerr << "vnmachine: an SSID holds 0 to 32 bytes\n";
        return 1;
    }
    bool haveBssid = false, haveElements = false;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2)
    {
        if (!radio::SetNetworkField(n, args[i], args[i + 1]))
        {
            std::cerr << "vnmachine: bad " << args[i] << " '" << args[i + 1] << "'\n";
            return 1;
        }
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

} // namespace

int RunNetworksCommand(const std::vector<std::string>& args)
{
    const machine::Machine& m = machine::CurrentMachine();
    if (args.empty() || (args[0] == "list" && args.size() == 1))
    {
        list(m);
        return 0;
    }
    const std::string& verb = args[0];
    if (verb == "reset" && args.size() == 1)
        return radio::SaveNetworks(m, radio::DefaultNetworks()) ? 0 : 1;
    if (verb == "load" && args.size() == 2)
    {
        auto text = machine::ReadWholeFile(args[1]);
        if (!text)
        {
            std::cerr << "vnmachine: cannot read " << args[1] << "\n";
            return 1;
        }
        auto networks = radio::ParseNetworks(*text);
        // An empty file empties the air on purpose; text without one readable network is
        // more likely a wrong file, and would wipe the environment silently.
        if (networks.empty() && text->find_first_not_of(" \t\r\n") != std::string::npos)
        {
            std::cerr << "vnmachine: no network could be read from " << args[1] << "\n";
            return 1;
        }
        return radio::SaveNetworks(m, networks) ? 0 : 1;
    }
    if (verb == "add" && args.size() >= 2 && args.size() % 2 == 0)
        return add(m, args);
    if (verb == "remove" && args.size() == 2)
    {
        bool ok =
            radio::ChangeNetworks(m,
                                  [&](std::vector<radio::Network>& networks)
                                  {
                                      radio::Network* n = radio::FindNetwork(networks, args[1]);
                                      if (n == nullptr)
                                          return false;
                                      networks.erase(networks.begin() + (n - networks.data()));
                                      return true;
                                  });
        if (!ok)
            std::cerr << "vnmachine: no network '" << args[1] << "'\n";
        return ok ? 0 : 1;
    }
    if (verb == "set" && args.size() == 4)
    {
        bool ok = radio::ChangeNetworks(
            m,
            [&](std::vector<radio::Network>& networks)
            {
                radio::Network* n = radio::FindNetwork(networks, args[1]);
                return n != nullptr && radio::SetNetworkField(*n, args[2], args[3]);
            });
        if (!ok)
            std::cerr << "vnmachine: no network '" << args[1] << "' or bad " << args[2] << "\n";
        return ok ? 0 : 1;
    }
    return usage();
}
