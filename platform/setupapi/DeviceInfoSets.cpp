#include "platform/setupapi/internal/DeviceInfoSets.h"

#include "platform/base/HandleMap.h"

namespace platform::setupapi
{
namespace
{

HandleMap<std::shared_ptr<const DeviceInfoSet>>& table()
{
    static auto* t = new HandleMap<std::shared_ptr<const DeviceInfoSet>>(0x00D00000);
    return *t;
}

} // namespace

HDEVINFO AddDeviceInfoSet(std::shared_ptr<const DeviceInfoSet> set)
{
    return table().Add(std::move(set));
}

bool RemoveDeviceInfoSet(HDEVINFO handle)
{
    return table().Take(handle).has_value();
}

std::shared_ptr<const DeviceInfoSet> FindDeviceInfoSet(HDEVINFO handle)
{
    return table().Find(handle).value_or(nullptr);
}

void DescribeMember(const DeviceInfoSet& set, DWORD index, SP_DEVINFO_DATA& out)
{
    out.ClassGuid = GUID_DEVCLASS_NET;
    out.DevInst = set.members[index].devInst;
    // Which member the record names: its position, kept where the platform keeps its own.
    out.Reserved = index + 1;
}

Resolved ResolveMember(HDEVINFO handle, const SP_DEVINFO_DATA* data)
{
    Resolved r;
    r.set = FindDeviceInfoSet(handle);
    if (!r.set)
    {
        r.error = ERROR_INVALID_HANDLE;
        return r;
    }
    if (data == nullptr)
    {
        r.error = ERROR_INVALID_PARAMETER;
        return r;
    }
    if (data->cbSize != sizeof(SP_DEVINFO_DATA))
    {
        r.error = ERROR_INVALID_USER_BUFFER;
        return r;
    }
    DWORD position = data->Reserved;
    if (position == 0 || position > r.set->members.size() ||
        r.set->members[position - 1].devInst != data->DevInst)
    {
        r.error = ERROR_INVALID_PARAMETER;
        return r;
    }
    r.member = &r.set->members[position - 1];
    return r;
}

} // namespace platform::setupapi

namespace platform
{

std::size_t OpenDeviceInfoSetCount()
{
    return setupapi::table().Size();
}

} // namespace platform
