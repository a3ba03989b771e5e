#pragma once
// vnmachine bridge: the Ethernet bridge driver behind "\\.\NBRG": whether it is there, the
// version it answers, the bridging state, requests it leaves pending, and its request log.
// Exit status 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "bridge".
int RunBridgeCommand(const Words& args);
