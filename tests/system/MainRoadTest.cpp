// The client's main road as a person takes it, on the built program and the built machine tool:
// a scanned network added as a profile from Site Survey, the editor's OK writing the profile's
// section, Activate applying it and the WLAN service connecting.

#include "machine/wlan/WlanControl.h"
#include "tests/system/ClientDesktop.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;
using testing_support::ChildProcess;
using testing_support::Contains;
using testing_support::WaitUntil;

constexpr std::chrono::milliseconds kPatience = testing_support::kDesktopPatience;
const char* const kSheetCaption = testing_support::kClientSheetCaption;

class MainRoadSystem : public testing_support::ClientDesktopTest
{
protected:
    // From Site Survey: Add to Profile on the network, the passphrase typed (when given) on
    // the editor's second page, or the first WEP key, OK. Returns the editor as first drawn.
    std::string addFromSurvey(const std::string& sheet, const std::string& ssid,
                              const std::string& passphrase, const std::string& wepKey = "")
    {
        act({"ui", "page", sheet, "Site Survey"});
        std::string drawn;
        EXPECT_TRUE(WaitUntil(
            [&]
            {
                drawn = show(sheet);
                return rowOf(drawn, "1002", ssid) >= 0 && Contains(drawn, "<Rescan> 1003\n");
            },
            kPatience))
            << drawn;
        act({"ui", "row", sheet, "1002", std::to_string(rowOf(drawn, "1002", ssid))});
        act({"ui", "click", sheet, "1005"});
        std::string editor = waitFor("Add Profile");
        std::string first = show(editor);
        act({"ui", "page", editor, "#1"});
        first += show(editor);
        if (!passphrase.empty())
            act({"ui", "type", editor, "1109", passphrase});
        if (!wepKey.empty())
            act({"ui", "type", editor, "1120", wepKey});
        act({"ui", "click", editor, "OK"});
        EXPECT_TRUE(WaitUntil(
            [&] {
                return !Contains(vnmachine({"ui", "list"}).out, "Add Profile");
            },
            kPatience));
        return first;
    }
};

TEST_F(MainRoadSystem, AScannedNetworkBecomesAProfileThatConnects)
{
    machine::wlan::SetNetworkSecret(m.machine(), "Orchard AES", "orchard-pass-1");
    ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(kSheetCaption);

    std::string editor = addFromSurvey(sheet, "Orchard AES", "orchard-pass-1");
    EXPECT_TRUE(Contains(editor, "[ edit 1061: \"PROF1\" ]")) << editor;
    EXPECT_TRUE(Contains(editor, "combo 1062: \"Orchard AES\"")) << editor;
    EXPECT_TRUE(Contains(editor, "combo 1031: \"Infrastructure\"")) << editor;
    EXPECT_TRUE(Contains(editor, "combo 1012: \"WPA2-PSK\"")) << editor;
    EXPECT_TRUE(Contains(editor, "combo 1111: \"AES\"")) << editor;
    EXPECT_FALSE(Contains(editor, "Apply")) << editor;

    const std::pair<const char*, const char*> stored[] = {
        {"SSID", "Orchard AES"}, {"NetworkType", "1"},         {"AuthenType", "7"},
        {"Encryption", "6"},     {"WPAPSK", "orchard-pass-1"}, {"Use8021X", "0"}};
    for (const auto& [key, text] : stored)
        EXPECT_EQ(profileValue("PROF1", key), text) << key;
    std::string drawn = show(sheet);
    EXPECT_TRUE(Contains(drawn, "| PROF1        | Orchard AES | ")) << drawn;

    activate(sheet, "PROF1");
    EXPECT_TRUE(WaitUntil([&] { return connectedTo("Orchard AES"); }, kPatience))
        << vnmachine({"wlan", "log"}).out;
    std::string log = machine::wlan::ReadLog(m.machine());
    EXPECT_TRUE(Contains(log, "<authentication>WPA2PSK</authentication>")) << log;
    EXPECT_TRUE(Contains(log, "<keyMaterial>orchard-pass-1</keyMaterial>")) << log;
    EXPECT_TRUE(Contains(log, "connect {" + m_id.substr(1, m_id.size() - 2) + "}")) << log;
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            auto icon = trayIcon();
            return icon && Contains(icon->tip, "(Orchard AES)");
        },
        kPatience));

    // An open network the same way; the first profile stays as it was.
    editor = addFromSurvey(sheet, "Harbor Guest", "");
    EXPECT_TRUE(Contains(editor, "combo 1012: \"Open\"")) << editor;
    EXPECT_EQ(profileValue("PROF2", "Encryption"), "1");
    activate(sheet, "PROF2");
    EXPECT_TRUE(WaitUntil([&] { return connectedTo("Harbor Guest"); }, kPatience));
    EXPECT_EQ(profileValue("PROF1", "WPAPSK"), "orchard-pass-1");

    // A WEP network with a 64-bit key typed as hex digits.
    machine::wlan::SetNetworkSecret(m.machine(), "Lantern WEP", "0a1b2c3d4e");
    editor = addFromSurvey(sheet, "Lantern WEP", "", "0a1b2c3d4e");
    EXPECT_TRUE(Contains(editor, "combo 1111: \"WEP\"")) << editor;
    EXPECT_EQ(profileValue("PROF3", "Encryption"), "0");
    EXPECT_EQ(profileValue("PROF3", "WEPKey1"), "0a1b2c3d4e");
    activate(sheet, "PROF3");
    EXPECT_TRUE(WaitUntil([&] { return connectedTo("Lantern WEP"); }, kPatience))
        << vnmachine({"wlan", "log"}).out;
}

TEST_F(MainRoadSystem, AWrongPassphraseDoesNotConnect)
{
    machine::wlan::SetNetworkSecret(m.machine(), "Millbrook TKIP", "the-right-one");
    ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(kSheetCaption);
    addFromSurvey(sheet, "Millbrook TKIP", "a-wrong-one");
    EXPECT_EQ(profileValue("PROF1", "AuthenType"), "4");
    EXPECT_EQ(profileValue("PROF1", "Encryption"), "4");
    activate(sheet, "PROF1");
    EXPECT_TRUE(WaitUntil(
        [&] { return Contains(machine::wlan::ReadLog(m.machine()), "WlanConnect"); }, kPatience));
    std::this_thread::sleep_for(3s);
    EXPECT_FALSE(connectedTo("Millbrook TKIP"));
    auto icon = trayIcon();
    ASSERT_TRUE(icon.has_value());
    EXPECT_TRUE(Contains(icon->tip, "Disconnected")) << icon->tip;
}

// A second double-click on a Site Survey row while the editor the first opened is up reaches a
// window the editor disabled: it is refused, and cancelling the editor leaves the client running.
TEST_F(MainRoadSystem, ASecondDoubleClickWhileTheEditorIsUpIsRefused)
{
    ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(kSheetCaption);
    act({"ui", "page", sheet, "Site Survey"});
    std::string drawn;
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            drawn = show(sheet);
            return rowOf(drawn, "1002", "Orchard AES") >= 0 && Contains(drawn, "<Rescan> 1003\n");
        },
        kPatience))
        << drawn;
    const std::string row = std::to_string(rowOf(drawn, "1002", "Orchard AES"));
    act({"ui", "row", sheet, "1002", row, "--double"});
    const std::string editor = waitFor("Add Profile");

    auto second = vnmachine({"ui", "row", sheet, "1002", row, "--double"});
    EXPECT_NE(second.status, 0) << second.out;
    EXPECT_TRUE(Contains(second.out, "disabled window")) << second.out;

    act({"ui", "click", editor, "Cancel"});
    EXPECT_TRUE(WaitUntil([&] { return !windowOpen("Add Profile"); }, kPatience));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(ui.running());
    EXPECT_TRUE(windowOpen(kSheetCaption));
}

} // namespace
