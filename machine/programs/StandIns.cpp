#include "machine/programs/StandIns.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/DriverReload.h"
#include "machine/network/ConnectionView.h"
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

namespace
{

bool startsWithNoCase(const std::string& text, const std::string& prefix)
{
    return !prefix.empty() && text.size() >= prefix.size() &&
           EqualNoCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

} // namespace

std::optional<std::string> RunVnSwap(const Machine& machine,
                                     const std::vector<std::string>& arguments)
{
    if (arguments.size() != 4)
        return std::nullopt;
    for (const auto& a : arguments)
        if (a.empty())
            return std::nullopt;
    const bool on = EqualNoCase(arguments[0], "ON");
    if (!on && !EqualNoCase(arguments[0], "OFF"))
        return std::nullopt;
    const std::string& adapterName = arguments[3];

    std::vector<devices::NetDevice> adapters;
    for (const auto& d : devices::ListDevices(machine))
        if (d.present && d.chipType >= 0)
            adapters.push_back(d);
    std::vector<devices::NetDevice> named;
    for (const auto& d : adapters)
        if (startsWithNoCase(d.friendlyName, adapterName) ||
            startsWithNoCase(d.deviceDesc, adapterName))
            named.push_back(d);
    if (!named.empty())
        adapters = named;
    if (adapters.empty())
        AppendProgramLog(machine, "VnSwap found no adapter [" + adapterName + "]");
    for (const auto& d : adapters)
    {
        miniport::ReloadDriver(machine, d.netCfgInstanceId);
        AppendProgramLog(machine, "VnSwap reloaded the driver of [" +
                                      (d.friendlyName.empty() ? d.deviceDesc : d.friendlyName) +
                                      "] " + d.netCfgInstanceId);
    }
    return std::string(on ? "HubDesk.exe" : "TessarynUI.exe");
}

bool RunNicReport(const Machine& machine, const std::filesystem::path& hostFolder,
                  const std::string& windowsFolder)
{
    if (LoadProgramSettings(machine).reportWritesNothing)
    {
        AppendProgramLog(machine, "NicReport wrote nothing");
        return false;
    }
    const std::string report = network::FormatIpconfigReport(network::ConnectionsAsSeen(machine));
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
