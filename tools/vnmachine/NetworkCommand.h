#pragma once
// vnmachine connections: the machine's network connections, in the order they are listed.
// vnmachine sharing: Internet Connection Sharing, the calls made to the sharing objects and the
// failures injected into them. `vnmachine connections help` and `vnmachine sharing help` list
// the commands. Exit status 1 when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after the command's name.
int RunConnectionsCommand(const Words& args);
int RunSharingCommand(const Words& args);
