#pragma once
// vnmachine programs: program starts on the machine and the outside programs' stand-ins.
//   programs log | programs clear-log   every start with its command line, show state,
//                                       current directory and result (also `vnmachine log
//                                       programs`)
//   programs fail PROGRAM CODE [once]   starts of PROGRAM ("NicReport.bat", "VnSwap", "*")
//                                       fail with CODE, always or once
//   programs fail clear
//   programs record-only PROGRAM on|off a project program's starts are only recorded
//   programs report-delay MS            NicReport.bat writes its report after MS ms
//   programs report-fail on|off         NicReport.bat writes nothing
//   programs settings                   what is arranged
// Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunProgramsCommand(const std::vector<std::string>& args);
