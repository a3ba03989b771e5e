#include "platform/registry/WinReg.h"

#include "machine/SystemInfo.h"
#include "machine/registry/Registry.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace reg = machine::registry;

namespace
{

void becomeUser(const machine::Machine& m, bool administrator)
{
    machine::SystemInfo info = machine::LoadSystemInfo(m);
    info.administrator = administrator;
    ASSERT_TRUE(machine::SaveSystemInfo(m, info));
}

constexpr const char* kTcpip = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

TEST(RegAccess, AUserOpensLocalMachineKeysForReadingOnly)
{
    testing_support::TempMachine m;
    becomeUser(m.machine(), false);
    struct Case
    {
        REGSAM access;
        LONG expected;
    } cases[] = {
        {KEY_READ, ERROR_SUCCESS},
        {KEY_QUERY_VALUE, ERROR_SUCCESS},
        {KEY_READ | KEY_WOW64_64KEY, ERROR_SUCCESS},
        {KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY, ERROR_SUCCESS},
        {KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
        {KEY_ALL_ACCESS | KEY_WOW64_64KEY, ERROR_ACCESS_DENIED},
        {KEY_WRITE, ERROR_ACCESS_DENIED},
        {KEY_SET_VALUE, ERROR_ACCESS_DENIED},
        {KEY_QUERY_VALUE | KEY_SET_VALUE, ERROR_ACCESS_DENIED},
        {KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, ERROR_ACCESS_DENIED},
        {KEY_CREATE_SUB_KEY, ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases)
    {
        HKEY key = 0;
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, c.access, &key), c.expected)
            << std::hex << c.access;
        HKEY created = 0;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, nullptr, 0, c.access, nullptr,
                                  &created, nullptr),
                  c.expected)
            << std::hex << c.access;
        if (key)
            RegCloseKey(key);
        if (created)
            RegCloseKey(created);
    }
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0u);
}

TEST(RegAccess, AUserCannotChangeLocalMachineThroughAnyHandle)
{
    testing_support::TempMachine m;
    becomeUser(m.machine(), false);
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD window = 65536;
    EXPECT_EQ(RegSetValueExA(key, "TCPWindowSize", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&window), 4),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "TCPWindowSize"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    // Nor through the predefined handle, nor by creating or deleting keys.
    EXPECT_EQ(RegSetValueExA(HKEY_LOCAL_MACHINE, "x", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&window), 4),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", 0, nullptr, 0, KEY_READ, nullptr,
                              &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTcpip), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(reg::KeyExists(m.machine(), std::string("HKLM\\") + kTcpip));
    EXPECT_FALSE(reg::KeyExists(m.machine(), "HKLM\\SOFTWARE\\New"));
    EXPECT_TRUE(reg::DumpKey(m.machine(), std::string("HKLM\\") + kTcpip)->empty());

    // RegOpenKey asks for what the user may have: reading.
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kTcpip, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&window), 4),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);

    // The user's own keys stay writable.
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Mine", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&window), 4),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(RegAccess, AnAdministratorWritesLocalMachineButAHandleKeepsItsRights)
{
    testing_support::TempMachine m;
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD one = 1;
    EXPECT_EQ(RegSetValueExA(key, "SackOpts", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "SackOpts", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "SackOpts"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "SackOpts"), ERROR_SUCCESS);
    RegCloseKey(key);
}

} // namespace
