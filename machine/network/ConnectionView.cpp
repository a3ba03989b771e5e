#include "machine/network/ConnectionView.h"

#include "machine/AsciiCase.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/network/IpAdapters.h"

#include <cstdio>

namespace machine::network
{

std::vector<Connection> ConnectionsAsSeen(const Machine& machine)
{
    std::vector<Connection> list = LoadConnections(machine);
    const auto deviceList = devices::ListDevices(machine);
    for (Connection& c : list)
    {
        bool tessaryn = false;
        for (const auto& d : deviceList)
            if (!c.guid.empty() && EqualNoCase(d.netCfgInstanceId, c.guid) && d.chipType >= 0)
                tessaryn = true;
        if (!tessaryn)
            continue;
        const miniport::AdapterState state = miniport::LoadAdapterState(machine, c.guid);
        const std::string mac = miniport::AdapterMacAddress(state);
        if (mac.size() == 6)
        {
            char text[18];
            std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X",
                          static_cast<unsigned char>(mac[0]), static_cast<unsigned char>(mac[1]),
                          static_cast<unsigned char>(mac[2]), static_cast<unsigned char>(mac[3]),
                          static_cast<unsigned char>(mac[4]), static_cast<unsigned char>(mac[5]));
            c.mac = text;
        }
        const auto addressing = AddressingOf(c, &state);
        c.connected = state.associated || addressing.has_value();
        if (addressing)
        {
            c.ip = addressing->ip;
            c.mask = addressing->mask;
            c.gateway = addressing->gateway;
            c.dhcp = addressing->dhcp;
        }
    }
    return list;
}

} // namespace machine::network
