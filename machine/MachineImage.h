#pragma once
// The installed state of a new machine.

#include "machine/Machine.h"

namespace machine
{

// The folder on C: that holds the programs, as a Windows path.
inline constexpr const char* kProgramFolder = "C:\\Program Files\\Tessaryn";

// Writes the default image into an empty machine directory: Windows Vista 32-bit, an
// administrator user, the registry the programs expect, the C: drive with the program folder.
// The caller holds the machine lock.
void CreateDefaultImage(const Machine& machine);

} // namespace machine
