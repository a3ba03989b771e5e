#pragma once
// The program's own file: "C:\Program Files\Tessaryn\<name>.exe" on the machine's drive.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <string>

namespace platform
{

// The program's name, with or without ".exe" ("TessarynUI"). Until set, the host
// executable's file name is used.
void SetModuleName(std::string name);

// The Windows path of the program's file.
std::string ModuleFilePath();

} // namespace platform

// Only the process's own module (hModule NULL) is known. A buffer that is too small gets
// nSize-1 characters and a zero; the call then returns nSize with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
