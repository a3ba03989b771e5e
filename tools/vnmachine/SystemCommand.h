#pragma once
// vnmachine system: what the machine is (its operating-system version and product type, the
// language, whether the user is an administrator, WOW64), shown and set without editing
// system.conf by hand.

#include "tools/vnmachine/Command.h"

int RunSystemCommand(const Words& args);
