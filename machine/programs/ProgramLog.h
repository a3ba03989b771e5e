#pragma once
// The machine's record of program starts (<root>/programs.log): one line per start request, with
// its exact command line, show state, current directory and result, and one per thing a
// stand-in did. Every process on the machine appends to it; `vnmachine programs log` prints it.
//
//   WinExec ["NicReport.bat" ] show=0 dir=[C:\Program Files\Tessaryn] result=33
//   ShellExecute open [http://x/] params=[] dir=[] show=1 result=42
//   VnSwap ran [ON TessarynUI TessarynAp "Tessaryn KWF-9310USB"]
//
// Help requests are kept here too, as the viewer opens nothing (platform/help/HtmlHelp.h).

#include "machine/Machine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace machine::programs
{

std::filesystem::path ProgramLogPath(const Machine& machine);
void AppendProgramLog(const Machine& machine, const std::string& line);
// The lines, without their line ends.
std::vector<std::string> ReadProgramLog(const Machine& machine);
void ClearProgramLog(const Machine& machine);

} // namespace machine::programs
