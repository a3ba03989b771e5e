// The profile store of an interface: per-user and all-user profiles, kept as their documents.
#include "platform/base/StringConv.h"
#include "platform/wlan/internal/CallArguments.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/wlan/ProfileXml.h"
#include "machine/wlan/WlanService.h"

#include <algorithm>

namespace
{

// Read, execute and write: what the owner of a profile may do with it.
constexpr DWORD kGrantedAccess = 0x00070023;

std::string ProfileArguments(const GUID* guid, LPCWSTR name)
{
    return platform::wlan::InterfaceArgument(guid) +
           " profile=" + platform::wlan::TextArgument(name);
}

// The document itself is left out (it holds the key): its name stands for it.
std::string SetProfileArguments(const GUID* guid, DWORD flags, LPCWSTR xml, LPCWSTR security,
                                BOOL overwrite)
{
    using namespace platform::wlan;
    std::string text = InterfaceArgument(guid) + " flags=" + FlagsArgument(flags);
    if (xml == nullptr)
        text += " profile=-";
    else
    {
        machine::wlan::ProfileDocument doc;
        machine::wlan::CheckProfile(NarrowText(xml), doc);
        text += " profile=\"" + doc.name + "\"";
    }
    text += (flags & WLAN_PROFILE_USER) != 0 ? " user" : " all-users";
    text += " security=" + TextArgument(security);
    text += overwrite != FALSE ? " overwrite" : " no-overwrite";
    return text;
}

} // namespace

DWORD WlanSetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                     LPCWSTR strProfileXml, LPCWSTR strAllUserProfileSecurity, BOOL bOverwrite,
                     PVOID pReserved, DWORD* pdwReasonCode)
{
    if (DWORD error = platform::wlan::BeginClientCall(
            hClientHandle, "WlanSetProfile",
            SetProfileArguments(pInterfaceGuid, dwFlags, strProfileXml, strAllUserProfileSecurity,
                                bOverwrite)))
        return error;
    if (pReserved != nullptr || strProfileXml == nullptr || pdwReasonCode == nullptr ||
        (dwFlags != 0 && dwFlags != WLAN_PROFILE_USER))
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    std::uint32_t reason = 0;
    DWORD result = machine::wlan::SetProfile(
        machine::CurrentMachine(), guid, platform::wlan::NarrowText(strProfileXml),
        dwFlags == WLAN_PROFILE_USER, bOverwrite != FALSE, reason);
    *pdwReasonCode = reason;
    return result;
}

DWORD WlanGetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                     PVOID pReserved, LPWSTR* pstrProfileXml, DWORD* pdwFlags,
                     DWORD* pdwGrantedAccess)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error = platform::wlan::BeginClientCall(
            hClientHandle, "WlanGetProfile", ProfileArguments(pInterfaceGuid, strProfileName)))
        return error;
    if (pReserved != nullptr || strProfileName == nullptr || pstrProfileXml == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    auto profile = machine::wlan::GetProfile(machine::CurrentMachine(), guid,
                                             platform::wlan::NarrowText(strProfileName));
    if (!profile)
        return ERROR_NOT_FOUND;
    std::u16string xml = platform::Utf8ToUtf16(profile->xml);
    auto* out =
        static_cast<LPWSTR>(platform::wlan::AllocateWlanBlock((xml.size() + 1) * sizeof(WCHAR)));
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    std::copy(xml.begin(), xml.end(), out);
    out[xml.size()] = 0;
    if (pdwFlags != nullptr)
        *pdwFlags = profile->user ? WLAN_PROFILE_USER : 0;
    if (pdwGrantedAccess != nullptr)
        *pdwGrantedAccess = kGrantedAccess;
    *pstrProfileXml = out;
    return ERROR_SUCCESS;
}

DWORD WlanDeleteProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                        PVOID pReserved)
{
    if (DWORD error = platform::wlan::BeginClientCall(
            hClientHandle, "WlanDeleteProfile", ProfileArguments(pInterfaceGuid, strProfileName)))
        return error;
    if (pReserved != nullptr || strProfileName == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    return machine::wlan::DeleteProfile(machine::CurrentMachine(), guid,
                                        platform::wlan::NarrowText(strProfileName));
}

DWORD WlanGetProfileList(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                         PWLAN_PROFILE_INFO_LIST* ppProfileList)
{
    const platform::wlan::QueryScope scope;
    if (DWORD error = platform::wlan::BeginClientCall(
            hClientHandle, "WlanGetProfileList", platform::wlan::InterfaceArgument(pInterfaceGuid)))
        return error;
    if (pReserved != nullptr || ppProfileList == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    auto profiles = machine::wlan::ListProfiles(machine::CurrentMachine(), guid);
    auto* out = platform::wlan::AllocateList<WLAN_PROFILE_INFO_LIST>(
        offsetof(WLAN_PROFILE_INFO_LIST, ProfileInfo), sizeof(WLAN_PROFILE_INFO), profiles.size());
    if (out == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    out->dwNumberOfItems = static_cast<DWORD>(profiles.size());
    WLAN_PROFILE_INFO* item = &out->ProfileInfo[0];
    for (const auto& p : profiles)
    {
        platform::wlan::CopyWide(item->strProfileName, WLAN_MAX_NAME_LENGTH, p.name);
        item->dwFlags = p.user ? WLAN_PROFILE_USER : 0;
        ++item;
    }
    *ppProfileList = out;
    return ERROR_SUCCESS;
}
