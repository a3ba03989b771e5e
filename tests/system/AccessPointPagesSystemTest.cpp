// TessarynAp's status and 802.11n pages on the desktop, as a person tries them with two stations
// joined to the access point: Statistics counting up and RESET COUNTERS zeroing it, About
// showing the versions, MAC and addresses, and on this 802.11n adapter with "bCheckBuild" 1 the
// 11n page listing the block-ack sessions, its Add and Delete sending their 14-byte requests.

#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/RequestLog.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/registry/Registry.h"
#include "tests/system/ClientDesktop.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

using testing_support::ChildProcess;
using testing_support::Contains;
using testing_support::WaitUntil;

const auto kPatience = std::chrono::seconds(30);
const char kSheet[] = "Tessaryn Wireless Utility";

class AccessPointPagesSystem : public testing_support::ClientDesktopTest
{
protected:
    void SetUp() override
    {
        ClientDesktopTest::SetUp();
        machine::programs::SetRecordOnly(m.machine(), "UplinkPick", true);
        machine::programs::SetRecordOnly(m.machine(), "TessarynUI", true);
        for (const auto& d : machine::devices::ListDevices(m.machine()))
            if (d.netCfgInstanceId == m_id)
                m_driverKey = std::string("HKLM\\System\\CurrentControlSet\\Control\\Class\\") +
                              machine::devices::kNetClassGuid + "\\" + d.driverKeyIndex;
    }

    // The quoted text of the control with that id in the drawn window; "<none>" without it.
    static std::string textOf(const std::string& drawn, int nId)
    {
        std::istringstream lines(drawn);
        const std::string key = " " + std::to_string(nId) + " \"";
        for (std::string line; std::getline(lines, line);)
        {
            auto at = line.find(key);
            if (at != std::string::npos)
            {
                std::string rest = line.substr(at + key.size());
                return rest.substr(0, rest.find('"'));
            }
        }
        return "<none>";
    }
    std::vector<std::string> requestsOf(std::uint32_t code) const
    {
        std::vector<std::string> data;
        for (const auto& e : machine::miniport::ReadRequestLog(m.machine(), m_id))
            if (e.code == code)
                data.push_back(e.bytesIn);
        return data;
    }

    std::string m_driverKey;
};

TEST_F(AccessPointPagesSystem, StatisticsAboutAndTheElevenNPageWithTwoStationsJoined)
{
    act({"reg", "set", m_driverKey, "bCheckBuild", "REG_SZ", "1"});
    // The adapter as the client's switch leaves it: in access-point operation.
    machine::miniport::ChangeAdapterState(m.machine(), m_id,
                                          [](machine::miniport::AdapterState& s)
                                          { machine::miniport::SetOperationMode(s, 2); });
    ChildProcess ap("TessarynAp", {"-s"}, m.root());
    act({"ui", "wait", "Vantir Wireless UI", "30"});
    act({"stations", "add", "02-5A-00-00-00-01", "--passphrase", "anything"});
    act({"stations", "add", "02-5A-00-00-00-02", "--passphrase", "anything"});
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            std::string out = vnmachine({"stations"}).out;
            return Contains(out, "02-5A-00-00-00-01") && Contains(out, "02-5A-00-00-00-02") &&
                   !Contains(out, "not joined");
        },
        kPatience))
        << vnmachine({"stations"}).out;

    act({"ui", "tray", "TessarynAp", "double"});
    std::string sheet = waitFor(kSheet);
    act({"ui", "page", sheet, "Statistics"});
    std::string drawn;
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            drawn = show(sheet);
            std::string count = textOf(drawn, 1074); // frames transmitted
            return !count.empty() && count != "0" && count != "<none>";
        },
        kPatience))
        << drawn;
    act({"ui", "click", sheet, "RESET COUNTERS"});
    drawn = show(sheet);
    for (int nId = 1074; nId <= 1083; nId++)
        EXPECT_EQ(textOf(drawn, nId), "0") << nId;
    EXPECT_EQ(requestsOf(0x0DF10103).size(), 1u);

    act({"ui", "page", sheet, "About"});
    drawn = show(sheet);
    EXPECT_TRUE(Contains(drawn, "Utility Version :")) << drawn;
    EXPECT_TRUE(Contains(drawn, "Phy_Address :")) << drawn;
    const std::string mac = machine::miniport::AdapterMacAddress(
        machine::miniport::LoadAdapterState(m.machine(), m_id));
    char macText[18];
    std::snprintf(macText, sizeof macText, "%02X-%02X-%02X-%02X-%02X-%02X",
                  static_cast<unsigned char>(mac[0]), static_cast<unsigned char>(mac[1]),
                  static_cast<unsigned char>(mac[2]), static_cast<unsigned char>(mac[3]),
                  static_cast<unsigned char>(mac[4]), static_cast<unsigned char>(mac[5]));
    EXPECT_EQ(textOf(drawn, 1057), macText) << drawn;
    EXPECT_TRUE(Contains(drawn, "http://www.tessaryn.example/")) << drawn;

    // The 11n page: a session added for the first station, listed, then deleted.
    ASSERT_TRUE(WaitUntil([&] { return Contains(show(sheet), "11n Setting"); }, kPatience));
    act({"ui", "page", sheet, "11n Setting"});
    act({"ui", "click", sheet, "MPDU Aggregation"}); // off: the stored word had it on
    act({"ui", "click", sheet, "MPDU Aggregation"});
    act({"ui", "click", sheet, "Manual"});
    act({"ui", "click", sheet, "APPLY"});
    // ADD runs its dialog modally: the click returns once the dialog is up.
    std::thread add([&] { vnmachine({"ui", "click", sheet, std::to_string(1136)}); });
    std::string dlg = waitFor("Add MPDU Aggregation");
    act({"ui", "row", dlg, "1242", "0"});
    act({"ui", "select", dlg, "1259", "3"});
    act({"ui", "settext", dlg, "1243", "64"});
    act({"ui", "click", dlg, "OK"});
    add.join();
    ASSERT_EQ(requestsOf(0x0DF10138).size(), 1u);
    EXPECT_EQ(requestsOf(0x0DF10138)[0],
              std::string("\x00\x02\x5A\x00\x00\x00\x01\x03\x40\x00\x00\x00\x00\x00", 14));
    ASSERT_TRUE(WaitUntil([&] { return Contains(show(sheet), "02-5A-00-00-00-01"); }, kPatience))
        << show(sheet);

    std::thread del([&] { vnmachine({"ui", "click", sheet, std::to_string(1137)}); });
    dlg = waitFor("Delete MPDU Aggregation");
    act({"ui", "select", dlg, "1259", "3"});
    act({"ui", "click", dlg, "OK"});
    del.join();
    ASSERT_EQ(requestsOf(0x0DF1013A).size(), 1u);
    EXPECT_EQ(requestsOf(0x0DF1013A)[0],
              std::string("\x00\x02\x5A\x00\x00\x00\x01\x03\x00\x00\x00\x00\x00\x00", 14));
    ASSERT_TRUE(WaitUntil([&] { return !Contains(show(sheet), "02-5A-00-00-00-01"); }, kPatience))
        << show(sheet);

    act({"ui", "click", sheet, "OK"});
    act({"post", "Vantir Wireless UI", "0x0111", "0x8008"});
    EXPECT_EQ(ap.waitForExit(kPatience), 0);
}

} // namespace
