// Reading, writing, deleting and enumerating values. Nothing is ever written past the sizes
// the caller gives, and a buffer that is too small is left untouched. A string stored without
// its terminator gets one in the caller's buffer when there is room for it, as the platform
// does; the size reported stays that of the stored bytes.

#include "platform/registry/internal/RegistryKeys.h"

#include "machine/FileChanges.h"

#include <cstring>

using namespace platform::registry;

namespace
{

std::string_view valueName(LPCSTR lpValueName)
{
    return lpValueName == nullptr ? std::string_view() : std::string_view(lpValueName);
}

// Resolves the handle and checks its rights and the injected failures for the call.
LONG prepare(HKEY hKey, REGSAM needed, reg::Operation operation, OpenKey& out)
{
    auto key = FindOpenKey(hKey);
    if (!key)
        return Code(ERROR_INVALID_HANDLE);
    if (!HasAccess(*key, needed))
        return Code(ERROR_ACCESS_DENIED);
    if (LONG rc = InjectedFailure(operation, key->path); rc != ERROR_SUCCESS)
        return rc;
    out = std::move(*key);
    return Code(ERROR_SUCCESS);
}

// Hands a value's type and bytes to the caller: a size query when lpData is null,
// ERROR_MORE_DATA with the size needed when the buffer is too small.
LONG deliver(const reg::Value& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpType != nullptr)
        *lpType = value.type;
    DWORD size = static_cast<DWORD>(value.data.size());
    if (lpData == nullptr)
    {
        if (lpcbData != nullptr)
            *lpcbData = size;
        return Code(ERROR_SUCCESS);
    }
    if (*lpcbData < size)
    {
        *lpcbData = size;
        return Code(ERROR_MORE_DATA);
    }
    if (size > 0)
        std::memcpy(lpData, value.data.data(), size);
    const bool text =
        value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
    if (text && *lpcbData > size && (size == 0 || value.data.back() != '\0'))
        lpData[size] = 0;
    *lpcbData = size;
    return Code(ERROR_SUCCESS);
}

} // namespace

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData)
{
    const machine::ChangeScope scope; // one look at the machine for the call
    return Guarded(
        [&]
        {
            if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr))
                return Code(ERROR_INVALID_PARAMETER);
            OpenKey key;
            if (LONG rc = prepare(hKey, KEY_QUERY_VALUE, reg::Operation::Query, key);
                rc != ERROR_SUCCESS)
                return rc;
            LONG result = Code(ERROR_SUCCESS);
            LONG rc = ReadRegistry(
                [&](const reg::Hive& hive)
                {
                    const reg::Key* k = hive.find(key.path);
                    const reg::Value* v = k ? k->findValue(valueName(lpValueName)) : nullptr;
                    if (k == nullptr)
                        result = Code(ERROR_KEY_DELETED);
                    else if (v == nullptr)
                    {
                        if (lpcbData != nullptr)
                            *lpcbData = 0;
                        result = Code(ERROR_FILE_NOT_FOUND);
                    }
                    else
                        result = deliver(*v, lpType, lpData, lpcbData);
                });
            return rc != ERROR_SUCCESS ? rc : result;
        });
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData)
{
    return Guarded(
        [&]
        {
            if (lpData == nullptr && cbData != 0)
                return Code(ERROR_NOACCESS);
            std::string_view name = valueName(lpValueName);
            if (!reg::IsValidValueName(name))
                return Code(ERROR_INVALID_PARAMETER);
            OpenKey key;
            if (LONG rc = prepare(hKey, KEY_SET_VALUE, reg::Operation::Set, key);
                rc != ERROR_SUCCESS)
                return rc;
            std::string data;
            if (cbData != 0)
                data.assign(reinterpret_cast<const char*>(lpData), cbData);
            LONG result = Code(ERROR_SUCCESS);
            LONG rc = ChangeRegistry(
                [&](reg::HiveEdit& hive)
                {
                    if (!hive.setValue(key.path, name, dwType, std::move(data)))
                    {
                        result = Code(ERROR_KEY_DELETED);
                        return false;
                    }
                    return true;
                });
            return rc != ERROR_SUCCESS ? rc : result;
        });
}

LONG RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData)
{
    if (dwType != REG_SZ || lpData == nullptr)
        return Code(ERROR_INVALID_PARAMETER);
    HKEY target = hKey;
    if (lpSubKey != nullptr && *lpSubKey != '\0')
    {
        LONG rc = RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, &target, nullptr);
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    // The length is taken from the text, with its terminator; cbData is not used.
    LONG rc = RegSetValueExA(target, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
                             static_cast<DWORD>(std::strlen(lpData) + 1));
    if (target != hKey)
        RegCloseKey(target);
    return rc;
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    return Guarded(
        [&]
        {
            OpenKey key;
            if (LONG rc = prepare(hKey, KEY_SET_VALUE, reg::Operation::Delete, key);
                rc != ERROR_SUCCESS)
                return rc;
            LONG result = Code(ERROR_SUCCESS);
            LONG rc = ChangeRegistry(
                [&](reg::HiveEdit& hive)
                {
                    if (hive.find(key.path) == nullptr)
                        result = Code(ERROR_KEY_DELETED);
                    else if (!hive.removeValue(key.path, valueName(lpValueName)))
                        result = Code(ERROR_FILE_NOT_FOUND);
                    return result == ERROR_SUCCESS;
                });
            return rc != ERROR_SUCCESS ? rc : result;
        });
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                   LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    const machine::ChangeScope scope; // one look at the machine for the call
    return Guarded(
        [&]
        {
            if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
                (lpData != nullptr && lpcbData == nullptr))
                return Code(ERROR_INVALID_PARAMETER);
            OpenKey key;
            if (LONG rc = prepare(hKey, KEY_QUERY_VALUE, reg::Operation::Enumerate, key);
                rc != ERROR_SUCCESS)
                return rc;
            LONG result = Code(ERROR_SUCCESS);
            LONG rc = ReadRegistry(
                [&](const reg::Hive& hive)
                {
                    const reg::Key* k = hive.find(key.path);
                    if (k == nullptr)
                    {
                        result = Code(ERROR_KEY_DELETED);
                        return;
                    }
                    if (dwIndex >= k->values().size())
                    {
                        result = Code(ERROR_NO_MORE_ITEMS);
                        return;
                    }
                    const reg::Value& v = k->values()[dwIndex];
                    if (v.name.size() + 1 > *lpcchValueName)
                    {
                        // The name does not fit: the caller still learns the type and the
                        // data's size, and both buffers stay as they were.
                        if (lpType != nullptr)
                            *lpType = v.type;
                        if (lpcbData != nullptr)
                            *lpcbData = static_cast<DWORD>(v.data.size());
                        result = Code(ERROR_MORE_DATA);
                        return;
                    }
                    // The name is handed over even when the data does not fit.
                    std::memcpy(lpValueName, v.name.c_str(), v.name.size() + 1);
                    *lpcchValueName = static_cast<DWORD>(v.name.size());
                    result = deliver(v, lpType, lpData, lpcbData);
                });
            return rc != ERROR_SUCCESS ? rc : result;
        });
}
