#include "machine/devices/DeviceTree.h"
#include "machine/FileStore.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/registry/Registry.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <set>

using namespace std::string_literals;
namespace devices = machine::devices;
namespace reg = machine::registry;

namespace
{

TEST(DeviceTree, ANewMachineHasTheUsbAdapterWithItsDriverKey)
{
    testing_support::TempMachine m;
    auto list = devices::ListDevices(m.machine());
    ASSERT_EQ(list.size(), 1u);
    const devices::NetDevice& d = list[0];
    EXPECT_EQ(d.bus, devices::Bus::Usb);
    EXPECT_EQ(d.chipType, 8);
    EXPECT_EQ(devices::ChipFamilyName(d.chipType), "KQ3400");
    EXPECT_EQ(d.friendlyName, "Tessaryn KWF-9310USB Wireless LAN Adapter");
    EXPECT_EQ(d.manufacturer, "Tessaryn");
    EXPECT_EQ(d.hardwareIds, (std::vector<std::string>{"USB\\VID_FA11&PID_3400&REV_0101",
                                                       "USB\\VID_FA11&PID_3400"}));
    EXPECT_TRUE(d.present);

    const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
                            "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    EXPECT_EQ(devices::DriverKeyPath(d), "HKEY_LOCAL_MACHINE" + key.substr(4));
    auto values = reg::DumpKey(m.machine(), key);
    ASSERT_TRUE(values);
    auto value = [&](const std::string& name) -> std::string
    {
        for (const auto& v : *values)
            if (v.name == name)
            {
                EXPECT_EQ(v.type, reg::kTypeString) << name;
                return v.data;
            }
        return "(missing)";
    };
    EXPECT_EQ(value("NetCfgInstanceId"), d.netCfgInstanceId + "\0"s);
    EXPECT_EQ(value("DriverDesc"), "Tessaryn KWF-9310USB Wireless LAN Adapter\0"s);
    EXPECT_EQ(value("MatchingDeviceId"), "USB\\VID_FA11&PID_3400\0"s);
    EXPECT_EQ(value("CountryRegion"), "0\0"s);
    EXPECT_EQ(value("CountryRegionABand"), "7\0"s);
    EXPECT_EQ(value("WirelessMode"), "5\0"s);
    EXPECT_EQ(value("Channel"), "6\0"s);
    EXPECT_EQ(value("OpMode"), "0\0"s);
    EXPECT_EQ(reg::ListSubkeys(m.machine(), key), std::vector<std::string>{"Default"});
    EXPECT_EQ(reg::DumpKey(m.machine(), key + "\\Default")->size(), 0u);
}

TEST(DeviceTree, InstallChoosesFreeKeysAndRemoveTakesTheDriverKey)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    devices::NetDevice pci = devices::TessarynPciAdapter(4);
    pci.driverKeyIndex.clear();
    pci.netCfgInstanceId.clear();
    devices::NetDevice installed = devices::InstallDevice(mc, pci);
    devices::InstallDevice(mc, devices::OtherMakerNic());
    devices::InstallDevice(mc, devices::TessarynUsbAdapter(5, 1));
    // A second card claiming the first one's key and GUID gets its own.
    devices::NetDevice twin = devices::TessarynPciAdapter(7);
    twin.driverKeyIndex = "0007";
    twin.netCfgInstanceId = devices::DefaultAdapter().netCfgInstanceId;
    twin = devices::InstallDevice(mc, twin);
    EXPECT_NE(twin.driverKeyIndex, "0007");
    EXPECT_NE(twin.netCfgInstanceId, devices::DefaultAdapter().netCfgInstanceId);
    EXPECT_TRUE(devices::RemoveDevice(mc, twin.instanceId));
    EXPECT_EQ(
        reg::GetValue(mc, devices::DriverKeyPath(devices::DefaultAdapter()), "NetCfgInstanceId")
            ->data,
        devices::DefaultAdapter().netCfgInstanceId + "\0"s);

    auto list = devices::ListDevices(mc);
    ASSERT_EQ(list.size(), 4u);
    std::set<std::string> keys, guids;
    for (const auto& d : list)
    {
        keys.insert(d.driverKeyIndex);
        guids.insert(d.netCfgInstanceId);
        EXPECT_TRUE(reg::KeyExists(mc, devices::DriverKeyPath(d) + "\\Default")) << d.instanceId;
    }
    EXPECT_EQ(keys.size(), 4u);
    EXPECT_EQ(guids.size(), 4u);
    EXPECT_EQ(installed.driverKeyIndex.size(), 4u);
    EXPECT_EQ(list[1].hardwareIds.front().substr(0, 21), "PCI\\VEN_FA11&DEV_2100");
    EXPECT_EQ(list[2].chipType, -1);
    // Found by its NetCfgInstanceId in any case.
    std::string lower = installed.netCfgInstanceId;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_TRUE(devices::FindDeviceByNetCfgInstanceId(mc, lower));
    EXPECT_EQ(devices::FindDeviceByNetCfgInstanceId(mc, lower)->instanceId, installed.instanceId);

    EXPECT_TRUE(devices::RemoveDevice(mc, installed.instanceId));
    EXPECT_FALSE(devices::RemoveDevice(mc, installed.instanceId));
    EXPECT_FALSE(reg::KeyExists(mc, devices::DriverKeyPath(installed)));
    EXPECT_EQ(devices::ListDevices(mc).size(), 3u);

    devices::RemoveAllDevices(mc);
    EXPECT_TRUE(devices::ListDevices(mc).empty());
    EXPECT_EQ(reg::ListSubkeys(mc, "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
                                   "{4D36E972-E325-11CE-BFC1-08002BE10318}")
                  ->size(),
              0u);
}

TEST(DeviceTree, TheListIsReadableTextSharedWithOtherProcesses)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    auto d = devices::ListDevices(mc)[0];
    // Another process unplugs it; this one sees it.
    EXPECT_EQ(testing_support::InOtherProcess(
                  [&] { return devices::SetDevicePresent(mc, d.instanceId, false); }),
              0);
    EXPECT_FALSE(devices::FindDevice(mc, d.instanceId)->present);
    auto text = machine::ReadWholeFile(devices::DeviceListPath(mc));
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("friendlyName=Tessaryn KWF-9310USB Wireless LAN Adapter\n"),
              std::string::npos);
    EXPECT_NE(text->find("present=0\n"), std::string::npos);
    EXPECT_EQ(devices::FormatDeviceList(devices::ParseDeviceList(*text)), *text);
    // Blocks without an instance ID and unknown keys are passed over.
    auto parsed =
        devices::ParseDeviceList("[device]\nbogus=1\n\n[device]\ninstanceId=X\nchipType=z\n");
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0].chipType, -1);
}

TEST(DeviceTree, ReplugReloadsTheDriver)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    auto d = devices::ListDevices(mc)[0];
    namespace mp = machine::miniport;
    mp::ChangeAdapterState(mc, d.netCfgInstanceId,
                           [](mp::AdapterState& s) { s.setU32(mp::oid::StartMarker, 1); });
    EXPECT_TRUE(devices::SetDevicePresent(mc, d.instanceId, false));
    EXPECT_EQ(mp::LoadAdapterState(mc, d.netCfgInstanceId).u32(mp::oid::StartMarker), 1u);
    EXPECT_TRUE(devices::SetDevicePresent(mc, d.instanceId, true));
    EXPECT_EQ(mp::LoadAdapterState(mc, d.netCfgInstanceId).u32(mp::oid::StartMarker), 0u);
    EXPECT_FALSE(devices::SetDevicePresent(mc, "USB\\VID_FA11&PID_9999\\1", true));
}

} // namespace
