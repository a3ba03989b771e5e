#pragma once
// vnmachine power: the machine going to sleep and waking up, as the running programs see it:
// WM_POWERBROADCAST posted to every top-level window of every program on the machine, visible
// or not. Suspend sends PBT_APMSUSPEND; resume sends PBT_APMRESUMEAUTOMATIC to every window,
// then PBT_APMRESUMESUSPEND (the order in which the system reports a wake-up a person started).
// Exit status 1 when a program did not take a message, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "power": suspend or resume.
int RunPowerCommand(const Words& args);
