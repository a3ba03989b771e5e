#include "platform/registry/WinReg.h"

#include "machine/registry/Registry.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace std::string_literals;
namespace reg = machine::registry;

namespace
{

constexpr const char* kKey = "SOFTWARE\\Tessaryn\\Test";

HKEY createTestKey()
{
    HKEY key = 0;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

LONG set(HKEY key, const char* name, DWORD type, const std::string& data)
{
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

TEST(RegValue, SetAndQueryKeepExactBytesAndType)
{
    testing_support::TempMachine m;
    struct Case
    {
        const char* name;
        DWORD type;
        std::string data;
    } cases[] = {
        {"OpMode", REG_SZ, "1"},
        {"Empty", REG_SZ, ""},
        {"Terminated", REG_SZ, "abc\0"s},
        {"EmptyList", REG_MULTI_SZ, "\0"s},
        {"TwoMacs", REG_MULTI_SZ,
         "001122334455\0"
         "66778899AABB\0\0"s},
        {"TransmitSetting", REG_DWORD, "\x10\x27\0\0"s},
        {"Blob", REG_BINARY, "\0\xff\x01\x80"s},
        {nullptr, REG_SZ, "default"},
    };
    HKEY key = createTestKey();
    for (const auto& c : cases)
        ASSERT_EQ(set(key, c.name, c.type, c.data), ERROR_SUCCESS);
    RegCloseKey(key);

    for (const auto& c : cases)
    {
        // Read back through a new handle, and in the machine's own store.
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        BYTE buffer[64];
        std::memset(buffer, 0xCC, sizeof buffer);
        DWORD type = 0xDEAD, size = sizeof buffer;
        ASSERT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, buffer, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        ASSERT_EQ(size, c.data.size()) << (c.name ? c.name : "@");
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), c.data);
        // Only a string that lacks its terminator gets one, where the buffer has room.
        bool unterminated =
            c.type != REG_DWORD && c.type != REG_BINARY && (size == 0 || c.data.back() != '\0');
        EXPECT_EQ(buffer[size], unterminated ? 0 : 0xCC) << (c.name ? c.name : "@");
        RegCloseKey(key);

        auto stored =
            reg::GetValue(m.machine(), "HKLM\\SOFTWARE\\Tessaryn\\Test", c.name ? c.name : "");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->data, c.data);
        EXPECT_EQ(stored->type, c.type);
    }
    auto dump = reg::DumpKey(m.machine(), "HKLM\\SOFTWARE\\Tessaryn\\Test");
    ASSERT_EQ(dump->size(), std::size(cases));
    EXPECT_EQ((*dump)[0].name, "OpMode");
    EXPECT_EQ((*dump)[7].name, "");
}

TEST(RegValue, ATooSmallBufferGetsMoreDataAndTheSizeAndIsLeftAlone)
{
    testing_support::TempMachine m;
    HKEY key = createTestKey();
    ASSERT_EQ(set(key, "SSID", REG_SZ, "HomeNetwork"), ERROR_SUCCESS);

    // Size query.
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "SSID", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(type, REG_SZ);

    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    size = 10;
    type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "SSID", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(16, 'x'));

    // Exactly the size: fits, and nothing is written past it; one byte more takes the
    // terminator the value was stored without, and the size stays that of the value.
    size = 11;
    EXPECT_EQ(
        RegQueryValueExA(key, "SSID", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, 12), "HomeNetworkx");
    size = 12;
    EXPECT_EQ(
        RegQueryValueExA(key, "SSID", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(std::string(buffer, 13), "HomeNetwork\0x"s);
    // The same through enumeration.
    std::memset(buffer, 'x', sizeof buffer);
    char name[8];
    DWORD cchName = sizeof name;
    size = 12;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &cchName, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(std::string(buffer, 13), "HomeNetwork\0x"s);
    RegCloseKey(key);
}

TEST(RegValue, MissingValuesAndBadArguments)
{
    testing_support::TempMachine m;
    HKEY key = createTestKey();
    DWORD size = 4, type = 77;
    BYTE buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(RegQueryValueExA(key, "Absent", nullptr, &type, buffer, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buffer[0], 1);
    size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "Absent", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 0u);
    size = 4;
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, &type, buffer, &size),
              ERROR_FILE_NOT_FOUND); // no default value yet
    EXPECT_EQ(RegQueryValueExA(key, "Absent", nullptr, &type, buffer, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteValueA(key, "Absent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
    EXPECT_EQ(RegSetValueExA(key, "line\nbreak", 0, REG_SZ, buffer, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(key, "nothing", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(0x12345, "x", nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_HANDLE);
    RegCloseKey(key);
}

TEST(RegValue, NamesMatchWithoutRegardToCaseAndKeepTheirFirstSpellingAndPlace)
{
    testing_support::TempMachine m;
    HKEY key = createTestKey();
    ASSERT_EQ(set(key, "Channel", REG_SZ, "6"), ERROR_SUCCESS);
    ASSERT_EQ(set(key, "Radio", REG_SZ, "1"), ERROR_SUCCESS);
    ASSERT_EQ(set(key, "CHANNEL", REG_DWORD, "\x0b\0\0\0"s), ERROR_SUCCESS);

    HKEY other = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\TESSARYN\\test", 0, KEY_READ, &other),
              ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(
        RegQueryValueExA(other, "channel", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 11u);
    RegCloseKey(other);

    auto dump = reg::DumpKey(m.machine(), "HKLM\\SOFTWARE\\Tessaryn\\Test");
    ASSERT_EQ(dump->size(), 2u);
    EXPECT_EQ((*dump)[0].name, "Channel");
    EXPECT_EQ((*dump)[1].name, "Radio");

    EXPECT_EQ(RegDeleteValueA(key, "cHaNnEl"), ERROR_SUCCESS);
    EXPECT_EQ(reg::DumpKey(m.machine(), "HKLM\\SOFTWARE\\Tessaryn\\Test")->size(), 1u);
    RegCloseKey(key);
}

TEST(RegValue, LocalAppDataOfTheDefaultMachine)
{
    testing_support::TempMachine m;
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    char buffer[128];
    DWORD size = sizeof buffer - 1, type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "LOCALAPPDATA", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::string(buffer, size), "C:\\Users\\Owner\\AppData\\Local\0"s);
    RegCloseKey(key);
}

TEST(RegValue, RegSetValueWritesTheDefaultValueOfASubkeyWithItsTerminator)
{
    testing_support::TempMachine m;
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, "Sub\\Key", REG_SZ, "text", 1), ERROR_SUCCESS);
    auto v = reg::GetValue(m.machine(), "HKCU\\Sub\\Key", "");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->data, "text\0"s);
    EXPECT_EQ(RegSetValueA(HKEY_CURRENT_USER, "Sub", REG_DWORD, "x", 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0u);
}

} // namespace
