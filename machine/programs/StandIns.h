#pragma once
// What the outside programs' stand-ins do when they run. Each leaves a line in the program log.

#include "machine/Machine.h"

#include <filesystem>
#include <string>

namespace machine::programs
{

// VnSwap and lanmeld only record the arguments they were given: "VnSwap ran [ARGS]".
void RecordStandInRun(const Machine& machine, const std::string& program,
                      const std::string& arguments);

// NicReport.bat: writes NicReport.txt into `hostFolder` (the folder of the .bat, whose Windows
// path is `windowsFolder`) from the machine's connections, unless the machine says it writes
// nothing. Returns whether it wrote the file.
bool RunNicReport(const Machine& machine, const std::filesystem::path& hostFolder,
                  const std::string& windowsFolder);

// The web browser: records the address: "WebBrowser opened [URL]".
void RecordBrowserOpen(const Machine& machine, const std::string& url);

} // namespace machine::programs
