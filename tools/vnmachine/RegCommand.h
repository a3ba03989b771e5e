#pragma once
// vnmachine reg: shows, exports, imports and changes the machine's registry, and makes its calls
// fail (`vnmachine reg help` lists the commands). KEY is "HKEY_LOCAL_MACHINE\..." or
// "HKLM\...", NAME "@" is the default value. Exit status 1 when the command fails, 2 on a usage
// error.

#include "tools/vnmachine/Command.h"

// The words after "reg".
int RunRegCommand(const Words& args);
