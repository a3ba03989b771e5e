#pragma once
// The driver files of the Tessaryn chip families in the system folder
// ("C:\Windows\system32\drivers\<name>"), each with its version information and file time.
// A chip family has one file per system it supports (98/Me, 2000, XP, XP 64-bit, Vista); the
// names are those the programs look for.

#include "machine/Machine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace machine::devices
{

// The family's driver file names, without duplicates, in the systems' order; empty for a chip
// type outside 0..8.
std::vector<std::string> DriverFileNames(int chipType);

// Version and time the driver files are installed with (the machine's driver release).
inline constexpr const char* kDriverFileVersion = "3.1.4.210";
inline constexpr std::int64_t kDriverFileTime = 1236853800; // 2009-03-12 10:30:00 UTC

// Writes the family's missing driver files into the native system folder's "drivers".
void InstallDriverFiles(const Machine& machine, int chipType);

} // namespace machine::devices
