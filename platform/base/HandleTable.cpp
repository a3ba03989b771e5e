#include "platform/base/HandleTable.h"

#include "platform/base/HandleMap.h"
#include "platform/base/WinError.h"

namespace platform
{
namespace
{

// Never destroyed: threads still running at exit may close handles.
HandleMap<std::shared_ptr<KernelObject>>& table()
{
    static auto* t = new HandleMap<std::shared_ptr<KernelObject>>(0x100);
    return *t;
}

} // namespace

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object)
{
    return table().Add(std::move(object));
}

std::shared_ptr<KernelObject> LookupHandleObject(HANDLE handle)
{
    return table().Find(handle).value_or(nullptr);
}

bool ReleaseHandle(HANDLE handle)
{
    // The object dies outside the table lock: its destructor may use handles itself.
    return table().Take(handle).has_value();
}

std::size_t OpenHandleCount()
{
    return table().Size();
}

} // namespace platform

BOOL CloseHandle(HANDLE hObject)
{
    if (!platform::ReleaseHandle(hObject))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
