// Connecting through the WLAN service and hearing from it: the connector's requests and stored
// profiles, the notifications as the monitor window's messages, the WEP key check, and the
// 802.1X profile-edit worker blocking on the credential editor.

#include "client/access/NativeWifiClient.h"
#include "client/access/PrivateMessages.h"
#include "client/access/StationProfile.h"
#include "client/access/WlanConnector.h"
#include "client/access/WlanProfileManager.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/RequestLog.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "platform/wlan/WlanEditor.h"
#include "platform/wlan/WlanMemory.h"
#include "platform/wlan/WlanNotify.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/platform/RadioFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{

using machine::radio::Network;
using testing_support::PostedMessage;
namespace mw = machine::wlan;

const Network& DefaultNetwork(const std::string& ssid)
{
    static const std::vector<Network> networks = machine::radio::DefaultNetworks();
    for (const Network& n : networks)
        if (n.ssid == ssid)
            return n;
    throw std::runtime_error("no such network");
}

// A station profile for an infrastructure network.
struct Profile
{
    StationProfile p{};
    alignas(8) BYTE keyBlock[64] = {};

    Profile(const std::string& ssid, LONG auth, DWORD encryption,
            const std::string& passphrase = "")
    {
        p.SsidLength = static_cast<DWORD>(ssid.size());
        std::memcpy(p.Ssid, ssid.data(), ssid.size());
        p.NetworkType = 1;
        p.AuthenticationMode = auth;
        p.EncryptionStatus = encryption;
        p.WpaPassphraseLength = static_cast<DWORD>(passphrase.size());
        std::memcpy(p.WpaPassphrase, passphrase.data(), passphrase.size());
    }
    // WEP key 1 as the transmit key.
    void wepKey(std::vector<BYTE> key)
    {
        auto* block = reinterpret_cast<StationKeyBlock*>(keyBlock);
        block->Length = static_cast<DWORD>(key.size()) + STATION_KEY_HEADER;
        block->KeyIndex = STATION_KEY_TRANSMIT;
        block->KeyLength = static_cast<DWORD>(key.size());
        std::memcpy(block->KeyMaterial, key.data(), key.size());
        p.pWepKey1 = block;
        p.WepKey1Size = 32 + static_cast<DWORD>(key.size());
    }
};

class WlanConnect : public ::testing::Test
{
protected:
    testing_support::RadioMachine m;
    testing_support::MessageRecorder monitor;
    NativeWifiClient client;

    void SetUp() override
    {
        ASSERT_EQ(client.SelectInterface(m.description().c_str(), monitor.hwnd(), 0), 0u);
    }
    void TearDown() override
    {
        client.Close();
        EXPECT_EQ(platform::wlan::LiveWlanBlocks(), 0u);
    }

    // Moves the clock on and lets what fell due reach the monitor window.
    void advance(std::uint64_t ms)
    {
        platform::AdvanceClock(ms);
        platform::wlan::DeliverNotificationsNow();
        monitor.pump();
    }
    void connect(Profile& profile)
    {
        client.GetConnector()->Connect(&profile.p);
        advance(500);
    }
    BOOL connected()
    {
        BOOL b = 0;
        client.IsInterfaceConnected(&b);
        return b;
    }
    std::string log() const { return mw::ReadLog(m.machine()); }
    // Real time, for what another thread does.
    template <class F> bool eventually(F done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < deadline)
        {
            monitor.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
};

TEST_F(WlanConnect, OpenNetworkConnectsByAStoredPerUserProfile)
{
    Profile open("Harbor Guest", 0, 1);
    connect(open);
    EXPECT_EQ(monitor.numbers(), std::vector<UINT>{WM_WLAN_CONNECTED});
    EXPECT_EQ(connected(), 1);

    NDIS_802_11_SSID ssid;
    ASSERT_EQ(client.GetCurrentSsid(&ssid), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(ssid.Ssid), ssid.SsidLength), "Harbor Guest");
    BYTE mac[6];
    ASSERT_EQ(client.GetCurrentBssid(mac), 0u);
    EXPECT_EQ(std::memcmp(mac, DefaultNetwork("Harbor Guest").bssid.data(), 6), 0);
    DWORD auth = 0, cipher = 9, mode = 9;
    EXPECT_EQ(client.GetAuthAlgorithm(&auth), 0u);
    EXPECT_EQ(client.GetCipherAlgorithm(&cipher), 0u);
    EXPECT_EQ(client.GetBssType(&mode), 0u);
    EXPECT_EQ(auth, 1u);
    EXPECT_EQ(cipher, 0u);
    EXPECT_EQ(mode, 1u);

    auto profiles = mw::ListProfiles(m.machine(), m.guid());
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0].name, "Harbor Guest");
    EXPECT_TRUE(profiles[0].user);
    EXPECT_NE(log().find("connect " + m.guid() + " mode 0 profile \"Harbor Guest\""),
              std::string::npos);

    monitor.clear();
    EXPECT_EQ(client.DisconnectInterface(), 0u);
    advance(0);
    EXPECT_EQ(monitor.numbers(), std::vector<UINT>{WM_WLAN_DISCONNECTED});
}

TEST_F(WlanConnect, Wpa2PskConnectsWithTheRightKeyOnly)
{
    struct Case
    {
        const char* passphrase;
        std::vector<UINT> messages;
        BOOL connected;
    } cases[] = {
        {"orchard-secret", {WM_WLAN_CONNECTED}, 1},
        {"orchard-wrong", {WM_WLAN_DISCONNECTED}, 0},
    };
    for (const Case& c : cases)
    {
        monitor.clear();
        client.DisconnectInterface();
        advance(0);
        monitor.clear();
        Profile wpa2("Orchard AES", 7, 6, c.passphrase);
        connect(wpa2);
        EXPECT_EQ(monitor.numbers(), c.messages) << c.passphrase;
        EXPECT_EQ(connected(), c.connected) << c.passphrase;
    }
    DWORD auth = 0, cipher = 0;
    Profile wpa2("Orchard AES", 7, 6, "orchard-secret");
    connect(wpa2);
    EXPECT_EQ(client.GetAuthAlgorithm(&auth), 0u);
    EXPECT_EQ(client.GetCipherAlgorithm(&cipher), 0u);
    EXPECT_EQ(auth, 7u);
    EXPECT_EQ(cipher, 4u);
}

TEST_F(WlanConnect, AWrongWepKeyConnectsAndItsIcvErrorsShowAsChanges)
{
    Profile wep("Lantern WEP", 0, 0);
    wep.wepKey({0x01, 0x02, 0x03, 0x04, 0x05});
    connect(wep);
    ASSERT_EQ(monitor.numbers(), std::vector<UINT>{WM_WLAN_CONNECTED});

    BOOL changed = 9;
    advance(2000);
    EXPECT_EQ(client.CheckWepIcvErrors(&changed), 0u);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(client.CheckWepIcvErrors(&changed), 0u);
    EXPECT_EQ(changed, 0); // nothing new since
    advance(1000);
    EXPECT_EQ(client.CheckWepIcvErrors(&changed), 0u);
    EXPECT_EQ(changed, 1);

    // Past 2^31 errors the count is still compared whole: no change without new errors.
    platform::AdvanceClockWithoutDispatch(430'000'000'000ull);
    EXPECT_EQ(client.CheckWepIcvErrors(&changed), 0u);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(client.CheckWepIcvErrors(&changed), 0u);
    EXPECT_EQ(changed, 0);
}

TEST_F(WlanConnect, TheRightWepKeyCountsNoIcvErrors)
{
    mw::SetNetworkSecret(m.machine(), "Lantern WEP", "0102030405");
    Profile wep("Lantern WEP", 0, 0);
    wep.wepKey({0x01, 0x02, 0x03, 0x04, 0x05});
    connect(wep);
    EXPECT_EQ(connected(), 1);
    advance(5000);
    BOOL changed = 9;
    EXPECT_EQ(client.CheckWepIcvErrors(&changed), 0u);
    EXPECT_EQ(changed, 0);

    client.DisconnectInterface();
    EXPECT_NE(client.CheckWepIcvErrors(&changed), 0u); // no connection, no PHY
    EXPECT_EQ(changed, 0);
}

TEST_F(WlanConnect, AGivenBssidConnectsInDiscoveryModeWithoutStoringAProfile)
{
    // A stronger access point of the same network, which the service would otherwise pick.
    std::vector<Network> networks = machine::radio::DefaultNetworks();
    Network stronger = DefaultNetwork("Orchard AES");
    stronger.bssid[5] = 0x44;
    stronger.rssi = -30;
    networks.push_back(stronger);
    m.setNetworks(networks);

    struct Case
    {
        DWORD bssidGiven;
        LONG auth;
        DWORD encryption;
        const char* mode;
        const Network& expected;
    } cases[] = {
        {1, 7, 6, "mode 2", DefaultNetwork("Orchard AES")},
        {2, 7, 6, "mode 2", stronger}, // not restricted to the BSSID
        {1, 0, 1, "mode 3", DefaultNetwork("Harbor Guest")},
    };
    for (const Case& c : cases)
    {
        Profile profile(c.expected.ssid, c.auth, c.encryption, "unused-key");
        profile.p.BssidGiven = c.bssidGiven;
        std::memcpy(profile.p.Bssid, DefaultNetwork(c.expected.ssid).bssid.data(), 6);
        connect(profile);
        EXPECT_NE(log().find("connect " + m.guid() + " " + c.mode + " profile \"\""),
                  std::string::npos)
            << c.bssidGiven;
        BYTE mac[6] = {};
        ASSERT_EQ(client.GetCurrentBssid(mac), 0u) << c.bssidGiven;
        EXPECT_EQ(std::memcmp(mac, c.expected.bssid.data(), 6), 0) << c.bssidGiven;
    }
    EXPECT_TRUE(mw::ListProfiles(m.machine(), m.guid()).empty());
}

TEST_F(WlanConnect, TheSharedScopeStoresAllUserProfilesAndNamesCompareExactly)
{
    ASSERT_EQ(client.SelectInterface(m.description().c_str(), monitor.hwnd(), 1), 0u);
    Profile open("Harbor Guest", 0, 1);
    connect(open);
    auto profiles = mw::ListProfiles(m.machine(), m.guid());
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_FALSE(profiles[0].user);

    WlanProfileManager* pManager = client.GetProfileManager();
    EXPECT_EQ(pManager->WlanProfileExists("Harbor Guest"), 1);
    EXPECT_EQ(pManager->WlanProfileExists("harbor guest"), 0);
    EXPECT_EQ(pManager->WlanProfileExists("Harbor Gues"), 0);
    EXPECT_EQ(pManager->DeleteWlanProfile(u"harbor guest"), ERROR_NOT_FOUND);
    EXPECT_EQ(pManager->DeleteWlanProfile(u"Harbor Guest"), 0u);
    EXPECT_EQ(pManager->WlanProfileExists("Harbor Guest"), 0);

    mw::InjectCallFailure(m.machine(), "WlanGetProfileList", ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(pManager->SetWlanProfile(u"<not a profile"), ERROR_BAD_PROFILE);
    EXPECT_EQ(pManager->WlanProfileExists("Harbor Guest"), 0);
}

TEST_F(WlanConnect, FromTheSurveyTheTransmitPowerIsSetBeforeTheConnect)
{
    testing_support::SelectDefaultAdapter(m.machine());
    Profile open("Harbor Guest", 0, 1);
    open.p.TxPower = 3;
    client.ConnectFromSurvey(&open.p);
    advance(500);
    auto requests = machine::miniport::ReadRequestLog(m.machine(), m.guid());
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].code, 0xFF8C0007u);
    EXPECT_EQ(connected(), 1);
}

TEST_F(WlanConnect, AProfileTheDocumentCannotCarryIsNeitherStoredNorConnected)
{
    Profile bad("Orchard AES", 7, 6, std::string("orchard\x01key", 11)); // a control byte
    connect(bad);
    EXPECT_TRUE(mw::ListProfiles(m.machine(), m.guid()).empty());
    EXPECT_EQ(log().find("WlanConnect"), std::string::npos);
    EXPECT_TRUE(monitor.messages().empty());
}

TEST_F(WlanConnect, AScanEndsInItsMessageAfterTheServiceDelay)
{
    mw::SetScanDelay(m.machine(), 1500);
    EXPECT_EQ(client.ScanNetworks(), 0u);
    advance(1499);
    EXPECT_TRUE(monitor.messages().empty());
    advance(1);
    EXPECT_EQ(monitor.numbers(), std::vector<UINT>{WM_SCAN_COMPLETE});

    monitor.clear();
    mw::InjectCallFailure(m.machine(), "scan", ERROR_GEN_FAILURE, 1);
    EXPECT_EQ(client.ScanNetworks(), 0u);
    advance(1500);
    EXPECT_EQ(monitor.numbers(), std::vector<UINT>{WM_SCAN_FAILED});
}

TEST_F(WlanConnect, ACurrentSsidOf32BytesIsCopiedWholeAndNoFurther)
{
    const std::string name(32, 'W');
    m.setNetworks({testing_support::RadioNetwork(name, 9, 6, -50)});
    Profile open(name, 0, 1);
    connect(open);
    ASSERT_EQ(connected(), 1);
    struct
    {
        NDIS_802_11_SSID ssid;
        BYTE after[8];
    } out;
    std::memset(&out, 0xCC, sizeof(out));
    ASSERT_EQ(client.GetCurrentSsid(&out.ssid), 0u);
    EXPECT_EQ(out.ssid.SsidLength, 32u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.ssid.Ssid), 32), name);
    EXPECT_EQ(std::vector<BYTE>(out.after, out.after + 8), std::vector<BYTE>(8, 0xCC));
}

TEST_F(WlanConnect, LinkStatisticsComeFromThePhyRecordInUseAndOnlyFromOneThatExists)
{
    Profile open("Harbor Guest", 0, 1);
    connect(open);
    advance(2000);
    LinkStatistics stats;
    std::memset(&stats, 0xAB, sizeof(stats));
    ULONGLONG received = 0;
    ASSERT_EQ(client.GetLinkStatistics(&stats, &received), 0u);
    auto service = mw::LinkStatistics(m.machine(), m.guid());
    ASSERT_TRUE(service.has_value());
    WLAN_PHY_FRAME_STATISTICS phy;
    std::memcpy(&phy, service->phyRecord.data(), sizeof(phy));
    EXPECT_NE(phy.ullTransmittedFragmentCount, 0u);
    EXPECT_EQ(stats.TransmittedFragmentCount, phy.ullTransmittedFragmentCount);
    EXPECT_EQ(stats.MulticastTransmittedFrameCount, phy.ullMulticastTransmittedFrameCount);
    EXPECT_EQ(stats.FailedCount, phy.ullFailedCount);
    EXPECT_EQ(stats.RetryCount, phy.ullRetryCount);
    EXPECT_EQ(stats.ACKFailureCount, phy.ullACKFailureCount);
    EXPECT_EQ(stats.FrameDuplicateCount, phy.ullFrameDuplicateCount);
    EXPECT_EQ(stats.MulticastReceivedFrameCount, phy.ullMulticastReceivedFrameCount);
    EXPECT_EQ(stats.FCSErrorCount, phy.ullFCSErrorCount);
    EXPECT_EQ(received, phy.ullReceivedFrameCount);
    EXPECT_EQ(stats.Length, 0xABABABABu); // the caller's
    EXPECT_EQ(stats.ReceivedFragmentCount, 0xABABABABABABABABull);

    // Counters reset through the driver: no PHY has sent a fragment, so the connection's PHY
    // (index 2 of 4) is read.
    machine::miniport::ChangeAdapterState(m.machine(), m.guid(),
                                          [](machine::miniport::AdapterState& a)
                                          { machine::miniport::ResetCounters(a); });
    std::memset(&stats, 0xAB, sizeof(stats));
    ASSERT_EQ(client.GetLinkStatistics(&stats, &received), 0u);
    EXPECT_EQ(stats.TransmittedFragmentCount, 0u);

    // The service now reports one PHY record: the connection's index names none.
    mw::SetInterfacePhyTypes(m.machine(), m.guid(), {6});
    std::memset(&stats, 0xAB, sizeof(stats));
    received = 77;
    EXPECT_NE(client.GetLinkStatistics(&stats, &received), 0u);
    EXPECT_EQ(stats.TransmittedFragmentCount, 0xABABABABABABABABull);
    EXPECT_EQ(received, 77u);
}

// The credential editors open now, in any thread of this process. An editor counts once it is
// shown: its window exists before its controls and texts do.
std::vector<HWND> Editors()
{
    static std::vector<HWND> found;
    found.clear();
    EnumWindows(
        [](HWND hwnd, LPARAM) -> BOOL
        {
            char title[64] = {};
            GetWindowTextA(hwnd, title, sizeof(title));
            if (std::string(title) == platform::wlan::kProfileEditorTitle && IsWindowVisible(hwnd))
                found.push_back(hwnd);
            return TRUE;
        },
        0);
    return found;
}

std::string ItemText(HWND dialog, int id)
{
    char text[64] = {};
    GetWindowTextA(GetDlgItem(dialog, id), text, sizeof(text));
    return text;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        n++;
    return n;
}

TEST_F(WlanConnect, An8021xProfileIsReplacedAndEditedOnAWorkerThatConnectsAfterTheEditor)
{
    // An older profile of the same name, with a key.
    Profile old("Quarry Corp", 7, 6, "quarry-old-key");
    connect(old);
    monitor.clear();

    Profile onex("Quarry Corp", 6, 6);
    onex.p.Use8021X = 1;
    client.GetConnector()->Connect(&onex.p);
    ASSERT_TRUE(eventually([&] { return !monitor.messages().empty(); }));
    EXPECT_EQ(monitor.messages()[0], (PostedMessage{WM_PROFILE_EDIT_STATE, 0, 0}));
    EXPECT_EQ(IsProfileEditBusy(), 1);
    ASSERT_TRUE(eventually([&] { return Editors().size() == 1; }));
    HWND editor = Editors()[0];
    EXPECT_EQ(ItemText(editor, platform::wlan::kProfileEditorNameId), "Quarry Corp");
    EXPECT_EQ(ItemText(editor, platform::wlan::kProfileEditorPageId), "Security");

    // Replaced before the editor opened: deleted, then stored anew.
    std::string calls = log();
    size_t deleted = calls.rfind("WlanDeleteProfile");
    size_t stored = calls.rfind("WlanSetProfile");
    size_t edited = calls.rfind("WlanUIEditProfile");
    ASSERT_NE(deleted, std::string::npos);
    EXPECT_LT(deleted, stored);
    EXPECT_LT(stored, edited);
    auto profile = mw::GetProfile(m.machine(), m.guid(), "Quarry Corp");
    ASSERT_TRUE(profile.has_value());
    EXPECT_NE(profile->xml.find("<useOneX>true</useOneX>"), std::string::npos);
    EXPECT_EQ(profile->xml.find("quarry-old-key"), std::string::npos);

    // Nothing connects while the editor is open.
    advance(1000);
    EXPECT_EQ(monitor.messages().size(), 1u);
    EXPECT_EQ(Count(log(), "connect " + m.guid() + " mode 0 profile \"Quarry Corp\""), 1u);

    PostMessageA(editor, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(eventually([&] { return monitor.messages().size() >= 2; }));
    EXPECT_EQ(monitor.messages()[1], (PostedMessage{WM_PROFILE_EDIT_STATE, 1, 0}));
    EXPECT_EQ(IsProfileEditBusy(), 0);
    ASSERT_TRUE(eventually(
        [&]
        { return Count(log(), "connect " + m.guid() + " mode 0 profile \"Quarry Corp\"") == 2; }));
    advance(500);
    EXPECT_EQ(monitor.numbers(),
              (std::vector<UINT>{WM_PROFILE_EDIT_STATE, WM_PROFILE_EDIT_STATE, WM_WLAN_CONNECTED}));
    BOOL bOneX = 0;
    EXPECT_EQ(client.IsOneXEnabled(&bOneX), 0u);
    EXPECT_EQ(bOneX, 1);
}

// The editor's OK gives the service the credentials; without them the 802.1X network refuses the
// connect. Storing the profile anew, as each connect does, drops them again.
TEST_F(WlanConnect, An8021xNetworkTakesTheConnectOnlyAfterTheEditorsOk)
{
    Profile onex("Quarry Corp", 6, 6);
    onex.p.Use8021X = 1;
    const std::string request = "connect " + m.guid() + " mode 0 profile \"Quarry Corp\"";
    for (WPARAM answer : {IDCANCEL, IDOK, IDCANCEL})
    {
        const size_t before = Count(log(), request);
        client.GetConnector()->Connect(&onex.p);
        ASSERT_TRUE(eventually([&] { return Editors().size() == 1; }));
        PostMessageA(Editors()[0], WM_COMMAND, answer, 0);
        ASSERT_TRUE(eventually([&] { return Count(log(), request) == before + 1; }));
        advance(500);
        EXPECT_EQ(connected(), answer == IDOK) << answer;
    }
}

TEST_F(WlanConnect, TwoEditorsOpenAtOnceKeepTheirOwnProfilesAndTheBusyFlag)
{
    std::vector<Network> networks = machine::radio::DefaultNetworks();
    Network lab = DefaultNetwork("Quarry Corp");
    lab.ssid = "Quarry Lab";
    lab.bssid[5] = 0x66;
    networks.push_back(lab);
    m.setNetworks(networks);

    Profile corp("Quarry Corp", 6, 6), other("Quarry Lab", 6, 6);
    corp.p.Use8021X = other.p.Use8021X = 1;
    client.GetConnector()->Connect(&corp.p);
    ASSERT_TRUE(eventually([&] { return Editors().size() == 1; }));
    client.GetConnector()->Connect(&other.p);
    // Both editors up and showing their names (a window exists before its texts are set).
    ASSERT_TRUE(eventually(
        [&]
        {
            std::vector<HWND> editors = Editors();
            return editors.size() == 2 &&
                   std::all_of(
                       editors.begin(), editors.end(),
                       [](HWND editor)
                       { return !ItemText(editor, platform::wlan::kProfileEditorNameId).empty(); });
        }));

    HWND corpEditor = 0, labEditor = 0;
    for (HWND editor : Editors())
        (ItemText(editor, platform::wlan::kProfileEditorNameId) == "Quarry Lab" ? labEditor
                                                                                : corpEditor) =
            editor;
    ASSERT_NE(corpEditor, 0u);
    ASSERT_NE(labEditor, 0u);

    const std::string corpConnect = "connect " + m.guid() + " mode 0 profile \"Quarry Corp\"";
    const std::string labConnect = "connect " + m.guid() + " mode 0 profile \"Quarry Lab\"";
    PostMessageA(labEditor, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(eventually([&] { return Count(log(), labConnect) == 1; }));
    EXPECT_EQ(IsProfileEditBusy(), 1); // the first editor is still open
    EXPECT_EQ(Count(log(), corpConnect), 0u);

    PostMessageA(corpEditor, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(eventually([&] { return Count(log(), corpConnect) == 1; }));
    EXPECT_EQ(IsProfileEditBusy(), 0);
    EXPECT_EQ(Count(log(), labConnect), 1u);
    ASSERT_TRUE(eventually([&] { return monitor.messages().size() >= 4; }));
    std::vector<WPARAM> states;
    for (const PostedMessage& msg : monitor.messages())
        if (msg.message == WM_PROFILE_EDIT_STATE)
            states.push_back(msg.wParam);
    EXPECT_EQ(states, (std::vector<WPARAM>{0, 0, 1, 1}));
}

class WlanNotify : public WlanConnect
{
};

TEST_F(WlanNotify, EachNotificationReachesTheMonitorAsItsMessage)
{
    const std::string other = "{0BADF00D-0000-4000-8000-000000000001}";
    auto radio = [](std::uint32_t software)
    {
        std::vector<std::uint8_t> r(12, 0);
        r[4] = static_cast<std::uint8_t>(software);
        r[8] = 1;
        return r;
    };
    const std::uint32_t acm = WLAN_NOTIFICATION_SOURCE_ACM, msm = WLAN_NOTIFICATION_SOURCE_MSM;
    struct Case
    {
        std::uint32_t source, code;
        bool ours;
        std::vector<std::uint8_t> data;
        UINT message; // 0: nothing
    } cases[] = {
        {acm, 7, true, {}, WM_SCAN_COMPLETE},
        {acm, 8, true, {1, 0, 0, 0}, WM_SCAN_FAILED},
        {acm, 10, true, {}, WM_WLAN_CONNECTED},
        {acm, 13, true, {}, WM_WLAN_INTERFACE_ARRIVAL},
        {acm, 13, false, {}, WM_WLAN_INTERFACE_ARRIVAL}, // another adapter's arrival counts
        {acm, 21, true, {}, WM_WLAN_DISCONNECTED},
        {msm, 6, true, {}, WM_WLAN_ROAMED},
        {msm, 7, true, radio(1), WM_RADIO_ON},
        {msm, 7, true, radio(2), WM_RADIO_OFF},
        {msm, 7, true, radio(0), 0}, // software state unknown
        {msm, 7, true, {1, 0}, 0},   // no whole PHY record
        {acm, 7, false, {}, 0},      // another interface's scan
        {msm, 6, false, {}, 0},
        {acm, 9, true, {}, 0},  // connection start
        {acm, 11, true, {}, 0}, // attempt failed: the disconnect follows
        {msm, 10, true, {}, 0},
        {WLAN_NOTIFICATION_SOURCE_ONEX, 7, true, {}, 0}, // not registered for
    };
    for (const Case& c : cases)
    {
        monitor.clear();
        mw::RaiseNotification(m.machine(), c.source, c.code, c.ours ? m.guid() : other, c.data);
        advance(0);
        std::vector<PostedMessage> expected;
        if (c.message != 0)
            expected.push_back({c.message, 0, 0});
        EXPECT_EQ(monitor.messages(), expected) << c.source << " " << c.code;
    }
}

TEST_F(WlanNotify, ReselectingTheInterfaceKeepsOneRegistrationAndCloseEndsIt)
{
    ASSERT_EQ(client.SelectInterface(m.description().c_str(), monitor.hwnd(), 0), 0u);
    mw::RaiseNotification(m.machine(), WLAN_NOTIFICATION_SOURCE_MSM, 6, m.guid());
    advance(0);
    EXPECT_EQ(monitor.numbers(), std::vector<UINT>{WM_WLAN_ROAMED});

    // Notifications keep arriving while the notifier is replaced again and again.
    std::atomic<bool> stop{false};
    std::thread raiser(
        [&]
        {
            while (!stop)
            {
                mw::RaiseNotification(m.machine(), WLAN_NOTIFICATION_SOURCE_MSM, 6, m.guid());
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    for (int i = 0; i < 40; i++)
    {
        ASSERT_EQ(client.SelectInterface(m.description().c_str(), monitor.hwnd(), 0), 0u);
        platform::wlan::DeliverNotificationsNow();
    }
    stop = true;
    raiser.join();

    client.Close();
    monitor.pump();
    monitor.clear();
    mw::RaiseNotification(m.machine(), WLAN_NOTIFICATION_SOURCE_MSM, 6, m.guid());
    advance(0);
    EXPECT_TRUE(monitor.messages().empty());
}

} // namespace
