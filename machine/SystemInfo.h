#pragma once
// What the machine is: its operating system, the user who runs the programs, the locale.
// Kept in <root>/system.conf as "key=value" lines a person can edit.

#include "machine/FieldLines.h"
#include "machine/Machine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace machine
{

struct SystemInfo
{
    // GetVersionEx's view of the system (default: Windows Vista SP2 workstation, 32-bit).
    std::uint32_t platformId = 2;
    std::uint32_t majorVersion = 6;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 6002;
    std::uint32_t productType = 1; // 1 workstation, 3 server
    std::string servicePack = "Service Pack 2";
    bool versionExFails = false; // the OSVERSIONINFOEX form is refused (very old systems)
    bool wow64 = false;          // a 32-bit program on 64-bit Windows
    bool hasWow64Exports = true; // kernel32 exports IsWow64Process and the redirection switch
    bool administrator = true;   // the user is a member of the Administrators group
    std::string userName = "Owner";
    std::uint16_t languageId = 0x0409;
    int timeZoneBiasMinutes = 0; // local time = UTC - bias, as the platform counts it
};

SystemInfo LoadSystemInfo(const Machine& machine);
bool SaveSystemInfo(const Machine& machine, const SystemInfo& info);

// Text form, one "key=value" a line. Lines that do not read (unknown keys, values out of range)
// are passed over; `problems`, when given, gets each with its number.
std::string FormatSystemInfo(const SystemInfo& info);
SystemInfo ParseSystemInfo(const std::string& text, std::vector<LineProblem>* problems = nullptr);

} // namespace machine
