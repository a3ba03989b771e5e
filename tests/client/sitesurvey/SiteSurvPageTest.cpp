#include "client/status/SiteSurvPage.h"

#include "adapter/system/OsVersion.h"
#include "client/access/ScanList.h"
#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/profiles/ProfileSheet.h"
#include "client/sheet/VnPropSheet.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "platform/ui/automation/Actions.h"
#include "platform/wlan/WlanNotify.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/monitor/MonitorFixture.h"
#include "tests/support/platform/RadioFixtures.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using machine::radio::Network;

const char* const kHiddenBssid = "02-54-59-00-00-07";

// A row of the list as a person reads it, with the image of its first column.
struct Row
{
    std::vector<std::string> texts;
    int image = -1;
};

class SiteSurveyTest : public monitor_test::MonitorFixture
{
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        // Long enough for a page tick to fall inside every scan.
        machine::wlan::SetScanDelay(machine(), 3000);
        // The monitor's own first scan ends before the page asks for one.
        finishScans();
    }

    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        MonitorFixture::TearDown();
    }

    void openSheet()
    {
        m_pDlg->ShowPropSheet();
        platform::PumpUntilIdle();
        ASSERT_TRUE(m_pDlg->IsSheetOpen());
        ASSERT_NE(page().m_hWnd, 0u);
    }

    CSiteSurvPage& page() const { return m_pDlg->m_pPropSheet->m_SiteSurvPage; }
    HWND pageWnd() const { return page().m_hWnd; }

    // The scans asked for so far reach their end and the monitor passes it on.
    void finishScans()
    {
        platform::AdvanceClock(3000);
        platform::wlan::DeliverNotificationsNow();
        platform::PumpUntilIdle();
    }

    // One page tick (the watchdog's falls on it too).
    void pageTick() { platform::AdvanceClock(SITE_SURVEY_PERIOD); }

    // Open the sheet, let the first scan end and the next tick take its list.
    void openWithList()
    {
        openSheet();
        finishScans();
        pageTick();
        ASSERT_FALSE(page().m_bListRefreshPending);
        ASSERT_GT(page().m_listSites.GetItemCount(), 0);
    }

    std::string status() const
    {
        char text[256] = {0};
        GetDlgItemTextA(pageWnd(), IDC_SITE_STATUS, text, sizeof text);
        return text;
    }

    bool enabled(int id) const { return IsWindowEnabled(GetDlgItem(pageWnd(), id)) != 0; }
    std::vector<bool> buttons() const
    {
        return {enabled(IDC_SITE_RESCAN), enabled(IDC_SITE_CONNECT), enabled(IDC_SITE_ADD_PROFILE)};
    }

    std::vector<Row> rows() const
    {
        std::vector<Row> result;
        CSiteListCtrl& list = page().m_listSites;
        for (int i = 0; i < list.GetItemCount(); i++)
        {
            Row row;
            for (int c = 0; c < 8; c++)
                row.texts.push_back(std::string(list.GetItemText(i, c)));
            LVITEMA item{};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            list.GetItem(&item);
            row.image = item.iImage;
            result.push_back(row);
        }
        return result;
    }

    int rowOfBssid(const std::string& bssid) const
    {
        auto all = rows();
        for (size_t i = 0; i < all.size(); i++)
            if (all[i].texts[1] == bssid)
                return static_cast<int>(i);
        return -1;
    }
    int rowOf(const std::string& ssid) const
    {
        auto all = rows();
        for (size_t i = 0; i < all.size(); i++)
            if (all[i].texts[0] == ssid)
                return static_cast<int>(i);
        return -1;
    }

    void pick(int row)
    {
        ASSERT_GE(row, 0);
        ASSERT_TRUE(
            platform::automation::PickRow(pageWnd(), std::to_string(IDC_SITE_LIST), row, false));
    }

    size_t scansAsked() const
    {
        std::string log = machine::wlan::ReadLog(machine());
        size_t n = 0;
        for (size_t at = log.find("WlanScan"); at != std::string::npos;
             at = log.find("WlanScan", at + 1))
            n++;
        return n;
    }

    // The default networks and two more: WPA with 802.1X, and an ad hoc WPA network.
    static std::vector<Network> networksWithWpaKinds()
    {
        using namespace machine::radio;
        std::vector<Network> list = DefaultNetworks();
        list.push_back(testing_support::RadioNetwork(
            "Tern Enterprise", 1, 4, -58, WpaElement(kWpaTkip, {kWpaTkip}, {kWpaAkm8021x}), true));
        Network adhoc = testing_support::RadioNetwork(
            "Wren AdHoc", 2, 2, -66, WpaElement(kWpaTkip, {kWpaTkip}, {kWpaAkmPsk}), true);
        adhoc.bssType = kIndependent;
        adhoc.capability = kCapIbss | kCapPrivacy;
        list.push_back(adhoc);
        // A frequency the channel table does not know.
        Network odd = testing_support::RadioNetwork("Odd Band", 3, 1, -70);
        odd.frequencyKhz = 2500000;
        list.push_back(odd);
        return list;
    }
};

TEST_F(SiteSurveyTest, RadioOffStartShowsRfOffAsksNoScanAndDisablesTheButtons)
{
    ASSERT_TRUE(machine::wlan::SetSoftwareRadio(machine(), m_id, -1, false));
    platform::wlan::DeliverNotificationsNow();
    platform::PumpUntilIdle();
    size_t before = scansAsked();
    openSheet();
    EXPECT_EQ(status(), "RF OFF");
    EXPECT_FALSE(g_bRadioOn);
    // The list: its own extended style, and columns of tenths of its width (399 px here).
    CSiteListCtrl& list = page().m_listSites;
    EXPECT_EQ(list.GetExtendedStyle(), 0x421u);
    std::vector<int> widths;
    for (int c = 0; c < 8; c++)
        widths.push_back(list.GetColumnWidth(c));
    EXPECT_EQ(widths, (std::vector<int>{78, 85, 27, 31, 27, 50, 50, 62}));
    EXPECT_FALSE(page().m_bListRefreshPending);
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));
    pageTick();
    EXPECT_EQ(status(), "RF OFF");
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(scansAsked(), before);
}

TEST_F(SiteSurveyTest, PendingScanKeepsTheLineAndTheFirstTickAfterItRefills)
{
    openSheet();
    EXPECT_EQ(status(), "Rescanning");
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(page().m_bListRefreshPending);

    // A tick while the scan is pending changes nothing.
    platform::AdvanceClock(SITE_SURVEY_PERIOD);
    ASSERT_TRUE(g_bScanPending);
    EXPECT_EQ(status(), "Rescanning");
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));

    finishScans();
    ASSERT_FALSE(g_bScanPending);
    pageTick();
    EXPECT_FALSE(page().m_bListRefreshPending);
    EXPECT_EQ(status(), "Disconnected");
    EXPECT_EQ(page().m_listSites.GetItemCount(),
              static_cast<int>(machine::radio::LoadNetworks(machine()).size()));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));

    // Rescan again: the buttons go and come back after the scan.
    ASSERT_TRUE(platform::automation::Click(pageWnd(), "Rescan"));
    EXPECT_EQ(status(), "Rescanning");
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));
    finishScans();
    pageTick();
    EXPECT_EQ(status(), "Disconnected");
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
}

TEST_F(SiteSurveyTest, ScanFailingAtOnceDoesNotLeaveThePageRescanning)
{
    openWithList();
    machine::wlan::InjectCallFailure(machine(), "WlanScan", 5 /* access denied */);
    ASSERT_TRUE(platform::automation::Click(pageWnd(), "Rescan"));
    EXPECT_FALSE(g_bScanPending);
    pageTick();
    EXPECT_EQ(status(), "Disconnected");
    EXPECT_FALSE(page().m_bListRefreshPending);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
}

TEST_F(SiteSurveyTest, ColumnsShowEachNetworksSecurityAndAuthCodesFollowThem)
{
    machine::radio::SaveNetworks(machine(), networksWithWpaKinds());
    openWithList();

    struct Case
    {
        const char* ssid;
        const char* bssid;
        const char* columns; // Phy Type to Network Type, joined by '|'
        int authCode;
    } cases[] = {
        {"Harbor Guest", "02-54-59-00-00-01", "G|100%|1|None|Unknown|Infrastructure", 0},
        {"Lantern WEP", "02-54-59-00-00-02", "G|57%|6|WEP|Unknown|Infrastructure", 0},
        {"Millbrook TKIP", "02-54-59-00-00-03", "G|44%|11|TKIP|WPA-PSK|Infrastructure", 2},
        {"Orchard AES", "02-54-59-00-00-04", "G|89%|3|AES|WPA2-PSK|Infrastructure", 5},
        {"Cobalt Mixed", "02-54-59-00-00-05", "G|76%|9|TKIP;AES|WPA-PSK;WPA2-PSK|Infrastructure",
         5},
        {"Quarry Corp", "02-54-59-00-00-06", "A|68%|36|AES|WPA2|Infrastructure", 4},
        {"", kHiddenBssid, "G|23%|6|AES|WPA2-PSK|Infrastructure", 5},
        {"Pebble AdHoc", "02-54-59-00-00-08", "B|34%|10|None|Unknown|Ad hoc", 0},
        {"Nimbus Eleven", "02-54-59-00-00-09", "N|100%|44|AES|WPA2-PSK|Infrastructure", 5},
        {"Tern Enterprise", "02-54-59-00-01-01", "G|81%|4|TKIP|WPA|Infrastructure", 1},
        {"Wren AdHoc", "02-54-59-00-01-02", "G|60%|2|TKIP|WPA-NONE|Ad hoc", 3},
        {"Odd Band", "02-54-59-00-01-03", "G|50%||None|Unknown|Infrastructure", 0},
    };
    auto all = rows();
    ASSERT_EQ(all.size(), std::size(cases));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bssid);
        int row = rowOfBssid(c.bssid);
        ASSERT_GE(row, 0);
        EXPECT_EQ(all[row].texts[0], c.ssid);
        std::string columns = all[row].texts[2];
        for (size_t i = 3; i < all[row].texts.size(); i++)
            columns += "|" + all[row].texts[i];
        EXPECT_EQ(columns, c.columns);
        EXPECT_EQ(all[row].image, -1);
        pick(row);
        EXPECT_EQ(page().AuthModeFromText(), c.authCode);
    }
}

TEST_F(SiteSurveyTest, WithoutSecuredConnectAWpaRowCannotBeTaken)
{
    openWithList();
    g_bAllowSecuredConnect = FALSE;
    pick(rowOf("Orchard AES"));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false}));
    pick(rowOf("Harbor Guest"));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
    pick(rowOf("Lantern WEP"));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
}

TEST_F(SiteSurveyTest, ConnectedNetworkIsMarkedAndOneOutOfTheListIsNamedOnly)
{
    ConnectOpen("Harbor Guest");
    openWithList();
    int row = rowOf("Harbor Guest");
    ASSERT_GE(row, 0);
    EXPECT_EQ(status(), "Connected <--> Harbor Guest");
    auto all = rows();
    for (size_t i = 0; i < all.size(); i++)
        EXPECT_EQ(all[i].image, static_cast<int>(i) == row ? 0 : -1) << i;

    // The network leaves the air; the link stays for the moment.
    machine::radio::ChangeNetworks(machine(),
                                   [](std::vector<Network>& list)
                                   {
                                       std::erase_if(list, [](const Network& n)
                                                     { return n.ssid == "Harbor Guest"; });
                                       return true;
                                   });
    ASSERT_TRUE(platform::automation::Click(pageWnd(), "Rescan"));
    finishScans();
    pageTick();
    ASSERT_EQ(rowOf("Harbor Guest"), -1);
    EXPECT_EQ(status(), "Connected <--> Harbor Guest");
    for (const Row& r : rows())
        EXPECT_EQ(r.image, -1);
}

TEST_F(SiteSurveyTest, AddProfileValuesFollowTheRowAndTheOsVersion)
{
    machine::radio::SaveNetworks(machine(), networksWithWpaKinds());
    openWithList();
    struct Case
    {
        const char* bssid;
        int os;
        int encryption, authentication, networkType, channel;
    } cases[] = {
        {"02-54-59-00-00-01", 8, 1, 0, 1, 1},  // open
        {"02-54-59-00-00-02", 8, 0, 0, 1, 6},  // WEP
        {"02-54-59-00-00-03", 8, 4, 4, 1, 11}, // WPA-PSK, TKIP
        {"02-54-59-00-00-05", 8, 6, 7, 1, 9},  // WPA-PSK and WPA2-PSK, TKIP and AES: XP
        {"02-54-59-00-00-05", 9, 6, 4, 1, 9},  // ... Server 2003
        {"02-54-59-00-00-04", 11, 6, 7, 1, 3}, // WPA2-PSK, Vista
        {"02-54-59-00-00-04", 5, 6, 4, 1, 3},  // ... Me
        {"02-54-59-00-00-06", 7, 6, 6, 1, 36}, // WPA2: 2000
        {"02-54-59-00-00-06", 9, 6, 3, 1, 36}, // ... Server 2003
        {"02-54-59-00-01-01", 8, 4, 3, 1, 4},  // WPA
        {"02-54-59-00-01-02", 8, 4, 5, 0, 2},  // WPA-NONE, ad hoc
        {"02-54-59-00-00-08", 8, 1, 0, 0, 10}, // open ad hoc
        {"02-54-59-00-01-03", 8, 1, 0, 1, 1},  // frequency outside the table
    };
    int oldOs = OsVersionCode;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.bssid) + " os " + std::to_string(c.os));
        OsVersionCode = c.os;
        pick(rowOfBssid(c.bssid));
        SITE_PROFILE_VALUES values;
        ASSERT_TRUE(page().GetProfileValues(values));
        EXPECT_EQ(values.nEncryption, c.encryption);
        EXPECT_EQ(values.nAuthentication, c.authentication);
        EXPECT_EQ(values.nNetworkType, c.networkType);
        EXPECT_EQ(values.nChannel, c.channel);
    }
    OsVersionCode = oldOs;
}

TEST_F(SiteSurveyTest, HiddenNetworkHasAnEmptySsidCellAndIsListedLikeAnyOther)
{
    openWithList();
    int row = rowOfBssid(kHiddenBssid);
    ASSERT_GE(row, 0);
    EXPECT_EQ(rows()[row].texts[0], "");
    pick(row);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
    SITE_PROFILE_VALUES values;
    ASSERT_TRUE(page().GetProfileValues(values));
    EXPECT_EQ(std::string(values.strSsid), "");
    EXPECT_EQ(values.nChannel, 6);
}

TEST_F(SiteSurveyTest, ConnectWithoutARowSaysSoAndAnOpenRowIsJoined)
{
    openWithList();
    platform::ClearMessageBoxLog();
    platform::ScriptMessageBoxAnswers({IDOK});
    page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_CONNECT, BN_CLICKED),
                       static_cast<LPARAM>(GetDlgItem(pageWnd(), IDC_SITE_CONNECT)));
    auto boxes = platform::MessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No selected item");

    // The record Connect makes for a row: open, the entry's network, BSSID and frequency.
    pick(rowOf("Harbor Guest"));
    StationProfile* pProfile = page().BuildConnectProfile();
    ASSERT_NE(pProfile, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(pProfile->Ssid), pProfile->SsidLength),
              "Harbor Guest");
    EXPECT_EQ(pProfile->BssidGiven, 1u);
    EXPECT_EQ(pProfile->Bssid[5], 1);
    EXPECT_EQ(pProfile->NetworkType, 1u);
    EXPECT_EQ(pProfile->AdhocChannelFrequency, 2412000u);
    EXPECT_EQ(pProfile->RtsThreshold, 2347u);
    EXPECT_EQ(pProfile->Preamble, 2u);
    EXPECT_EQ(pProfile->Reserved1, 1u);
    EXPECT_EQ(pProfile->AuthenticationMode, 0);
    EXPECT_EQ(pProfile->EncryptionStatus, 1u);
    HGLOBAL hProfile = GlobalHandle(pProfile);
    GlobalUnlock(hProfile);
    GlobalFree(hProfile);

    // A double click joins the open network; the profile editor it opens is cancelled.
    int tries = 0;
    std::string handedSsid;
    platform::SetIdleHook(
        [&]
        {
            // An editor that never comes up makes the loop idle: the run then ends in an abort.
            HWND hEditor = FindWindowA(NULL, "Add Profile");
            if (hEditor != 0)
            {
                auto* pEditor = dynamic_cast<CProfileSheet*>(g_pProfileEditor);
                if (pEditor != nullptr)
                    handedSsid = std::string(pEditor->m_SysConfigPage.m_strSsid);
                ::PostMessageA(hEditor, WM_COMMAND, IDCANCEL, 0);
            }
            else if (++tries < 50)
                platform::AdvanceClock(100);
        });
    ASSERT_TRUE(platform::automation::PickRow(pageWnd(), std::to_string(IDC_SITE_LIST),
                                              rowOf("Harbor Guest"), true));
    platform::PumpUntilIdle();
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(handedSsid, "Harbor Guest");
    platform::AdvanceClock(1000);
    auto connection = machine::wlan::CurrentConnection(machine(), m_id);
    ASSERT_TRUE(connection.has_value());
    EXPECT_EQ(connection->ssid, "Harbor Guest");
}

} // namespace

namespace
{

// A published list written by hand: the entries given back to back after the count.
void publishList(ULONG nCount, const std::vector<std::vector<BYTE>>& entries)
{
    memset(g_pBssidListCopy, 0, BSSID_LIST_BYTES);
    memcpy(g_pBssidListCopy, &nCount, sizeof nCount);
    size_t at = 4;
    for (const auto& e : entries)
    {
        memcpy(g_pBssidListCopy + at, e.data(), e.size());
        at += e.size();
    }
}

std::vector<BYTE> entry(ULONG nLength, ULONG nSsidLength, char fill)
{
    std::vector<BYTE> bytes(NDIS_WLAN_BSSID_EX_FIXED, 0);
    NDIS_WLAN_BSSID_EX header{};
    header.Length = nLength;
    header.MacAddress[5] = 0x42;
    header.Ssid.SsidLength = nSsidLength;
    memset(header.Ssid.Ssid, fill, sizeof header.Ssid.Ssid);
    header.Privacy = 0xFFFFFFFF; // the bytes after the SSID: never part of it
    header.Configuration.DSConfig = 2437000;
    header.InfrastructureMode = 1;
    memcpy(bytes.data(), &header, NDIS_WLAN_BSSID_EX_FIXED);
    return bytes;
}

TEST_F(SiteSurveyTest, DamagedListsAreReadOnlyAsFarAsTheyHold)
{
    openWithList();
    struct Case
    {
        const char* what;
        ULONG count;
        std::vector<std::vector<BYTE>> entries;
        int rows;
    } cases[] = {
        {"a long SSID length and a count past the entries",
         5,
         {entry(NDIS_WLAN_BSSID_EX_FIXED, 200, 'a'), entry(NDIS_WLAN_BSSID_EX_FIXED, 3, 'b')},
         2},
        {"an entry shorter than its fixed part ends the walk",
         3,
         {entry(NDIS_WLAN_BSSID_EX_FIXED, 32, 'a'), entry(50, 3, 'b'), entry(116, 3, 'c')},
         1},
        {"an entry reaching past the list", 1, {entry(70000, 3, 'a')}, 0},
        {"a huge count", 0xFFFFFFFF, {}, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        publishList(c.count, c.entries);
        page().FillBssList();
        auto all = rows();
        ASSERT_EQ(all.size(), static_cast<size_t>(c.rows));
        if (c.rows > 0)
        {
            EXPECT_EQ(all[0].texts[0], std::string(32, 'a'));
            EXPECT_EQ(all[0].texts[4], "6");
            pick(0);
            SITE_PROFILE_VALUES values;
            ASSERT_TRUE(page().GetProfileValues(values));
            EXPECT_EQ(std::string(values.strSsid), std::string(32, 'a'));
        }
    }
}

} // namespace
