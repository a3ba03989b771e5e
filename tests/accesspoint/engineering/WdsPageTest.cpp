// The WDS page, which the sheet never keeps, driven directly: its stored values, the MAC checks
// it shares with the Access Control page, and APPLY's 60-byte record with and without a key.

#include "accesspoint/pages/WdsPage.h"

#include "accesspoint/app/ApGlobals.h"
#include "machine/stations/JoinCheck.h"
#include "platform/ui/TestPump.h"
#include "platform/ui/msgbox/MessageBox.h"
#include "tests/accesspoint/support/ApPageFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using testing_support::le32;

constexpr std::uint32_t kWdsSet = 0x0DF10112;

std::string Peer(int last)
{
    return std::string("\x02\x5A\x00\x00\x00", 5) + static_cast<char>(last);
}

class ApWdsPageTest : public ap_test::ApPageFixture<CWdsPage>
{
protected:
    void SetUp() override
    {
        ApPageFixture::SetUp();
        platform::ClearMessageBoxLog();
        // Boxes are answered as they come up; their texts stay in the log.
        platform::SetIdleHook(
            []
            {
                if (auto box = platform::FindOpenMessageBox())
                    platform::AnswerMessageBox(box->hwnd, IDOK);
            });
        g_nApAuthMode = 0;
        g_strApPassphrase.Empty();
    }
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        ApPageFixture::TearDown();
    }

    void StoreList(const std::vector<std::string>& entries) const
    {
        std::string data;
        for (const std::string& e : entries)
            data += e + '\0';
        data += '\0';
        ASSERT_TRUE(
            machine::registry::SetValue(machine(), apDefault(), "WdsList", REG_MULTI_SZ, data));
    }
    void Add(const char* pszMac) const
    {
        m_pPage->SetDlgItemText(IDC_WDS_MAC_EDIT, pszMac);
        Click(IDC_WDS_ADD);
    }
    int Rows() const
    {
        return static_cast<int>(m_pPage->SendDlgItemMessage(IDC_WDS_LIST, LB_GETCOUNT, 0, 0));
    }
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> texts;
        for (const auto& box : platform::MessageBoxLog())
            texts.push_back(box.text);
        return texts;
    }
};

TEST_F(ApWdsPageTest, TheStoredSwitchAndPeersLoadAndSetTheControls)
{
    OpenPage();
    // Never stored: Disable, and the list controls grey.
    EXPECT_TRUE(IsDlgButtonChecked(m_pPage->m_hWnd, IDC_WDS_DISABLE));
    EXPECT_FALSE(Enabled(IDC_WDS_LIST));
    EXPECT_FALSE(Enabled(IDC_WDS_ADD));
    EXPECT_EQ(Text(IDC_WDS_ENABLE), "Enable");
    EXPECT_EQ(Text(IDC_WDS_MAC_LABEL), "AP MAC : \n(etc: 0073FF123456)");
    ClosePage();

    setText(apDefault(), "WdsEnable", "0");
    StoreList({"025A00000001", "025a00000002"});
    OpenPage();
    EXPECT_TRUE(IsDlgButtonChecked(m_pPage->m_hWnd, IDC_WDS_ENABLE));
    EXPECT_EQ(Rows(), 2);
    EXPECT_TRUE(Enabled(IDC_WDS_ADD));
    // Reading "ApDefault" copies it into the driver key.
    EXPECT_EQ(textOf(m_driverKey, "WdsEnable"), "0");
}

TEST_F(ApWdsPageTest, AddChecksTheAddressAndStopsAtThreePeers)
{
    setText(apDefault(), "WdsEnable", "0");
    OpenPage();
    Add("025A0000");     // too short
    Add("0123456789AB"); // a group address
    Add("025A00000001");
    Add("025a00000001"); // the same in other letters
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Invalid MAC", "Multicast MAC Not Accepted",
                                                 "Duplicated MAC"}));
    EXPECT_EQ(platform::MessageBoxLog()[0].caption, "AP Error Message");
    Add("025A00000002");
    EXPECT_TRUE(Enabled(IDC_WDS_ADD));
    Add("025A00000003");
    EXPECT_EQ(Rows(), 3);
    EXPECT_FALSE(Enabled(IDC_WDS_ADD));
    // The in-place edit: the row's digits over the row, the radios and APPLY grey meanwhile;
    // MODIFY checks the edited address and puts it in the row's place.
    m_pPage->SendDlgItemMessage(IDC_WDS_LIST, LB_SETCURSEL, 1, 0);
    m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WDS_LIST, LBN_DBLCLK),
                         static_cast<LPARAM>(::GetDlgItem(m_pPage->m_hWnd, IDC_WDS_LIST)));
    platform::PumpUntilIdle();
    EXPECT_TRUE(Visible(IDC_WDS_MODIFY_EDIT));
    EXPECT_EQ(Text(IDC_WDS_MODIFY_EDIT), "025A00000002");
    EXPECT_EQ(Text(IDC_WDS_MODIFY), "Modify");
    EXPECT_FALSE(Enabled(IDC_WDS_APPLY));
    EXPECT_FALSE(Enabled(IDC_WDS_ENABLE));
    m_pPage->SetDlgItemText(IDC_WDS_MODIFY_EDIT, "025A00000003"); // already listed
    Click(IDC_WDS_MODIFY);
    EXPECT_EQ(Boxes().back(), "Duplicated MAC");
    m_pPage->SetDlgItemText(IDC_WDS_MODIFY_EDIT, "025A000000AA");
    Click(IDC_WDS_MODIFY);
    CString strRow;
    static_cast<CListBox*>(m_pPage->GetDlgItem(IDC_WDS_LIST))->GetText(1, strRow);
    EXPECT_EQ(std::string(strRow.GetString()), "02-5A-00-00-00-AA");
    EXPECT_FALSE(Visible(IDC_WDS_MODIFY_EDIT));
    EXPECT_TRUE(Enabled(IDC_WDS_APPLY));

    Click(IDC_WDS_REMOVE_ALL);
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Enabled(IDC_WDS_ADD));
}

TEST_F(ApWdsPageTest, ApplyStoresTheValuesAndSendsTheRecord)
{
    struct Case
    {
        const char* name;
        const char* enable;
        std::vector<std::string> peers;
        int authMode;
        std::string expected;
    };
    const std::string noKey = le32(0) + std::string(32, '\0');
    const std::string key = le32(32) + *machine::stations::StationPsk("orchard-secret", "WDSLNK");
    const Case cases[] = {
        {"disabled", "1", {"025A00000001"}, 7, std::string(60, '\0')},
        {"no peers", "0", {}, 7, le32(0) + std::string(20, '\0') + key},
        {"one peer, open",
         "0",
         {"025A00000001"},
         0,
         le32(1) + Peer(1) + std::string(14, '\0') + noKey},
        {"three peers, WPA2-PSK",
         "0",
         {"025A00000001", "025A00000002", "025A00000003"},
         7,
         le32(3) + Peer(1) + Peer(2) + Peer(3) + std::string(2, '\0') + key},
    };
    g_strApPassphrase = "orchard-secret";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_nApAuthMode = c.authMode;
        setText(apDefault(), "WdsEnable", c.enable);
        StoreList(c.peers);
        OpenPage();
        clearRequests();
        Click(IDC_WDS_APPLY);
        ASSERT_EQ(sent(kWdsSet).size(), 1u);
        EXPECT_EQ(sent(kWdsSet)[0], c.expected);
        ClosePage();
    }
    // APPLY wrote both values into "ApDefault" and the driver key.
    std::string list = "025A00000001";
    list += '\0';
    list += "025A00000002";
    list += '\0';
    list += "025A00000003";
    list += '\0';
    list += '\0';
    EXPECT_EQ(textOf(m_driverKey, "WdsList"), list);
    EXPECT_EQ(textOf(m_driverKey, "WdsEnable"), "0");
}

} // namespace
