#pragma once
// The adapter report of the machine's connections in the layout `ipconfig /all` prints (one
// block per connection, in order, lines ending in "\r\n"): what the NicReport.bat stand-in
// writes.

#include "machine/network/Connections.h"

#include <string>
#include <vector>

namespace machine::network
{

std::string FormatIpconfigReport(const std::vector<Connection>& list,
                                 const std::string& hostName = "OWNER-PC");

} // namespace machine::network
