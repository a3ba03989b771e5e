#include "platform/system/Version.h"

#include "machine/SystemInfo.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace
{

machine::SystemInfo systemInfo()
{
    return machine::LoadSystemInfo(machine::CurrentMachine());
}

// "Service Pack 2" -> 2; texts without a number (9x's " A") give 0.
WORD servicePackMajor(const std::string& text)
{
    auto digit = std::find_if(text.begin(), text.end(),
                              [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    WORD value = 0;
    for (; digit != text.end() && std::isdigit(static_cast<unsigned char>(*digit)); ++digit)
        value = static_cast<WORD>(value * 10 + (*digit - '0'));
    return value;
}

WORD suiteMask(const machine::SystemInfo& info)
{
    // Workstations from XP on run a single-user terminal service.
    bool modern = info.majorVersion > 5 || (info.majorVersion == 5 && info.minorVersion >= 1);
    if (info.platformId == VER_PLATFORM_WIN32_NT && info.productType == VER_NT_WORKSTATION &&
        modern)
        return VER_SUITE_SINGLEUSERTS;
    return 0;
}

void fillBase(OSVERSIONINFOA& out, const machine::SystemInfo& info)
{
    out.dwMajorVersion = info.majorVersion;
    out.dwMinorVersion = info.minorVersion;
    out.dwPlatformId = info.platformId;
    if (info.platformId == VER_PLATFORM_WIN32_WINDOWS)
        out.dwBuildNumber = ((info.majorVersion & 0xFF) << 24) |
                            ((info.minorVersion & 0xFF) << 16) | (info.buildNumber & 0xFFFF);
    else
        out.dwBuildNumber = info.buildNumber;
    std::memset(out.szCSDVersion, 0, sizeof(out.szCSDVersion));
    std::size_t n = std::min(info.servicePack.size(), sizeof(out.szCSDVersion) - 1);
    std::memcpy(out.szCSDVersion, info.servicePack.data(), n);
}

} // namespace

BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation)
{
    if (lpVersionInformation == nullptr)
    {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    machine::SystemInfo info = systemInfo();
    if (size == sizeof(OSVERSIONINFOEXA) && info.versionExFails)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (size == sizeof(OSVERSIONINFOA))
    {
        fillBase(*lpVersionInformation, info);
        return TRUE;
    }
    // The caller hands the extended record through the base type's pointer, as on the platform.
    auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(lpVersionInformation);
    OSVERSIONINFOA base{};
    base.dwOSVersionInfoSize = size;
    fillBase(base, info);
    std::memcpy(ex, &base, sizeof(base));
    ex->wServicePackMajor = servicePackMajor(info.servicePack);
    ex->wServicePackMinor = 0;
    ex->wSuiteMask = suiteMask(info);
    ex->wProductType = static_cast<BYTE>(info.productType);
    ex->wReserved = 0;
    return TRUE;
}

DWORD GetVersion()
{
    machine::SystemInfo info = systemInfo();
    DWORD low = (info.majorVersion & 0xFF) | ((info.minorVersion & 0xFF) << 8);
    if (info.platformId == VER_PLATFORM_WIN32_NT)
        return low | ((info.buildNumber & 0x7FFF) << 16);
    // Not NT: the top bit is set.
    return low | 0x80000000u | ((info.buildNumber & 0x7FFF) << 16);
}

LANGID GetSystemDefaultLangID()
{
    return systemInfo().languageId;
}

LANGID GetUserDefaultLangID()
{
    return systemInfo().languageId;
}
