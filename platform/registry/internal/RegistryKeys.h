#pragma once
// What the registry functions share: the table of open key handles and the steps every call
// takes (resolve the handle, check the access it was opened with, apply injected failures,
// reach the machine's hive). Internal to platform/registry.

#include "machine/registry/Hive.h"
#include "machine/registry/HiveEdit.h"
#include "machine/registry/RegistryFaults.h"
#include "platform/registry/WinReg.h"

#include <exception>
#include <functional>
#include <new>
#include <optional>

namespace platform::registry
{

namespace reg = machine::registry;

// A handle names a key by its path. When the key is removed (by this process or another one),
// the handle stays valid but every use of it fails with ERROR_KEY_DELETED.
struct OpenKey
{
    reg::KeyPath path;
    REGSAM access = 0; // the rights granted at open, without the view flags
    bool predefined = false;
};

HKEY AddOpenKey(OpenKey key);
bool RemoveOpenKey(HKEY hKey);
// The key behind an open or predefined handle; nullopt for anything else.
std::optional<OpenKey> FindOpenKey(HKEY hKey);

bool CurrentUserIsAdministrator();

// The rights a request for `desired` is granted on a key at `path`; nullopt when refused.
std::optional<REGSAM> GrantAccess(const reg::KeyPath& path, REGSAM desired);

// True when a handle holds every right in `needed`.
bool HasAccess(const OpenKey& key, REGSAM needed);

// `base` with the names of `subKey` ("a\b") appended. Fails with ERROR_BAD_PATHNAME for a name
// starting with "\" and ERROR_INVALID_PARAMETER for a name the registry cannot hold.
LONG AppendSubKey(const reg::KeyPath& base, LPCSTR subKey, reg::KeyPath& out);

// The injected failure for this call, or ERROR_SUCCESS.
LONG InjectedFailure(reg::Operation operation, const reg::KeyPath& path);

// Runs `read(const Hive&)` / `change(HiveEdit&) -> bool` on the current machine's hive and maps the
// store's failures to error codes. The callable returns its own error through `result`.
LONG ReadRegistry(const std::function<void(const reg::Hive&)>& read);
LONG ChangeRegistry(const std::function<bool(reg::HiveEdit&)>& change);

// The functions' boundary: no exception leaves a registry function.
template <class F> LONG Guarded(F&& body)
{
    try
    {
        return body();
    }
    catch (const std::bad_alloc&)
    {
        return static_cast<LONG>(ERROR_OUTOFMEMORY);
    }
    catch (...)
    {
        return static_cast<LONG>(ERROR_GEN_FAILURE);
    }
}

inline LONG Code(DWORD error)
{
    return static_cast<LONG>(error);
}

} // namespace platform::registry
