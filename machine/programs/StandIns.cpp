#include "machine/programs/StandIns.h"

#include "machine/FileStore.h"
#include "machine/network/IpconfigReport.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"

namespace machine::programs
{

void RecordStandInRun(const Machine& machine, const std::string& program,
                      const std::string& arguments)
{
    AppendProgramLog(machine, program + " ran [" + arguments + "]");
}

bool RunNicReport(const Machine& machine, const std::filesystem::path& hostFolder,
                  const std::string& windowsFolder)
{
    if (LoadProgramSettings(machine).reportWritesNothing)
    {
        AppendProgramLog(machine, "NicReport wrote nothing");
        return false;
    }
    const std::string report = network::FormatIpconfigReport(network::LoadConnections(machine));
    const bool written =
        WriteFileAtomically(hostFolder / "NicReport.txt", report, FileAccess::Everyone);
    AppendProgramLog(machine, std::string(written ? "NicReport wrote [" : "NicReport failed [") +
                                  windowsFolder + "\\NicReport.txt]");
    return written;
}

void RecordBrowserOpen(const Machine& machine, const std::string& url)
{
    AppendProgramLog(machine, "WebBrowser opened [" + url + "]");
}

} // namespace machine::programs
