#pragma once
// The kernel object behind a mutex handle. Internal to platform/sync.

#include "machine/desktop/Desktop.h"
#include "platform/base/HandleTable.h"
#include "platform/base/WinTypes.h"

#include <chrono>
#include <memory>
#include <optional>

namespace platform
{

struct MutexState;

// What a mutex handle names.
class Mutex : public KernelObject
{
public:
    Mutex(std::shared_ptr<MutexState> state, std::optional<machine::desktop::NamedMutex> lease);
    ~Mutex() override;

    // Takes ownership for the calling thread, at once when it is free or already the thread's
    // own (each take is counted), else after waiting at most timeout (none: for ever).
    // False when the time ran out.
    bool Acquire(std::optional<std::chrono::milliseconds> timeout);
    // Gives up one take; false when the calling thread does not own the mutex.
    bool Release();
    bool OwnedByCurrentThread() const;

private:
    std::shared_ptr<MutexState> m_state;
    // Keeps the name alive on the machine while this handle is open.
    std::optional<machine::desktop::NamedMutex> m_lease;
};

} // namespace platform
