// The network adapters' device paths and their driver requests.

#include "machine/AsciiCase.h"
#include "machine/FileChanges.h"
#include "machine/Machine.h"
#include "machine/SystemInfo.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/Miniport.h"
#include "machine/miniport/RequestLog.h"
#include "platform/base/Threads.h"
#include "platform/base/WinError.h"
#include "platform/device/DeviceIoControl.h"
#include "platform/device/internal/DeviceOpeners.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <utility>

namespace platform
{
namespace
{

// A handle in the driver's log: the process and its handle value, unique among the processes
// running on the machine.
std::string handleTag(HANDLE handle)
{
    char tag[32];
    std::snprintf(tag, sizeof tag, "%ld.%x", static_cast<long>(GetCurrentProcessId()),
                  static_cast<unsigned>(handle));
    return tag;
}

class AdapterDevice : public DeviceObject
{
public:
    AdapterDevice(machine::Machine machine, std::string netCfgInstanceId)
        : m_machine(std::move(machine)), m_id(std::move(netCfgInstanceId))
    {
    }
    ~AdapterDevice() override
    {
        if (m_tag.empty())
            return;
        try
        {
            machine::miniport::AppendCloseLog(m_machine, m_id, m_tag);
        }
        catch (const std::exception&)
        {
            // The machine went away first: there is nobody left to tell.
        }
    }
    AdapterDevice(const AdapterDevice&) = delete;
    AdapterDevice& operator=(const AdapterDevice&) = delete;

    // Named once it has its handle; only a named device logs its close.
    void setTag(std::string tag) { m_tag = std::move(tag); }

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
        // One look at the machine for the device and the request.
        const machine::ChangeScope scope;
        // Unplugged while open: the handle stays, the driver is gone.
        if (!machine::devices::IsDevicePresent(m_machine, m_id))
        {
            SetLastError(ERROR_DEVICE_NOT_CONNECTED);
            return FALSE;
        }
        DWORD wire = 0;
        std::memcpy(&wire, in, 4);
        std::string buffer(reinterpret_cast<const char*>(out), outSize);
        machine::miniport::RequestResult r = machine::miniport::HandleRequest(
            m_machine, m_id, wire, buffer, {code, inSize, m_tag.empty() ? "-" : m_tag});
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
    const machine::Machine m_machine; // the machine it was opened on, also for the close
    const std::string m_id;
    std::string m_tag;
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
    const machine::ChangeScope scope;
    auto device = deviceNamed(m, request.name);
    if (!device)
        return std::nullopt;
    const std::string path = "\\\\.\\" + request.name;
    if (!device->present || machine::miniport::OpenIsRefused(m, device->netCfgInstanceId))
    {
        machine::miniport::AppendOpenLog(m, device->netCfgInstanceId, "-", path,
                                         ERROR_FILE_NOT_FOUND);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto adapter = std::make_shared<AdapterDevice>(m, device->netCfgInstanceId);
    const HANDLE handle = RegisterHandle(adapter);
    const std::string tag = handleTag(handle);
    adapter->setTag(tag);
    machine::miniport::AppendOpenLog(m, device->netCfgInstanceId, tag, path, 0);
    return handle;
}

} // namespace platform
