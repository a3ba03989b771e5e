#include "tests/platform/setupapi/SetupApiFixture.h"

#include <cstring>

namespace setupapi_tests
{
namespace
{

using Strings = std::vector<std::string>;

TEST_F(SetupApiTest, NetClassGuidByNameInAnyCase)
{
    for (const char* name : {"Net", "NET", "net"})
    {
        SCOPED_TRACE(name);
        GUID guid{};
        DWORD required = 0;
        ASSERT_TRUE(SetupDiClassGuidsFromNameA(name, &guid, 1, &required));
        EXPECT_EQ(required, 1u);
        EXPECT_EQ(std::memcmp(&guid, &GUID_DEVCLASS_NET, sizeof(GUID)), 0);
        EXPECT_EQ(guid.Data1, 0x4D36E972u);
        EXPECT_EQ(guid.Data4[7], 0x18);
    }
    DWORD required = 0;
    SetLastError(0);
    EXPECT_FALSE(SetupDiClassGuidsFromNameA("Net", nullptr, 0, &required));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 1u);

    // A class nothing belongs to has no GUID; that is not a failure.
    GUID guid{};
    required = 7;
    EXPECT_TRUE(SetupDiClassGuidsFromNameA("Nets", &guid, 1, &required));
    EXPECT_EQ(required, 0u);
}

TEST_F(SetupApiTest, PresentDevicesInInstallOrderAndAllWithoutTheFlag)
{
    auto usb = install(dev::TessarynUsbAdapter(8));
    auto unplugged = dev::TessarynPciAdapter(4);
    unplugged.present = false;
    unplugged = install(unplugged);
    auto other = install(dev::OtherMakerNic());
    auto pci = install(dev::TessarynPciAdapter(7, 1));

    HDEVINFO present = netDevices(DIGCF_PRESENT);
    EXPECT_EQ(instanceIds(present), (Strings{usb.instanceId, other.instanceId, pci.instanceId}));

    SP_DEVINFO_DATA a = memberOf(present, 0), b = memberOf(present, 1);
    EXPECT_EQ(std::memcmp(&a.ClassGuid, &GUID_DEVCLASS_NET, sizeof(GUID)), 0);
    EXPECT_NE(a.DevInst, 0u);
    EXPECT_NE(a.DevInst, b.DevInst);

    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    SetLastError(0);
    EXPECT_FALSE(SetupDiEnumDeviceInfo(present, 3, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(present));

    HDEVINFO all = netDevices(0);
    EXPECT_EQ(instanceIds(all),
              (Strings{usb.instanceId, unplugged.instanceId, other.instanceId, pci.instanceId}));
    SetupDiDestroyDeviceInfoList(all);
}

TEST_F(SetupApiTest, NoDevicesGiveAnEmptySet)
{
    HDEVINFO set = netDevices();
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, ASetIsASnapshot)
{
    auto first = install(dev::TessarynUsbAdapter(5));
    HDEVINFO before = netDevices();
    auto second = install(dev::TessarynPciAdapter(6));
    ASSERT_TRUE(dev::SetDevicePresent(m_machine.machine(), first.instanceId, false));

    EXPECT_EQ(instanceIds(before), Strings{first.instanceId});
    HDEVINFO after = netDevices();
    EXPECT_EQ(instanceIds(after), Strings{second.instanceId});

    ASSERT_TRUE(dev::SetDevicePresent(m_machine.machine(), first.instanceId, true));
    HDEVINFO replugged = netDevices();
    EXPECT_EQ(instanceIds(replugged), (Strings{first.instanceId, second.instanceId}));
    for (HDEVINFO set : {before, after, replugged})
        SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, ClassEnumeratorAndFlagFilters)
{
    auto usb = install(dev::TessarynUsbAdapter(1));
    auto pci = install(dev::TessarynPciAdapter(0));

    GUID otherClass = GUID_DEVCLASS_NET;
    otherClass.Data1 ^= 1;
    struct Case
    {
        const char* name;
        const GUID* guid;
        const char* enumerator;
        DWORD flags;
        Strings expected;
    } cases[] = {
        {"another class", &otherClass, nullptr, DIGCF_PRESENT, {}},
        {"every class", nullptr, nullptr, DIGCF_ALLCLASSES, {usb.instanceId, pci.instanceId}},
        {"PCI only", &GUID_DEVCLASS_NET, "PCI", DIGCF_PRESENT, {pci.instanceId}},
        {"usb only", &GUID_DEVCLASS_NET, "usb", DIGCF_PRESENT, {usb.instanceId}},
        {"profile",
         &GUID_DEVCLASS_NET,
         nullptr,
         DIGCF_PRESENT | DIGCF_PROFILE,
         {usb.instanceId, pci.instanceId}},
        {"interfaces", &GUID_DEVCLASS_NET, nullptr, DIGCF_DEVICEINTERFACE, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        HDEVINFO set = SetupDiGetClassDevsA(c.guid, c.enumerator, 0, c.flags);
        ASSERT_NE(set, INVALID_HANDLE_VALUE);
        EXPECT_EQ(instanceIds(set), c.expected);
        SetupDiDestroyDeviceInfoList(set);
    }
    SetLastError(0);
    EXPECT_EQ(SetupDiGetClassDevsA(nullptr, nullptr, 0, DIGCF_PRESENT), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(SetupApiTest, RecordSizeAndHandlesAreChecked)
{
    install(dev::TessarynUsbAdapter(8));
    HDEVINFO set = netDevices();
    for (DWORD size : {0u, 24u, 27u, 29u, 32u})
    {
        SCOPED_TRACE(size);
        SP_DEVINFO_DATA data{};
        data.cbSize = size;
        SetLastError(0);
        EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 0, &data));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
        BYTE buffer[256];
        data.cbSize = size;
        EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_HARDWAREID, nullptr,
                                                       buffer, sizeof(buffer), nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
    }
    // A record no enumeration filled names no member.
    SP_DEVINFO_DATA blank{};
    blank.cbSize = sizeof(blank);
    BYTE buffer[256];
    EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(set, &blank, SPDRP_HARDWAREID, nullptr, buffer,
                                                   sizeof(buffer), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    SP_DEVINFO_DATA data = memberOf(set, 0);
    ASSERT_TRUE(SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_HARDWAREID, nullptr, buffer,
                                                   sizeof(buffer), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ),
              static_cast<HKEY>(INVALID_HANDLE_VALUE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

} // namespace
} // namespace setupapi_tests
