// The registry properties of a device, as SetupDiGetDeviceRegistryPropertyA reads them.

#include "platform/setupapi/PropertyFaults.h"
#include "platform/setupapi/internal/DeviceInfoSets.h"

#include <cctype>
#include <cstring>
#include <optional>
#include <string>

using namespace platform::setupapi;

namespace
{

struct Value
{
    DWORD type;
    std::string bytes;
};

Value text(const std::string& s)
{
    return {REG_SZ, s + '\0'};
}

// Each string with its terminator, then the list's terminator.
Value list(const std::vector<std::string>& items)
{
    std::string bytes;
    for (const auto& item : items)
        bytes += item + '\0';
    bytes += '\0';
    return {REG_MULTI_SZ, bytes};
}

// The value of a property; nullopt when the device does not have it.
std::optional<Value> readProperty(const machine::devices::NetDevice& d, DWORD property)
{
    auto nonEmpty = [](const std::string& s) -> std::optional<Value>
    { return s.empty() ? std::nullopt : std::optional<Value>(text(s)); };
    switch (property)
    {
    case SPDRP_DEVICEDESC:
        return nonEmpty(d.deviceDesc);
    case SPDRP_HARDWAREID:
        return d.hardwareIds.empty() ? std::nullopt : std::optional<Value>(list(d.hardwareIds));
    case SPDRP_CLASS:
        return text("Net");
    case SPDRP_CLASSGUID:
        return text(machine::devices::kNetClassGuid);
    case SPDRP_DRIVER:
        if (d.driverKeyIndex.empty())
            return std::nullopt;
        return text(std::string(machine::devices::kNetClassGuid) + "\\" + d.driverKeyIndex);
    case SPDRP_MFG:
        return nonEmpty(d.manufacturer);
    case SPDRP_FRIENDLYNAME:
        return nonEmpty(d.friendlyName);
    case SPDRP_LOCATION_INFORMATION:
        return nonEmpty(d.locationInfo);
    case SPDRP_ENUMERATOR_NAME:
        return text(d.instanceId.substr(0, d.instanceId.find('\\')));
    default:
        return std::nullopt; // compatible IDs, service, ...: not recorded for these devices
    }
}

// Pads the first string of the value until the whole value is `size` bytes.
void oversize(Value& value, std::size_t size)
{
    if (value.bytes.size() >= size)
        return;
    std::size_t end = value.bytes.find('\0');
    value.bytes.insert(end, size - value.bytes.size(), 'X');
}

} // namespace

BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, PDWORD PropertyRegDataType,
                                       PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                       PDWORD RequiredSize)
{
    Resolved r = ResolveMember(DeviceInfoSet, DeviceInfoData);
    if (r.member == nullptr)
    {
        SetLastError(r.error);
        return FALSE;
    }
    if (Property >= SPDRP_MAXIMUM_PROPERTY)
    {
        SetLastError(ERROR_INVALID_REG_PROPERTY);
        return FALSE;
    }
    if (PropertyBuffer == nullptr && PropertyBufferSize != 0)
    {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    const auto& device = r.member->device;
    auto fault = FindPropertyFault(device.instanceId, Property);
    std::optional<Value> value;
    if (fault != PropertyFault::Missing)
        value = readProperty(device, Property);
    if (!value)
    {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (fault == PropertyFault::Oversize)
        oversize(*value, kOversizeBytes);
    if (fault == PropertyFault::LowerCase)
        for (char& c : value->bytes)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    DWORD size = static_cast<DWORD>(value->bytes.size());
    if (PropertyRegDataType != nullptr)
        *PropertyRegDataType = value->type;
    if (RequiredSize != nullptr)
        *RequiredSize = size;
    if (PropertyBufferSize < size)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(PropertyBuffer, value->bytes.data(), size);
    return TRUE;
}

BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                 PSTR DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                 PDWORD RequiredSize)
{
    Resolved r = ResolveMember(DeviceInfoSet, DeviceInfoData);
    if (r.member == nullptr)
    {
        SetLastError(r.error);
        return FALSE;
    }
    if (DeviceInstanceId == nullptr && DeviceInstanceIdSize != 0)
    {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    const std::string& id = r.member->device.instanceId;
    DWORD size = static_cast<DWORD>(id.size() + 1);
    if (RequiredSize != nullptr)
        *RequiredSize = size;
    if (DeviceInstanceIdSize < size)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(DeviceInstanceId, id.c_str(), size);
    return TRUE;
}
