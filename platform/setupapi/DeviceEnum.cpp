// Classes by name, snapshots of the devices and walking them.

#include "platform/setupapi/internal/DeviceInfoSets.h"

#include "machine/AsciiCase.h"

#include "machine/Machine.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

using namespace platform::setupapi;

namespace
{

bool sameGuid(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// The bus that enumerated the device: the first part of its instance ID.
std::string_view enumeratorOf(const std::string& instanceId)
{
    std::string_view id(instanceId);
    return id.substr(0, id.find('\\'));
}

} // namespace

BOOL SetupDiClassGuidsFromNameA(PCSTR ClassName, GUID* ClassGuidList, DWORD ClassGuidListSize,
                                PDWORD RequiredSize)
{
    if (ClassName == nullptr || (ClassGuidList == nullptr && ClassGuidListSize != 0))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The machine installs only network adapters; other classes have no GUID here.
    DWORD found = machine::EqualNoCase(ClassName, "Net") ? 1 : 0;
    if (RequiredSize != nullptr)
        *RequiredSize = found;
    if (found > ClassGuidListSize)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (found == 1)
        ClassGuidList[0] = GUID_DEVCLASS_NET;
    return TRUE;
}

HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, PCSTR Enumerator, HWND hwndParent, DWORD Flags)
{
    bool allClasses = (Flags & DIGCF_ALLCLASSES) != 0;
    if (ClassGuid == nullptr && !allClasses)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    try
    {
        auto set = std::make_shared<DeviceInfoSet>();
        // No device registers an interface: an interface snapshot is empty. A class other than
        // "Net" has no devices.
        bool wanted = (Flags & DIGCF_DEVICEINTERFACE) == 0 &&
                      (allClasses || sameGuid(*ClassGuid, GUID_DEVCLASS_NET));
        if (wanted)
        {
            auto devices = machine::devices::ListDevices(machine::CurrentMachine());
            for (std::size_t i = 0; i < devices.size(); ++i)
            {
                auto& device = devices[i];
                if ((Flags & DIGCF_PRESENT) != 0 && !device.present)
                    continue;
                if (Enumerator != nullptr &&
                    !machine::EqualNoCase(enumeratorOf(device.instanceId), Enumerator))
                    continue;
                set->members.push_back({std::move(device), static_cast<DWORD>(i + 1)});
            }
        }
        return AddDeviceInfoSet(std::move(set));
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    catch (...)
    {
        SetLastError(ERROR_GEN_FAILURE);
    }
    return INVALID_HANDLE_VALUE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet)
{
    if (!RemoveDeviceInfoSet(DeviceInfoSet))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                           PSP_DEVINFO_DATA DeviceInfoData)
{
    auto set = FindDeviceInfoSet(DeviceInfoSet);
    if (!set)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (DeviceInfoData == nullptr || DeviceInfoData->cbSize != sizeof(SP_DEVINFO_DATA))
    {
        SetLastError(DeviceInfoData == nullptr ? ERROR_INVALID_PARAMETER
                                               : ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (MemberIndex >= set->members.size())
    {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    DescribeMember(*set, MemberIndex, *DeviceInfoData);
    return TRUE;
}
