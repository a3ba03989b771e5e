#pragma once
// vnmachine connections: the machine's network connections, in the order they are listed.
//   connections [list]                    every connection with its addresses and sharing
//   connections add NAME [FIELD VALUE]... a new Ethernet connection at the end
//   connections remove NAME               the first of that name
//   connections set NAME FIELD VALUE      FIELD: name description guid mac ip mask gateway
//                                         dhcp (yes|no) status (connected|disconnected)
//                                         type (ethernet|ppp) sharing (none|public|private)
//   connections reset                     back to the default machine's connections
// vnmachine sharing: Internet Connection Sharing and the sharing objects.
//   sharing [show]                        which connection shares, and how
//   sharing set NAME public|private|none  one public and one private at most
//   sharing log | sharing clear-log       the calls made to the sharing objects
//   sharing fault CALL once|N|always [HRESULT]
//                                         CALL: create enum props configuration enable disable
//   sharing fault item POSITION           that enumeration item is no connection (VT_I4)
//   sharing fault clear | sharing fault list
// Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunConnectionsCommand(const std::vector<std::string>& args);
int RunSharingCommand(const std::vector<std::string>& args);
