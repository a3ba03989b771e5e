#include "tests/machine/wlan/WlanFixture.h"

#include "machine/ErrorCodes.h"
#include "machine/FileStore.h"
#include "machine/wlan/StateFile.h"

#include <algorithm>
#include <fstream>

namespace
{

namespace wlan = machine::wlan;

// Every field of the state set away from its default.
wlan::ServiceState FullState()
{
    wlan::ServiceState s;
    s.running = false;
    s.scanDelay = 1234;
    s.connectDelay = 77;
    s.nextSeq = 42;
    s.presentKnown = true;
    s.present = {"{AAA}", "{BBB}"};
    s.faults["WlanConnect"] = {5, 2};
    s.secrets["Psk Three"] = "right pass";
    s.secrets["02-11-22-33-44-05"] = "";
    wlan::Connection c;
    c.mode = wlan::kModeDiscoverySecure;
    c.profileName = "Home";
    c.ssid = "Psk Three";
    c.bssType = machine::radio::kIndependent;
    c.bssid = {0x02, 0x11, 0x22, 0x33, 0x44, 0x05};
    c.phyType = machine::radio::kPhyErp;
    c.phyIndex = 1;
    c.quality = 70;
    c.rateKbps = 11000;
    c.rssi = -65;
    c.security = {true, true, wlan::kAuthRsnaPsk, wlan::kCipherCcmp};
    wlan::InterfaceState& a = s.interfaces["{AAA}"];
    a.phyTypes = {5, 6};
    a.radio = {{wlan::kRadioOn, wlan::kRadioOn}, {wlan::kRadioOff, wlan::kRadioOn}};
    a.connection = c;
    a.wrongWepKey = true;
    a.icvSince = 999;
    wlan::PendingConnect p{5555, true, true, c};
    p.connection.profileName.clear();
    p.connection.ssid.clear();
    a.pending = p;
    s.interfaces["{BBB}"];
    s.profiles[{"{AAA}", true, "Home"}] = "<x a=\"1\"/>";
    s.profiles[{"{AAA}", false, "Other"}] = "";
    s.credentials.insert({"{AAA}", true, "Home"});
    s.journal.push_back({1, 10, wlan::kSourceAcm, wlan::kAcmScanComplete, "{AAA}", {}});
    s.journal.push_back({2, 20, wlan::kSourceMsm, wlan::kMsmRadioStateChange, "", {1, 0, 2, 0}});
    return s;
}

// FullState as existing machines hold it: the file's format must not change.
const char* const kFullStateText = "running 0\n"
                                   "scan-delay 1234\n"
                                   "connect-delay 77\n"
                                   "next-seq 42\n"
                                   "present {AAA} {BBB}\n"
                                   "fault 576C616E436F6E6E656374 5 2\n"
                                   "secret 30322D31312D32322D33332D34342D3035 -\n"
                                   "secret 50736B205468726565 72696768742070617373\n"
                                   "iface {AAA} 1 999 phys 5 6\n"
                                   "radio {AAA} 0 1 1\n"
                                   "radio {AAA} 1 2 1\n"
                                   "connection {AAA} 2 486F6D65 50736B205468726565 2 "
                                   "02-11-22-33-44-05 6 1 70 11000 -65 1 1 7 4\n"
                                   "pending {AAA} 5555 1 1 2 - - 2 "
                                   "02-11-22-33-44-05 6 1 70 11000 -65 1 1 7 4\n"
                                   "iface {BBB} 0 0 phys\n"
                                   "profile {AAA} 0 4F74686572 -\n"
                                   "profile {AAA} 1 486F6D65 3C7820613D2231222F3E\n"
                                   "credentials {AAA} 1 486F6D65\n"
                                   "note 1 10 8 7 {AAA} -\n"
                                   "note 2 20 16 7 - 01000200\n";

TEST(StateFile, EveryFieldIsWrittenAndReadBackAsToday)
{
    const wlan::ServiceState full = FullState();
    const std::string text = wlan::FormatState(full);
    EXPECT_EQ(text, kFullStateText);
    for (std::string_view key : wlan::StateFileKeys())
        EXPECT_NE(("\n" + text).find("\n" + std::string(key) + " "), std::string::npos)
            << "the full state leaves out " << key;

    auto read = wlan::ParseState(text);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_TRUE(read.state == full);
    EXPECT_TRUE(wlan::ParseState("").state == wlan::ServiceState{});
}

TEST(StateFile, ALineThatDoesNotReadIsNamedByItsNumberAndSkipped)
{
    struct Case
    {
        std::string line;
        std::string what; // part of the problem
    } cases[] = {
        {"runing 0", "unknown key \"runing\""},
        {"running yes", "running: the value \"yes\" is not 0 or 1"},
        {"scan-delay -5", "scan-delay: the value \"-5\" is not a number"},
        {"next-seq 7 8", "next-seq: \"8\" after the last value"},
        {"fault 7363616E 5", "fault: the count is missing"},
        {"fault 7363616Z 5 1", "fault: the call \"7363616Z\" is not hex"},
        {"radio {AAA} 64 1 1", "radio: the PHY index is above 63"},
        {"iface {AAA} 0 0 phy 5", "iface: the word \"phy\" is not \"phys\""},
        {"connection {AAA} 0 - - 1 02-11-22 6 1 70 54000 -65 1 0 7 4",
         "connection: the BSSID \"02-11-22\" is not a BSSID"},
        {"note 1 10 8 7 {AAA} 0", "note: the data \"0\" is not hex"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.line);
        const std::string text = "running 0\n\n" + c.line + "\nconnect-delay 9\n";
        auto read = wlan::ParseState(text);
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_EQ(read.problems[0].line, 3u);
        EXPECT_NE(read.problems[0].what.find(c.what), std::string::npos) << read.problems[0].what;
        // The lines around it still count; nothing of the bad line does.
        wlan::ServiceState expected;
        expected.running = false;
        expected.connectDelay = 9;
        EXPECT_TRUE(read.state == expected);
    }
    EXPECT_EQ(wlan::DescribeProblem("/m/wlan/state.txt", {3, "fault: the count is missing"}),
              "state file /m/wlan/state.txt, line 3: fault: the count is missing");
}

class StateFileOfTheService : public wlan_test::WlanMachineTest
{
protected:
    std::filesystem::path folder() const { return m_machine.root() / "wlan"; }
    std::size_t logged(const std::string& text) const
    {
        const std::string log = wlan::ReadLog(m());
        std::size_t count = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }
};

TEST_F(StateFileOfTheService, ReportsABadLineInItsLogOnce)
{
    ASSERT_TRUE(wlan::SetScanDelay(m(), 700));
    const auto file = folder() / "state.txt";
    const std::string text = machine::ReadWholeFile(file).value_or("");
    const auto line = std::count(text.begin(), text.end(), '\n') + 1;
    std::ofstream(file, std::ios::app) << "connect-delay soon\n";

    // The rest of the file still counts, and the line is told once, not at every call.
    EXPECT_TRUE(wlan::IsServiceRunning(m()));
    EXPECT_EQ(wlan::ReadServiceSettings(m()).scanDelay, 700u);
    const std::string report = "state file " + file.string() + ", line " + std::to_string(line) +
                               ": connect-delay: the value \"soon\" is not a number";
    EXPECT_EQ(logged(report), 1u) << wlan::ReadLog(m());
    EXPECT_EQ(logged("state file "), 1u);
}

TEST_F(StateFileOfTheService, AFailedWriteFailsTheCallAndChangesNothing)
{
    ASSERT_EQ(wlan::StartScan(m(), m_guid), 0u);
    // A folder where the state file should be: it can be neither read nor replaced.
    std::filesystem::remove(folder() / "state.txt");
    std::filesystem::create_directory(folder() / "state.txt");
    std::uint32_t reason = 0;
    const std::string profile = wlan_test::ProfileXml("Open One", "Open One", "open", "none");
    EXPECT_EQ(wlan::SetProfile(m(), m_guid, profile, true, true, reason),
              machine::kErrorWriteFault);
    EXPECT_TRUE(wlan::ListProfiles(m(), m_guid).empty());
    EXPECT_EQ(wlan::StartScan(m(), m_guid), machine::kErrorWriteFault);
    EXPECT_FALSE(wlan::SetConnectDelay(m(), 1));
    EXPECT_TRUE(std::filesystem::is_directory(folder() / "state.txt"));
    EXPECT_GE(logged("not written, as it could not be read"), 3u) << wlan::ReadLog(m());

    // No folder for the service at all: a file stands in its way.
    std::filesystem::remove_all(folder());
    {
        std::ofstream blocker(folder());
    }
    EXPECT_EQ(wlan::SetProfile(m(), m_guid, profile, true, true, reason),
              machine::kErrorWriteFault);
    wlan::ConnectRequest r;
    r.mode = wlan::kModeDiscoveryUnsecure;
    r.ssid = "Open One";
    EXPECT_EQ(wlan::Connect(m(), m_guid, r), machine::kErrorWriteFault);
    EXPECT_FALSE(wlan::SetServiceRunning(m(), false));
    EXPECT_TRUE(wlan::IsServiceRunning(m()));
    std::string error;
    EXPECT_FALSE(wlan::SaveState(m(), wlan::ServiceState{}, error));
    EXPECT_NE(error.find("its folder cannot be made"), std::string::npos) << error;
}

} // namespace
