#pragma once
// vnmachine log: what the programs wrote to the debug log; `log programs` prints the program
// starts instead (as `vnmachine programs log` does); `log all` every log of the machine merged in
// the order of their shared sequence, one "#SEQ TIME_MS LOG TEXT" line each.

#include "tools/vnmachine/Command.h"

// The words after "log": none, "programs" or "all".
int RunLogCommand(const Words& args);
