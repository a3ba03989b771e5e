#pragma once
// Debug output of the programs. Each line lands in the machine's debug log
// (<machine>/run/debug.log) with the process id and program name, so a person or a test
// can follow what a program did: `vnmachine log`.

#include "platform/base/WinTypes.h"

#include <filesystem>

void OutputDebugStringA(LPCSTR lpOutputString);

namespace platform
{
std::filesystem::path DebugLogPath();
} // namespace platform
