// The 11n page against the driver and the driver key: the capability record sent at creation
// from "BACapability", APPLY's packed word, the session lists read only while the page is
// shown, and the add and delete requests the two dialogs lead to.

#include "accesspoint/pages/BlockAck.h"

#include "machine/miniport/BlockAckSessions.h"
#include "platform/ui/TestPump.h"
#include "platform/ui/msgbox/MessageBox.h"
#include "tests/accesspoint/support/ApPageFixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

namespace automation = platform::automation;
using testing_support::le32;

constexpr std::uint32_t kCapabilitySet = 0x0DF10137;
constexpr std::uint32_t kSessions = 0x0D710138;
constexpr std::uint32_t kAdd = 0x0DF10138;
constexpr std::uint32_t kDelete = 0x0DF1013A;
constexpr std::uint32_t kStations = 0x0D71010B;

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

std::string Mac(int last)
{
    return Bytes({0x02, 0x5A, 0x00, 0x00, 0x00, last});
}

// One side's entry of the session table: MAC, TID mask, the TIDs' window sizes.
void PutEntry(std::string& table, bool recipient, int index, int last, int mask,
              int windowSize = 64)
{
    std::string entry(48, '\0');
    entry.replace(0, 6, Mac(last));
    entry[6] = static_cast<char>(mask);
    for (int tid = 0; tid < 8; tid++)
        entry[8 + tid] = static_cast<char>(windowSize + tid);
    table.replace((recipient ? 1536 : 0) + 48 * index, 48, entry);
}

class ApBlockAckTest : public ap_test::ApPageFixture<CBlockAck>
{
protected:
    void SetUp() override
    {
        ApPageFixture::SetUp();
        platform::ClearMessageBoxLog();
    }
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        ApPageFixture::TearDown();
    }

    void StoreCapability(DWORD type, const std::string& data) const
    {
        ASSERT_TRUE(
            machine::registry::SetValue(machine(), m_driverKey, "BACapability", type, data));
    }

    // Presses the button; `script` acts on the dialog once it is up and ends it. Boxes are
    // answered with OK.
    void WithDialog(int nButton, const char* pszTitle, const std::function<void(HWND)>& script)
    {
        bool ran = false;
        platform::SetIdleHook(
            [&]
            {
                if (auto box = platform::FindOpenMessageBox())
                {
                    platform::AnswerMessageBox(box->hwnd, IDOK);
                    return;
                }
                HWND hWnd = FindWindowA(NULL, pszTitle);
                if (hWnd == 0 || ran)
                    return;
                ran = true;
                script(hWnd);
            });
        Click(nButton);
        platform::SetIdleHook(nullptr);
        EXPECT_TRUE(ran) << pszTitle << " did not come up";
    }

    std::vector<std::string> Rows(int nList) const
    {
        CListCtrl* pList = static_cast<CListCtrl*>(m_pPage->GetDlgItem(nList));
        std::vector<std::string> rows;
        for (int i = 0; i < pList->GetItemCount(); i++)
        {
            std::string row;
            for (int col = 0; col < 9; col++)
                row += (col ? " " : "") + std::string(pList->GetItemText(i, col).GetString());
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(ApBlockAckTest, TheStoredWordIsSentAtCreationAndReadBackOnActivation)
{
    struct Case
    {
        const char* name;
        DWORD type; // 0: no value
        std::string data;
        std::string sent; // the 8-byte record of the page's fields
    };
    const Case cases[] = {
        {"missing", 0, "", Bytes({32, 32, 1, 0, 1, 0, 3, 1})},
        // Bits 22 and 16: A-MSDU on, Auto; aggregation off (2 on the wire), Static SMPS.
        {"A-MSDU and Auto", REG_DWORD, le32(4194304 + 65536), Bytes({0, 0, 2, 0, 1, 0, 0, 1})},
        {"zero", REG_DWORD, le32(0), Bytes({0, 0, 2, 0, 0, 0, 0, 0})},
        // Every field: window bytes 0x21/0x40, aggregation on, density 5, A-MSDU 7935, Dynamic.
        {"all fields", REG_DWORD,
         le32(0x21 | 0x40 << 8 | 1 << 17 | 5 << 19 | 1 << 22 | 1 << 23 | 1 << 24),
         Bytes({0x21, 0x40, 1, 5, 1, 1, 1, 0})},
        // The client's decimal text is taken byte for byte: "4259" is 0x39353234.
        {"decimal text", REG_SZ, "4259840", Bytes({0x34, 0x32, 2, 6, 0, 0, 1, 1})},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        machine::registry::DeleteValue(machine(), m_driverKey, "BACapability");
        if (c.type != 0)
            StoreCapability(c.type, c.data);
        clearRequests();
        OpenPage();
        ASSERT_EQ(sent(kCapabilitySet), std::vector<std::string>{c.sent});
        // Activation reads the driver's record into the fields; the driver holds what was sent.
        BaSettings s = m_pPage->m_Settings;
        EXPECT_EQ(BuildAggregationRequest(s).Density, static_cast<BYTE>(c.sent[3]));
        EXPECT_EQ(IsDlgButtonChecked(m_pPage->m_hWnd, IDC_BA_MPDU), c.sent[2] == 1);
        EXPECT_EQ(IsDlgButtonChecked(m_pPage->m_hWnd, IDC_BA_AMSDU), c.sent[4] == 1);
        EXPECT_EQ(IsDlgButtonChecked(m_pPage->m_hWnd, IDC_BA_POLICY_AUTO), c.sent[7] == 1);
        ClosePage();
    }
}

TEST_F(ApBlockAckTest, ApplySendsTheFieldsAndStoresTheirPackedWord)
{
    StoreCapability(REG_DWORD, le32(0));
    OpenPage();
    ASSERT_FALSE(Enabled(IDC_BA_POLICY_AUTO));
    CheckDlgButton(m_pPage->m_hWnd, IDC_BA_MPDU, BST_CHECKED);
    Click(IDC_BA_MPDU);
    // Aggregation on with the Manual policy: everything enabled.
    EXPECT_TRUE(Enabled(IDC_BA_POLICY_AUTO));
    EXPECT_TRUE(Enabled(IDC_BA_ORI_ADD));
    m_pPage->SetDlgItemText(IDC_BA_DENSITY, "300"); // only its low bits travel
    clearRequests();
    Click(IDC_BA_APPLY);
    EXPECT_EQ(sent(kCapabilitySet), std::vector<std::string>{Bytes({0, 0, 1, 44, 0, 0, 0, 0})});
    auto v = machine::registry::GetValue(machine(), m_driverKey, "BACapability");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(v->data, le32(1 << 17 | (44 & 7) << 19));

    // Auto is taken at once; the session buttons go grey with APPLY.
    CheckRadioButton(m_pPage->m_hWnd, IDC_BA_POLICY_MANUAL, IDC_BA_POLICY_AUTO, IDC_BA_POLICY_AUTO);
    Click(IDC_BA_POLICY_AUTO);
    EXPECT_TRUE(Enabled(IDC_BA_ORI_ADD));
    Click(IDC_BA_APPLY);
    EXPECT_FALSE(Enabled(IDC_BA_ORI_ADD));
    EXPECT_FALSE(Enabled(IDC_BA_REC_DELETE));
    EXPECT_TRUE(Enabled(IDC_BA_DENSITY));
}

TEST_F(ApBlockAckTest, SessionsAreReadEverySecondOnlyWhileThePageIsShown)
{
    std::string table(3076, '\0');
    PutEntry(table, false, 0, 0x01, 0x05); // TIDs 0 and 2
    PutEntry(table, false, 1, 0x02, 0x00); // no sessions: no row
    PutEntry(table, false, 2, 0x03, 0x80);
    PutEntry(table, true, 0, 0x04, 0x01, 16);
    table[3072] = 2;
    table[3073] = 1;
    setDriverValue(kSessions, table);
    OpenPage();
    EXPECT_TRUE(Rows(IDC_BA_ORI_LIST).empty());
    platform::AdvanceClock(1000);
    EXPECT_EQ(Rows(IDC_BA_ORI_LIST),
              (std::vector<std::string>{"02-5A-00-00-00-01 64 - 66 - - - - -",
                                        "02-5A-00-00-00-03 - - - - - - - 71"}));
    EXPECT_EQ(Rows(IDC_BA_REC_LIST),
              (std::vector<std::string>{"02-5A-00-00-00-04 16 - - - - - - -"}));

    LeavePage();
    clearRequests();
    platform::AdvanceClock(5000);
    EXPECT_TRUE(sent(kSessions).empty());
    ReturnToPage();
    platform::AdvanceClock(1000);
    EXPECT_EQ(sent(kSessions).size(), 1u);

    // The timer goes with the page's window.
    ClosePage();
    clearRequests();
    platform::AdvanceClock(5000);
    EXPECT_TRUE(requests().empty());
}

TEST_F(ApBlockAckTest, ACountAboveTheTablesEntriesStopsAtItsEnd)
{
    std::string table(3076, '\0');
    for (int i = 0; i < 32; i++)
        PutEntry(table, true, i, i + 1, 0x01);
    table[3072] = static_cast<char>(200); // one originator entry at most, and none is used
    table[3073] = static_cast<char>(255);
    setDriverValue(kSessions, table);
    OpenPage();
    platform::AdvanceClock(1000);
    EXPECT_TRUE(Rows(IDC_BA_ORI_LIST).empty());
    EXPECT_EQ(Rows(IDC_BA_REC_LIST).size(), 32u);
}

TEST_F(ApBlockAckTest, AddSendsTheChosenStationTidAndWindowSize)
{
    // The driver's station table: two stations, and a count that claims more than it holds.
    std::string stations = le32(300);
    stations += Mac(0x11) + std::string(4, '\0') + Mac(0x12) + std::string(4, '\0');
    stations.resize(324, '\0');
    setDriverValue(kStations, stations);
    StoreCapability(REG_DWORD, le32(1 << 17)); // aggregation on, Manual
    OpenPage();
    ASSERT_TRUE(Enabled(IDC_BA_ORI_ADD));
    int nRows = 0;
    WithDialog(
        IDC_BA_ORI_ADD, "Add MPDU Aggregation",
        [&](HWND hDlg)
        {
            CListCtrl* pList =
                static_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(hDlg, IDC_BADLG_BSSID_LIST)));
            nRows = pList->GetItemCount();
            EXPECT_EQ(std::string(pList->GetItemText(1, 0).GetString()), "02-5A-00-00-00-12");
            ASSERT_TRUE(automation::PickRow(hDlg, std::to_string(IDC_BADLG_BSSID_LIST), 1, false));
            ASSERT_TRUE(automation::SelectEntry(hDlg, std::to_string(IDC_BADLG_TID), "5"));
            ASSERT_TRUE(automation::SetText(hDlg, std::to_string(IDC_BADLG_WINDOW_SIZE), "300"));
            ASSERT_TRUE(automation::Click(hDlg, "OK"));
        });
    // The list is bounded by the entries the answer holds, not by its count.
    EXPECT_EQ(nRows, 32);
    // Originator, the MAC, TID 5, window size 300's low byte (44).
    EXPECT_EQ(sent(kAdd),
              std::vector<std::string>{Bytes({0}) + Mac(0x12) + Bytes({5, 44, 0, 0, 0, 0, 0})});
    // The driver took the session: the next second lists it.
    platform::AdvanceClock(1000);
    EXPECT_EQ(Rows(IDC_BA_ORI_LIST),
              (std::vector<std::string>{"02-5A-00-00-00-12 - - - - - 44 - -"}));
}

TEST_F(ApBlockAckTest, DeleteAndDeleteEntrySendTheirRequests)
{
    std::string table(3076, '\0');
    PutEntry(table, true, 0, 0x21, 0x09);
    table[3073] = 1;
    setDriverValue(kSessions, table);
    StoreCapability(REG_DWORD, le32(1 << 17));
    OpenPage();
    platform::AdvanceClock(1000);

    WithDialog(IDC_BA_REC_DELETE, "Delete MPDU Aggregation",
               [&](HWND hDlg)
               {
                   EXPECT_TRUE(IsWindowVisible(::GetDlgItem(hDlg, IDC_BADLG_TID)));
                   ASSERT_TRUE(automation::SelectEntry(hDlg, std::to_string(IDC_BADLG_TID), "3"));
                   ASSERT_TRUE(automation::Click(hDlg, "OK"));
               });
    EXPECT_EQ(sent(kDelete),
              std::vector<std::string>{Bytes({1}) + Mac(0x21) + Bytes({3, 0, 0, 0, 0, 0, 0})});

    // DELETE ENTRY (created hidden) hides the TID choice and sends its first entry, TID 0.
    clearRequests();
    WithDialog(IDC_BA_REC_DELETE_ENTRY, "Delete MPDU Aggregation",
               [&](HWND hDlg)
               {
                   EXPECT_FALSE(IsWindowVisible(::GetDlgItem(hDlg, IDC_BADLG_TID)));
                   ASSERT_TRUE(automation::Click(hDlg, "OK"));
               });
    EXPECT_EQ(sent(kDelete),
              std::vector<std::string>{Bytes({1}) + Mac(0x21) + Bytes({0, 0, 0, 0, 0, 1, 0})});
}

TEST_F(ApBlockAckTest, OkWithoutAStationSaysSoAndStaysOpen)
{
    StoreCapability(REG_DWORD, le32(1 << 17));
    setDriverValue(kStations, std::string(324, '\0'));
    OpenPage();
    clearRequests();
    WithDialog(IDC_BA_ORI_ADD, "Add MPDU Aggregation",
               [&](HWND hDlg)
               {
                   ASSERT_TRUE(automation::Click(hDlg, "OK"));
                   platform::PumpUntilIdle();
                   EXPECT_TRUE(IsWindow(hDlg));
                   ASSERT_TRUE(automation::Click(hDlg, "CANCEL"));
               });
    auto boxes = platform::MessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please select BSSID");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_TRUE(sent(kAdd).empty());
}

} // namespace
