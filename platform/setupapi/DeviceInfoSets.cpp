#include "platform/setupapi/DeviceInfoSets.h"

#include <mutex>
#include <unordered_map>

namespace platform::setupapi
{
namespace
{

struct Table
{
    std::mutex lock;
    std::unordered_map<HDEVINFO, std::shared_ptr<const DeviceInfoSet>> sets;
    HDEVINFO next = 0x00D00000;
};

Table& table()
{
    static Table t;
    return t;
}

} // namespace

HDEVINFO AddDeviceInfoSet(std::shared_ptr<const DeviceInfoSet> set)
{
    Table& t = table();
    std::lock_guard guard(t.lock);
    HDEVINFO handle;
    do
    {
        handle = t.next;
        t.next += 4;
        if (t.next >= 0x7FFFFFF0u)
            t.next = 0x00D00000;
    } while (t.sets.count(handle) != 0);
    t.sets.emplace(handle, std::move(set));
    return handle;
}

bool RemoveDeviceInfoSet(HDEVINFO handle)
{
    Table& t = table();
    std::lock_guard guard(t.lock);
    return t.sets.erase(handle) != 0;
}

std::shared_ptr<const DeviceInfoSet> FindDeviceInfoSet(HDEVINFO handle)
{
    Table& t = table();
    std::lock_guard guard(t.lock);
    auto it = t.sets.find(handle);
    return it == t.sets.end() ? nullptr : it->second;
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
    auto& t = setupapi::table();
    std::lock_guard guard(t.lock);
    return t.sets.size();
}

} // namespace platform
