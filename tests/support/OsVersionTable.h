#pragma once
// Machine settings that make each operating system the client tells apart (its codes 2 to 13),
// for tests that run the programs on a given system: write one with UseOsVersion.

#include "machine/SystemInfo.h"

#include <cstdint>

namespace testing_support
{

struct OsVersionSetting
{
    int code; // what the client's detection gives for it
    const char* name;
    std::uint32_t platformId;
    std::uint32_t majorVersion;
    std::uint32_t minorVersion;
    std::uint32_t buildNumber;
    std::uint32_t productType; // 1 workstation, 3 server
    const char* servicePack;
    bool versionExFails; // systems before NT 4 SP6 answer only the short record
};

inline constexpr OsVersionSetting kOsVersionSettings[] = {
    {2, "Windows 95", 1, 4, 0, 950, 1, "", true},
    {3, "Windows 98", 1, 4, 10, 1998, 1, "", true},
    {4, "Windows 98 SE", 1, 4, 10, 2222, 1, " A ", true},
    {5, "Windows Me", 1, 4, 90, 3000, 1, "", true},
    {6, "Windows NT 4.0", 2, 4, 0, 1381, 1, "Service Pack 5", true},
    {7, "Windows 2000", 2, 5, 0, 2195, 1, "Service Pack 4", false},
    {8, "Windows XP", 2, 5, 1, 2600, 1, "Service Pack 3", false},
    {9, "Windows Server 2003", 2, 5, 2, 3790, 3, "Service Pack 2", false},
    {10, "Windows XP x64", 2, 5, 2, 3790, 1, "Service Pack 2", false},
    {11, "Windows Vista", 2, 6, 0, 6002, 1, "Service Pack 2", false},
    {12, "a later workstation", 2, 10, 0, 19045, 1, "", false},
    {13, "a later server", 2, 10, 0, 20348, 3, "", false},
};

// `base` turned into that system (the user, language and WOW64 settings are kept).
inline machine::SystemInfo WithOsVersion(const OsVersionSetting& os, machine::SystemInfo base = {})
{
    base.platformId = os.platformId;
    base.majorVersion = os.majorVersion;
    base.minorVersion = os.minorVersion;
    base.buildNumber = os.buildNumber;
    base.productType = os.productType;
    base.servicePack = os.servicePack;
    base.versionExFails = os.versionExFails;
    return base;
}

inline const OsVersionSetting& OsVersionForCode(int code)
{
    for (const auto& os : kOsVersionSettings)
        if (os.code == code)
            return os;
    return kOsVersionSettings[0];
}

// Makes the current machine that system.
inline bool UseOsVersion(int code)
{
    const machine::Machine& m = machine::CurrentMachine();
    return machine::SaveSystemInfo(
        m, WithOsVersion(OsVersionForCode(code), machine::LoadSystemInfo(m)));
}

} // namespace testing_support
