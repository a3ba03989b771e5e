// vnmachine wlan shows the machine's WLAN service and pulls its levers.

#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <cctype>

namespace
{

namespace wlan = machine::wlan;

class VnmachineWlanTest : public ::testing::Test
{
protected:
    testing_support::ToolRun vnmachine(std::vector<std::string> args)
    {
        args.insert(args.begin(), "wlan");
        return testing_support::RunVnmachineApart(m_machine.root(), args);
    }

    const machine::Machine& m() const { return m_machine.machine(); }

    std::string firstGuid() const
    {
        auto guids = wlan::InterfaceGuids(m());
        return guids.empty() ? std::string() : guids.front();
    }

    // The notifications journalled since `seq`, as "source code guid data-size" lines.
    std::vector<std::string> notesAfter(std::uint64_t seq) const
    {
        std::vector<std::string> out;
        for (const auto& n : wlan::NotificationsAfter(m(), seq))
            out.push_back(std::to_string(n.source) + " " + std::to_string(n.code) + " " + n.guid +
                          " " + std::to_string(n.data.size()));
        return out;
    }

    testing_support::TempMachine m_machine;
};

TEST_F(VnmachineWlanTest, StatusShowsEveryInterfaceOfTheDefaultMachine)
{
    auto r = vnmachine({"status"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string guid = firstGuid();
    ASSERT_FALSE(guid.empty());
    const auto info = wlan::ListInterfaces(m()).front();
    EXPECT_NE(r.out.find("interface " + guid + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  description  " + info.description + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("state        disconnected (4)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("connection   none"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("scan delay 1500 ms"), std::string::npos) << r.out;
    // One radio line per PHY the interface reports.
    std::size_t phyLines = 0;
    for (std::size_t at = r.out.find(": software on, hardware on"); at != std::string::npos;
         at = r.out.find(": software on, hardware on", at + 1))
        ++phyLines;
    EXPECT_EQ(phyLines, info.phyTypes.size()) << r.out;

    EXPECT_EQ(vnmachine({"scan-delay", "250"}).status, 0);
    EXPECT_NE(vnmachine({}).out.find("scan delay 250 ms"), std::string::npos);
    EXPECT_EQ(vnmachine({"--interface", "{00000000-0000-0000-0000-000000000000}", "status"}).status,
              1);
    // The GUID is taken without braces and in any case.
    std::string bare = guid.substr(1, guid.size() - 2);
    for (char& c : bare)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    r = vnmachine({"--interface", bare, "status"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("interface " + guid), std::string::npos) << r.out;
}

TEST_F(VnmachineWlanTest, BadArgumentsAreUsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {"frobnicate"},
        {"status", "extra"},
        {"fail"},
        {"fail", "WlanFrobnicate"},
        {"fail", "WlanScan", "0"}, // a failure that reads as success
        {"fail", "WlanScan", "5", "6"},
        {"fail", "WlanScan", "--times", "0"},
        {"scan-delay", "-1"},
        {"connect-delay", "soon"},
        {"radio", "sideways"},
        {"radio", "off", "x"},
        {"hardware-radio", "off", "1"},
        {"notify", "acm"},
        {"notify", "acm", "13", "--guid", "not-a-guid"},
        {"notify", "msm", "7", "--data", "ABC"},
        {"secret", "Orchard AES"},
        {"--interface", "junk", "status"},
    };
    for (const auto& args : cases)
    {
        std::string line;
        for (const auto& a : args)
            line += a + " ";
        auto r = vnmachine(args);
        EXPECT_EQ(r.status, 2) << line;
        EXPECT_NE(r.err.find("usage: vnmachine wlan"), std::string::npos) << line;
    }
    EXPECT_EQ(vnmachine({"help"}).status, 0);
}

TEST_F(VnmachineWlanTest, InjectedFailuresReachTheCallsAndTheLog)
{
    const std::string guid = firstGuid();
    auto r = vnmachine({"fail", "WlanScan", "ERROR_ACCESS_DENIED", "--times", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(vnmachine({"status"}).out.find("fault WlanScan -> 5 (2 more)"), std::string::npos);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanScan"), 5u);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanScan"), 5u);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanScan"), 0u) << "the fault was for two calls";

    ASSERT_EQ(vnmachine({"fail", "WlanConnect", "0x57"}).status, 0);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanConnect"), 87u);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanConnect"), 87u) << "without --times: always";
    ASSERT_EQ(vnmachine({"clear-faults"}).status, 0);
    EXPECT_EQ(wlan::BeginCall(m(), "WlanConnect"), 0u);

    // The scan itself failing ends in scan-fail rather than scan-complete.
    ASSERT_EQ(vnmachine({"scan-delay", "0"}).status, 0);
    ASSERT_EQ(vnmachine({"fail", "scan", "--times", "once"}).status, 0);
    const auto seq = wlan::LastNotificationSeq(m());
    ASSERT_EQ(wlan::StartScan(m(), guid), 0u);
    ASSERT_EQ(wlan::StartScan(m(), guid), 0u);
    EXPECT_EQ(notesAfter(seq),
              (std::vector<std::string>{"8 8 " + guid + " 4", "8 7 " + guid + " 0"}));

    r = vnmachine({"log"});
    ASSERT_EQ(r.status, 0);
    std::size_t first = r.out.find(" WlanScan -> error 5\n");
    EXPECT_NE(first, std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" WlanScan -> error 5\n", first + 1), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" WlanConnect -> error 87\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" scan " + guid + " queued\n"), std::string::npos) << r.out;
}

TEST_F(VnmachineWlanTest, ProfilesSecretsAndLinkLevers)
{
    const std::string guid = firstGuid();
    ASSERT_FALSE(guid.empty());
    // A name and key with markup characters and bytes above 0x7F, escaped in the document.
    const std::string name = "Orchard & \"Co\" <\xC3\xA9>";
    const std::string key = "k&y<\xC3\xA9'";
    const std::string xml =
        "<?xml version=\"1.0\"?>\n"
        "<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
        "<name>Orchard &amp; &quot;Co&quot; &lt;\xC3\xA9&gt;</name>"
        "<SSIDConfig><SSID><name>Orchard AES</name></SSID></SSIDConfig>"
        "<connectionType>ESS</connectionType><connectionMode>manual</connectionMode>"
        "<MSM><security><authEncryption><authentication>WPA2PSK</authentication>"
        "<encryption>AES</encryption><useOneX>false</useOneX></authEncryption>"
        "<sharedKey><keyType>passPhrase</keyType><protected>false</protected>"
        "<keyMaterial>k&amp;y&lt;\xC3\xA9&apos;</keyMaterial></sharedKey></security></MSM>"
        "</WLANProfile>";
    std::uint32_t reason = 0;
    ASSERT_EQ(wlan::SetProfile(m(), guid, xml, true, true, reason), 0u) << reason;

    auto r = vnmachine({"profiles"});
    EXPECT_NE(r.out.find("  \"" + name + "\"  per user\n"), std::string::npos) << r.out;
    r = vnmachine({"profile", name});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, xml) << "the stored document, byte for byte";
    EXPECT_EQ(vnmachine({"profile", "orchard & \"co\" <\xC3\xA9>"}).status, 1) << "exact names";

    // The key the tool sets is the one the network then accepts.
    ASSERT_EQ(vnmachine({"secret", "Orchard AES", key}).status, 0);
    ASSERT_EQ(vnmachine({"connect-delay", "0"}).status, 0);
    auto seq = wlan::LastNotificationSeq(m());
    ASSERT_EQ(wlan::Connect(m(), guid, wlan::ConnectRequest{0, name, std::nullopt, 1, {}}), 0u);
    EXPECT_EQ(notesAfter(seq),
              (std::vector<std::string>{"8 9 " + guid + " 0", "8 10 " + guid + " 0"}));
    r = vnmachine({"status"});
    EXPECT_NE(r.out.find("connected (1)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("connection   \"Orchard AES\" 02-54-59-00-00-04 phy "), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("security WPA2-PSK AES\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("profile \"" + name + "\""), std::string::npos) << r.out;

    const std::string foreign = "{0BADF00D-0000-4000-8000-000000000001}";
    seq = wlan::LastNotificationSeq(m());
    EXPECT_EQ(vnmachine({"roam"}).status, 0);
    EXPECT_EQ(vnmachine({"disconnect"}).status, 0);
    EXPECT_EQ(vnmachine({"--interface", guid, "radio", "off", "1"}).status, 0);
    EXPECT_EQ(vnmachine({"notify", "acm", "13", "--guid", foreign}).status, 0);
    EXPECT_EQ(vnmachine({"notify", "0x10", "7", "--data", "000000000100000001000000"}).status, 0);
    EXPECT_EQ(notesAfter(seq),
              (std::vector<std::string>{"16 6 " + guid + " 0", "8 21 " + guid + " 0",
                                        "16 7 " + guid + " 12", "8 13 " + foreign + " 0",
                                        "16 7 " + guid + " 12"}));
    EXPECT_EQ(wlan::RadioState(m(), guid).at(1).software, 2u);
    EXPECT_EQ(wlan::RadioState(m(), guid).at(0).software, 1u);
    EXPECT_FALSE(wlan::CurrentConnection(m(), guid).has_value());
    EXPECT_EQ(vnmachine({"radio", "on", "9"}).status, 1) << "no such PHY";
}

} // namespace
