// The order of what TessarynUI does when a profile is activated, as the machine's journal shows
// it across the driver's and the WLAN service's logs: the transmit power goes to the driver,
// then the profile is stored with the service and connected by name, and only then does the
// driver get the profile's settings, its SSID among the last. Each step is the first of its kind
// after the Activate, so no setting reaches the driver before the service has the profile.

#include "tests/system/ClientDesktop.h"
#include "tests/system/Journal.h"

namespace
{

using testing_support::ChildProcess;
using testing_support::Journal;
using testing_support::JournalStep;
using testing_support::WaitUntil;

class ProfileActivationOrder : public testing_support::ClientDesktopTest
{
protected:
    // A stored open profile, as the editor leaves one.
    void storeProfile(const std::string& section, const std::string& ssid)
    {
        const std::string file = "C:\\Users\\Owner\\AppData\\Local\\KQ3400_" + m_id + "_prof";
        const std::pair<const char*, std::string> values[] = {
            {"SSID", ssid},      {"NetworkType", "1"}, {"AuthenType", "0"},
            {"Encryption", "1"}, {"Use8021X", "0"},    {"PSMode", "0"},
        };
        for (const auto& [key, value] : values)
            ASSERT_TRUE(
                WritePrivateProfileStringA(section.c_str(), key, value.c_str(), file.c_str()));
    }
};

TEST_F(ProfileActivationOrder, TheServiceConnectsBeforeTheDriverGetsTheProfile)
{
    storeProfile("PROF1", "Harbor Guest");
    ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(testing_support::kClientSheetCaption);
    act({"ui", "page", sheet, "Profile"});

    const std::uint64_t before = Journal::Read(m.root()).lastSeq();
    activate(sheet, "PROF1");

    // A set reaches the driver with its code's set bit (0x00800000); "Harbor Guest" in the
    // driver's SSID record is its length, then its bytes.
    const std::string driver = "requests\\.log$", wlan = "^wlan/";
    const JournalStep ssidSet = {"the SSID set", driver,
                                 "\\b0D810102\\b.*\\b0c000000486172626f72204775657374"};
    ASSERT_TRUE(WaitUntil(
        [&]
        { return connectedTo("Harbor Guest") && Journal::Read(m.root()).first(ssidSet, before); },
        testing_support::kDesktopPatience));
    EXPECT_TRUE(Journal::Read(m.root()).inOrder(
        {
            {"the transmit power set", driver, "\\bFF8C0007\\b"},
            {"the profile stored", wlan, "\\bWlanSetProfile\\b"},
            {"the connect", wlan, "\\bWlanConnect\\b"},
            {"the advanced settings set", driver, "\\b0DF10111\\b"},
            ssidSet,
        },
        before));
}

} // namespace
