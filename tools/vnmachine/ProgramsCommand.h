#pragma once
// vnmachine programs: program starts on the machine and the outside programs' stand-ins: the log
// of starts, failures to inject, the report stand-in (`vnmachine programs help` lists the
// commands; `vnmachine log programs` is `programs log`). Exit status 1 when the command fails,
// 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "programs".
int RunProgramsCommand(const Words& args);
