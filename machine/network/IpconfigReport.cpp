#include "machine/network/IpconfigReport.h"

namespace machine::network
{
namespace
{

// "        Description . . . . . . . . . . . : text": every label is dotted out to one column.
std::string field(const char* dottedLabel, const std::string& value)
{
    return std::string("        ") + dottedLabel + ": " + value + "\r\n";
}

} // namespace

std::string FormatIpconfigReport(const std::vector<Connection>& list, const std::string& hostName)
{
    std::string out = "\r\nWindows IP Configuration\r\n\r\n";
    out += field("Host Name . . . . . . . . . . . . ", hostName);
    out += field("Primary Dns Suffix  . . . . . . . ", "");
    out += field("Node Type . . . . . . . . . . . . ", "Unknown");
    out += field("IP Routing Enabled. . . . . . . . ", "No");
    out += field("WINS Proxy Enabled. . . . . . . . ", "No");
    for (const auto& c : list)
    {
        out += "\r\n";
        out += (c.type == MediaType::Ppp ? "PPP adapter " : "Ethernet adapter ") + c.name + ":\r\n";
        out += "\r\n";
        if (!c.connected)
        {
            out += field("Media State . . . . . . . . . . . ", "Media disconnected");
            out += field("Description . . . . . . . . . . . ", c.description);
            out += field("Physical Address. . . . . . . . . ", c.mac);
            continue;
        }
        out += field("Connection-specific DNS Suffix  . ", "");
        out += field("Description . . . . . . . . . . . ", c.description);
        out += field("Physical Address. . . . . . . . . ", c.mac);
        out += field("Dhcp Enabled. . . . . . . . . . . ", c.dhcp ? "Yes" : "No");
        if (c.dhcp)
            out += field("Autoconfiguration Enabled . . . . ", "Yes");
        out += field("IP Address. . . . . . . . . . . . ", c.ip);
        out += field("Subnet Mask . . . . . . . . . . . ", c.mask);
        out += field("Default Gateway . . . . . . . . . ", c.gateway);
        if (c.dhcp && !c.gateway.empty())
            out += field("DHCP Server . . . . . . . . . . . ", c.gateway);
        if (!c.gateway.empty())
            out += field("DNS Servers . . . . . . . . . . . ", c.gateway);
    }
    return out;
}

} // namespace machine::network
