#include "adapter/system/OsVersion.h"
#include "client/access/DetectOsVersion.h"
#include "tests/support/OsVersionTable.h"

#include "machine/SystemInfo.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

struct OsCase
{
    const char* name;
    DWORD platformId;
    DWORD major;
    DWORD minor;
    DWORD build;
    DWORD productType;
    bool versionExFails; // only the short record is answered: the product type reads 0
    int expected;
};

// An unlisted version keeps whatever code there was.
const int kPrevious = 77;

const OsCase kCases[] = {
    {"Win95", 1, 4, 0, 950, 0, false, 2},
    {"Win98", 1, 4, 10, 1998, 0, false, 3},
    {"Win98SE", 1, 4, 10, 2222, 0, false, 4},
    {"WinMe", 1, 4, 90, 3000, 0, false, 5},
    {"Unknown9x", 1, 4, 20, 1000, 0, false, kPrevious},
    {"NT351", 2, 3, 51, 1057, 1, false, 6},
    {"NT4", 2, 4, 0, 1381, 1, false, 6},
    {"Win2000", 2, 5, 0, 2195, 1, false, 7},
    {"XP", 2, 5, 1, 2600, 1, false, 8},
    {"Server2003", 2, 5, 2, 3790, 3, false, 9},
    {"XP64", 2, 5, 2, 3790, 1, false, 10},
    {"XP64ShortRecord", 2, 5, 2, 3790, 1, true, 9},
    {"Vista", 2, 6, 0, 6002, 1, false, 11},
    {"Server2008", 2, 6, 0, 6002, 3, false, 11},
    {"Later workstation", 2, 10, 0, 19045, 1, false, 12},
    {"Later server", 2, 10, 0, 20348, 3, false, 13},
    {"Later workstation short record", 2, 10, 0, 19045, 1, true, 13},
    {"UnknownPlatform", 3, 1, 0, 100, 0, false, kPrevious},
};

TEST(OsVersionTest, MapsEachSystemToItsCode)
{
    for (const OsCase& c : kCases)
    {
        SCOPED_TRACE(c.name);
        testing_support::TempMachine m;
        machine::SystemInfo info;
        info.platformId = c.platformId;
        info.majorVersion = c.major;
        info.minorVersion = c.minor;
        info.buildNumber = c.build;
        info.productType = c.productType;
        info.versionExFails = c.versionExFails;
        ASSERT_TRUE(machine::SaveSystemInfo(m.machine(), info));

        OsVersionCode = kPrevious;
        EXPECT_TRUE(DetectOsVersion());
        EXPECT_EQ(OsVersionCode, c.expected);
    }
}

// The table is what tests of the programs rely on: each row gives its code through the
// client's own detection.
TEST(OsVersionTest, TableRowsGiveTheirCodes)
{
    for (const auto& os : testing_support::kOsVersionSettings)
    {
        SCOPED_TRACE(os.name);
        testing_support::TempMachine m;
        ASSERT_TRUE(testing_support::UseOsVersion(os.code));
        OsVersionCode = 0;
        ASSERT_TRUE(DetectOsVersion());
        EXPECT_EQ(OsVersionCode, os.code);
    }
}

} // namespace
