// A device's keys in the registry, opened through the registry functions so the caller reads
// and closes them as any other key.

#include "platform/setupapi/internal/DeviceInfoSets.h"

#include <string>

using namespace platform::setupapi;

namespace
{

HKEY fail(DWORD error)
{
    SetLastError(error);
    return static_cast<HKEY>(INVALID_HANDLE_VALUE);
}

} // namespace

HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope,
                          DWORD HwProfile, DWORD KeyType, REGSAM samDesired)
{
    Resolved r = ResolveMember(DeviceInfoSet, DeviceInfoData);
    if (r.member == nullptr)
        return fail(r.error);
    // The machine has one hardware profile and keeps no profile-specific keys.
    if (Scope != DICS_FLAG_GLOBAL)
        return fail(Scope == DICS_FLAG_CONFIGSPECIFIC ? ERROR_KEY_DOES_NOT_EXIST
                                                      : ERROR_INVALID_FLAGS);
    const auto& device = r.member->device;
    std::string path;
    if (KeyType == DIREG_DRV)
    {
        if (device.driverKeyIndex.empty())
            return fail(ERROR_KEY_DOES_NOT_EXIST);
        path = std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\") +
               machine::devices::kNetClassGuid + "\\" + device.driverKeyIndex;
    }
    else if (KeyType == DIREG_DEV)
    {
        path = "SYSTEM\\CurrentControlSet\\Enum\\" + device.instanceId + "\\Device Parameters";
    }
    else
    {
        return fail(ERROR_INVALID_FLAGS);
    }
    HKEY key = 0;
    LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, samDesired, &key);
    if (rc == static_cast<LONG>(ERROR_FILE_NOT_FOUND))
        return fail(ERROR_KEY_DOES_NOT_EXIST);
    if (rc != static_cast<LONG>(ERROR_SUCCESS))
        return fail(static_cast<DWORD>(rc));
    return key;
}
