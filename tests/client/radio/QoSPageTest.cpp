// The QoS page and its power-save dialog: WMM forced on for the 802.11n modes, the APSD word
// and the switches in the driver and their "0"/"1" records, the direct links listed every second
// while the page is shown, their set-up and tear-down, and the reconnect that follows a change.

#include "client/radio/QoSPage.h"
#include "client/radio/PowerSaveDlg.h"

#include "client/app/ProgramObjects.h"
#include "tests/client/radio/RadioPageFixture.h"

#include <cstring>

namespace
{

using namespace radio_test;
using namespace std::string_literals;

constexpr std::uint32_t kApsdQuery = 0x0D71012A, kApsdSet = 0x0DF1012A, kDlsSet = 0x0DF10131,
                        kWmmSet = 0x0DF1012D, kDlsTable = 0x0D710132, kDlsEntrySet = 0x0DF10132,
                        kSsidQuery = 0x0D010102, kSsidSet = 0x0D810102, kDisassociate = 0x0D810115,
                        kCcx2Set = 0x0DF1011E;

const std::string kSsid = le32(4) + "Cafe" + std::string(28, '\0');

// The adapter's own address, as the default driver makes it.
std::string ownMac(const machine::Machine& m, const std::string& id)
{
    return machine::miniport::AdapterMacAddress(machine::miniport::LoadAdapterState(m, id));
}

// A DLS entry in the driver's layout.
std::string dlsEntry(std::uint16_t timeout, const std::string& mac, char status, char valid)
{
    return std::string{static_cast<char>(timeout), static_cast<char>(timeout >> 8), 0, 0} + mac +
           status + valid;
}

class QoSPageTest : public RadioPageTest
{
protected:
    void SetUp() override
    {
        RadioPageTest::SetUp();
        g_nQosDlsSelected = -1;
        g_strQosDlsText.Empty();
        changeDriver(
            [](machine::miniport::AdapterState& s)
            { machine::miniport::SetAssociation(s, "Cafe", "\x02\x10\x20\x30\x40\x50"s); });
    }

    void TypeMac(const std::vector<std::string>& bytes, const std::string& timeout)
    {
        const int ids[6] = {IDC_QOS_MAC1, IDC_QOS_MAC2, IDC_QOS_MAC3,
                            IDC_QOS_MAC4, IDC_QOS_MAC5, IDC_QOS_MAC6};
        for (int i = 0; i < 6; i++)
            Type(ids[i], bytes[i]);
        Type(IDC_QOS_TIMEOUT, timeout);
    }
};

TEST_F(QoSPageTest, TheHtModesSwitchWmmOnAtStartAndApplyIt)
{
    struct Case
    {
        int nMode;
        bool bForced;
    } cases[] = {{4, false}, {5, true}, {9, true}, {10, true}, {11, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nMode);
        G_enumWirelessMode = c.nMode;
        changeDriver([](machine::miniport::AdapterState& s) { s.setU32(0x0D71012A, 0x9F); });
        SetConfig("WMMCapable", "");
        clearRequests();
        CPropertySheet sheet("QoS");
        CQoSPAGE page;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        EXPECT_EQ(IsDlgButtonChecked(page.m_hWnd, IDC_QOS_WMM) == BST_CHECKED, c.bForced);
        if (c.bForced)
        {
            // APSD off: the driver's bit 0 and bits 7 and up go.
            EXPECT_EQ(codes(),
                      (std::vector<std::uint32_t>{kApsdQuery, kApsdSet, kDlsSet, kWmmSet,
                                                  kSsidQuery, kDisassociate, kSsidSet, kCcx2Set}));
            EXPECT_EQ(sent(kApsdSet), std::vector<std::string>{le32(0x1E)});
            EXPECT_EQ(sent(kDlsSet), std::vector<std::string>{le32(0)});
            EXPECT_EQ(sent(kWmmSet), std::vector<std::string>{"\x01"s});
            EXPECT_EQ(sent(kSsidSet), std::vector<std::string>{kSsid});
            EXPECT_EQ(Config("WMMCapable"), "1");
            EXPECT_EQ(Config("APSDCapable"), "");
            EXPECT_EQ(Driver("WMMCapable"), Text("1"));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page.m_hWnd, IDC_QOS_APSD)));
        }
        else
            EXPECT_TRUE(codes().empty());
        sheet.DestroyWindow();
    }
}

TEST_F(QoSPageTest, WmmSetupKeepsTheDriversApsdBitOnlyWithApsdOnAndWmmOffClearsAll)
{
    SetConfig("WMMCapable", "1");
    SetConfig("APSDCapable", "1");
    SetConfig("DLSCapable", "1");
    changeDriver([](machine::miniport::AdapterState& s) { s.setU32(0x0D71012A, 0x9F); });
    CQoSPAGE& page = Open<CQoSPAGE>();
    EXPECT_TRUE(Enabled(IDC_QOS_POWERSAVE));
    EXPECT_TRUE(Enabled(IDC_QOS_LINK_SETUP));
    EXPECT_TRUE(codes().empty()) << "WMM on already: nothing sent at start";

    Click(IDC_QOS_WMM_SETUP);
    EXPECT_EQ(sent(kApsdSet), std::vector<std::string>{le32(0x1F)});
    EXPECT_EQ(sent(kDlsSet), std::vector<std::string>{le32(1)});

    clearRequests();
    Click(IDC_QOS_WMM);
    Click(IDC_QOS_WMM_SETUP);
    EXPECT_EQ(page.m_bApsd, 0);
    EXPECT_EQ(page.m_bDls, 0);
    EXPECT_EQ(sent(kApsdSet), std::vector<std::string>{le32(0x1E)});
    EXPECT_EQ(sent(kDlsSet), std::vector<std::string>{le32(0)});
    EXPECT_EQ(sent(kWmmSet), std::vector<std::string>{"\x00"s});
    for (const char* key : {"APSDCapable", "DLSCapable", "WMMCapable"})
    {
        EXPECT_EQ(Config(key), "0") << key;
        EXPECT_EQ(Driver(key), Text("0")) << key;
    }
    for (int nId : {IDC_QOS_APSD, IDC_QOS_POWERSAVE, IDC_QOS_DLS, IDC_QOS_DLS_SETUP,
                    IDC_QOS_LINK_SETUP, IDC_QOS_TIMEOUT, IDC_QOS_TEAR_DOWN, IDC_QOS_MAC1})
        EXPECT_FALSE(Enabled(nId)) << nId;
}

TEST_F(QoSPageTest, WithoutAKnownSsidTheReconnectSendsNeitherTheDropNorAnSsid)
{
    SetConfig("WMMCapable", "1");
    Open<CQoSPAGE>();
    failNext(kSsidQuery, 1, machine::miniport::Direction::Query);
    Click(IDC_QOS_WMM_SETUP);
    EXPECT_TRUE(sent(kDisassociate).empty());
    EXPECT_TRUE(sent(kSsidSet).empty());
    EXPECT_EQ(sent(kCcx2Set).size(), 1u) << "the rest goes on";

    // Not associated: the driver answers an SSID of length 0, which would join any network.
    changeDriver([](machine::miniport::AdapterState& s)
                 { machine::miniport::SetAssociation(s, "", ""); });
    clearRequests();
    Click(IDC_QOS_WMM_SETUP);
    EXPECT_TRUE(sent(kDisassociate).empty());
    EXPECT_TRUE(sent(kSsidSet).empty());
    EXPECT_FALSE(machine::miniport::LoadAdapterState(machine(), m_id).associateAny);
}

TEST_F(QoSPageTest, ApsdAndDlsSwitchesReachTheDriverAndBothRecords)
{
    SetConfig("WMMCapable", "1");
    changeDriver([](machine::miniport::AdapterState& s) { s.setU32(0x0D71012A, 0x14); });
    Open<CQoSPAGE>();
    EXPECT_FALSE(Enabled(IDC_QOS_POWERSAVE));
    Click(IDC_QOS_APSD);
    EXPECT_EQ(sent(kApsdSet), std::vector<std::string>{le32(0x15)});
    EXPECT_TRUE(Enabled(IDC_QOS_POWERSAVE));
    EXPECT_EQ(Config("APSDCapable"), "1");
    EXPECT_EQ(Driver("APSDCapable"), Text("1"));
    clearRequests();
    Click(IDC_QOS_APSD);
    EXPECT_EQ(sent(kApsdSet), std::vector<std::string>{le32(0x14)});
    EXPECT_EQ(Driver("APSDCapable"), Text("0"));

    EXPECT_FALSE(Enabled(IDC_QOS_LINK_SETUP));
    Click(IDC_QOS_DLS);
    Click(IDC_QOS_DLS_SETUP);
    EXPECT_EQ(sent(kDlsSet), std::vector<std::string>{le32(1)});
    EXPECT_EQ(Config("DLSCapable"), "1");
    EXPECT_EQ(Driver("DLSCapable"), Text("1"));
    EXPECT_TRUE(Enabled(IDC_QOS_LINK_SETUP));
    EXPECT_TRUE(Enabled(IDC_QOS_MAC6));
}

TEST_F(QoSPageTest, ADirectLinkIsSetUpOnlyForAPeersUnicastAddressAndAValidTimeout)
{
    SetConfig("WMMCapable", "1");
    SetConfig("DLSCapable", "1");
    Open<CQoSPAGE>();
    std::string own = ownMac(machine(), m_id);
    auto hex = [](unsigned char c)
    {
        char text[3];
        snprintf(text, sizeof text, "%02X", c);
        return std::string(text);
    };
    std::vector<std::string> ownBytes;
    for (unsigned char c : own)
        ownBytes.push_back(hex(c));

    struct Case
    {
        std::vector<std::string> mac;
        std::string timeout;
        std::string message; // empty: the entry is sent
        std::string entry;
    } cases[] = {
        {{"00", "11", "22", "33", "44", "55"},
         "60",
         "",
         dlsEntry(60, "\x00\x11\x22\x33\x44\x55"s, 0, 1)},
        // One digit is that value; either case of hexadecimal digits.
        {{"A", "b", "C", "d", "E", "f"},
         "300",
         "",
         dlsEntry(300, "\x0A\x0B\x0C\x0D\x0E\x0F"s, 0, 1)},
        {{"02", "00", "00", "00", "00", "01"},
         "abc",
         "",
         dlsEntry(0, "\x02\x00\x00\x00\x00\x01"s, 0, 1)},
        // Refused: no digits, no hexadecimal number, no peer.
        {{"", "11", "22", "33", "44", "55"}, "60", "Invalid MAC Address", ""},
        {{"ZZ", "11", "22", "33", "44", "55"}, "60", "Invalid MAC Address", ""},
        {{"00", "00", "00", "00", "00", "00"}, "60", "Invalid MAC Address", ""},
        {{"FF", "FF", "FF", "FF", "FF", "FF"}, "60", "Invalid MAC Address", ""},
        {ownBytes, "60", "Invalid MAC Address", ""},
        {{"01", "11", "22", "33", "44", "55"}, "60", "Invalid MAC Address", ""},
        {{"02", "11", "22", "33", "44", "55"},
         "70000",
         "Please enter a integer between 0 to 65535.",
         ""},
        {{"02", "11", "22", "33", "44", "55"},
         "-1",
         "Please enter a integer between 0 to 65535.",
         ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mac[0] + " " + c.timeout);
        TypeMac(c.mac, c.timeout);
        clearRequests();
        if (!c.message.empty())
            AnswerBoxes(1);
        Click(IDC_QOS_LINK_SETUP);
        if (c.message.empty())
        {
            EXPECT_TRUE(Boxes().empty());
            EXPECT_EQ(sent(kDlsEntrySet), std::vector<std::string>{c.entry});
        }
        else
        {
            EXPECT_EQ(Boxes(), std::vector<std::string>{c.message});
            EXPECT_TRUE(sent(kDlsEntrySet).empty());
        }
    }
}

TEST_F(QoSPageTest, TheDlsListShowsLinkedEntriesEverySecondWhileThePageIsShown)
{
    SetConfig("WMMCapable", "1");
    SetConfig("DLSCapable", "1");
    const std::string a = "\x02\x00\x00\x00\x00\x0A"s, b = "\x02\x00\x00\x00\x00\x0B"s,
                      c = "\x02\x00\x00\x00\x00\x0C"s, d = "\x02\x00\x00\x00\x00\x0D"s;
    changeDriver(
        [&](machine::miniport::AdapterState& s)
        {
            s.setBytes(kDlsTable, dlsEntry(30, a, 2, 1) + dlsEntry(20, b, 0, 1) +
                                      dlsEntry(10, c, 2, 0) + dlsEntry(45, d, 2, 1));
        });
    CQoSPAGE& page = Open<CQoSPAGE>();
    EXPECT_EQ(page.m_lcDls.GetItemCount(), 0);
    platform::AdvanceClock(1000);
    ASSERT_EQ(page.m_lcDls.GetItemCount(), 2);
    EXPECT_EQ(std::string(page.m_lcDls.GetItemText(0, 0)), "02-00-00-00-00-0A");
    EXPECT_EQ(std::string(page.m_lcDls.GetItemText(1, 0)), "02-00-00-00-00-0D");
    EXPECT_EQ(std::string(page.m_lcDls.GetItemText(1, 1)), "45");

    // The clicked row's MAC stays selected through the refills; a double click takes it in.
    ASSERT_TRUE(platform::automation::PickRow(Page(), std::to_string(IDC_QOS_DLS_LIST), 1, true));
    EXPECT_EQ(std::string(g_strQosDlsText), "02-00-00-00-00-0D");
    EXPECT_EQ(TextOf(IDC_QOS_MAC6), "0D");
    EXPECT_EQ(TextOf(IDC_QOS_TIMEOUT), "45");
    platform::AdvanceClock(1000);
    EXPECT_EQ(page.m_lcDls.GetNextItem(-1, LVNI_SELECTED), 1);

    // Not while another page is shown.
    Leave();
    changeDriver([&](machine::miniport::AdapterState& s)
                 { s.setBytes(kDlsTable, dlsEntry(30, a, 2, 1) + std::string(36, '\0')); });
    platform::AdvanceClock(3000);
    EXPECT_EQ(page.m_lcDls.GetItemCount(), 2);
    Return();
    platform::AdvanceClock(1000);
    EXPECT_EQ(page.m_lcDls.GetItemCount(), 1);
    EXPECT_NE(Form().find("02-00-00-00-00-0A"), std::string::npos) << Form();
}

TEST_F(QoSPageTest, TearDownTakesTheFirstValidEntryOfTheSelectedMacWhateverItsStatus)
{
    SetConfig("WMMCapable", "1");
    SetConfig("DLSCapable", "1");
    const std::string a = "\x02\x00\x00\x00\x00\x0A"s;
    changeDriver([&](machine::miniport::AdapterState& s)
                 { s.setBytes(kDlsTable, dlsEntry(30, a, 2, 1) + std::string(36, '\0')); });
    CQoSPAGE& page = Open<CQoSPAGE>();
    AnswerBoxes(1);
    Click(IDC_QOS_TEAR_DOWN);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"No selected item"});
    EXPECT_TRUE(sent(kDlsEntrySet).empty());

    platform::AdvanceClock(1000);
    ASSERT_TRUE(platform::automation::PickRow(Page(), std::to_string(IDC_QOS_DLS_LIST), 0, false));
    // Meanwhile the link went down but is still in use.
    changeDriver([&](machine::miniport::AdapterState& s)
                 { s.setBytes(kDlsTable, dlsEntry(30, a, 1, 1) + std::string(36, '\0')); });
    clearRequests();
    Click(IDC_QOS_TEAR_DOWN);
    EXPECT_EQ(sent(kDlsEntrySet), std::vector<std::string>{dlsEntry(30, a, 1, 0)});
    EXPECT_EQ(page.m_lcDls.GetItemCount(), 0);
    EXPECT_EQ(machine::miniport::LoadAdapterState(machine(), m_id).bytes(kDlsTable, 48),
              std::string(48, '\0'));
}

TEST_F(QoSPageTest, ThePowerSaveDialogSendsTheWordOfItsChecksAndReconnects)
{
    SetConfig("WMMCapable", "1");
    SetConfig("APSDCapable", "1");
    changeDriver([](machine::miniport::AdapterState& s) { s.setU32(0x0D71012A, 0x05); });
    Open<CQoSPAGE>();
    ClickIntoDialog(IDC_QOS_POWERSAVE, "Power Save Setting",
                    [&](HWND hDlg)
                    {
                        EXPECT_EQ(IsDlgButtonChecked(hDlg, IDC_PS_AC_BK), BST_CHECKED);
                        EXPECT_EQ(IsDlgButtonChecked(hDlg, IDC_PS_AC_BE), BST_UNCHECKED);
                        ASSERT_TRUE(platform::automation::Click(hDlg, "AC_BK"));
                        ASSERT_TRUE(platform::automation::Click(hDlg, "AC_VO"));
                        clearRequests();
                        ASSERT_TRUE(platform::automation::Click(hDlg, "Apply"));
                    });
    EXPECT_EQ(FindWindowA(NULL, "Power Save Setting"), HWND(0));
    EXPECT_EQ(sent(kApsdSet), std::vector<std::string>{le32(0x11)});
    const char* keys[] = {"APSDAC_BE", "APSDAC_BK", "APSDAC_VI", "APSDAC_VO"};
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ(Config(keys[i]), i == 3 ? "1" : "0") << keys[i];
        EXPECT_EQ(Driver(keys[i]), Text(i == 3 ? "1" : "0")) << keys[i];
    }
    EXPECT_EQ(sent(kSsidSet), std::vector<std::string>{kSsid});
    EXPECT_EQ(sent(kCcx2Set).size(), 1u);
}

} // namespace
