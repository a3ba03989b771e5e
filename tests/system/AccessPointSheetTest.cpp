// The access point run from its own window on the default machine, as a person does it through
// the machine tool: the adapter switched to access-point use from TessarynUI's tray, the sheet
// opened from TessarynAp's tray, a name and WPA2-PSK given on Config and applied, a station
// with the passphrase joining and showing on Mac Table and Event Log, then kept out by a
// "Reject All" list applied on Access Control.

#include "machine/devices/DeviceTree.h"
#include "machine/miniport/RequestLog.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/radio/Network.h"
#include "machine/registry/Registry.h"
#include "machine/stations/Stations.h"
#include "tests/accesspoint/support/CodeOrder.h"
#include "tests/system/ClientDesktop.h"

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
using testing_support::Contains;
using testing_support::WaitUntil;

constexpr std::chrono::milliseconds kPatience = testing_support::kDesktopPatience;
const char kSheet[] = "Tessaryn Wireless Utility";
const char kStation[] = "02-5A-00-00-00-21";
const char kPassphrase[] = "orchard-secret";

std::string Le32(std::uint32_t v)
{
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

class AccessPointSheetSystem : public testing_support::ClientDesktopTest
{
protected:
    void SetUp() override
    {
        ClientDesktopTest::SetUp();
        machine::programs::SetRecordOnly(m.machine(), "UplinkPick", true);
    }
    // The access-point program the mode switch started is nobody's child here.
    void TearDown() override
    {
        for (const std::string& line : machine::programs::ReadProgramLog(m.machine()))
        {
            auto at = line.find(" pid=");
            if (at != std::string::npos)
                ::kill(std::stoi(line.substr(at + 5)), SIGKILL);
        }
    }

    std::vector<LogEntry> requests() const
    {
        return machine::miniport::ReadRequestLog(m.machine(), m_id);
    }
    // The sets sent from request `from` on, in order.
    std::vector<LogEntry> setsFrom(std::size_t from) const
    {
        std::vector<LogEntry> sets;
        auto log = requests();
        for (std::size_t i = from; i < log.size(); i++)
            if ((log[i].code & 0x00800000) != 0)
                sets.push_back(log[i]);
        return sets;
    }
    bool sentFrom(std::size_t from, DWORD code, const std::string& data) const
    {
        for (const LogEntry& e : setsFrom(from))
            if (e.code == code && e.bytesIn == data)
                return true;
        return false;
    }
    bool stationJoined(const std::string& mac) const
    {
        for (const auto& s : machine::stations::ListStations(m.machine(), m_id))
            if (machine::radio::FormatBssid(s.station.mac) == mac)
                return s.joined.has_value();
        return false;
    }
    // A value of "ApDefault" as stored; "<none>" when there is none.
    std::string apDefault(const std::string& name) const
    {
        auto device = machine::devices::FindDeviceByNetCfgInstanceId(m.machine(), m_id);
        if (!device)
            return "<no device>";
        auto value = machine::registry::GetValue(
            m.machine(), machine::devices::DriverKeyPath(*device) + "\\ApDefault", name);
        return value ? value->data : std::string("<none>");
    }
    // The part of the drawn sheet from the list view on.
    std::string listOf(const std::string& sheet, const std::string& listId)
    {
        std::string drawn = show(sheet);
        auto at = drawn.find("listview " + listId + ":");
        return at == std::string::npos ? std::string() : drawn.substr(at);
    }
};

TEST_F(AccessPointSheetSystem, NamedSecuredWatchedAndRestricted)
{
    // Station use first; "Switch to AP Mode" from the client's tray.
    ChildProcess ui("TessarynUI", {"-s"}, m.root());
    ASSERT_TRUE(WaitUntil([&] { return trayIcon().has_value(); }, kPatience));
    act({"ui", "tray", "TessarynUI", "right"});
    act({"ui", "menu", "Switch to AP Mode"});
    EXPECT_EQ(ui.waitForExit(kPatience), 0);
    ASSERT_TRUE(WaitUntil([&] { return trayIcon().has_value(); }, kPatience))
        << vnmachine({"ui", "list"}).out;
    ASSERT_TRUE(WaitUntil(
        [&] { return !setsFrom(0).empty() && setsFrom(0).back().code == 0x0DF10112; }, kPatience));

    // The sheet from the tray, on Config.
    act({"ui", "tray", "TessarynAp", "double"});
    const std::string sheet = waitFor(kSheet);
    std::string drawn = show(sheet);
    ASSERT_TRUE(Contains(drawn, "edit 1062")) << drawn;

    act({"ui", "settext", sheet, "1062", "Orchard Home"});
    act({"ui", "click", sheet, "1143"});
    const std::string security = waitFor("Security Setting");
    act({"ui", "select", security, "1012", "WPA2-PSK"});
    act({"ui", "select", security, "1111", "AES"});
    act({"ui", "settext", security, "1053", kPassphrase});
    act({"ui", "click", security, "OK"});
    ASSERT_TRUE(WaitUntil([&] { return !windowOpen("Security Setting"); }, kPatience));

    const std::size_t apply = requests().size();
    act({"ui", "click", sheet, "1157"});
    const std::string ssid = Le32(12) + "Orchard Home" + std::string(20, '\0');
    ASSERT_TRUE(WaitUntil([&] { return sentFrom(apply, 0x0D810102, ssid); }, kPatience));

    // The push in the page's order, the SSID last, no access-control record.
    std::vector<std::uint32_t> order;
    for (const LogEntry& e : setsFrom(apply))
        order.push_back(e.code);
    ap_test::ExpectInOrder(order, {0x0DF1010C, 0x0DF1013B, 0x0D810210, 0x0DF10118, 0x0DF10107,
                                   0x0D810118, 0x0D81011B, 0x0D810102});
    EXPECT_EQ(order.back(), 0x0D810102u);
    EXPECT_EQ(std::count(order.begin(), order.end(), 0x0DF10110u), 0);
    EXPECT_TRUE(sentFrom(apply, 0x0D810118, Le32(7))); // WPA2-PSK
    EXPECT_TRUE(sentFrom(apply, 0x0D81011B, Le32(6))); // AES
    const std::pair<const char*, const char*> stored[] = {{"SSID", "Orchard Home"},
                                                          {"AuthenType", "7"},
                                                          {"Encryption", "6"},
                                                          {"WPAPSK", kPassphrase}};
    for (const auto& [name, text] : stored)
        EXPECT_EQ(apDefault(name), text) << name;

    // A station with the passphrase joins; Mac Table lists it at its next refresh.
    act({"ui", "page", sheet, "Mac Table"});
    act({"stations", "add", kStation, "--passphrase", kPassphrase});
    EXPECT_TRUE(stationJoined(kStation));
    EXPECT_TRUE(WaitUntil([&] { return Contains(listOf(sheet, "1106"), kStation); }, 6s))
        << show(sheet);

    // Event Log lists its join with the time.
    act({"ui", "page", sheet, "Event Log"});
    const std::regex joined(R"(\d{4} / \d{2} / \d{2} - \d{2} : \d{2} : \d{2} +\| +)" +
                            std::string(kStation) + " associated");
    EXPECT_TRUE(
        WaitUntil([&] { return std::regex_search(listOf(sheet, "1107"), joined); }, kPatience))
        << show(sheet);

    // Its address on a "Reject All" list, applied: it cannot join again.
    act({"ui", "page", sheet, "Access Control"});
    act({"ui", "select", sheet, "1132", "Reject All"});
    act({"ui", "settext", sheet, "1135", "025A00000021"});
    act({"ui", "click", sheet, "1136"});
    const std::size_t restrict = requests().size();
    act({"ui", "click", sheet, "1157"});
    std::string record = Le32(2) + Le32(1) + std::string("\x02\x5A\0\0\0\x21\0\0", 8);
    record.resize(264, '\0');
    ASSERT_TRUE(WaitUntil([&] { return sentFrom(restrict, 0x0DF10110, record); }, kPatience));
    EXPECT_EQ(apDefault("AccessControlPolicy"), "2");
    EXPECT_EQ(apDefault("AccessControlList"), std::string("025A00000021\0\0", 14));
    act({"stations", "remove", kStation});
    act({"stations", "add", kStation, "--passphrase", kPassphrase});
    EXPECT_FALSE(stationJoined(kStation));

    // OK closes the sheet; Exit ends the program.
    act({"ui", "click", sheet, "OK"});
    EXPECT_TRUE(WaitUntil([&] { return !windowOpen(kSheet); }, kPatience));
    auto r = vnmachine({"post", "Vantir Wireless UI", "0x0111", "0x8008"});
    EXPECT_EQ(r.status, 0) << r.out;
}

} // namespace
