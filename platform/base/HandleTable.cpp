#include "platform/base/HandleTable.h"

#include "platform/base/WinError.h"

#include <mutex>
#include <unordered_map>

namespace platform
{
namespace
{

struct Table
{
    std::mutex lock;
    std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> objects;
    HANDLE next = 0x100;
};

// Never destroyed: threads still running at exit may close handles.
Table& table()
{
    static Table* t = new Table;
    return *t;
}

} // namespace

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object)
{
    Table& t = table();
    std::lock_guard guard(t.lock);
    HANDLE handle;
    do
    {
        handle = t.next;
        t.next += 4; // handle values are multiples of four, as on the platform
        if (t.next >= 0x7FFFFFF0u)
            t.next = 0x100;
    } while (t.objects.count(handle) != 0);
    t.objects.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> LookupHandleObject(HANDLE handle)
{
    Table& t = table();
    std::lock_guard guard(t.lock);
    auto it = t.objects.find(handle);
    return it == t.objects.end() ? nullptr : it->second;
}

bool ReleaseHandle(HANDLE handle)
{
    std::shared_ptr<KernelObject> released;
    Table& t = table();
    {
        std::lock_guard guard(t.lock);
        auto it = t.objects.find(handle);
        if (it == t.objects.end())
            return false;
        released = std::move(it->second);
        t.objects.erase(it);
    }
    // The object dies outside the table lock: its destructor may use handles itself.
    return true;
}

std::size_t OpenHandleCount()
{
    Table& t = table();
    std::lock_guard guard(t.lock);
    return t.objects.size();
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
