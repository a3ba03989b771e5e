#include "machine/MachineDamage.h"

#include "machine/FieldLines.h"
#include "machine/FileStore.h"
#include "machine/SystemInfo.h"
#include "machine/devices/DeviceTree.h"
#include "machine/radio/RadioStore.h"
#include "machine/registry/HiveStore.h"

namespace machine
{
namespace
{

template <class Parse>
void checkFile(std::vector<std::string>& out, std::string_view kind,
               const std::filesystem::path& path, Parse parse)
{
    auto text = ReadWholeFile(path);
    if (!text)
        return; // a missing file stands for the default
    std::vector<LineProblem> problems;
    parse(*text, &problems);
    for (const auto& problem : problems)
        out.push_back(DescribeLineProblem(kind, path, problem));
}

} // namespace

std::vector<std::string> DamagedMachineFiles(const Machine& machine)
{
    std::vector<std::string> out;
    if (std::string error = registry::HiveLoadError(machine); !error.empty())
        out.push_back("registry file " + machine.hivePath().string() + ": " + error);
    for (const auto& warning : registry::HiveLoadWarnings(machine))
        out.push_back("registry file " + machine.hivePath().string() + ", " + warning);
    checkFile(out, "networks file", radio::NetworksPath(machine), radio::ParseNetworks);
    checkFile(out, "devices file", devices::DeviceListPath(machine), devices::ParseDeviceList);
    checkFile(out, "system file", machine.systemConfPath(), ParseSystemInfo);
    return out;
}

} // namespace machine
