#pragma once
// What the outside programs' stand-ins do when they run. Each leaves a line in the program log.

#include "machine/Machine.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace machine::programs
{

// VnSwap and lanmeld only record the arguments they were given: "VnSwap ran [ARGS]".
void RecordStandInRun(const Machine& machine, const std::string& program,
                      const std::string& arguments);

// VnSwap, the mode switch, once its run is recorded. It acts only on its whole command line:
// ON or OFF (any case), the station program's name, the access point program's name and the
// adapter's name, four arguments none of them empty. It then reloads the driver of each present
// Tessaryn adapter whose description or friendly name starts with the adapter's name (of every
// present Tessaryn adapter when none does), so the driver's start marker reads 0 again and the
// driver takes the operation mode its key's "OpMode" gives (DriverReload.h), and names the
// program to start from its own folder: "HubDesk.exe" (the access-point program) for
// ON, "TessarynUI.exe" for OFF. Any other command line does nothing more: nullopt.
std::optional<std::string> RunVnSwap(const Machine& machine,
                                     const std::vector<std::string>& arguments);

// NicReport.bat: writes NicReport.txt into `hostFolder` (the folder of the .bat, whose Windows
// path is `windowsFolder`) from the machine's connections, unless the machine says it writes
// nothing. Returns whether it wrote the file.
bool RunNicReport(const Machine& machine, const std::filesystem::path& hostFolder,
                  const std::string& windowsFolder);

// The web browser: records the address: "WebBrowser opened [URL]".
void RecordBrowserOpen(const Machine& machine, const std::string& url);

} // namespace machine::programs
