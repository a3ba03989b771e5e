#include "machine/miniport/DriverReload.h"

#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/registry/Registry.h"

namespace machine::miniport
{
namespace
{

// The driver key's "OpMode" as text ("1", with or without its terminator); empty when missing.
std::string opModeText(const Machine& machine, const std::string& netCfgInstanceId)
{
    auto device = devices::FindDeviceByNetCfgInstanceId(machine, netCfgInstanceId);
    if (!device)
        return {};
    auto value = registry::GetValue(machine, devices::DriverKeyPath(*device), "OpMode");
    if (!value ||
        (value->type != registry::kTypeString && value->type != registry::kTypeExpandString))
        return {};
    std::string text = value->data;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

} // namespace

void ReloadDriver(const Machine& machine, const std::string& netCfgInstanceId)
{
    const bool accessPoint = opModeText(machine, netCfgInstanceId) == "1";
    ChangeAdapterState(machine, netCfgInstanceId,
                       [&](AdapterState& s)
                       {
                           s.setU32(oid::StartMarker, 0);
                           s.associated = false;
                           s.associateAny = false;
                           s.apStarted = false;
                           s.apStations.clear();
                           s.events.clear();
                           SetOperationMode(s, accessPoint ? 2 : 1);
                       });
}

} // namespace machine::miniport
