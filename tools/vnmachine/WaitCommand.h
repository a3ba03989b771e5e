#pragma once
// ui wait: a script waits for what a person would wait to see (a window, a tray icon, the rows
// of a list, a control's text) before its next step, instead of racing the program.

#include "tools/vnmachine/Command.h"

#include <chrono>
#include <functional>
#include <iosfwd>

int RunWait(const Words& args, std::ostream& out, std::ostream& err);

// Looks at first and then each time a program's windows change, until `ready` holds (true) or
// the time is up (false).
bool WaitForWindows(std::chrono::milliseconds timeout, const std::function<bool()>& ready);
