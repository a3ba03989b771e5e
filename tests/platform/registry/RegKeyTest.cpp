#include "platform/registry/WinReg.h"

#include "machine/registry/Registry.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace reg = machine::registry;

namespace
{

TEST(RegKey, CreateMakesTheKeysAboveAndReportsWhetherItWasNew)
{
    testing_support::TempMachine m;
    HKEY key = 0;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaryn\\WLAN\\InstallShield", 0,
                              nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_NE(key, 0u);
    EXPECT_TRUE(reg::KeyExists(m.machine(), "HKLM\\SOFTWARE\\Tessaryn\\WLAN"));
    RegCloseKey(key);

    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\tessaryn\\wlan\\installshield\\", 0,
                              nullptr, 0, KEY_READ | KEY_WOW64_64KEY, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    // The first spelling stays.
    EXPECT_EQ(*reg::ListSubkeys(m.machine(), "HKLM\\SOFTWARE\\Tessaryn\\WLAN"),
              std::vector<std::string>{"InstallShield"});

    // Relative to an open key; the 32-bit view names the same keys.
    HKEY child = 0;
    ASSERT_EQ(RegCreateKeyA(key, "Child", &child), ERROR_SUCCESS);
    HKEY same = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaryn\\WLAN\\InstallShield\\Child", 0,
                            KEY_READ | KEY_WOW64_32KEY, &same),
              ERROR_SUCCESS);
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 3u);
    for (HKEY h : {key, child, same})
        EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0u);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST(RegKey, OpeningAMissingOrBadlyNamedKeyFails)
{
    testing_support::TempMachine m;
    HKEY key = 0x1234;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\PerfOS", 0,
                            KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0u);
    EXPECT_FALSE(reg::KeyExists(m.machine(), "HKLM\\SYSTEM\\CurrentControlSet\\Services\\PerfOS"));
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "\\SOFTWARE", 0, KEY_READ, &key),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExA(0x4444, "SOFTWARE", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    // The short form leaves the caller's handle as it was.
    key = 0x1234;
    EXPECT_EQ(RegOpenKeyA(0x4444, "SOFTWARE", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key, 0x1234u);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0u);

    // NULL and "" open the key itself again (RegOpenKey hands back the same handle).
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(key, HKEY_CURRENT_USER);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "", &key), ERROR_SUCCESS);
    EXPECT_EQ(key, HKEY_CURRENT_USER);
}

TEST(RegKey, DeleteRefusesAKeyWithSubkeys)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(reg::CreateKey(m.machine(), "HKCU\\Tree\\Leaf"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(reg::KeyExists(m.machine(), "HKCU\\Tree\\Leaf"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "tree\\LEAF"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree\\Leaf"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree"), ERROR_SUCCESS);
    EXPECT_FALSE(reg::KeyExists(m.machine(), "HKCU\\Tree"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED); // a root stays
}

TEST(RegKey, AHandleToAKeyDeletedElsewhereReportsKeyDeleted)
{
    testing_support::TempMachine m;
    HKEY key = 0, parent = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Shared\\Doomed", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Shared", 0, KEY_ALL_ACCESS, &parent),
              ERROR_SUCCESS);
    ASSERT_EQ(testing_support::InOtherProcess(
                  []
                  { return RegDeleteKeyA(HKEY_CURRENT_USER, "Shared\\Doomed") == ERROR_SUCCESS; }),
              0);

    BYTE one = '1';
    DWORD size = 1;
    char name[16];
    DWORD cch = sizeof name;
    HKEY sub = 0;
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, &one, 1), ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumValueA(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyExA(key, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegFlushKey(key), ERROR_KEY_DELETED);
    EXPECT_EQ(RegFlushKey(parent), ERROR_SUCCESS);
    EXPECT_EQ(RegFlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_FALSE(reg::KeyExists(m.machine(), "HKCU\\Shared\\Doomed"));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // The other process's writes are seen through a handle held here.
    ASSERT_EQ(testing_support::InOtherProcess(
                  []
                  {
                      HKEY k = 0;
                      BYTE zero = '0';
                      return RegOpenKeyExA(HKEY_CURRENT_USER, "Shared", 0, KEY_SET_VALUE, &k) ==
                                 ERROR_SUCCESS &&
                             RegSetValueExA(k, "Radio", 0, REG_SZ, &zero, 1) == ERROR_SUCCESS;
                  }),
              0);
    BYTE value = 0;
    size = 1;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(parent, "Radio", nullptr, &type, &value, &size), ERROR_SUCCESS);
    EXPECT_EQ(value, '0');
    RegCloseKey(parent);
}

} // namespace
