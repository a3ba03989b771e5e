#include "platform/system/Version.h"

#include "machine/SystemInfo.h"
#include "tests/support/OsVersionTable.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

using testing_support::kOsVersionSettings;

void useSystem(const machine::SystemInfo& info)
{
    ASSERT_TRUE(machine::SaveSystemInfo(machine::CurrentMachine(), info));
}

TEST(GetVersionEx, AnswersEachSystemOfTheTable)
{
    for (const auto& os : kOsVersionSettings)
    {
        SCOPED_TRACE(os.name);
        testing_support::TempMachine m;
        useSystem(testing_support::WithOsVersion(os));

        OSVERSIONINFOEXA ex;
        std::memset(&ex, 0xCD, sizeof(ex));
        ex.dwOSVersionInfoSize = sizeof(ex);
        SetLastError(0);
        BOOL exResult = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex));
        if (os.versionExFails)
        {
            EXPECT_FALSE(exResult);
            EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        }
        else
        {
            ASSERT_TRUE(exResult);
            EXPECT_EQ(ex.dwOSVersionInfoSize, sizeof(ex));
            EXPECT_EQ(ex.dwPlatformId, os.platformId);
            EXPECT_EQ(ex.dwMajorVersion, os.majorVersion);
            EXPECT_EQ(ex.dwMinorVersion, os.minorVersion);
            EXPECT_EQ(ex.dwBuildNumber, os.buildNumber);
            EXPECT_STREQ(ex.szCSDVersion, os.servicePack);
            EXPECT_EQ(ex.wProductType, os.productType);
            EXPECT_EQ(ex.wServicePackMinor, 0);
            EXPECT_EQ(ex.wReserved, 0);
        }

        // The short record always works.
        OSVERSIONINFOA base;
        std::memset(&base, 0xCD, sizeof(base));
        base.dwOSVersionInfoSize = sizeof(base);
        ASSERT_TRUE(GetVersionExA(&base));
        EXPECT_EQ(base.dwPlatformId, os.platformId);
        EXPECT_EQ(base.dwMajorVersion, os.majorVersion);
        EXPECT_EQ(base.dwMinorVersion, os.minorVersion);
        EXPECT_EQ(LOWORD(base.dwBuildNumber), os.buildNumber);
        EXPECT_STREQ(base.szCSDVersion, os.servicePack);
    }
}

TEST(GetVersionEx, ExtendedFieldsFollowTheMachine)
{
    testing_support::TempMachine m;
    struct Case
    {
        const char* name;
        std::uint32_t major, minor, productType;
        const char* servicePack;
        WORD spMajor;
        WORD suite;
    } cases[] = {
        {"XP SP3 workstation", 5, 1, 1, "Service Pack 3", 3, VER_SUITE_SINGLEUSERTS},
        {"2000 workstation", 5, 0, 1, "Service Pack 4", 4, 0},
        {"2003 server", 5, 2, 3, "Service Pack 2", 2, 0},
        {"Vista, no pack", 6, 0, 1, "", 0, VER_SUITE_SINGLEUSERTS},
        {"Pack 12", 6, 1, 1, "Service Pack 12, v.721", 12, VER_SUITE_SINGLEUSERTS},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        machine::SystemInfo info;
        info.majorVersion = c.major;
        info.minorVersion = c.minor;
        info.productType = c.productType;
        info.servicePack = c.servicePack;
        useSystem(info);
        OSVERSIONINFOEXA ex{};
        ex.dwOSVersionInfoSize = sizeof(ex);
        ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
        EXPECT_EQ(ex.wServicePackMajor, c.spMajor);
        EXPECT_EQ(ex.wSuiteMask, c.suite);
        EXPECT_EQ(ex.wProductType, c.productType);
    }
}

TEST(GetVersionEx, NineXBuildNumberCarriesTheVersionInItsHighWord)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(testing_support::UseOsVersion(4)); // 98 SE, 4.10.2222
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwBuildNumber, 0x040A08AEu);
    EXPECT_EQ(GetVersion() & 0x80000000u, 0x80000000u);
    EXPECT_EQ(GetVersion() & 0xFFFF, 0x0A04u);

    ASSERT_TRUE(testing_support::UseOsVersion(8)); // XP 5.1.2600
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwBuildNumber, 2600u);
    EXPECT_EQ(GetVersion(), (2600u << 16) | 0x0105u);
}

TEST(GetVersionEx, ShortRecordLeavesTheBytesBeyondItAlone)
{
    testing_support::TempMachine m;
    OSVERSIONINFOEXA ex;
    std::memset(&ex, 0xAB, sizeof(ex));
    ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&ex);
    for (std::size_t i = sizeof(OSVERSIONINFOA); i < sizeof(ex); ++i)
        EXPECT_EQ(bytes[i], 0xAB) << "byte " << i;
    EXPECT_EQ(ex.dwMajorVersion, 6u);
}

TEST(GetVersionEx, RefusesOtherSizesAndLongPackTextIsCut)
{
    testing_support::TempMachine m;
    for (DWORD size : {0u, 20u, 147u, 149u, 155u, 157u, 284u})
    {
        SCOPED_TRACE(size);
        OSVERSIONINFOEXA ex;
        std::memset(&ex, 0x5A, sizeof(ex));
        ex.dwOSVersionInfoSize = size;
        SetLastError(0);
        EXPECT_FALSE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(ex.dwMajorVersion, 0x5A5A5A5Au);
    }
    SetLastError(0);
    EXPECT_FALSE(GetVersionExA(nullptr));
    EXPECT_NE(GetLastError(), 0u);

    machine::SystemInfo info;
    info.servicePack = std::string(200, 'p');
    useSystem(info);
    OSVERSIONINFOA v;
    std::memset(&v, 0x5A, sizeof(v));
    v.dwOSVersionInfoSize = sizeof(v);
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(std::string(v.szCSDVersion), std::string(127, 'p'));
}

TEST(GetVersionEx, ExtendedFormRefusedOnlyWhereTheMachineSaysSo)
{
    testing_support::TempMachine m;
    machine::SystemInfo info;
    info.versionExFails = true;
    useSystem(info);
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof(ex);
    SetLastError(0);
    EXPECT_FALSE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ex.dwMajorVersion, 0u);
    ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    EXPECT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
    EXPECT_EQ(ex.dwMajorVersion, 6u);
    EXPECT_EQ(ex.wProductType, 0); // never written by the short form
}

TEST(LangId, SystemAndUserAnswerTheMachinesLanguage)
{
    testing_support::TempMachine m;
    EXPECT_EQ(GetSystemDefaultLangID(), 0x0409);
    machine::SystemInfo info;
    info.languageId = 0x0404;
    useSystem(info);
    EXPECT_EQ(GetSystemDefaultLangID(), 0x0404);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0404);
}

} // namespace
