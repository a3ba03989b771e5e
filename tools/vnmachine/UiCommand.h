#pragma once
// vnmachine ui ...: seeing and driving the programs' windows, as a person at the desktop would
// (`vnmachine ui help` lists the commands). WIN is a window handle (0x... or decimal) or a title
// (exact, else without regard to case); CONTROL is a control id or its text. Each action goes to
// the program owning the window and runs on its UI thread; exit status 1 when it fails (the
// reason on stderr), 2 on a usage error.

#include "tools/vnmachine/CommandTable.h"

#include <iosfwd>

// The commands, writing to out and err (the desktop takes them too).
CommandTable UiCommands(std::ostream& out, std::ostream& err);
// The words after "ui".
int RunUiCommand(const Words& args);
// The programs, their windows and tray icons.
void PrintProgramList(std::ostream& out);
