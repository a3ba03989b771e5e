#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/access/DetectOsVersion.h"
#include "client/access/OidAccessor.h"
#include "client/access/ScanList.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/profiles/ProfilePage.h"
#include "client/sheet/VnPropSheet.h"
#include "machine/AsciiCase.h"
#include "machine/desktop/Tray.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/registry/Registry.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using machine::registry::Value;

// The monitor window without its start-up: the tests set up the state it would have.
class MonitorUnderTest : public CHideDlg
{
protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        return TRUE;
    }
};

Value text(const char* name, const char* data)
{
    return Value{name, REG_SZ, data};
}

Value emptyList(const char* name)
{
    return Value{name, REG_MULTI_SZ, std::string(1, '\0')};
}

// The first-run set as it lies in the key: "TXPower" is written twice and kept once.
std::vector<Value> FirstRunSet(const std::string& ssid)
{
    return {text("SSID", ssid.c_str()),
            text("WirelessMode", "0"),
            text("TransRate", "0"),
            text("TurboRate", "0"),
            text("BGProtection", "0"),
            text("ShortSlot", "1"),
            text("Channel", "0"),
            text("PreambleType", "0"),
            text("TXPower", "0"),
            text("RtsThresh", "2347"),
            text("FragThresh", "0"),
            text("AuthenType", "0"),
            text("Encryption", "1"),
            text("WPAPSK", ""),
            text("WEPKey1Type", "0"),
            text("WEPKey2Type", "0"),
            text("WEPKey3Type", "0"),
            text("WEPKey4Type", "0"),
            text("WEPKeyUse", "1"),
            text("WEPKey1", ""),
            text("WEPKey2", ""),
            text("WEPKey3", ""),
            text("WEPKey4", ""),
            text("RekeyInterval", "60"),
            text("RekeyMethod", "0"),
            text("RadiusIP", ""),
            text("RadiusPort", ""),
            text("RadiusKey", ""),
            text("AccessControlPolicy", "0"),
            emptyList("AccessControlList"),
            text("WdsEnable", "1"),
            emptyList("WdsList"),
            text("AutoChannelSelect", "0"),
            text("NoForwarding", "0"),
            text("HideSSID", "0"),
            text("BeaconPeriod", "100")};
}

class ShutdownTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        RegisterTessarynUIResources();
        ASSERT_TRUE(DetectOsVersion());
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\Program Files\\Tessaryn"));
        id = testing_support::SelectDefaultAdapter(m.machine());
        auto device = machine::devices::FindDeviceByNetCfgInstanceId(m.machine(), id);
        ASSERT_TRUE(device.has_value());
        g_nChipType = device->chipType;
        testing_support::SelectDriverKeyOf(m.machine(), id);
        driverKey = machine::devices::DriverKeyPath(*device);
        machine::programs::ClearProgramLog(m.machine());
    }
    void TearDown() override { platform::SetIdleHook(nullptr); }

    void setMacLastByte(unsigned char last)
    {
        machine::miniport::ChangeAdapterState(m.machine(), id,
                                              [&](machine::miniport::AdapterState& s)
                                              {
                                                  std::string mac = AdapterMacAddress(s);
                                                  mac[5] = static_cast<char>(last);
                                                  s.setBytes(0x0D010702, mac);
                                              });
    }

    std::vector<Value> dump(const std::string& key) const
    {
        return machine::registry::DumpKey(m.machine(), key).value_or(std::vector<Value>{});
    }

    // Runs the monitor window: the script runs once it is up; if the window is still up after
    // that, the run is ended and `stayedUp` tells so.
    int runMonitor(MonitorUnderTest& dlg, const std::function<void()>& script)
    {
        int calls = 0;
        stayedUp = false;
        platform::SetIdleHook(
            [&]
            {
                if (calls++ == 0)
                {
                    script();
                    return;
                }
                stayedUp = true;
                dlg.m_bBusy = FALSE;
                dlg.EndDialog(IDCANCEL);
            });
        int nResult = static_cast<int>(dlg.DoModal());
        platform::SetIdleHook(nullptr);
        return nResult;
    }

    std::vector<std::string> programStarts() const
    {
        std::vector<std::string> starts;
        for (const std::string& line : machine::programs::ReadProgramLog(m.machine()))
            if (line.rfind("WinExec ", 0) == 0)
                starts.push_back(line);
        return starts;
    }

    testing_support::TempMachine m;
    std::string id;
    std::string driverKey;
    bool stayedUp = false;
};

TEST_F(ShutdownTest, FirstRunSetHasExactBytesAndIsWrittenOnce)
{
    struct Case
    {
        unsigned char last;
        const char* ssid;
    } cases[] = {{0x0A, "SoftAP-0A"}, {0xBC, "SoftAP-BC"}};
    for (const Case& c : cases)
    {
        machine::registry::DeleteKeyTree(m.machine(), driverKey + "\\ApDefault");
        setMacLastByte(c.last);
        CHideDlg dlg;
        EXPECT_EQ(dlg.WriteApDefaults(), 1);
        EXPECT_EQ(dump(driverKey + "\\ApDefault"), FirstRunSet(c.ssid)) << c.ssid;
    }

    // A later start keeps what the access-point program stored there.
    machine::registry::SetValue(m.machine(), driverKey + "\\ApDefault", "SSID", REG_SZ, "Mine");
    std::vector<Value> stored = dump(driverKey + "\\ApDefault");
    setMacLastByte(0x11);
    CHideDlg dlg;
    EXPECT_EQ(dlg.WriteApDefaults(), 1);
    EXPECT_EQ(dump(driverKey + "\\ApDefault"), stored);
}

TEST_F(ShutdownTest, SwitchLoadsApSettingsKeepsBackupAndStartsVnSwap)
{
    // The access-point program the mode switch starts is recorded only: this process is the one
    // that hands over, and it goes on running the other tests' machines.
    machine::programs::SetRecordOnly(m.machine(), "TessarynAp", true);
    MonitorUnderTest dlg;
    dlg.WriteApDefaults();
    machine::registry::SetValue(m.machine(), driverKey + "\\ApDefault", "Channel", REG_SZ, "11");
    const std::vector<Value> before = dump(driverKey);
    const std::vector<Value> apDefault = dump(driverKey + "\\ApDefault");
    ASSERT_FALSE(before.empty());

    EXPECT_EQ(runMonitor(dlg, [&] { dlg.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_AP, 0); }), IDOK);
    EXPECT_FALSE(stayedUp);

    // The station values are the backup, not overwritten by the end of the program.
    EXPECT_EQ(dump(driverKey + "\\Default"), before);
    // Names compare without regard to case: the driver key's own "TxPower" takes "TXPower".
    std::vector<Value> after = dump(driverKey);
    for (const Value& v : apDefault)
    {
        auto it =
            std::find_if(after.begin(), after.end(),
                         [&](const Value& a) { return machine::EqualNoCase(a.name, v.name); });
        ASSERT_NE(it, after.end()) << v.name;
        EXPECT_EQ(it->type, v.type) << v.name;
        EXPECT_EQ(it->data, v.data) << v.name;
    }
    EXPECT_EQ(machine::registry::GetValue(m.machine(), driverKey, "OpMode"), text("OpMode", "1"));
    char szOpMode[16] = {0};
    GetIniValue(id.c_str(), INI_KIND_STATION, "Config", "OpMode", szOpMode, sizeof(szOpMode));
    EXPECT_STREQ(szOpMode, "1");
    EXPECT_EQ(
        machine::miniport::OperationMode(machine::miniport::LoadAdapterState(m.machine(), id)), 2u);

    // The first start is the client's own; the mode switch then starts what it starts.
    std::vector<std::string> starts = programStarts();
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts[0].rfind(
                  "WinExec [\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"] "
                  "show=6 ",
                  0),
              0u)
        << starts[0];
    EXPECT_EQ(std::count_if(starts.begin(), starts.end(),
                            [](const std::string& line)
                            { return line.find("VnSwap") != std::string::npos; }),
              1);
}

TEST_F(ShutdownTest, ExitAndSwitchWaitWhileBusy)
{
    for (UINT nCommand : {ID_TRAY_EXIT, ID_TRAY_SWITCH_AP})
    {
        MonitorUnderTest dlg;
        dlg.WriteApDefaults();
        const std::vector<Value> before = dump(driverKey);
        dlg.m_bBusy = TRUE;
        runMonitor(dlg, [&] { dlg.SendMessage(WM_COMMAND, nCommand, 0); });
        EXPECT_TRUE(stayedUp) << nCommand;
        EXPECT_TRUE(programStarts().empty()) << nCommand;
        EXPECT_EQ(dump(driverKey), before) << nCommand;
        EXPECT_EQ(
            machine::miniport::OperationMode(machine::miniport::LoadAdapterState(m.machine(), id)),
            1u)
            << nCommand;
    }
}

TEST_F(ShutdownTest, ExitFreesEverythingStopsRetriesAndTakesTheBackup)
{
    MonitorUnderTest dlg;
    const std::size_t nBaseline = platform::LiveGlobalBlocks();

    for (BYTE** ppList : {&g_pBssidList, &g_pBssidListCopy})
        *ppList = static_cast<BYTE*>(GlobalLock(GlobalAlloc(GHND, BSSID_LIST_BYTES)));
    HGLOBAL hProfile = GlobalAlloc(GHND, sizeof(StationProfile));
    _ACTION_DATA action = {ACTION_APPLY_PROFILE, GlobalLock(hProfile)};
    InsertAction(action);
    ASSERT_NE(g_pCurrentProfile, nullptr);

    // Three sets the driver refuses wait for their retry timers.
    for (DWORD code : {0xFF8C0002u, 0xFF8C0003u, 0xFF8C0007u})
        machine::miniport::InjectRequestFault(m.machine(), id, code, -1);
    OidAccessor oid;
    oid.SetPhyMode(9);
    oid.SetCountryRegion(1);
    oid.SetTxPower(1);
    ASSERT_EQ(RetryQueue.GetSize(), 3);
    ASSERT_GT(platform::LiveGlobalBlocks(), nBaseline);

    HWND hMonitor = 0;
    EXPECT_EQ(runMonitor(dlg,
                         [&]
                         {
                             hMonitor = dlg.m_hWnd;
                             ASSERT_TRUE(dlg.AddTrayIcon());
                             dlg.m_pPropSheet = new CVnPropSheet(IDS_SHEET_CAPTION, &dlg);
                             ASSERT_TRUE(dlg.m_pPropSheet->Create(&dlg));
                             // An editor an earlier sheet's closing ended and left behind.
                             g_pProfileEditor = new CPropertySheet("Add Profile");
                             dlg.SendMessage(WM_COMMAND, ID_TRAY_EXIT, 0);
                         }),
              IDOK);
    EXPECT_FALSE(stayedUp);
    EXPECT_FALSE(machine::desktop::FindTrayIcon(m.machine(), hMonitor, TRAY_ICON_ID).has_value());
    EXPECT_EQ(dlg.m_pPropSheet, nullptr);
    EXPECT_TRUE(g_bSheetClosing);
    EXPECT_EQ(FindWindowA(NULL, "Tessaryn Wireless Utility"), 0u);

    EXPECT_EQ(platform::LiveGlobalBlocks(), nBaseline);
    EXPECT_EQ(RetryQueue.GetSize(), 0);
    EXPECT_EQ(ActionQueue.GetSize(), 0);
    EXPECT_EQ(g_pCurrentProfile, nullptr);
    EXPECT_EQ(g_pProfileEditor, nullptr);
    EXPECT_EQ(g_pBssidList, nullptr);
    EXPECT_EQ(g_pBssidListCopy, nullptr);

    // No retry timer is left to send anything.
    machine::miniport::ClearDriverFaults(m.machine(), id);
    machine::miniport::ClearRequestLog(m.machine(), id);
    platform::AdvanceClock(5000);
    EXPECT_TRUE(machine::miniport::ReadRequestLog(m.machine(), id).empty());

    // The backup of the station values is taken at every exit.
    std::vector<Value> backup = dump(driverKey + "\\Default");
    EXPECT_EQ(backup, dump(driverKey));
    EXPECT_FALSE(backup.empty());
}

TEST_F(ShutdownTest, CopyRegistryKeyValuesKeepsTypesAndBytesOfAnyLength)
{
    const std::string from = "HKLM\\SOFTWARE\\CopyFrom";
    const std::string to = "HKLM\\SOFTWARE\\CopyTo";
    machine::registry::CreateKey(m.machine(), from);
    machine::registry::CreateKey(m.machine(), to);
    machine::registry::SetValue(m.machine(), to, "Kept", REG_SZ, "k");
    machine::registry::SetValue(m.machine(), from, "Text", REG_SZ, "abc");
    machine::registry::SetValue(m.machine(), from, "Empty", REG_SZ, "");
    machine::registry::SetValue(m.machine(), from, "Word", REG_DWORD,
                                std::string("\x01\0\0\x80", 4));
    // A full access control list (32 entries of 13 bytes, then the closing zero) and a value
    // after it: the copy does not stop at the long one.
    std::string list;
    for (int i = 0; i < 32; i++)
        list += std::string("00112233445") + static_cast<char>('A' + i % 6) + '\0';
    list += '\0';
    ASSERT_EQ(list.size(), 417u);
    machine::registry::SetValue(m.machine(), from, "AccessControlList", REG_MULTI_SZ, list);
    machine::registry::SetValue(m.machine(), from, "HideSSID", REG_SZ, "1");

    HKEY hFrom = 0;
    HKEY hTo = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\CopyFrom", 0, KEY_READ, &hFrom),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\CopyTo", 0, KEY_ALL_ACCESS, &hTo),
              ERROR_SUCCESS);
    EXPECT_TRUE(CopyRegistryKeyValues(hFrom, hTo));
    RegCloseKey(hFrom);
    RegCloseKey(hTo);
    std::vector<Value> expected = {text("Kept", "k")};
    for (const Value& v : dump(from))
        expected.push_back(v);
    EXPECT_EQ(dump(to), expected);
}

} // namespace
