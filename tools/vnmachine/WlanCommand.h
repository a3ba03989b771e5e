#pragma once
// vnmachine wlan: the machine's WLAN service: its interfaces and profiles, its call log, failures
// to inject, the radio, connections and notifications (`vnmachine wlan help` lists the
// commands). Exit status 1 when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "wlan".
int RunWlanCommand(const Words& args);
