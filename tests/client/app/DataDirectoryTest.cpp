#include "client/app/ProgramObjects.h"

#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

class DataDirectoryTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SetCurrentDirectoryA("C:\\Program Files\\Tessaryn")); }

    void writeSetting(const char* text)
    {
        machine::WriteFileAtomically(m.cDrive() / "Program Files" / "Tessaryn" / "setting", text);
    }
    void setLocalAppData(const char* value, DWORD size)
    {
        HKEY hKey = 0;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Volatile Environment", 0, NULL, 0,
                                  KEY_ALL_ACCESS, NULL, &hKey, NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(hKey, "LOCALAPPDATA", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value), size),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }

    testing_support::TempMachine m;
};

TEST_F(DataDirectoryTest, TheSettingFileChoosesTheDirectory)
{
    struct Case
    {
        const char* setting; // nullptr: no ".\setting"
        const char* dataDir;
        int storageType;
    } cases[] = {
        {nullptr, "C:\\Users\\Owner\\AppData\\Local\\", 0},
        {"[config]\r\ntype=1\r\n", "C:\\Users\\Owner\\AppData\\Local\\", 0},
        {"[config]\r\ntype=2\r\ndir=D:\\Wlan\\\r\n", "D:\\Wlan\\", 1},
        {"[config]\r\ntype=2\r\n", ".\\", 1},
        // Any other type: no directory, and the storage type stays what it was.
        {"[config]\r\ntype=3\r\ndir=D:\\Wlan\\\r\n", "", 1},
        {"[other]\r\ntype=2\r\n", "C:\\Users\\Owner\\AppData\\Local\\", 0},
    };
    for (const Case& c : cases)
    {
        if (c.setting != nullptr)
            writeSetting(c.setting);
        else
            std::filesystem::remove(m.cDrive() / "Program Files" / "Tessaryn" / "setting");
        theApp.BuildDataDirectory();
        EXPECT_STREQ(theApp.GetDataDir(), c.dataDir) << (c.setting ? c.setting : "no file");
        EXPECT_EQ(theApp.GetStorageType(), c.storageType) << (c.setting ? c.setting : "no file");
    }
}

TEST_F(DataDirectoryTest, MissingLocalAppDataLeavesTheDirectoryEmpty)
{
    HKEY hKey = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_ALL_ACCESS, &hKey),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueA(hKey, "LOCALAPPDATA"), ERROR_SUCCESS);
    RegCloseKey(hKey);
    theApp.BuildDataDirectory();
    EXPECT_STREQ(theApp.GetDataDir(), "");

    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Volatile Environment"), ERROR_SUCCESS);
    theApp.BuildDataDirectory();
    EXPECT_STREQ(theApp.GetDataDir(), "");
    EXPECT_EQ(theApp.GetStorageType(), 0);
}

TEST_F(DataDirectoryTest, LocalAppDataWithoutTerminatorIsCutAtItsLength)
{
    // Stored without its zero, and one stored longer than the read buffer.
    setLocalAppData("C:\\Temp\\AppDataXXXX", 15);
    theApp.BuildDataDirectory();
    EXPECT_STREQ(theApp.GetDataDir(), "C:\\Temp\\AppData\\");

    std::string longPath(200, 'L');
    setLocalAppData(longPath.c_str(), static_cast<DWORD>(longPath.size()));
    theApp.BuildDataDirectory();
    EXPECT_STREQ(theApp.GetDataDir(), ""); // does not fit the 128-byte read: not used
}

} // namespace
