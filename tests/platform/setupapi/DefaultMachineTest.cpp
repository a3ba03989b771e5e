#include "platform/setupapi/SetupApi.h"

#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace
{

// A new machine has its USB adapter, seen as discovery sees it: present, a USB hardware ID of
// the chip maker, a driver key with its NetCfgInstanceId.
TEST(DefaultMachine, ListsItsUsbAdapterWithADriverKey)
{
    testing_support::TempMachine m;
    GUID guid{};
    DWORD required = 0;
    ASSERT_TRUE(SetupDiClassGuidsFromNameA("Net", &guid, 1, &required));
    HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, 0, DIGCF_PRESENT);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);

    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    ASSERT_TRUE(SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 1, &data));
    ASSERT_TRUE(SetupDiEnumDeviceInfo(set, 0, &data));

    BYTE buffer[256] = {};
    DWORD type = 0;
    ASSERT_TRUE(SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_HARDWAREID, &type, buffer,
                                                  sizeof(buffer), nullptr));
    EXPECT_EQ(type, REG_MULTI_SZ);
    std::string id(reinterpret_cast<const char*>(buffer));
    for (char& c : id)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(id.substr(0, 21), "USB\\VID_FA11&PID_3400");

    HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    ASSERT_NE(key, static_cast<HKEY>(INVALID_HANDLE_VALUE));
    char value[128] = {};
    DWORD size = sizeof(value);
    EXPECT_EQ(RegQueryValueExA(key, "NetCfgInstanceId", nullptr, &type,
                               reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value[0], '{');
    RegCloseKey(key);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
}

} // namespace
