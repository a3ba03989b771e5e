#pragma once
// vnmachine log: what the programs wrote to the debug log; `log programs` prints the program
// starts instead (as `vnmachine programs log` does).

#include "tools/vnmachine/Command.h"

// The words after "log": none or "programs".
int RunLogCommand(const Words& args);
