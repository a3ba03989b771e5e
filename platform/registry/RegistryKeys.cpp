#include "platform/registry/internal/RegistryKeys.h"

#include "machine/Machine.h"
#include "machine/SystemInfo.h"
#include "machine/registry/HiveStore.h"
#include "platform/base/HandleMap.h"

#include <cstring>

namespace platform::registry
{
namespace
{

// Generic and standard rights a caller may ask for, mapped onto key rights.
constexpr REGSAM kDelete = 0x00010000;
constexpr REGSAM kWriteDac = 0x00040000;
constexpr REGSAM kWriteOwner = 0x00080000;
constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericRead = 0x80000000;
constexpr REGSAM kGenericExecute = 0x20000000;
constexpr REGSAM kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | kDelete | kWriteDac | kWriteOwner;

// Never destroyed: threads still running at exit may close keys.
HandleMap<OpenKey>& table()
{
    static auto* t = new HandleMap<OpenKey>(0x1000);
    return *t;
}

const char* predefinedRoot(HKEY hKey)
{
    switch (hKey)
    {
    case HKEY_CLASSES_ROOT:
        return reg::kClassesRoot;
    case HKEY_CURRENT_USER:
        return reg::kCurrentUser;
    case HKEY_LOCAL_MACHINE:
        return reg::kLocalMachine;
    case HKEY_USERS:
        return reg::kUsers;
    default:
        return nullptr;
    }
}

bool underLocalMachine(const reg::KeyPath& path)
{
    return !path.empty() && path[0] == reg::kLocalMachine;
}

LONG mapStatus(reg::StoreStatus status)
{
    switch (status)
    {
    case reg::StoreStatus::Ok:
        return Code(ERROR_SUCCESS);
    case reg::StoreStatus::Unreadable:
        return Code(ERROR_CANTREAD);
    case reg::StoreStatus::Corrupt:
        return Code(ERROR_REGISTRY_CORRUPT);
    case reg::StoreStatus::WriteFailed:
        return Code(ERROR_CANTWRITE);
    }
    return Code(ERROR_GEN_FAILURE);
}

} // namespace

HKEY AddOpenKey(OpenKey key)
{
    return table().Add(std::move(key));
}

bool RemoveOpenKey(HKEY hKey)
{
    return table().Take(hKey).has_value();
}

std::optional<OpenKey> FindOpenKey(HKEY hKey)
{
    if (const char* root = predefinedRoot(hKey))
    {
        // A predefined handle carries the most its user may have.
        OpenKey key{{root}, KEY_ALL_ACCESS, true};
        return key;
    }
    return table().Find(hKey);
}

bool CurrentUserIsAdministrator()
{
    return machine::LoadSystemInfo(machine::CurrentMachine()).administrator;
}

std::optional<REGSAM> GrantAccess(const reg::KeyPath& path, REGSAM desired)
{
    REGSAM rights = desired & ~(KEY_WOW64_RES | kMaximumAllowed | kGenericAll | kGenericWrite |
                                kGenericRead | kGenericExecute);
    if (desired & (kGenericRead | kGenericExecute))
        rights |= KEY_READ;
    if (desired & kGenericWrite)
        rights |= KEY_WRITE;
    if (desired & kGenericAll)
        rights |= KEY_ALL_ACCESS;
    bool wantsWrite = (rights & kWriteRights) != 0 || (desired & kMaximumAllowed) != 0;
    // Only the machine's keys are guarded, and only against writing.
    bool restricted = wantsWrite && underLocalMachine(path) && !CurrentUserIsAdministrator();
    if (restricted && (rights & kWriteRights) != 0)
        return std::nullopt;
    if (desired & kMaximumAllowed)
        rights |= restricted ? KEY_READ : KEY_ALL_ACCESS;
    return rights;
}

bool HasAccess(const OpenKey& key, REGSAM needed)
{
    if (key.predefined && (needed & kWriteRights) != 0 && underLocalMachine(key.path))
        return CurrentUserIsAdministrator();
    return (key.access & needed) == needed;
}

LONG AppendSubKey(const reg::KeyPath& base, LPCSTR subKey, reg::KeyPath& out)
{
    out = base;
    if (subKey == nullptr)
        return Code(ERROR_SUCCESS);
    std::string_view rest(subKey);
    if (!rest.empty() && rest.front() == '\\')
        return Code(ERROR_BAD_PATHNAME);
    while (!rest.empty())
    {
        std::size_t sep = rest.find('\\');
        std::string_view part = rest.substr(0, sep);
        if (!part.empty())
        {
            if (!reg::IsValidKeyName(part) || out.size() >= reg::kMaxDepth)
                return Code(ERROR_INVALID_PARAMETER);
            out.emplace_back(part);
        }
        if (sep == std::string_view::npos)
            break;
        rest.remove_prefix(sep + 1);
    }
    return Code(ERROR_SUCCESS);
}

LONG InjectedFailure(reg::Operation operation, const reg::KeyPath& path)
{
    auto error = reg::TakeFault(machine::CurrentMachine(), operation, path);
    return error ? static_cast<LONG>(*error) : Code(ERROR_SUCCESS);
}

LONG ReadRegistry(const std::function<void(const reg::Hive&)>& read)
{
    return mapStatus(reg::ReadHive(machine::CurrentMachine(), read));
}

LONG ChangeRegistry(const std::function<bool(reg::HiveEdit&)>& change)
{
    return mapStatus(reg::ChangeHive(machine::CurrentMachine(), change));
}

} // namespace platform::registry

namespace platform
{

std::size_t OpenRegistryKeyCount()
{
    return registry::table().Size();
}

} // namespace platform
