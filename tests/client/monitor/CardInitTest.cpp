// The steps of card initialisation on their own: the region's channel check, the wireless-mode
// mapping and the once-per-driver-key TX-burst setting.

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/access/DetectOsVersion.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "machine/SystemInfo.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/services/ServiceTable.h"
#include "platform/Windows.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

namespace oid = machine::miniport::oid;

std::vector<DWORD> Range(DWORD first, DWORD last, DWORD step = 1)
{
    std::vector<DWORD> list;
    for (DWORD c = first; c <= last; c += step)
        list.push_back(c);
    return list;
}

std::vector<DWORD> Join(std::vector<DWORD> a, const std::vector<DWORD>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<DWORD> Channels(int nChipType, int nMode, int nRegion)
{
    CDWordArray list;
    BuildRegionChannelList(nChipType, nMode, nRegion, list);
    std::vector<DWORD> out;
    for (INT_PTR i = 0; i < list.GetSize(); i++)
        out.push_back(list[i]);
    return out;
}

TEST(RegionChannelList, FollowsChipTypeModeAndBothRegionCodes)
{
    const std::vector<DWORD> kA0 = {36, 40, 44, 48, 52, 56, 60, 64, 149, 153, 157, 161, 165};
    const struct
    {
        int chip;
        int mode;
        int region; // bits 0-6 the 2.4 GHz code, bits 8-14 the 5 GHz code
        std::vector<DWORD> expected;
    } cases[] = {
        {4, 0, 0x0001, Range(1, 13)},
        {0, 0, 0x0001, Range(1, 11)}, // the first chips' column is shifted by one row
        {1, 0, 0x0004, Range(10, 13)},
        {4, 0, 0x0004, {14}},
        {0, 0, 0x0008, Range(5, 13)},
        {8, 0, 0x0008, Range(1, 11)}, // beyond the list: row 0
        {8, 0, 0x007F, Range(1, 11)},
        {2, 0, 0x0001, {}}, // no 2.4 GHz list
        {3, 3, 0x0000, kA0},
        {4, 2, 0x0401, {149, 153, 157, 161, 165}}, // 5 GHz only
        {8, 3, 0x0101, Join(Range(1, 13), Join(Range(36, 64, 4), Range(100, 140, 4)))},
        {8, 5, 0x0900, Join(Range(1, 11), {34, 38, 42, 46})},
        {8, 5, 0x0B00, Join(Range(1, 11), kA0)}, // beyond the 5 GHz list: row 0
        {8, 9, 0x0A05, Range(1, 14)},            // B/G/N: no 5 GHz part
        {4, 2, 0x0700, Join(Range(36, 64, 4), Join(Range(100, 140, 4), Range(149, 165, 4)))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Channels(c.chip, c.mode, c.region), c.expected)
            << "chip " << c.chip << " mode " << c.mode << " region " << c.region;
}

TEST(AdjustWirelessMode, MapsToWhatTheAdapterSupports)
{
    const struct
    {
        int mode;
        BOOL aBand;
        BOOL ht;
        int expected;
    } cases[] = {
        {7, TRUE, TRUE, 4},   {8, TRUE, TRUE, 2},   {10, TRUE, TRUE, 2},  {8, FALSE, TRUE, 0},
        {2, FALSE, TRUE, 0},  {3, FALSE, TRUE, 0},  {5, FALSE, TRUE, 9},  {5, FALSE, FALSE, 0},
        {5, TRUE, FALSE, 3},  {6, TRUE, FALSE, 0},  {9, TRUE, FALSE, 0},  {6, TRUE, TRUE, 6},
        {0, FALSE, FALSE, 0}, {1, FALSE, FALSE, 1}, {4, FALSE, FALSE, 4}, {5, TRUE, TRUE, 5},
    };
    for (const auto& c : cases)
    {
        g_bABandSupported = c.aBand;
        g_bHtSupported = c.ht;
        EXPECT_EQ(AdjustWirelessMode(c.mode), c.expected)
            << c.mode << " a-band " << c.aBand << " ht " << c.ht;
    }
}

class CardInitFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_id = testing_support::EnsureDefaultAdapter(m_machine.machine());
        ASSERT_TRUE(DetectOsVersion());
        ASSERT_EQ(DiscoverAdapter(), 1);
        machine::miniport::ClearRequestLog(m_machine.machine(), m_id);
    }

    void setRegionWord(DWORD dwRegion)
    {
        machine::miniport::ChangeAdapterState(m_machine.machine(), m_id,
                                              [&](machine::miniport::AdapterState& a)
                                              { a.setU32(oid::RegionWord, dwRegion); });
    }

    std::string config(LPCSTR lpszKey) const
    {
        char szValue[128] = {0};
        GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", lpszKey, szValue,
                    sizeof szValue);
        return szValue;
    }

    // The driver-key value's exact bytes, or "(none)".
    std::string driverValue(LPCSTR lpszName, DWORD* pdwType = nullptr) const
    {
        HKEY hKey = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return "(no key)";
        BYTE data[64] = {0};
        DWORD dwSize = sizeof data;
        DWORD dwType = 0;
        LONG lResult = RegQueryValueExA(hKey, lpszName, NULL, &dwType, data, &dwSize);
        RegCloseKey(hKey);
        if (pdwType != nullptr)
            *pdwType = dwType;
        return lResult == ERROR_SUCCESS ? std::string(reinterpret_cast<char*>(data), dwSize)
                                        : "(none)";
    }

    void setDriverValue(LPCSTR lpszName, const std::string& text)
    {
        HKEY hKey = 0;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey),
                  ERROR_SUCCESS);
        RegSetValueExA(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                       static_cast<DWORD>(text.size()));
        RegCloseKey(hKey);
    }

    std::vector<machine::miniport::LogEntry> requests(DWORD code) const
    {
        std::vector<machine::miniport::LogEntry> out;
        for (const auto& e : machine::miniport::ReadRequestLog(m_machine.machine(), m_id))
        {
            if (e.code == code)
                out.push_back(e);
        }
        return out;
    }

    testing_support::TempMachine m_machine;
    std::string m_id;
    CHideDlg m_dlg; // never created: the channel check needs no window
};

TEST_F(CardInitFixture, ChannelOutsideTheRegionIsReplacedByItsFirstChannel)
{
    g_nChipType = 4;
    g_bABandSupported = FALSE;
    setRegionWord(0x0001);
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "WirelessMode", "0");

    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "Channel", "13");
    setDriverValue("Channel", "13");
    m_dlg.CheckChannelForRegion();
    EXPECT_EQ(config("Channel"), "13");
    EXPECT_EQ(driverValue("Channel"), "13");
    EXPECT_TRUE(g_bRegionValid);
    EXPECT_EQ(g_nCountryRegion, 1);

    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "Channel", "14");
    m_dlg.CheckChannelForRegion();
    EXPECT_EQ(config("Channel"), "1");
    DWORD dwType = 0;
    EXPECT_EQ(driverValue("Channel", &dwType), "1"); // its characters, no terminator
    EXPECT_EQ(dwType, REG_SZ);
}

TEST_F(CardInitFixture, RegionFlagBitsMarkTheRegionsInvalidAndAreCleared)
{
    setRegionWord(0x8481);
    m_dlg.CheckChannelForRegion();
    EXPECT_FALSE(g_bRegionValid);
    EXPECT_FALSE(g_bABandRegionValid);
    EXPECT_EQ(g_nCountryRegion, 0x0401);
}

// A failed region query must not read as region 0 and rewrite the channel.
TEST_F(CardInitFixture, FailedRegionQueryKeepsTheRegionAndTheChannel)
{
    g_nChipType = 8;
    g_bRegionValid = FALSE;
    g_bABandRegionValid = TRUE;
    g_nCountryRegion = 0x0105;
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "WirelessMode", "0");
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "Channel", "14");
    machine::miniport::InjectRequestFault(m_machine.machine(), m_id, oid::RegionWord, -1,
                                          machine::miniport::Direction::Query);
    m_dlg.CheckChannelForRegion();
    EXPECT_FALSE(g_bRegionValid);
    EXPECT_TRUE(g_bABandRegionValid);
    EXPECT_EQ(g_nCountryRegion, 0x0105);
    EXPECT_EQ(config("Channel"), "14");
}

TEST_F(CardInitFixture, TxBurstIsSetOnceFromTheInstallerChoice)
{
    HKEY hInstaller = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaryn\\WLAN\\InstallShield", 0,
                              NULL, 0, KEY_ALL_ACCESS, NULL, &hInstaller, NULL),
              ERROR_SUCCESS);
    DWORD dwSelect = 1;
    RegSetValueExA(hInstaller, "ConfigTxBurstSelect", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&dwSelect), sizeof dwSelect);
    RegCloseKey(hInstaller);
    size_t nOpenKeys = platform::OpenRegistryKeyCount();

    InitTxBurst();
    auto sets = requests(0x0DF10111);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].bytesIn.substr(0, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(driverValue("TXBurst"), "1");
    EXPECT_EQ(driverValue("RunOnceInitConfigTxBurst"), "1");
    EXPECT_EQ(platform::OpenRegistryKeyCount(), nOpenKeys);

    // Present: the driver is left alone, and the key is closed on that path too.
    machine::miniport::ClearRequestLog(m_machine.machine(), m_id);
    InitTxBurst();
    EXPECT_TRUE(requests(0x0D710111).empty());
    EXPECT_TRUE(requests(0x0DF10111).empty());
    EXPECT_EQ(platform::OpenRegistryKeyCount(), nOpenKeys);
}

// A zeroed block would overwrite the driver's other advanced settings: nothing is sent, the
// registry still records the choice.
TEST_F(CardInitFixture, TxBurstSendsNothingWhenTheQueryFails)
{
    machine::miniport::InjectRequestFault(m_machine.machine(), m_id, oid::AdvancedBlock, -1,
                                          machine::miniport::Direction::Query);
    InitTxBurst();
    EXPECT_TRUE(requests(0x0DF10111).empty());
    EXPECT_EQ(driverValue("TXBurst"), "0");
    EXPECT_EQ(driverValue("RunOnceInitConfigTxBurst"), "0");
}

class StartUpFixture : public ::testing::Test
{
protected:
    void TearDown() override { platform::security::ResetTokenShape(); }

    void setAdministrator(bool bAdmin)
    {
        machine::SystemInfo info = machine::LoadSystemInfo(m_machine.machine());
        info.administrator = bAdmin;
        machine::SaveSystemInfo(m_machine.machine(), info);
    }

    testing_support::TempMachine m_machine;
};

// Membership alone counts; a group list larger than the first buffer is read whole.
TEST_F(StartUpFixture, AdministratorIsFoundInAnyTokenShape)
{
    ASSERT_TRUE(DetectOsVersion());
    ASSERT_GT(OsVersionCode, 6);
    const struct
    {
        bool admin;
        int extraGroups;
        bool denyOnly;
        BOOL expected;
    } cases[] = {
        {true, 0, false, TRUE},   {true, 200, false, TRUE},   {true, 0, true, TRUE},
        {false, 0, false, FALSE}, {false, 200, false, FALSE},
    };
    for (const auto& c : cases)
    {
        setAdministrator(c.admin);
        platform::security::TokenShape shape;
        shape.extraDomainGroups = c.extraGroups;
        shape.administratorsDenyOnly = c.denyOnly;
        platform::security::SetTokenShape(shape);
        g_bIsAdmin = !c.expected;
        CheckAdministrator();
        EXPECT_EQ(g_bIsAdmin, c.expected) << c.admin << " " << c.extraGroups << " " << c.denyOnly;
    }
    EXPECT_EQ(platform::security::LiveSidCount(), 0u);

    // The old systems have no groups to look at.
    setAdministrator(false);
    OsVersionCode = 6;
    CheckAdministrator();
    EXPECT_TRUE(g_bIsAdmin);
}

TEST_F(StartUpFixture, WlanServiceIsStartedAndSetAutomaticThenStoppedOnDemand)
{
    const machine::Machine& m = m_machine.machine();
    platform::UseManualClock(1000);
    ASSERT_EQ(machine::services::StopService(m, "Wlansvc"), 0u);
    platform::AdvanceClock(machine::services::kTransitionMs);
    ASSERT_EQ(machine::services::FindService(m, "Wlansvc")->state, machine::services::kStopped);
    machine::services::SetStartType(m, "Wlansvc", machine::services::kDemandStart);

    StartWlanService();
    auto service = machine::services::FindService(m, "Wlansvc");
    ASSERT_TRUE(service.has_value());
    EXPECT_EQ(service->startType, machine::services::kAutoStart);
    platform::AdvanceClock(machine::services::kTransitionMs);
    EXPECT_EQ(machine::services::FindService(m, "Wlansvc")->state, machine::services::kRunning);

    StopWlanService(TRUE);
    platform::AdvanceClock(machine::services::kTransitionMs);
    service = machine::services::FindService(m, "Wlansvc");
    EXPECT_EQ(service->state, machine::services::kStopped);
    EXPECT_EQ(service->startType, machine::services::kDemandStart);
    EXPECT_EQ(platform::OpenServiceHandleCount(), 0u);
}

} // namespace
