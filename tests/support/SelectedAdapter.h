#pragma once
// The test machine's Tessaryn adapter, selected the way adapter discovery leaves it, so that
// driver requests reach its simulated driver.

#include "adapter/discovery/AdapterState.h"
#include "machine/Machine.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/RequestLog.h"

#include <string>

namespace testing_support
{

// Installs the default adapter when the machine has none; returns its NetCfgInstanceId.
inline std::string EnsureDefaultAdapter(const machine::Machine& m)
{
    for (const machine::devices::NetDevice& d : machine::devices::ListDevices(m))
    {
        if (d.chipType == 8 && d.bus == machine::devices::Bus::Usb)
            return d.netCfgInstanceId;
    }
    return machine::devices::InstallDevice(m, machine::devices::DefaultAdapter()).netCfgInstanceId;
}

// Sets the device path to the default adapter's and clears its request log.
inline std::string SelectDefaultAdapter(const machine::Machine& m)
{
    std::string id = EnsureDefaultAdapter(m);
    g_strNetCfgInstanceId = id.c_str();
    g_strDevicePath = (std::string("\\\\.\\") + id).c_str();
    machine::miniport::ClearRequestLog(m, id);
    return id;
}

// Sets the driver key as adapter discovery leaves it (below HKEY_LOCAL_MACHINE).
inline void SelectDriverKeyOf(const machine::Machine& m, const std::string& netCfgInstanceId)
{
    for (const machine::devices::NetDevice& d : machine::devices::ListDevices(m))
    {
        if (d.netCfgInstanceId == netCfgInstanceId)
            g_strDriverKey = (std::string("System\\CurrentControlSet\\Control\\Class\\") +
                              machine::devices::kNetClassGuid + "\\" + d.driverKeyIndex)
                                 .c_str();
    }
}

} // namespace testing_support
