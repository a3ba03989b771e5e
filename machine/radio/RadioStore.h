#pragma once
// The networks in range of the machine, kept in <root>/radio/networks.txt so that every
// process sees the same radio environment. One block per network:
//
//   [network]
//   ssid=Harbor Guest          bytes; '\' and bytes outside 0x20-0x7E as \xHH
//   bssid=02-54-59-00-00-01
//   channel=1
//   frequency=2412000          kHz
//   rssi=-48
//   quality=100
//   phy=6
//   bss=1
//   capability=0x0001
//   beacon=100
//   elements=0009...           the beacon's information elements in hex
//
// The parser skips lines and values it does not understand; a block whose SSID or BSSID does
// not read is dropped whole, as it would name another network.

#include "machine/FieldLines.h"
#include "machine/Machine.h"
#include "machine/radio/Network.h"

#include <functional>
#include <string>
#include <vector>

namespace machine::radio
{

// Most element bytes one network keeps; a value longer than this is not read.
constexpr std::size_t kMaxElementBytes = 65535;

std::string FormatNetworks(const std::vector<Network>& list);
// Lines that do not read are passed over; `problems`, when given, gets each with its number.
std::vector<Network> ParseNetworks(const std::string& text,
                                   std::vector<LineProblem>* problems = nullptr);

std::filesystem::path NetworksPath(const Machine& machine);
// A machine without the file has the default networks; an empty file has none.
std::vector<Network> LoadNetworks(const Machine& machine);
bool SaveNetworks(const Machine& machine, const std::vector<Network>& list);
// Load, change, save under the machine lock; nothing is saved when `change` returns false.
bool ChangeNetworks(const Machine& machine,
                    const std::function<bool(std::vector<Network>&)>& change);

// The network a name picks: a BSSID when the text reads as one, else the first with that SSID.
// Null when none does.
Network* FindNetwork(std::vector<Network>& list, const std::string& ssidOrBssid);

// One field, as the text file and the machine tool spell it: ssid, bssid, channel (also sets
// the frequency), frequency, rssi, quality, phy (a b g n or the number), bss (infrastructure,
// adhoc or the number), privacy (on/off), capability, beacon, elements (hex). False for an
// unknown field or a value out of range.
bool SetNetworkField(Network& n, const std::string& field, const std::string& value);

std::string EscapeSsid(const std::string& ssid);
std::optional<std::string> UnescapeSsid(const std::string& text);

} // namespace machine::radio
