#pragma once
// The IP adapter table the IP Helper lists: the machine's connections that have an address,
// in the connections' order, less those whose adapter is unplugged. Failures of the listing can
// be arranged (<root>/network/iphlp-faults.txt) for every process.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"
#include "machine/network/Connections.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::miniport
{
struct AdapterState;
}

namespace machine::network
{

enum class IpAdapterKind
{
    Ethernet,
    Wireless, // a Tessaryn adapter
    Ppp
};

struct IpAdapter
{
    std::string name;        // the adapter's NetCfgInstanceId ("{...}")
    std::string description; // of the connection
    // Parsed from the connection's "00-0C-E7-34-00-02"; a Tessaryn adapter's is the current
    // address its driver reports.
    std::vector<std::uint8_t> mac;
    std::string ip;
    std::string mask;
    std::string gateway; // may be empty
    bool dhcp = true;
    IpAdapterKind kind = IpAdapterKind::Ethernet;
    std::uint32_t index = 0; // 1-based position among the machine's connections
};

// Hex byte pairs separated by '-' or ':'; at most 8 bytes. Empty when the text is no address.
std::vector<std::uint8_t> ParseMacText(const std::string& text);

std::vector<IpAdapter> ListIpAdapters(const Machine& machine);

// The address a connection has now. A Tessaryn adapter's connection without an address of its
// own takes a lease from the network while its driver is associated (192.168.10.x, x from the
// adapter's address); one with an address has it while associated or marked connected. Any
// other connection has what it holds while connected.
struct IpAddressing
{
    std::string ip;
    std::string mask;
    std::string gateway;
    bool dhcp = true;
};
std::optional<IpAddressing> AddressingOf(const Machine& machine, const Connection& c);
// The same with the driver state of the connection's Tessaryn adapter in hand (null for a
// connection of another adapter), for a caller that has it loaded already.
std::optional<IpAddressing> AddressingOf(const Connection& c, const miniport::AdapterState* driver);

struct IpHelperFailure
{
    int remaining = 1; // -1 always
    std::uint32_t result = kErrorGenFailure;
};

struct IpHelperFaults
{
    std::vector<IpHelperFailure> failures; // of the adapter listing
};

std::string FormatIpHelperFaults(const IpHelperFaults& faults);
IpHelperFaults ParseIpHelperFaults(const std::string& text);
// `times` calls fail with `result` (-1 always; 0 clears).
void InjectIpHelperFailure(const Machine& machine, int times,
                           std::uint32_t result = kErrorGenFailure);
// For the IP Helper: the failure of this call (using up one count), or nullopt.
std::optional<std::uint32_t> TakeIpHelperFailure(const Machine& machine);

} // namespace machine::network
