#include "platform/registry/WinReg.h"

#include "machine/registry/Registry.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

using namespace std::string_literals;
namespace reg = machine::registry;

namespace
{

constexpr const char* kStation = "HKLM\\SYSTEM\\Driver\\Profile\\Station\\Home";

struct Entry
{
    std::string name;
    DWORD type;
    std::string data;
};

// Walks the values as the programs do: fixed buffers, sizes reset before every call.
LONG walk(HKEY key, std::vector<Entry>& out, DWORD nameSize, DWORD dataSize)
{
    std::vector<char> name(nameSize);
    std::vector<BYTE> data(dataSize);
    for (DWORD index = 0;; ++index)
    {
        DWORD cchName = nameSize, cbData = dataSize, type = 0;
        LONG rc =
            RegEnumValueA(key, index, name.data(), &cchName, nullptr, &type, data.data(), &cbData);
        if (rc != ERROR_SUCCESS)
            return rc;
        EXPECT_EQ(name[cchName], '\0');
        out.push_back({std::string(name.data(), cchName), type,
                       std::string(reinterpret_cast<char*>(data.data()), cbData)});
    }
}

TEST(RegEnum, ValuesComeInTheOrderTheyWereAddedUntilNoMoreItems)
{
    testing_support::TempMachine m;
    std::vector<Entry> written = {
        {"SSID", REG_SZ, "Home"},
        {"AuthenType", REG_SZ, "4"},
        {"CCX2Control", REG_DWORD, "\1\0\0\0"s},
        {"", REG_SZ, "default\0"s},
        {"Macs", REG_MULTI_SZ, "\0"s},
        {"Empty", REG_SZ, ""},
    };
    for (const auto& e : written)
        ASSERT_TRUE(reg::SetValue(m.machine(), kStation, e.name, e.type, e.data));

    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\Driver\\Profile\\Station\\Home", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    std::vector<Entry> read;
    EXPECT_EQ(walk(key, read, 260, 260), ERROR_NO_MORE_ITEMS);
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i)
    {
        EXPECT_EQ(read[i].name, written[i].name);
        EXPECT_EQ(read[i].type, written[i].type);
        EXPECT_EQ(read[i].data, written[i].data);
    }
    char name[8];
    DWORD cch = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 1000, name, &cch, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST(RegEnum, AValueLargerThanTheBufferStopsAFixedWalkButNotOneSizedFromQueryInfo)
{
    testing_support::TempMachine m;
    // A list of 20 MACs: 20 * 13 + 1 = 261 bytes.
    std::string macs;
    for (int i = 0; i < 20; ++i)
        macs += "0011223344" + std::to_string(10 + i) + '\0';
    macs += '\0';
    ASSERT_EQ(macs.size(), 261u);
    ASSERT_TRUE(reg::SetValue(m.machine(), kStation, "Before", REG_SZ, "b"));
    ASSERT_TRUE(reg::SetValue(m.machine(), kStation, "AccessList", REG_MULTI_SZ, macs));
    ASSERT_TRUE(reg::SetValue(m.machine(), kStation, "After", REG_SZ, "a"));
    std::string longName(300, 'N');
    ASSERT_TRUE(reg::SetValue(m.machine(), kStation, longName, REG_SZ, "n"));

    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\Driver\\Profile\\Station\\Home", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);

    // 260-byte buffers: the big value gives ERROR_MORE_DATA with its size, the name is handed
    // over and the data buffer is left alone.
    char name[260];
    BYTE data[260];
    std::memset(data, 0xAB, sizeof data);
    DWORD cchName = sizeof name, cbData = sizeof data, type = 0;
    EXPECT_EQ(RegEnumValueA(key, 1, name, &cchName, nullptr, &type, data, &cbData),
              ERROR_MORE_DATA);
    EXPECT_EQ(cbData, 261u);
    EXPECT_EQ(type, REG_MULTI_SZ);
    EXPECT_EQ(std::string(name, cchName), "AccessList");
    EXPECT_EQ(data[0], 0xAB);
    // A name that does not fit gives ERROR_MORE_DATA too, with the type and the data's size;
    // the name's size and both buffers stay as they were.
    std::memset(name, 'x', sizeof name);
    cchName = sizeof name;
    cbData = sizeof data;
    type = 0;
    EXPECT_EQ(RegEnumValueA(key, 3, name, &cchName, nullptr, &type, data, &cbData),
              ERROR_MORE_DATA);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(cbData, 1u);
    EXPECT_EQ(cchName, sizeof name);
    EXPECT_EQ(name[0], 'x');
    EXPECT_EQ(data[0], 0xAB);

    // Sized from RegQueryInfoKey, every value comes through.
    DWORD subKeys = 9, values = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                               &maxName, &maxData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 0u);
    EXPECT_EQ(values, 4u);
    EXPECT_EQ(maxName, 300u);
    EXPECT_EQ(maxData, 261u);
    std::vector<Entry> read;
    EXPECT_EQ(walk(key, read, maxName + 1, maxData), ERROR_NO_MORE_ITEMS);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[1].data, macs);
    EXPECT_EQ(read[3].name, longName);
    RegCloseKey(key);
}

TEST(RegEnum, SubkeysInOrderWithSizesAndQueryInfo)
{
    testing_support::TempMachine m;
    for (const char* name : {"Station\\Zulu", "Station\\alpha", "Station\\Mid-length name"})
        ASSERT_TRUE(reg::CreateKey(m.machine(), std::string("HKCU\\Profiles\\") + name));
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Profiles\\Station", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD subKeys = 0, maxSubKey = 0, values = 9, maxClass = 9;
    char cls[4] = "abc";
    DWORD cchClass = sizeof cls;
    ASSERT_EQ(RegQueryInfoKeyA(key, cls, &cchClass, nullptr, &subKeys, &maxSubKey, &maxClass,
                               &values, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 3u);
    EXPECT_EQ(maxSubKey, 15u);
    EXPECT_EQ(values, 0u);
    EXPECT_EQ(cchClass, 0u);

    std::vector<std::string> names;
    for (DWORD i = 0;; ++i)
    {
        char name[64];
        DWORD cch = sizeof name;
        FILETIME written{1, 1};
        LONG rc = RegEnumKeyExA(key, i, name, &cch, nullptr, nullptr, nullptr, &written);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(rc, ERROR_SUCCESS);
        names.emplace_back(name, cch);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Zulu", "alpha", "Mid-length name"}));

    char small[4];
    DWORD cch = sizeof small; // "Zulu" needs 5 with its terminator
    EXPECT_EQ(RegEnumKeyExA(key, 0, small, &cch, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);

    // Enumeration needs the right to enumerate; values need the right to query.
    HKEY limited = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Profiles\\Station", 0, KEY_SET_VALUE, &limited),
              ERROR_SUCCESS);
    char name[64];
    cch = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(limited, 0, name, &cch, nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
    cch = sizeof name;
    EXPECT_EQ(RegEnumValueA(limited, 0, name, &cch, nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegQueryValueExA(limited, "x", nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(limited);
    RegCloseKey(key);
}

} // namespace
