#pragma once
// The device information sets this process holds: snapshots of the machine's devices, by
// handle. Internal to platform/setupapi.

#include "machine/devices/DeviceTree.h"
#include "platform/setupapi/SetupApi.h"

#include <memory>
#include <vector>

namespace platform::setupapi
{

struct Member
{
    machine::devices::NetDevice device;
    DWORD devInst = 0; // the device's node number on the machine
};

struct DeviceInfoSet
{
    std::vector<Member> members;
};

HDEVINFO AddDeviceInfoSet(std::shared_ptr<const DeviceInfoSet> set);
bool RemoveDeviceInfoSet(HDEVINFO handle);
std::shared_ptr<const DeviceInfoSet> FindDeviceInfoSet(HDEVINFO handle);

// Fills a caller's record for member `index`.
void DescribeMember(const DeviceInfoSet& set, DWORD index, SP_DEVINFO_DATA& out);

// The member a caller's record names, or null with the error to report: ERROR_INVALID_HANDLE
// for an unknown set, ERROR_INVALID_USER_BUFFER for a record of the wrong size,
// ERROR_INVALID_PARAMETER for one that names no member of this set.
struct Resolved
{
    std::shared_ptr<const DeviceInfoSet> set;
    const Member* member = nullptr;
    DWORD error = ERROR_SUCCESS;
};
Resolved ResolveMember(HDEVINFO handle, const SP_DEVINFO_DATA* data);

} // namespace platform::setupapi
