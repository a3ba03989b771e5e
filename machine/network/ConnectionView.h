#pragma once
// The connections as every view of the machine shows them (the machine tool's list, the
// connection folder's properties, the ipconfig report). The file keeps what a person set up;
// a connection of a Tessaryn adapter takes its link, its physical address and its addresses
// from the adapter itself, by the rules the IP helper follows (AddressingOf), so that the
// driver, the WLAN service and the connections never disagree about one adapter.

#include "machine/Machine.h"
#include "machine/network/Connections.h"

#include <vector>

namespace machine::network
{

std::vector<Connection> ConnectionsAsSeen(const Machine& machine);

} // namespace machine::network
