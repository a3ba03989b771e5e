#pragma once
// vnmachine networks: the networks in range of the machine's radio.
//   networks [list]                      every network with its signal, security and elements
//   networks add SSID [FIELD VALUE]...   a new network at the end (beacon elements built from
//                                        its fields unless `elements` is given)
//   networks remove SSID|BSSID           the first that matches
//   networks set SSID|BSSID FIELD VALUE  FIELD: ssid bssid channel frequency rssi quality phy
//                                        bss privacy (on|off) capability beacon elements (hex)
//   networks load FILE                   replace the set with the networks of a file
//   networks reset                       back to the default machine's networks
// Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunNetworksCommand(const std::vector<std::string>& args);
