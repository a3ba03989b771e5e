#include "tests/platform/setupapi/SetupApiFixture.h"

#include <cstring>

using namespace std::string_literals;

namespace setupapi_tests
{
namespace
{

using platform::setupapi::PropertyFault;

TEST_F(SetupApiTest, EachPropertyHasItsBytesAndType)
{
    auto d = install(dev::TessarynUsbAdapter(8));
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    struct Case
    {
        const char* name;
        DWORD property;
        DWORD type;
        std::string bytes;
    } cases[] = {
        {"description", SPDRP_DEVICEDESC, REG_SZ, d.deviceDesc + '\0'},
        {"hardware IDs", SPDRP_HARDWAREID, REG_MULTI_SZ,
         d.hardwareIds.at(0) + '\0' + d.hardwareIds.at(1) + '\0' + '\0'},
        {"manufacturer", SPDRP_MFG, REG_SZ, "Tessaryn\0"s},
        {"friendly name", SPDRP_FRIENDLYNAME, REG_SZ, d.friendlyName + '\0'},
        {"location", SPDRP_LOCATION_INFORMATION, REG_SZ, d.locationInfo + '\0'},
        {"driver", SPDRP_DRIVER, REG_SZ,
         "{4D36E972-E325-11CE-BFC1-08002BE10318}\\" + d.driverKeyIndex + '\0'},
        {"class", SPDRP_CLASS, REG_SZ, "Net\0"s},
        {"class GUID", SPDRP_CLASSGUID, REG_SZ, "{4D36E972-E325-11CE-BFC1-08002BE10318}\0"s},
        {"enumerator", SPDRP_ENUMERATOR_NAME, REG_SZ, "USB\0"s},
    };
    ASSERT_EQ(d.hardwareIds.size(), 2u);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Property p = readProperty(set, data, c.property);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.type, c.type);
        EXPECT_EQ(p.required, c.bytes.size());
        EXPECT_EQ(p.bytes, c.bytes);
    }
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, TooSmallBufferReportsTheSizeAndLeavesTheBufferAlone)
{
    auto d = install(dev::TessarynPciAdapter(6));
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    for (DWORD property : {SPDRP_HARDWAREID, SPDRP_FRIENDLYNAME, SPDRP_DRIVER})
    {
        SCOPED_TRACE(property);
        Property full = readProperty(set, data, property, 512);
        ASSERT_TRUE(full.ok);
        for (DWORD size : {0u, 1u, full.required - 1})
        {
            SCOPED_TRACE(size);
            std::vector<BYTE> buffer(size + 1, 0xEE);
            DWORD type = 0, required = 0;
            SetLastError(0);
            EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(
                set, &data, property, &type, size ? buffer.data() : nullptr, size, &required));
            EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
            EXPECT_EQ(required, full.required);
            EXPECT_EQ(type, full.type);
            for (BYTE b : buffer)
                EXPECT_EQ(b, 0xEE);
        }
        // Exactly the size asked for is enough.
        EXPECT_TRUE(readProperty(set, data, property, full.required).ok);
    }
    // No buffer with a size is a caller's mistake.
    EXPECT_FALSE(
        SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_MFG, nullptr, nullptr, 10, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, PropertiesADeviceLacksFailAsInvalidData)
{
    auto nic = dev::OtherMakerNic();
    nic.friendlyName.clear();
    nic.locationInfo.clear();
    install(nic);
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    for (DWORD property : {SPDRP_FRIENDLYNAME, SPDRP_LOCATION_INFORMATION, SPDRP_COMPATIBLEIDS})
    {
        SCOPED_TRACE(property);
        Property p = readProperty(set, data, property);
        EXPECT_FALSE(p.ok);
        EXPECT_EQ(p.error, ERROR_INVALID_DATA);
    }
    // The description the programs fall back on is there.
    EXPECT_EQ(readProperty(set, data, SPDRP_DEVICEDESC).bytes, nic.deviceDesc + '\0');

    Property p = readProperty(set, data, SPDRP_MAXIMUM_PROPERTY);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, ERROR_INVALID_REG_PROPERTY);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, InjectedMissingOversizeAndLowerCaseProperties)
{
    auto a = install(dev::TessarynUsbAdapter(8));
    auto b = install(dev::TessarynUsbAdapter(5, 1));
    platform::setupapi::InjectPropertyFault(a.instanceId, SPDRP_HARDWAREID, PropertyFault::Missing);
    platform::setupapi::InjectPropertyFault(a.instanceId, SPDRP_FRIENDLYNAME,
                                            PropertyFault::Oversize);
    platform::setupapi::InjectPropertyFault(b.instanceId, SPDRP_HARDWAREID,
                                            PropertyFault::Oversize);
    platform::setupapi::InjectPropertyFault(b.instanceId, SPDRP_MFG, PropertyFault::LowerCase);
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA first = memberOf(set, 0), second = memberOf(set, 1);

    Property missing = readProperty(set, first, SPDRP_HARDWAREID);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, ERROR_INVALID_DATA);

    Property big = readProperty(set, first, SPDRP_FRIENDLYNAME);
    EXPECT_FALSE(big.ok);
    EXPECT_EQ(big.error, ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(big.required, platform::setupapi::kOversizeBytes);
    Property read = readProperty(set, first, SPDRP_FRIENDLYNAME, big.required);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.bytes.rfind(a.friendlyName, 0), 0u);
    EXPECT_EQ(read.bytes.find('\0'), read.bytes.size() - 1);

    // In a list the first ID grows; the rest keep their place.
    Property ids = readProperty(set, second, SPDRP_HARDWAREID, 2048);
    ASSERT_TRUE(ids.ok);
    EXPECT_EQ(ids.bytes.size(), platform::setupapi::kOversizeBytes);
    EXPECT_EQ(ids.bytes.substr(ids.bytes.size() - b.hardwareIds[1].size() - 2),
              b.hardwareIds[1] + '\0' + '\0');

    EXPECT_EQ(readProperty(set, second, SPDRP_MFG).bytes, "tessaryn\0"s);

    // Other devices and properties are untouched.
    EXPECT_TRUE(readProperty(set, first, SPDRP_DEVICEDESC).ok);
    EXPECT_TRUE(readProperty(set, second, SPDRP_FRIENDLYNAME).ok);
    platform::setupapi::ClearPropertyFaults();
    EXPECT_TRUE(readProperty(set, first, SPDRP_HARDWAREID).ok);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, HardwareIdsKeepTheCaseTheyWereInstalledWith)
{
    auto d = dev::TessarynUsbAdapter(8);
    d.hardwareIds = {"usb\\vid_fa11&pid_3400&rev_0101", "usb\\vid_fa11&pid_3400"};
    install(d);
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    EXPECT_EQ(readProperty(set, data, SPDRP_HARDWAREID).bytes,
              "usb\\vid_fa11&pid_3400&rev_0101\0usb\\vid_fa11&pid_3400\0\0"s);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, InstanceIdWithTerminator)
{
    auto d = install(dev::TessarynUsbAdapter(8));
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data = memberOf(set, 0);
    DWORD required = 0;
    char small[4] = {};
    EXPECT_FALSE(SetupDiGetDeviceInstanceIdA(set, &data, small, sizeof(small), &required));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, d.instanceId.size() + 1);
    std::vector<char> id(required);
    ASSERT_TRUE(SetupDiGetDeviceInstanceIdA(set, &data, id.data(), required, nullptr));
    EXPECT_EQ(std::string(id.data()), d.instanceId);
    SetupDiDestroyDeviceInfoList(set);
}

} // namespace
} // namespace setupapi_tests
