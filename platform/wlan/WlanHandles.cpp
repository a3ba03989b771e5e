#include "platform/base/StringConv.h"
#include "platform/com/ComRuntime.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform::wlan
{

DWORD BeginClientCall(HANDLE client, const char* call, const std::string& detail)
{
    if (!LookupHandle<WlanClient>(client))
        return ERROR_INVALID_HANDLE;
    return machine::wlan::BeginCall(machine::CurrentMachine(), call, detail);
}

DWORD CheckInterface(const GUID* guid, std::string& text)
{
    if (guid == nullptr)
        return ERROR_INVALID_PARAMETER;
    text = GuidText(*guid);
    if (!machine::wlan::HasInterface(machine::CurrentMachine(), text))
        return ERROR_NOT_FOUND;
    return ERROR_SUCCESS;
}

GUID InterfaceGuid(const std::string& text)
{
    GUID g{};
    unsigned d1 = 0, d2 = 0, d3 = 0, b[8] = {};
    int used = 0;
    if (std::sscanf(text.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &d1, &d2, &d3, &b[0],
                    &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7], &used) != 11 ||
        used != static_cast<int>(text.size()))
        return GUID{};
    g.Data1 = d1;
    g.Data2 = static_cast<WORD>(d2);
    g.Data3 = static_cast<WORD>(d3);
    for (int k = 0; k < 8; ++k)
        g.Data4[k] = static_cast<BYTE>(b[k]);
    return g;
}

void CopyWide(WCHAR* field, std::size_t capacity, const std::string& text)
{
    if (capacity == 0)
        return;
    std::u16string wide = Utf8ToUtf16(text);
    std::size_t n = std::min(wide.size(), capacity - 1);
    std::copy_n(wide.begin(), n, field);
    field[n] = 0;
}

std::string NarrowText(LPCWSTR text)
{
    if (text == nullptr)
        return {};
    return Utf16ToUtf8(std::u16string_view(text));
}

void CopySsid(DOT11_SSID& out, const std::string& ssid)
{
    std::size_t n = std::min(ssid.size(), DOT11_SSID_MAX_LENGTH);
    out.uSSIDLength = static_cast<ULONG>(n);
    std::memset(out.ucSSID, 0, sizeof out.ucSSID);
    std::memcpy(out.ucSSID, ssid.data(), n);
}

std::string SsidText(const DOT11_SSID& ssid)
{
    std::size_t n = std::min<std::size_t>(ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
    return std::string(reinterpret_cast<const char*>(ssid.ucSSID), n);
}

} // namespace platform::wlan

DWORD WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion,
                     PHANDLE phClientHandle)
{
    if (pReserved != nullptr || pdwNegotiatedVersion == nullptr || phClientHandle == nullptr ||
        dwClientVersion < 1 || dwClientVersion > WLAN_API_VERSION_2_0)
        return ERROR_INVALID_PARAMETER;
    const machine::Machine& machine = machine::CurrentMachine();
    if (DWORD error = machine::wlan::BeginCall(machine, "WlanOpenHandle",
                                               "version " + std::to_string(dwClientVersion)))
        return error;
    *phClientHandle = platform::RegisterHandle(std::make_shared<platform::wlan::WlanClient>());
    *pdwNegotiatedVersion = std::min(dwClientVersion, WLAN_API_VERSION_2_0);
    return ERROR_SUCCESS;
}

DWORD WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved)
{
    if (!platform::LookupHandle<platform::wlan::WlanClient>(hClientHandle))
        return ERROR_INVALID_HANDLE;
    // The handle goes even when the service reports a failure: a client that is closing must not
    // hear its callback again. The registration goes first, so none runs once we return.
    DWORD error = machine::wlan::BeginCall(machine::CurrentMachine(), "WlanCloseHandle");
    platform::wlan::DropRegistration(hClientHandle);
    platform::ReleaseHandle(hClientHandle);
    return error;
}
