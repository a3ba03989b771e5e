#include "platform/sync/Mutex.h"
#include "platform/sync/internal/MutexObject.h"

#include "machine/Machine.h"
#include "platform/base/WinError.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string_view>
#include <thread>

namespace platform
{

struct MutexState
{
    std::mutex lock;
    std::condition_variable released;
    std::thread::id owner;
    unsigned count = 0;
};

namespace
{

// Ownership state of the named mutexes open in this process, per machine and name.
std::mutex g_namedLock;
std::map<std::string, std::weak_ptr<MutexState>> g_named;

std::shared_ptr<MutexState> namedState(const machine::Machine& machine, const std::string& name)
{
    std::string key = machine.root().string();
    key += '\0';
    key += name;
    std::lock_guard guard(g_namedLock);
    for (auto it = g_named.begin(); it != g_named.end();)
        it = it->second.expired() ? g_named.erase(it) : std::next(it);
    auto& slot = g_named[key];
    auto state = slot.lock();
    if (!state)
    {
        state = std::make_shared<MutexState>();
        slot = state;
    }
    return state;
}

// The name as the machine knows it; nullopt when it names a namespace that does not exist.
std::optional<std::string> objectName(std::string_view name)
{
    constexpr std::string_view local = "Local\\";
    constexpr std::string_view global = "Global\\";
    if (name.substr(0, local.size()) == local)
        name.remove_prefix(local.size());
    std::string_view rest = name;
    if (name.substr(0, global.size()) == global)
        rest.remove_prefix(global.size());
    if (rest.empty() || rest.find('\\') != std::string_view::npos)
        return std::nullopt;
    return std::string(name);
}

void takeOwnership(MutexState& state)
{
    std::lock_guard guard(state.lock);
    state.owner = std::this_thread::get_id();
    state.count = 1;
}

} // namespace

Mutex::Mutex(std::shared_ptr<MutexState> state, std::optional<machine::desktop::NamedMutex> lease)
    : m_state(std::move(state)), m_lease(std::move(lease))
{
}

Mutex::~Mutex() = default;

bool Mutex::Acquire(std::optional<std::chrono::milliseconds> timeout)
{
    std::unique_lock guard(m_state->lock);
    const auto self = std::this_thread::get_id();
    auto available = [&] { return m_state->count == 0 || m_state->owner == self; };
    if (!timeout)
        m_state->released.wait(guard, available);
    else if (!m_state->released.wait_for(guard, *timeout, available))
        return false;
    m_state->owner = self;
    ++m_state->count;
    return true;
}

bool Mutex::Release()
{
    {
        std::lock_guard guard(m_state->lock);
        if (m_state->count == 0 || m_state->owner != std::this_thread::get_id())
            return false;
        if (--m_state->count > 0)
            return true;
        m_state->owner = {};
    }
    m_state->released.notify_one();
    return true;
}

bool Mutex::OwnedByCurrentThread() const
{
    std::lock_guard guard(m_state->lock);
    return m_state->count > 0 && m_state->owner == std::this_thread::get_id();
}

} // namespace platform

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName)
{
    if (lpName == nullptr || *lpName == '\0')
    {
        auto state = std::make_shared<platform::MutexState>();
        if (bInitialOwner)
            platform::takeOwnership(*state);
        HANDLE handle =
            platform::RegisterHandle(std::make_shared<platform::Mutex>(state, std::nullopt));
        SetLastError(ERROR_SUCCESS);
        return handle;
    }
    auto name = platform::objectName(lpName);
    if (!name)
    {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    const machine::Machine& machine = machine::CurrentMachine();
    bool existed = false;
    auto lease = machine::desktop::NamedMutex::Open(machine, *name, existed);
    if (!lease)
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    auto state = platform::namedState(machine, *name);
    // An existing mutex already has its owner, if any: the flag only counts for its creator.
    if (bInitialOwner && !existed)
        platform::takeOwnership(*state);
    HANDLE handle =
        platform::RegisterHandle(std::make_shared<platform::Mutex>(state, std::move(lease)));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

HANDLE OpenMutexA(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCSTR lpName)
{
    if (lpName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto name = platform::objectName(lpName);
    if (!name)
    {
        SetLastError(*lpName == '\0' ? ERROR_INVALID_PARAMETER : ERROR_PATH_NOT_FOUND);
        return 0;
    }
    const machine::Machine& machine = machine::CurrentMachine();
    auto lease = machine::desktop::NamedMutex::OpenExisting(machine, *name);
    if (!lease)
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    auto state = platform::namedState(machine, *name);
    return platform::RegisterHandle(
        std::make_shared<platform::Mutex>(std::move(state), std::move(lease)));
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    auto mutex = platform::LookupHandle<platform::Mutex>(hMutex);
    if (!mutex)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!mutex->Release())
    {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}
