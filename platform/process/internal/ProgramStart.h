#pragma once
// What the platform does for a program before the program's own start: the machine it runs on
// must be usable. Used by the framework's entry.

#include <string>

namespace platform
{

// False when the program must not run: the machine folder cannot be used, and what stands in
// the way (the path and the system's reason) has gone to standard error after the program's
// name.
bool StartProgramOnMachine(const std::string& program);

} // namespace platform
