#include "tests/platform/setupapi/SetupApiFixture.h"

#include "machine/SystemInfo.h"
#include "machine/registry/Registry.h"

#include <cstring>

namespace setupapi_tests
{
namespace
{

const HKEY kInvalidKey = static_cast<HKEY>(INVALID_HANDLE_VALUE);

// The program's read: at most 128 bytes.
std::string netCfgInstanceId(HKEY key)
{
    char value[128] = {};
    DWORD type = 0, size = sizeof(value);
    EXPECT_EQ(RegQueryValueExA(key, "NetCfgInstanceId", nullptr, &type,
                               reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    return std::string(value, strnlen(value, sizeof(value)));
}

TEST_F(SetupApiTest, DriverKeyOfEachDeviceHoldsItsNetCfgInstanceId)
{
    auto usb = install(dev::TessarynUsbAdapter(8));
    auto pci = install(dev::TessarynPciAdapter(7));
    HDEVINFO set = netDevices();
    const dev::NetDevice* devices[] = {&usb, &pci};
    for (DWORD i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(i);
        SP_DEVINFO_DATA data = memberOf(set, i);
        HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
        ASSERT_NE(key, kInvalidKey);
        EXPECT_EQ(netCfgInstanceId(key), devices[i]->netCfgInstanceId);
        // The key is an ordinary registry key: "Default" lies below it.
        HKEY sub = 0;
        EXPECT_EQ(RegOpenKeyExA(key, "Default", 0, KEY_READ, &sub), ERROR_SUCCESS);
        RegCloseKey(sub);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, DriverKeyOpensAsTheUserMay)
{
    install(dev::TessarynUsbAdapter(8));
    machine::SystemInfo info;
    info.administrator = false;
    ASSERT_TRUE(machine::SaveSystemInfo(m_machine.machine(), info));
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    ASSERT_NE(key, kInvalidKey);
    RegCloseKey(key);
    SetLastError(0);
    EXPECT_EQ(SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS),
              kInvalidKey);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, MissingKeysAndBadArguments)
{
    auto d = install(dev::TessarynUsbAdapter(8));
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    struct Case
    {
        const char* name;
        DWORD scope;
        DWORD keyType;
        DWORD error;
    } cases[] = {
        {"profile-specific", DICS_FLAG_CONFIGSPECIFIC, DIREG_DRV, ERROR_KEY_DOES_NOT_EXIST},
        {"unknown scope", 7, DIREG_DRV, ERROR_INVALID_FLAGS},
        {"unknown key type", DICS_FLAG_GLOBAL, 3, ERROR_INVALID_FLAGS},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(SetupDiOpenDevRegKey(set, &data, c.scope, 0, c.keyType, KEY_READ), kInvalidKey);
        EXPECT_EQ(GetLastError(), c.error);
    }

    // The driver key removed behind the device's back.
    ASSERT_TRUE(machine::registry::DeleteKeyTree(
        m_machine.machine(), "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
                             "{4D36E972-E325-11CE-BFC1-08002BE10318}\\" +
                                 d.driverKeyIndex));
    SetLastError(0);
    EXPECT_EQ(SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ),
              kInvalidKey);
    EXPECT_EQ(GetLastError(), ERROR_KEY_DOES_NOT_EXIST);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, HardwareKeyIsDeviceParametersUnderTheEnumEntry)
{
    auto d = install(dev::TessarynUsbAdapter(8));
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    std::string path = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\" + d.instanceId +
                       "\\Device Parameters";
    if (!machine::registry::KeyExists(m_machine.machine(), path))
    {
        EXPECT_EQ(SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ),
                  kInvalidKey);
        EXPECT_EQ(GetLastError(), ERROR_KEY_DOES_NOT_EXIST);
    }
    ASSERT_TRUE(machine::registry::SetString(m_machine.machine(), path, "Marker", "here"));
    HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    ASSERT_NE(key, kInvalidKey);
    char value[16] = {};
    DWORD size = sizeof(value);
    EXPECT_EQ(
        RegQueryValueExA(key, "Marker", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(value, "here");
    RegCloseKey(key);
    SetupDiDestroyDeviceInfoList(set);
}

} // namespace
} // namespace setupapi_tests
