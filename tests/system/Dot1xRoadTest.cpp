// A WPA2-Enterprise network as a person sets it up, on the built program and the built machine
// tool: Site Survey's Add to Profile, the 802.1X settings (the hidden 802.1X button reached by
// its command), the profile's 802.1X keys, and Activate with the credential editor answered.

#include "machine/certs/CertificateStore.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tests/system/ClientDesktop.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;
using testing_support::ChildProcess;
using testing_support::Contains;
using testing_support::kClientSheetCaption;
using testing_support::WaitUntil;

constexpr auto kPatience = testing_support::kDesktopPatience;
const char kEnterprise[] = "Quarry Corp";
const char kDot1xSheet[] = "802.1x Setting";
const char kCredentialEditor[] = "Wireless Network Properties";

// A store's certificate thumbprint as the profile stores it: two lower-case digits a byte.
std::string StoredThumbprint(const machine::Machine& m, const char* pszStore)
{
    const auto certificates = machine::certs::StoreContents(m, pszStore);
    std::string hex;
    for (std::uint8_t b : certificates.at(0).thumbprint)
    {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", b);
        hex += digits;
    }
    return hex;
}

class Dot1xRoadSystem : public testing_support::ClientDesktopTest
{
protected:
    // Site Survey, the enterprise network, Add to Profile, its security page, then the 802.1X
    // button: the sheet passes the command on to the page, as a click on the (hidden) button
    // would come.
    void open8021xSheet(const std::string& sheet)
    {
        act({"ui", "page", sheet, "Site Survey"});
        std::string drawn;
        ASSERT_TRUE(WaitUntil(
            [&]
            {
                drawn = show(sheet);
                return rowOf(drawn, "1002", kEnterprise) >= 0 &&
                       Contains(drawn, "<Rescan> 1003\n"); // the scan is over
            },
            kPatience))
            << drawn;
        act({"ui", "row", sheet, "1002", std::to_string(rowOf(drawn, "1002", kEnterprise))});
        act({"ui", "click", sheet, "Add to Profile"});
        waitFor("Add Profile");
        act({"ui", "page", "Add Profile", "Authentication and Security"});
        std::string security = vnmachine({"ui", "show", "Add Profile", "--all"}).out;
        EXPECT_TRUE(Contains(security, "combo 1012: \"WPA2\"")) << security;
        EXPECT_TRUE(Contains(security, "<802.1x Setting> 1128 (hidden)")) << security;
        act({"post", "Add Profile", "0x0111", "1128"});
        waitFor(kDot1xSheet);
    }
    // OK on the 802.1X sheet, then on the profile editor.
    void saveProfile()
    {
        act({"ui", "click", kDot1xSheet, "OK"});
        ASSERT_TRUE(WaitUntil([&] { return !windowOpen(kDot1xSheet); }, kPatience))
            << show(kDot1xSheet);
        act({"ui", "click", "Add Profile", "OK"});
        ASSERT_TRUE(WaitUntil([&] { return !windowOpen("Add Profile"); }, kPatience));
    }
    // Activate, and the credential editor answered with the button.
    void activateAnswering(const std::string& sheet, const std::string& button)
    {
        activate(sheet, "PROF1");
        waitFor(kCredentialEditor);
        act({"ui", "click", kCredentialEditor, button});
        ASSERT_TRUE(WaitUntil([&] { return !windowOpen(kCredentialEditor); }, kPatience));
    }
    void expectProfile(const std::vector<std::pair<const char*, std::string>>& keys)
    {
        for (const auto& [key, text] : keys)
            EXPECT_EQ(profileValue("PROF1", key), text) << key;
    }
    void expectConnectedWithTheTray()
    {
        EXPECT_TRUE(WaitUntil([&] { return connectedTo(kEnterprise); }, kPatience))
            << vnmachine({"wlan", "log"}).out;
        EXPECT_TRUE(WaitUntil(
            [&]
            {
                auto icon = trayIcon();
                return icon && Contains(icon->tip, std::string("(") + kEnterprise + ")");
            },
            kPatience));
        // The service holds the document as written: 802.1X with the PEAP block.
        auto guids = machine::wlan::InterfaceGuids(m.machine());
        ASSERT_EQ(guids.size(), 1u);
        auto profile = machine::wlan::GetProfile(m.machine(), guids[0], kEnterprise);
        ASSERT_TRUE(profile.has_value());
        EXPECT_TRUE(Contains(profile->xml, "<useOneX>true</useOneX>")) << profile->xml;
        EXPECT_TRUE(Contains(profile->xml, ">25</Type>")) << profile->xml;
        EXPECT_FALSE(Contains(profile->xml, "<sharedKey>")) << profile->xml;
    }
};

TEST_F(Dot1xRoadSystem, PeapWithAValidatedRootConnectsOnceTheCredentialsAreGiven)
{
    ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(kClientSheetCaption);
    open8021xSheet(sheet);
    std::string drawn = show(kDot1xSheet);
    // WPA2 in infrastructure: no MD5-Challenge.
    EXPECT_TRUE(Contains(drawn, "combo 1144: \"PEAP\" {>PEAP< | TLS/Smart Card | TTLS}")) << drawn;
    act({"ui", "type", kDot1xSheet, "1130", "owner@quarry"});
    act({"ui", "type", kDot1xSheet, "1135", "tunnel-owner"});
    act({"ui", "type", kDot1xSheet, "1136", "tunnel-secret"});
    act({"ui", "page", kDot1xSheet, "CA Server"});
    act({"ui", "click", kDot1xSheet, "Use certificate chain"});
    act({"ui", "select", kDot1xSheet, "1140", "#1"});
    act({"ui", "type", kDot1xSheet, "1139", "  radius.quarry.example "});
    saveProfile();
    expectProfile({{"AuthenType", "6"},
                   {"Use8021X", "1"},
                   {"AuthenProtocol", "0"},
                   {"TunnelProtocol", "26"},
                   {"ID", "owner@quarry"},
                   {"TunnelID", "tunnel-owner"},
                   {"TunnelPassword", "tunnel-secret"},
                   {"PasswordMode", "1"},
                   {"UseClientCert", "0"},
                   {"ClientCertLen", "0"},
                   {"UseServerCert", "1"},
                   {"ServerCertLen", "20"},
                   {"ServerCertData", StoredThumbprint(m.machine(), "ROOT")},
                   {"ServerName", "radius.quarry.example"},
                   {"NameRule", "0"},
                   {"IntermediateCert", "0"}});

    // Without the credentials the network refuses the connect.
    activateAnswering(sheet, "Cancel");
    std::this_thread::sleep_for(2s);
    EXPECT_FALSE(connectedTo(kEnterprise));
    activateAnswering(sheet, "OK");
    expectConnectedWithTheTray();
}

TEST_F(Dot1xRoadSystem, TlsWithTheClientCertificateChosenInTheSelectionDialog)
{
    ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(kClientSheetCaption);
    open8021xSheet(sheet);
    act({"ui", "select", kDot1xSheet, "1144", "TLS/Smart Card"});
    act({"ui", "type", kDot1xSheet, "1130", "owner"});
    act({"ui", "click", kDot1xSheet, "More.."});
    waitFor("Certificate Selection");
    std::string drawn = show("Certificate Selection");
    ASSERT_EQ(rowOf(drawn, "1143", "Owner"), 0) << drawn;
    EXPECT_TRUE(Contains(drawn, "Quarry Corp Root CA")) << drawn;
    act({"ui", "row", "Certificate Selection", "1143", "0"});
    act({"ui", "click", "Certificate Selection", "OK"});
    ASSERT_TRUE(WaitUntil([&] { return !windowOpen("Certificate Selection"); }, kPatience));
    drawn = show(kDot1xSheet);
    EXPECT_TRUE(Contains(drawn, "static 1146 \"Issued To : Owner\"")) << drawn;
    EXPECT_TRUE(Contains(drawn, "static 1148 \"Expired On : 3/1/2034\"")) << drawn;
    EXPECT_TRUE(Contains(drawn, "static 1149 \"Friendly Name : Quarry Corp Owner\"")) << drawn;
    saveProfile();
    expectProfile({{"AuthenProtocol", "1"},
                   {"ID", "owner"},
                   {"UseClientCert", "1"},
                   {"ClientCertLen", "20"},
                   {"ClientCertData", StoredThumbprint(m.machine(), "MY")},
                   {"UseServerCert", "0"},
                   {"ServerCertLen", "0"}});
    activateAnswering(sheet, "OK");
    expectConnectedWithTheTray();
}

} // namespace
