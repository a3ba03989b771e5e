#include "adapter/discovery/AdapterDiscovery.h"
#include "client/access/DetectOsVersion.h"

#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "machine/SystemInfo.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/registry/Registry.h"
#include "platform/setupapi/SetupApi.h"
#include "tests/support/TempMachine.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using machine::devices::NetDevice;

const char kUntouched[] = "untouched";

std::string Path(const std::string& name)
{
    return "\\\\.\\" + name;
}

struct SystemVersion
{
    DWORD platformId;
    DWORD major;
    DWORD minor;
    DWORD build;
};

const SystemVersion kVista = {2, 6, 0, 6002};

// Candidates the chooser was shown, and which of them it takes.
std::vector<DWORD> g_shown;
int g_pick = 0;
DWORD ScriptedChooser(HDEVINFO, const CDWordArray& candidates)
{
    g_shown.clear();
    for (INT_PTR i = 0; i < candidates.GetSize(); i++)
        g_shown.push_back(candidates[i]);
    return candidates[g_pick];
}

std::vector<std::string> g_chosenNames;
void RecordName(LPCSTR pszName)
{
    g_chosenNames.push_back(pszName);
}

class AdapterDiscoveryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        for (const NetDevice& d : machine::devices::ListDevices(m.machine()))
            machine::devices::RemoveDevice(m.machine(), d.instanceId);
        setSystem(kVista);
        g_strDevicePath = kUntouched;
        g_strNetCfgInstanceId = kUntouched;
        g_strDriverKey = kUntouched;
        g_nChipType = -1;
        g_shown.clear();
        g_chosenNames.clear();
        g_pfnAdapterChosen = RecordName;
    }
    void TearDown() override
    {
        g_pfnAdapterChosen = NULL;
        EXPECT_EQ(platform::OpenDeviceInfoSetCount(), 0u);
    }

    void setSystem(const SystemVersion& v)
    {
        machine::SystemInfo info = machine::LoadSystemInfo(m.machine());
        info.platformId = v.platformId;
        info.majorVersion = v.major;
        info.minorVersion = v.minor;
        info.buildNumber = v.build;
        info.productType = 1;
        ASSERT_TRUE(machine::SaveSystemInfo(m.machine(), info));
        ASSERT_TRUE(DetectOsVersion());
    }
    NetDevice install(const NetDevice& d)
    {
        return machine::devices::InstallDevice(m.machine(), d);
    }
    void expectUntouched()
    {
        EXPECT_STREQ(g_strDevicePath, kUntouched);
        EXPECT_STREQ(g_strNetCfgInstanceId, kUntouched);
        EXPECT_STREQ(g_strDriverKey, kUntouched);
        EXPECT_EQ(g_nChipType, -1);
    }

    testing_support::TempMachine m;
};

TEST_F(AdapterDiscoveryTest, NoAdapterFindsNothing)
{
    EXPECT_EQ(DiscoverAdapter(), 0);
    expectUntouched();
}

TEST_F(AdapterDiscoveryTest, DefaultUsbAdapterIsSelected)
{
    NetDevice d = install(machine::devices::DefaultAdapter());
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(std::string(g_strDevicePath), Path(d.netCfgInstanceId));
    EXPECT_EQ(std::string(g_strNetCfgInstanceId), d.netCfgInstanceId);
    EXPECT_EQ(std::string(g_strDriverKey),
              std::string("System\\CurrentControlSet\\Control\\Class\\") +
                  machine::devices::kNetClassGuid + "\\" + d.driverKeyIndex);
    EXPECT_EQ(g_nChipType, 8);
    EXPECT_TRUE(g_bUsbAdapter);
    EXPECT_FALSE(g_bFirstGenChip);
    EXPECT_TRUE(g_bHtSupported);
    EXPECT_EQ(g_nHtVariant, 3);
    EXPECT_EQ(g_chosenNames, std::vector<std::string>{d.friendlyName});
}

struct ChipCase
{
    bool usb;
    int chipType;
    bool firstGen;
    bool ht;
    int htVariant;
};

TEST_F(AdapterDiscoveryTest, EachSupportedChipGivesItsTypeAndFlags)
{
    const ChipCase cases[] = {
        {false, 0, true, false, 0}, {false, 4, false, false, 0}, {false, 6, false, true, 1},
        {false, 7, false, true, 2}, {true, 1, true, false, 0},   {true, 5, false, false, 0},
        {true, 8, false, true, 3},
    };
    for (const ChipCase& c : cases)
    {
        SCOPED_TRACE(c.chipType);
        for (const NetDevice& d : machine::devices::ListDevices(m.machine()))
            machine::devices::RemoveDevice(m.machine(), d.instanceId);
        NetDevice d = install(c.usb ? machine::devices::TessarynUsbAdapter(c.chipType)
                                    : machine::devices::TessarynPciAdapter(c.chipType));
        ASSERT_EQ(DiscoverAdapter(), 1);
        EXPECT_EQ(g_nChipType, c.chipType);
        EXPECT_EQ(g_bUsbAdapter != FALSE, c.usb);
        EXPECT_EQ(g_bFirstGenChip != FALSE, c.firstGen);
        EXPECT_EQ(g_bHtSupported != FALSE, c.ht);
        EXPECT_EQ(g_nHtVariant, c.htVariant);
        EXPECT_EQ(std::string(g_strDevicePath), Path(d.netCfgInstanceId));
    }
}

TEST_F(AdapterDiscoveryTest, UnknownHardwareIdsAreSkipped)
{
    install(machine::devices::OtherMakerNic());
    install(machine::devices::TessarynPciAdapter(2)); // a family of no supported ID
    EXPECT_EQ(DiscoverAdapter(), 0);
    expectUntouched();

    NetDevice d = install(machine::devices::TessarynPciAdapter(7));
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(std::string(g_strNetCfgInstanceId), d.netCfgInstanceId);
    EXPECT_TRUE(g_shown.empty()); // one candidate: nobody is asked
}

TEST_F(AdapterDiscoveryTest, HardwareIdIsComparedUpperCasedOverItsPrefix)
{
    NetDevice d = machine::devices::TessarynUsbAdapter(5);
    for (std::string& id : d.hardwareIds)
    {
        for (char& ch : id)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        id += "&MI_00&EXTRA_TEXT";
    }
    d = install(d);
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(g_nChipType, 5);
    EXPECT_TRUE(g_bUsbAdapter);
}

TEST_F(AdapterDiscoveryTest, AdapterWhoseDeviceDoesNotOpenIsSkipped)
{
    NetDevice pci = install(machine::devices::TessarynPciAdapter(4));
    machine::miniport::InjectOpenFailure(m.machine(), pci.netCfgInstanceId, true);
    EXPECT_EQ(DiscoverAdapter(), 0);
    expectUntouched();

    NetDevice usb = install(machine::devices::DefaultAdapter());
    g_pfnChooseAdapter = ScriptedChooser;
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(std::string(g_strNetCfgInstanceId), usb.netCfgInstanceId);
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(AdapterDiscoveryTest, SeveralCandidatesAreChosenAmong)
{
    NetDevice first = install(machine::devices::TessarynUsbAdapter(8, 0));
    install(machine::devices::OtherMakerNic());
    NetDevice second = install(machine::devices::TessarynPciAdapter(6));

    g_pfnChooseAdapter = ScriptedChooser;
    g_pick = 0;
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(std::string(g_strNetCfgInstanceId), first.netCfgInstanceId);
    g_pick = 1;
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(g_shown, (std::vector<DWORD>{0, 2})); // member indexes, the other NIC left out
    EXPECT_EQ(std::string(g_strNetCfgInstanceId), second.netCfgInstanceId);
    EXPECT_EQ(g_nChipType, 6);
    EXPECT_FALSE(g_bUsbAdapter);
    EXPECT_EQ(g_chosenNames.back(), second.friendlyName);
}

TEST_F(AdapterDiscoveryTest, DescriptionStandsInForAMissingFriendlyName)
{
    NetDevice d = machine::devices::DefaultAdapter();
    d.friendlyName = "";
    d = install(d);
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(g_chosenNames, std::vector<std::string>{d.deviceDesc});
}

TEST_F(AdapterDiscoveryTest, NetCfgInstanceIdIsEndedByItsLength)
{
    NetDevice d = install(machine::devices::DefaultAdapter());
    // Written without its terminator: what follows in the buffer must not join the path.
    ASSERT_TRUE(machine::registry::SetValue(m.machine(), machine::devices::DriverKeyPath(d),
                                            "NetCfgInstanceId", REG_SZ, d.netCfgInstanceId));
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(std::string(g_strNetCfgInstanceId), d.netCfgInstanceId);
    EXPECT_EQ(std::string(g_strDevicePath), Path(d.netCfgInstanceId));
}

TEST_F(AdapterDiscoveryTest, NetCfgInstanceIdFillingTheBufferIsCutNotOverrun)
{
    NetDevice d = install(machine::devices::DefaultAdapter());
    ASSERT_TRUE(machine::registry::SetValue(m.machine(), machine::devices::DriverKeyPath(d),
                                            "NetCfgInstanceId", REG_SZ, std::string(128, 'A')));
    EXPECT_EQ(DiscoverAdapter(), 0); // 127 characters name no device
    expectUntouched();
}

TEST_F(AdapterDiscoveryTest, AdapterWithoutNetCfgInstanceIdIsSkipped)
{
    NetDevice d = install(machine::devices::DefaultAdapter());
    ASSERT_TRUE(machine::registry::DeleteValue(m.machine(), machine::devices::DriverKeyPath(d),
                                               "NetCfgInstanceId"));
    EXPECT_EQ(DiscoverAdapter(), 0);
    expectUntouched();
}

struct OsRuleCase
{
    const char* name;
    SystemVersion version;
    bool found;
    bool familyPath; // "\\.\" + family name instead of the NetCfgInstanceId
    const char* classRoot;
};

TEST_F(AdapterDiscoveryTest, DevicePathAndDriverKeyFollowTheSystem)
{
    const OsRuleCase cases[] = {
        {"Windows 95", {1, 4, 0, 950}, false, false, ""},
        {"Windows 98", {1, 4, 10, 1998}, false, false, ""},
        {"Windows 98 SE",
         {1, 4, 10, 2222},
         true,
         true,
         "System\\CurrentControlSet\\Services\\Class\\"},
        {"Windows Me",
         {1, 4, 90, 3000},
         true,
         true,
         "System\\CurrentControlSet\\Services\\Class\\"},
        {"NT 4", {2, 4, 0, 1381}, false, false, ""},
        {"Windows 2000",
         {2, 5, 0, 2195},
         true,
         false,
         "System\\CurrentControlSet\\Control\\Class\\"},
        {"XP", {2, 5, 1, 2600}, true, false, "System\\CurrentControlSet\\Control\\Class\\"},
        {"Vista", {2, 6, 0, 6002}, true, false, "System\\CurrentControlSet\\Control\\Class\\"},
    };
    NetDevice d = install(machine::devices::TessarynPciAdapter(4));
    for (const OsRuleCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        setSystem(c.version);
        g_strDevicePath = kUntouched;
        g_strNetCfgInstanceId = kUntouched;
        g_strDriverKey = kUntouched;
        g_nChipType = -1;
        if (!c.found)
        {
            EXPECT_EQ(DiscoverAdapter(), 0);
            expectUntouched();
            continue;
        }
        ASSERT_EQ(DiscoverAdapter(), 1);
        EXPECT_EQ(g_nChipType, 4);
        if (c.familyPath)
        {
            EXPECT_EQ(std::string(g_strDevicePath), "\\\\.\\KQ21");
            EXPECT_STREQ(g_strNetCfgInstanceId, kUntouched);
        }
        else
        {
            EXPECT_EQ(std::string(g_strDevicePath), Path(d.netCfgInstanceId));
            EXPECT_EQ(std::string(g_strNetCfgInstanceId), d.netCfgInstanceId);
        }
        EXPECT_EQ(std::string(g_strDriverKey), std::string(c.classRoot) +
                                                   machine::devices::kNetClassGuid + "\\" +
                                                   d.driverKeyIndex);
    }
}

TEST(DefaultMachineTest, ItsAdapterIsFound)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(DetectOsVersion());
    ASSERT_EQ(DiscoverAdapter(), 1);
    EXPECT_EQ(std::string(g_strDevicePath),
              Path(machine::devices::DefaultAdapter().netCfgInstanceId));
    EXPECT_EQ(g_nChipType, 8);
    EXPECT_TRUE(g_bUsbAdapter);
    EXPECT_EQ(platform::OpenDeviceInfoSetCount(), 0u);
}

TEST(HardwareIdTableTest, RowsAreUniqueUpperCaseAndOfTheirBus)
{
    std::vector<std::string> seen;
    auto check = [&seen](const HardwareIdEntry& row, const char* bus, const std::vector<int>& types)
    {
        std::string id = row.pszHardwareId;
        SCOPED_TRACE(id);
        EXPECT_EQ(id.size(), static_cast<std::size_t>(HARDWARE_ID_COMPARE_LENGTH));
        EXPECT_EQ(id.substr(0, 4), bus);
        for (char ch : id)
            EXPECT_EQ(ch, std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_NE(std::find(types.begin(), types.end(), row.nChipType), types.end());
        EXPECT_EQ(std::find(seen.begin(), seen.end(), id), seen.end());
        seen.push_back(id);
    };
    for (const HardwareIdEntry& row : g_UsbHardwareIdTable)
        check(row, "USB\\", {1, 5, 8});
    for (const HardwareIdEntry& row : g_PciHardwareIdTable)
        check(row, "PCI\\", {0, 4, 6, 7});
    EXPECT_EQ(std::string(g_UsbHardwareIdTable[0].pszHardwareId).substr(0, 3), "USB");
}

} // namespace
