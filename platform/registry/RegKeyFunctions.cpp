// Opening, creating, closing, deleting and enumerating keys.

#include "platform/registry/internal/RegistryKeys.h"

#include "machine/FileChanges.h"

#include <algorithm>
#include <cstring>

using namespace platform::registry;

namespace
{

constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr REGSAM kDelete = 0x00010000;

// Copies a name with its terminator when it fits in `*size` characters; the count returned
// excludes the terminator, as the platform reports it.
bool copyName(const std::string& name, LPSTR buffer, LPDWORD size)
{
    if (name.size() + 1 > *size)
        return false;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return true;
}

// The key a handle stands for and the path of its subkey; fails for an unknown handle, a bad
// name or a failure injected for the operation on that subkey.
LONG resolveSubKey(HKEY hKey, LPCSTR lpSubKey, reg::Operation operation, reg::KeyPath& basePath,
                   reg::KeyPath& path)
{
    auto base = FindOpenKey(hKey);
    if (!base)
        return Code(ERROR_INVALID_HANDLE);
    basePath = base->path;
    if (LONG rc = AppendSubKey(basePath, lpSubKey, path); rc != ERROR_SUCCESS)
        return rc;
    return InjectedFailure(operation, path);
}

LONG openKey(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, PHKEY phkResult)
{
    if (phkResult == nullptr)
        return Code(ERROR_INVALID_PARAMETER);
    *phkResult = 0;
    reg::KeyPath basePath;
    reg::KeyPath path;
    if (LONG rc = resolveSubKey(hKey, lpSubKey, reg::Operation::Open, basePath, path);
        rc != ERROR_SUCCESS)
        return rc;
    LONG found = Code(ERROR_SUCCESS);
    LONG rc = ReadRegistry(
        [&](const reg::Hive& hive)
        {
            if (hive.find(basePath) == nullptr)
                found = Code(ERROR_KEY_DELETED);
            else if (hive.find(path) == nullptr)
                found = Code(ERROR_FILE_NOT_FOUND);
        });
    if (rc != ERROR_SUCCESS)
        return rc;
    if (found != ERROR_SUCCESS)
        return found;
    auto granted = GrantAccess(path, samDesired);
    if (!granted)
        return Code(ERROR_ACCESS_DENIED);
    *phkResult = AddOpenKey(OpenKey{std::move(path), *granted, false});
    return Code(ERROR_SUCCESS);
}

LONG createKey(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, PHKEY phkResult,
               LPDWORD lpdwDisposition)
{
    if (phkResult == nullptr || lpSubKey == nullptr)
        return Code(ERROR_INVALID_PARAMETER);
    *phkResult = 0;
    reg::KeyPath basePath;
    reg::KeyPath path;
    if (LONG rc = resolveSubKey(hKey, lpSubKey, reg::Operation::Create, basePath, path);
        rc != ERROR_SUCCESS)
        return rc;
    auto granted = GrantAccess(path, samDesired);
    // Creating needs the right to write the key above; refused where opening for writing is.
    bool mayCreate = GrantAccess(path, KEY_CREATE_SUB_KEY).has_value();
    LONG result = Code(ERROR_SUCCESS);
    bool created = false;
    LONG rc = ChangeRegistry(
        [&](reg::HiveEdit& hive)
        {
            if (hive.find(basePath) == nullptr)
            {
                result = Code(ERROR_KEY_DELETED);
                return false;
            }
            if (hive.find(path) != nullptr)
            {
                if (!granted)
                    result = Code(ERROR_ACCESS_DENIED);
                return false;
            }
            if (!granted || !mayCreate)
            {
                result = Code(ERROR_ACCESS_DENIED);
                return false;
            }
            hive.create(path, &created);
            return true;
        });
    if (rc != ERROR_SUCCESS)
        return rc;
    if (result != ERROR_SUCCESS)
        return result;
    *phkResult = AddOpenKey(OpenKey{std::move(path), *granted, false});
    if (lpdwDisposition != nullptr)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return Code(ERROR_SUCCESS);
}

// The short forms given no subkey hand back the very handle they were given.
LONG sameKeyForNoSubkey(HKEY hKey, PHKEY phkResult)
{
    if (phkResult == nullptr)
        return Code(ERROR_INVALID_PARAMETER);
    if (!FindOpenKey(hKey))
        return Code(ERROR_INVALID_HANDLE);
    *phkResult = hKey;
    return Code(ERROR_SUCCESS);
}

} // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    const machine::ChangeScope scope; // one look at the machine for the call
    return Guarded([&] { return openKey(hKey, lpSubKey, samDesired, phkResult); });
}

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    return Guarded(
        [&]
        {
            if (phkResult == nullptr || lpSubKey == nullptr || *lpSubKey == '\0')
                return sameKeyForNoSubkey(hKey, phkResult);
            // The short form leaves the result alone for a parent that is no open key.
            if (!FindOpenKey(hKey))
                return Code(ERROR_INVALID_HANDLE);
            return openKey(hKey, lpSubKey, kMaximumAllowed, phkResult);
        });
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition)
{
    return Guarded([&]
                   { return createKey(hKey, lpSubKey, samDesired, phkResult, lpdwDisposition); });
}

LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    return Guarded(
        [&]
        {
            if (phkResult == nullptr || lpSubKey == nullptr || *lpSubKey == '\0')
                return sameKeyForNoSubkey(hKey, phkResult);
            return createKey(hKey, lpSubKey, kMaximumAllowed, phkResult, nullptr);
        });
}

LONG RegCloseKey(HKEY hKey)
{
    if (auto key = FindOpenKey(hKey); key && key->predefined)
        return Code(ERROR_SUCCESS);
    return RemoveOpenKey(hKey) ? Code(ERROR_SUCCESS) : Code(ERROR_INVALID_HANDLE);
}

LONG RegFlushKey(HKEY hKey)
{
    return Guarded(
        [&]
        {
            auto key = FindOpenKey(hKey);
            if (!key)
                return Code(ERROR_INVALID_HANDLE);
            // Every change is on disk when its call returns; only the key must still be there.
            bool exists = false;
            LONG rc = ReadRegistry([&](const reg::Hive& hive)
                                   { exists = hive.find(key->path) != nullptr; });
            if (rc != ERROR_SUCCESS)
                return rc;
            return exists ? Code(ERROR_SUCCESS) : Code(ERROR_KEY_DELETED);
        });
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    return Guarded(
        [&]
        {
            if (lpSubKey == nullptr)
                return Code(ERROR_INVALID_PARAMETER);
            reg::KeyPath basePath;
            reg::KeyPath path;
            if (LONG rc = resolveSubKey(hKey, lpSubKey, reg::Operation::Delete, basePath, path);
                rc != ERROR_SUCCESS)
                return rc;
            bool mayDelete = path.size() > 1 && GrantAccess(path, kDelete).has_value();
            LONG result = Code(ERROR_SUCCESS);
            LONG rc = ChangeRegistry(
                [&](reg::HiveEdit& hive)
                {
                    const reg::Key* key = hive.find(path);
                    if (hive.find(basePath) == nullptr)
                        result = Code(ERROR_KEY_DELETED);
                    else if (key == nullptr)
                        result = Code(ERROR_FILE_NOT_FOUND);
                    else if (!mayDelete || !key->subkeys().empty())
                        result = Code(ERROR_ACCESS_DENIED); // a key with subkeys stays, as on NT
                    else
                        return hive.remove(path);
                    return false;
                });
            return rc != ERROR_SUCCESS ? rc : result;
        });
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                   LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime)
{
    const machine::ChangeScope scope; // one look at the machine for the call
    return Guarded(
        [&]
        {
            if (lpName == nullptr || lpcchName == nullptr || lpReserved != nullptr)
                return Code(ERROR_INVALID_PARAMETER);
            auto key = FindOpenKey(hKey);
            if (!key)
                return Code(ERROR_INVALID_HANDLE);
            if (!HasAccess(*key, KEY_ENUMERATE_SUB_KEYS))
                return Code(ERROR_ACCESS_DENIED);
            if (LONG rc = InjectedFailure(reg::Operation::Enumerate, key->path);
                rc != ERROR_SUCCESS)
                return rc;
            LONG result = Code(ERROR_SUCCESS);
            LONG rc = ReadRegistry(
                [&](const reg::Hive& hive)
                {
                    const reg::Key* k = hive.find(key->path);
                    if (k == nullptr)
                        result = Code(ERROR_KEY_DELETED);
                    else if (dwIndex >= k->subkeys().size())
                        result = Code(ERROR_NO_MORE_ITEMS);
                    else if (!copyName(k->subkeys()[dwIndex].name(), lpName, lpcchName))
                        result = Code(ERROR_MORE_DATA);
                });
            if (rc != ERROR_SUCCESS)
                return rc;
            if (result != ERROR_SUCCESS)
                return result;
            // Keys carry no class and no time here.
            if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0)
            {
                *lpClass = '\0';
                *lpcchClass = 0;
            }
            if (lpftLastWriteTime != nullptr)
                *lpftLastWriteTime = FILETIME{0, 0};
            return Code(ERROR_SUCCESS);
        });
}

LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                      LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                      LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                      LPDWORD lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime)
{
    const machine::ChangeScope scope; // one look at the machine for the call
    return Guarded(
        [&]
        {
            if (lpReserved != nullptr)
                return Code(ERROR_INVALID_PARAMETER);
            auto key = FindOpenKey(hKey);
            if (!key)
                return Code(ERROR_INVALID_HANDLE);
            if (!HasAccess(*key, KEY_QUERY_VALUE))
                return Code(ERROR_ACCESS_DENIED);
            if (LONG rc = InjectedFailure(reg::Operation::Query, key->path); rc != ERROR_SUCCESS)
                return rc;
            bool found = false;
            DWORD subKeys = 0, maxSubKey = 0, values = 0, maxName = 0, maxData = 0;
            LONG rc = ReadRegistry(
                [&](const reg::Hive& hive)
                {
                    const reg::Key* k = hive.find(key->path);
                    if (k == nullptr)
                        return;
                    found = true;
                    subKeys = static_cast<DWORD>(k->subkeys().size());
                    for (const auto& sub : k->subkeys())
                        maxSubKey = std::max(maxSubKey, static_cast<DWORD>(sub.name().size()));
                    values = static_cast<DWORD>(k->values().size());
                    for (const auto& v : k->values())
                    {
                        maxName = std::max(maxName, static_cast<DWORD>(v.name.size()));
                        maxData = std::max(maxData, static_cast<DWORD>(v.data.size()));
                    }
                });
            if (rc != ERROR_SUCCESS)
                return rc;
            if (!found)
                return Code(ERROR_KEY_DELETED);
            if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0)
                *lpClass = '\0';
            if (lpcchClass != nullptr)
                *lpcchClass = 0;
            if (lpcSubKeys != nullptr)
                *lpcSubKeys = subKeys;
            if (lpcbMaxSubKeyLen != nullptr)
                *lpcbMaxSubKeyLen = maxSubKey;
            if (lpcbMaxClassLen != nullptr)
                *lpcbMaxClassLen = 0;
            if (lpcValues != nullptr)
                *lpcValues = values;
            if (lpcbMaxValueNameLen != nullptr)
                *lpcbMaxValueNameLen = maxName;
            if (lpcbMaxValueLen != nullptr)
                *lpcbMaxValueLen = maxData;
            if (lpcbSecurityDescriptor != nullptr)
                *lpcbSecurityDescriptor = 0;
            if (lpftLastWriteTime != nullptr)
                *lpftLastWriteTime = FILETIME{0, 0};
            return Code(ERROR_SUCCESS);
        });
}
