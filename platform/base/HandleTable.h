#pragma once
// Kernel handles: 32-bit values naming objects owned by the process's handle table.

#include "platform/base/WinTypes.h"

#include <memory>

namespace platform
{

// Anything a HANDLE can name (mutex, event, file, device, thread, token, ...).
class KernelObject
{
public:
    virtual ~KernelObject() = default;
};

// Enters the object and returns its new handle (never 0 nor INVALID_HANDLE_VALUE).
HANDLE RegisterHandle(std::shared_ptr<KernelObject> object);

std::shared_ptr<KernelObject> LookupHandleObject(HANDLE handle);

// The object behind the handle when it is of type T, else null.
template <class T> std::shared_ptr<T> LookupHandle(HANDLE handle)
{
    return std::dynamic_pointer_cast<T>(LookupHandleObject(handle));
}

// Drops the handle; false when it names nothing.
bool ReleaseHandle(HANDLE handle);

std::size_t OpenHandleCount();

} // namespace platform

BOOL CloseHandle(HANDLE hObject);
