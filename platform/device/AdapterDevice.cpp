// The network adapters' device paths and their driver requests.

#include "machine/AsciiCase.h"
#include "machine/Machine.h"
#include "machine/SystemInfo.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/Miniport.h"
#include "platform/base/WinError.h"
#include "platform/device/DeviceIoControl.h"
#include "platform/device/internal/DeviceOpeners.h"

#include <cctype>
#include <cstring>
#include <string>

namespace platform
{
namespace
{

class AdapterDevice : public DeviceObject
{
public:
    explicit AdapterDevice(std::string netCfgInstanceId) : m_id(std::move(netCfgInstanceId)) {}

    BOOL ioControl(DWORD code, const BYTE* in, DWORD inSize, BYTE* out, DWORD outSize,
                   DWORD* returned, OVERLAPPED* overlapped) override
    {
        *returned = 0;
        if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS)
        {
            SetLastError(ERROR_INVALID_FUNCTION);
            return FALSE;
        }
        if (inSize < 4)
        {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const machine::Machine& m = machine::CurrentMachine();
        // Unplugged while open: the handle stays, the driver is gone.
        auto device = machine::devices::FindDeviceByNetCfgInstanceId(m, m_id);
        if (!device || !device->present)
        {
            SetLastError(ERROR_DEVICE_NOT_CONNECTED);
            return FALSE;
        }
        DWORD wire = 0;
        std::memcpy(&wire, in, 4);
        std::string buffer(reinterpret_cast<const char*>(out), outSize);
        machine::miniport::RequestResult r =
            machine::miniport::HandleRequest(m, m_id, wire, buffer);
        if (outSize != 0)
            std::memcpy(out, buffer.data(), outSize);
        *returned = r.returned;
        if (overlapped != nullptr)
        {
            // Answered at once: the request is complete before the call returns.
            overlapped->Internal = r.ok ? 0 : r.error;
            overlapped->InternalHigh = r.returned;
        }
        if (!r.ok)
        {
            SetLastError(r.error);
            return FALSE;
        }
        return TRUE;
    }

private:
    std::string m_id;
};

// The device a path names: "{NetCfgInstanceId}", or on Windows 98 SE / Me the chip family,
// which names its first present adapter.
std::optional<machine::devices::NetDevice> deviceNamed(const machine::Machine& m,
                                                       const std::string& name)
{
    if (!name.empty() && name.front() == '{')
        return machine::devices::FindDeviceByNetCfgInstanceId(m, name);
    if (machine::LoadSystemInfo(m).platformId != 1)
        return std::nullopt;
    for (auto& d : machine::devices::ListDevices(m))
        if (d.present && d.chipType >= 0 &&
            machine::EqualNoCase(machine::devices::ChipFamilyName(d.chipType), name))
            return d;
    return std::nullopt;
}

} // namespace

std::optional<HANDLE> OpenAdapterDevice(const DeviceOpenRequest& request)
{
    const machine::Machine& m = machine::CurrentMachine();
    auto device = deviceNamed(m, request.name);
    if (!device)
        return std::nullopt;
    if (!device->present || machine::miniport::OpenIsRefused(m, device->netCfgInstanceId))
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return RegisterHandle(std::make_shared<AdapterDevice>(device->netCfgInstanceId));
}

} // namespace platform
