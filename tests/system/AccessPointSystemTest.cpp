// The adapter from station use to access-point use and back, on one default machine, as a person
// does it: TessarynUI's "Switch to AP Mode", TessarynAp starting the access point with bridging
// and sharing, stations joining it, and "Switch to Station Mode" handing the adapter back.

#include "machine/bridge/BridgeLog.h"
#include "machine/bridge/BridgeState.h"
#include "machine/desktop/Tray.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/radio/Network.h"
#include "machine/stations/Stations.h"
#include "platform/Windows.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"
#include "tests/system/Journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace
{

using namespace std::chrono_literals;
using machine::miniport::LogEntry;
using testing_support::ChildProcess;
using testing_support::WaitUntil;

const auto kPatience = 20s;
const char kMonitorTitle[] = "Vantir Wireless UI";

bool contains(const std::string& text, const std::string& what)
{
    return text.find(what) != std::string::npos;
}

std::string u32(std::uint32_t v)
{
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

class AccessPointSystem : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_id = testing_support::EnsureDefaultAdapter(machine());
        // The uplink selector's starts are recorded only: its own tests drive its window.
        machine::programs::SetRecordOnly(machine(), "UplinkPick", true);
        for (const auto& d : machine::devices::ListDevices(machine()))
            if (d.netCfgInstanceId == m_id)
                m_driverKey = std::string("System\\CurrentControlSet\\Control\\Class\\") +
                              machine::devices::kNetClassGuid + "\\" + d.driverKeyIndex;
    }

    // The programs the mode switch started are nobody's children here: end what still runs.
    void TearDown() override
    {
        for (const std::string& line : programLog())
        {
            auto at = line.find(" pid=");
            if (at != std::string::npos)
                ::kill(std::stoi(line.substr(at + 5)), SIGKILL);
        }
    }

    machine::Machine& machine() const { return m.machine(); }
    std::vector<std::string> programLog() const
    {
        return machine::programs::ReadProgramLog(machine());
    }
    std::vector<LogEntry> requests() const
    {
        return machine::miniport::ReadRequestLog(machine(), m_id);
    }
    testing_support::CommandRun vnmachine(const std::vector<std::string>& args)
    {
        return testing_support::RunVnmachine(m.root(), args);
    }
    void act(const std::vector<std::string>& args)
    {
        auto r = vnmachine(args);
        ASSERT_EQ(r.status, 0) << r.out;
    }

    // The notification-area icon of the process, when it shows one.
    std::optional<machine::desktop::TrayIcon> trayOf(int pid) const
    {
        for (const auto& icon : machine::desktop::ListTrayIcons(machine()))
        {
            if (icon.uid == 161 && icon.pid == pid)
                return icon;
        }
        return std::nullopt;
    }
    // The icon of the last process of the program that the machine started.
    std::optional<machine::desktop::TrayIcon> trayOf(const std::string& program) const
    {
        return trayOf(pidOf({program}));
    }
    // The last process the machine started whose command line names one of `programs`
    // ("HubDesk.exe", "TessarynAp", "TessarynUI"), from the program log (the stand-ins have no
    // process).
    int pidOf(const std::vector<std::string>& programs) const
    {
        int pid = -1;
        for (const std::string& line : programLog())
        {
            auto at = line.find(" pid=");
            if (at == std::string::npos || line.rfind("WinExec [", 0) != 0)
                continue;
            std::string file = line.substr(9, line.find(']') - 9); // the command line
            for (const std::string& program : programs)
                if (contains(file, program))
                    pid = std::stoi(line.substr(at + 5));
        }
        return pid;
    }
    int accessPointPid() const { return pidOf({"HubDesk.exe", "TessarynAp"}); }
    bool running(int pid) const { return pid > 0 && ::kill(pid, 0) == 0; }

    std::string driverValue(const std::string& subkey, const std::string& name) const
    {
        std::string path = m_driverKey + (subkey.empty() ? "" : "\\" + subkey);
        HKEY hKey = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return "<no key>";
        char data[1024] = {};
        DWORD size = sizeof(data) - 1;
        LONG r =
            RegQueryValueExA(hKey, name.c_str(), NULL, NULL, reinterpret_cast<LPBYTE>(data), &size);
        RegCloseKey(hKey);
        return r == ERROR_SUCCESS ? std::string(data, size) : "<none>";
    }
    std::vector<std::string> valueNames(const std::string& subkey) const
    {
        std::vector<std::string> names;
        HKEY hKey = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (m_driverKey + "\\" + subkey).c_str(), 0, KEY_READ,
                          &hKey) != ERROR_SUCCESS)
            return names;
        for (DWORD i = 0;; i++)
        {
            char name[260];
            DWORD size = sizeof(name);
            if (RegEnumValueA(hKey, i, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            names.push_back(name);
        }
        RegCloseKey(hKey);
        return names;
    }
    void setApDefault(const std::string& name, const std::string& text)
    {
        HKEY hKey = 0;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (m_driverKey + "\\ApDefault").c_str(), 0,
                                KEY_ALL_ACCESS, &hKey),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(hKey, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.data()),
                                 static_cast<DWORD>(text.size())),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }

    // The requests from `from` on whose code is one of `codes`, in order.
    static std::vector<LogEntry> among(const std::vector<LogEntry>& log, std::size_t from,
                                       const std::vector<DWORD>& codes)
    {
        std::vector<LogEntry> out;
        for (std::size_t i = from; i < log.size(); i++)
            if (std::find(codes.begin(), codes.end(), log[i].code) != codes.end())
                out.push_back(log[i]);
        return out;
    }
    static std::vector<DWORD> codesOf(const std::vector<LogEntry>& entries)
    {
        std::vector<DWORD> out;
        for (const LogEntry& e : entries)
            out.push_back(e.code);
        return out;
    }

    // The station events the driver handed out from `from` on: (MAC text, code).
    std::vector<std::pair<std::string, int>> eventsFrom(std::size_t from) const
    {
        std::vector<std::pair<std::string, int>> out;
        auto log = requests();
        for (std::size_t i = from; i < log.size(); i++)
        {
            const LogEntry& e = log[i];
            if (e.code != 0x0D71010A || !e.ok || e.bytesOut.size() < 8)
                continue;
            std::uint32_t count = 0;
            std::memcpy(&count, e.bytesOut.data(), 4);
            for (std::uint32_t n = 0; n < count && 8 + 16 * (n + 1) <= e.bytesOut.size(); n++)
            {
                const auto* record =
                    reinterpret_cast<const unsigned char*>(e.bytesOut.data()) + 8 + 16 * n;
                char mac[18];
                std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", record[8],
                              record[9], record[10], record[11], record[12], record[13]);
                out.push_back({mac, record[14] | (record[15] << 8)});
            }
        }
        return out;
    }

    bool stationJoined(const std::string& mac) const
    {
        for (const auto& s : machine::stations::ListStations(machine(), m_id))
            if (machine::radio::FormatBssid(s.station.mac) == mac)
                return s.joined.has_value();
        return false;
    }
    static machine::stations::Station station(const std::string& mac, const std::string& key)
    {
        machine::stations::Station s;
        s.mac = *machine::radio::ParseBssid(mac);
        s.key = machine::stations::StationKey::Passphrase;
        s.passphrase = key;
        return s;
    }

    testing_support::TempMachine m;
    std::string m_id;
    std::string m_driverKey;
};

TEST_F(AccessPointSystem, StationUseToAccessPointAndBack)
{
    ChildProcess ui("TessarynUI", {"-s"}, m.root());
    ASSERT_TRUE(WaitUntil([&] { return trayOf(ui.pid()).has_value(); }, kPatience));
    const std::string mac =
        machine::miniport::AdapterMacAddress(machine::miniport::LoadAdapterState(machine(), m_id));
    char lastByte[3];
    std::snprintf(lastByte, sizeof lastByte, "%02X", static_cast<unsigned char>(mac[5]));
    const std::string ssid = std::string("SoftAP-") + lastByte;
    machine::bridge::ClearBridgeLog(machine());
    const std::size_t before = requests().size();
    const std::uint64_t mark = testing_support::Journal::Read(m.root()).lastSeq();

    // "Switch to AP Mode" from the client's tray menu.
    act({"ui", "tray", "TessarynUI", "right"});
    act({"ui", "menu", "Switch to AP Mode"});
    EXPECT_EQ(ui.waitForExit(kPatience), 0);

    // Across the logs: the driver key's "OpMode" is written before the driver is told the mode
    // (the operation-mode set, its code's set bit 0x00800000), and both before the mode switch
    // starts. The key's own value, not the copy kept in its "Default" subkey.
    const std::string driverKey =
        std::regex_replace(m_driverKey, std::regex(R"([\\^$.|?*+()\[\]{}])"), R"(\$&)");
    EXPECT_TRUE(testing_support::Journal::Read(m.root()).inOrder(
        {
            {"the driver key's OpMode written", "^registry\\.log$",
             "^set \\[HKEY_LOCAL_MACHINE\\\\" + driverKey + "\\] \"OpMode\" REG_SZ 31(00)?$"},
            {"the driver set to access-point mode", "requests\\.log$", "\\bFF810308\\b"},
            {"the mode switch started", "^programs\\.log$", "VnSwap\\.exe"},
        },
        mark));
    ASSERT_TRUE(WaitUntil([&] { return trayOf(accessPointPid()).has_value(); }, kPatience));

    // The mode switch with its exact command line, then the access-point program beside it.
    auto programs = programLog();
    auto at = [&](const std::string& what)
    {
        return std::find_if(programs.begin(), programs.end(),
                            [&](const std::string& l) { return contains(l, what); });
    };
    auto swap = at("WinExec [\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"] "
                   "show=6");
    auto hubDesk = at("WinExec [\"C:\\Program Files\\Tessaryn\\HubDesk.exe\"]");
    auto icsDown = at("WinExec [\"UplinkPick.exe\" ICS_DOWN] show=0");
    auto selector = at("WinExec [UplinkPick.exe] show=5");
    ASSERT_NE(swap, programs.end());
    ASSERT_NE(hubDesk, programs.end());
    ASSERT_NE(icsDown, programs.end());
    ASSERT_NE(selector, programs.end());
    EXPECT_LT(swap, hubDesk);
    EXPECT_LT(hubDesk, icsDown);
    EXPECT_LT(icsDown, selector);

    // The start sequence, then the settings pushed, in order, ending with the SSID, the
    // access-control list and WDS.
    const std::vector<DWORD> kWatched = {0x0D710126, 0x0DF10126, 0x0D010203, 0x00010110,
                                         0x0D710105, 0x0DF1010C, 0x0DF1013B, 0x0DF10118,
                                         0x0D810210, 0x0D010211, 0x0D810118, 0x0D81011B,
                                         0x0D810102, 0x0DF10110, 0x0DF10112};
    ASSERT_TRUE(
        WaitUntil([&] { return among(requests(), before, {0x0DF10112}).size() == 1; }, kPatience));
    auto push = among(requests(), before, kWatched);
    std::vector<DWORD> kOrder = {0x0D710126, 0x0DF10126, 0x0D010203, 0x00010110,
                                 0x0D710105, 0x0D710105, 0x0DF1010C, 0x0DF1013B,
                                 0x0DF10118, 0x0D810210, 0x0D010211, 0x0D810118,
                                 0x0D81011B, 0x0D810102, 0x0DF10110, 0x0DF10112};
    EXPECT_EQ(codesOf(push), kOrder);
    if (codesOf(push) == kOrder)
    {
        EXPECT_EQ(push[0].length, 4u);
        EXPECT_EQ(push[1].bytesIn, u32(1)); // the start marker
        EXPECT_EQ(push[4].bytesIn, u32(3) + u32(54) + u32(0));
        EXPECT_EQ(push[6].bytesIn, u32(0)); // the client's first run: B/G mixed
        EXPECT_EQ(push[7].length, 12u);
        EXPECT_EQ(push[8].bytesIn, u32(100));
        EXPECT_EQ(push[9].bytesIn, std::string("\x6C\x60\x48\x30\x16\x0B\x04\x02", 8));
        EXPECT_EQ(push[11].bytesIn, u32(0)); // open
        EXPECT_EQ(push[12].bytesIn, u32(1)); // no encryption
        EXPECT_EQ(push[13].bytesIn, u32(static_cast<std::uint32_t>(ssid.size())) + ssid +
                                        std::string(32 - ssid.size(), '\0'));
        EXPECT_EQ(push[14].bytesIn, std::string(264, '\0')); // no access control
        EXPECT_EQ(push[15].bytesIn, std::string(60, '\0'));  // no WDS
    }
    // The client's first-run set, completed by the three values the access point adds.
    EXPECT_EQ(driverValue("ApDefault", "FragThresh"), "0");
    EXPECT_EQ(driverValue("ApDefault", "AllowBW40Capability"), "1");
    EXPECT_EQ(driverValue("ApDefault", "CountryRegion"), "0");
    EXPECT_EQ(driverValue("ApDefault", "CountryRegionABand"), "0");
    EXPECT_EQ(driverValue("", "AllowBW40Capability"), "1");

    // Bridging was off: asked, then switched on through a second handle, the first closed last.
    EXPECT_EQ(machine::bridge::ReadBridgeLog(machine()),
              (std::vector<std::string>{
                  "open 1 access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE",
                  "request 1 VERSION in=FFFFFFFF out=4 answered 02000000",
                  "request 1 STATE in=- out=4 answered 00000000",
                  "open 2 access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE",
                  "request 2 VERSION in=FFFFFFFF out=4 answered 02000000",
                  "request 2 SWITCH in=01000000 out=0 answered -", "close 2", "close 1"}));
    EXPECT_TRUE(machine::bridge::LoadBridge(machine()).bridging);

    // The icon follows the signal within a tick.
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            auto icon = trayOf(accessPointPid());
            return icon && contains(icon->tip, "Tessaryn Wireless LAN Card\nStatus : ");
        },
        kPatience));

    // The open access point takes a station of any key.
    ASSERT_TRUE(machine::stations::AddStation(machine(), m_id,
                                              station("02-5A-00-00-00-01", "anything-at-all")));
    EXPECT_TRUE(stationJoined("02-5A-00-00-00-01"));

    // WPA2-PSK in "ApDefault" and the access point started again: the right passphrase joins,
    // a wrong one does not, and the driver tells both.
    ASSERT_TRUE(machine::stations::RemoveStation(machine(), m_id,
                                                 *machine::radio::ParseBssid("02-5A-00-00-00-01")));
    setApDefault("AuthenType", "7");
    setApDefault("Encryption", "6");
    setApDefault("WPAPSK", "orchard-secret");
    int ap = accessPointPid();
    HWND hWnd = FindWindowA(NULL, kMonitorTitle);
    ASSERT_NE(hWnd, 0u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 0x8008, 0)); // Exit
    ASSERT_TRUE(WaitUntil([&] { return !running(ap); }, kPatience));
    const std::size_t restart = requests().size();
    act({"ui", "start", "TessarynAp", "-s"});
    ASSERT_TRUE(WaitUntil([&] { return trayOf(accessPointPid()).has_value(); }, kPatience));
    ASSERT_TRUE(
        WaitUntil([&] { return among(requests(), restart, {0x0DF10112}).size() == 1; }, kPatience));
    EXPECT_TRUE(among(requests(), restart, {0x0DF10126}).empty()) << "the marker stays set";

    const std::string right = "02-5A-00-00-00-02";
    const std::string wrong = "02-5A-00-00-00-03";
    ASSERT_TRUE(machine::stations::AddStation(machine(), m_id, station(right, "orchard-secret")));
    ASSERT_TRUE(machine::stations::AddStation(machine(), m_id, station(wrong, "orchard-guess")));
    EXPECT_TRUE(stationJoined(right));
    EXPECT_FALSE(stationJoined(wrong));
    auto events = [&] { return eventsFrom(restart); };
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            auto e = events();
            return std::count(e.begin(), e.end(), std::make_pair(right, 1)) == 1 &&
                   std::count(e.begin(), e.end(), std::make_pair(wrong, 5)) == 1;
        },
        kPatience));

    // "Switch to Station Mode": the driver key back from "Default", "OpMode" "0", the marker
    // cleared, the mode switch started; TessarynUI comes back in station use.
    const std::size_t handBack = requests().size();
    ap = accessPointPid();
    act({"ui", "tray", "TessarynAp", "right"});
    act({"ui", "menu", "Switch to Station Mode"});
    ASSERT_TRUE(WaitUntil([&] { return !running(ap); }, kPatience));
    EXPECT_FALSE(trayOf(accessPointPid()).has_value());
    EXPECT_EQ(driverValue("", "OpMode"), "0");
    // Every value of "Default" is back in the driver key ("OpMode" is written after).
    std::vector<std::string> saved = valueNames("Default");
    EXPECT_GT(saved.size(), 5u);
    for (const std::string& name : saved)
    {
        if (name != "OpMode")
        {
            EXPECT_EQ(driverValue("", name), driverValue("Default", name)) << name;
        }
    }
    auto marker = among(requests(), handBack, {0x0DF10126});
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0].bytesIn, u32(0));
    programs = programLog();
    EXPECT_NE(at("WinExec [\"VnSwap.exe\" OFF TessarynUI TessarynAp \"Tessaryn Wireless\"] show=6"),
              programs.end());

    ASSERT_TRUE(WaitUntil([&] { return trayOf("TessarynUI").has_value(); }, kPatience));
    ASSERT_TRUE(
        WaitUntil([&] { return !among(requests(), handBack, {0x0D810102}).empty(); }, kPatience))
        << "the client applies its configuration";
    EXPECT_EQ(
        machine::miniport::OperationMode(machine::miniport::LoadAdapterState(machine(), m_id)), 1u);
    hWnd = FindWindowA(NULL, kMonitorTitle);
    ASSERT_NE(hWnd, 0u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 0x8008, 0));
    int client = pidOf({"TessarynUI"});
    EXPECT_TRUE(WaitUntil([&] { return !running(client); }, kPatience));
}

TEST_F(AccessPointSystem, OnAFreshMachineTheAccessPointWritesItsOwnFirstRunSet)
{
    ChildProcess ap("TessarynAp", {"-s"}, m.root());
    ASSERT_TRUE(WaitUntil([&] { return driverValue("", "IdleTime") == "300"; }, kPatience));
    const std::pair<const char*, const char*> firstRun[] = {
        {"WirelessMode", "9"}, {"FragThresh", "2346"}, {"RtsThresh", "2347"},
        {"WdsEnable", "0"},    {"IdleTime", "300"},    {"BeaconPeriod", "100"},
        {"AuthenType", "0"},   {"Encryption", "1"},    {"RekeyInterval", "60"}};
    for (const auto& [name, text] : firstRun)
    {
        EXPECT_EQ(driverValue("ApDefault", name), text) << name;
        EXPECT_EQ(driverValue("", name), text) << name;
    }
    HWND hWnd = FindWindowA(NULL, kMonitorTitle);
    ASSERT_NE(hWnd, 0u);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 0x8008, 0));
    EXPECT_EQ(ap.waitForExit(kPatience), 0);
}

} // namespace
