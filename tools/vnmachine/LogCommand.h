#pragma once
// vnmachine log: what the programs wrote to the debug log; `log programs` prints the program
// starts instead (as `vnmachine programs log` does); `log all` every log of the machine merged in
// the order of their shared sequence, one "#SEQ TIME_MS LOG TEXT" line each: from a machine time
// on (--since), the last N (--tail), and what comes after as it comes (--follow).

#include "tools/vnmachine/Command.h"

// The words after "log": none, "programs" or "all" and its options.
int RunLogCommand(const Words& args);

// What `log --help` and `log all --help` say of `log all`.
extern const char* const kLogAllHelp;
