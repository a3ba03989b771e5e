// The 802.11n page and its dialogs over the simulated driver: the aggregation record at start
// and on Apply, the "BACapability" word in both records, the controls the settings enable, the
// session lists every second while shown, and the sessions the dialogs add and tear down.

#include "client/radio/BlockAck.h"

#include "client/monitor/ClientGlobals.h"
#include "client/radio/BlockAckDlgs.h"
#include "machine/miniport/DriverFaults.h"
#include "tests/client/radio/RadioPageFixture.h"

#include <cstring>

namespace
{

using namespace radio_test;
using namespace std::string_literals;

constexpr std::uint32_t kAggregationSet = 0xFF8C0026, kAggregationQuery = 0xFF0C0026,
                        kTableQuery = 0xFF0C0025, kAddSet = 0xFF8C0025, kDeleteSet = 0xFF8C0027,
                        kBssidQuery = 0xFF0C0029;

const std::string kPeerA = "\x02\x11\x22\x33\x44\x01"s, kPeerB = "\x02\x11\x22\x33\x44\x02"s,
                  kPeerC = "\x02\x11\x22\x33\x44\x03"s;

// A peer entry of the session table: MAC, TID bitmap, the eight shown values, the slots.
std::string peerEntry(const std::string& mac, BYTE bitmap, BYTE value = 64)
{
    std::string e = mac + static_cast<char>(bitmap) + '\0';
    for (int tid = 0; tid < 8; tid++)
        e += static_cast<char>(value + tid);
    for (int tid = 0; tid < 8; tid++)
        e += static_cast<char>(0x10 + tid) + "\x01\0\0"s;
    return e;
}

std::string sessionTable(const std::vector<std::string>& originators, BYTE nOriginators,
                         const std::vector<std::string>& recipients, BYTE nRecipients)
{
    std::string side;
    std::string table;
    for (const auto* entries : {&originators, &recipients})
    {
        side.clear();
        for (const std::string& e : *entries)
            side += e;
        side.resize(32 * 48, '\0');
        table += side;
    }
    return table + static_cast<char>(nOriginators) + static_cast<char>(nRecipients) + "\0\0"s;
}

// The connected-BSSID record: a count and 10-byte entries.
std::string bssidRecord(std::uint32_t count, const std::vector<std::string>& bssids)
{
    std::string r = le32(count);
    for (const std::string& b : bssids)
        r += b + "\xEE\xEE\xEE\xEE"s;
    r.resize(324, '\0');
    return r;
}

class BlockAckTest : public RadioPageTest
{
protected:
    // Aggregation on with the manual policy: the session buttons are usable.
    static void manualPolicy() { SetConfig("BACapability", std::to_string(1u << 17)); }
    void pin(std::uint32_t code, const std::string& answer)
    {
        changeDriver([&](machine::miniport::AdapterState& s)
                     { machine::miniport::PinAnswer(s, code, answer); });
    }
    std::vector<std::string> rows(CListCtrl& list)
    {
        std::vector<std::string> out;
        for (int r = 0; r < list.GetItemCount(); r++)
        {
            std::string row;
            for (int c = 0; c < 9; c++)
                row += (c ? " " : "") + std::string(list.GetItemText(r, c));
            out.push_back(row);
        }
        return out;
    }
    static std::vector<std::string> dialogRows(HWND hDlg)
    {
        // The dialog's own list object.
        auto* pList =
            static_cast<CListCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(hDlg, IDC_BADLG_BSSIDS)));
        std::vector<std::string> out;
        for (int r = 0; pList != nullptr && r < pList->GetItemCount(); r++)
            out.push_back(std::string(pList->GetItemText(r, 0)));
        return out;
    }
};

TEST_F(BlockAckTest, TheStartSendsTheStoredSettingsAndShowsWhatTheyEnable)
{
    // Nothing stored: the constructed record.
    CBlockAck& page = Open<CBlockAck>();
    EXPECT_EQ(sent(kAggregationSet), std::vector<std::string>{"\x20\x20\x01\x00\x01\x00\x03\x01"s});
    EXPECT_EQ(codes().back(), kAggregationQuery) << "the first activation reads it back";
    for (int nId : {IDC_BA_AMSDU_GROUP, IDC_BA_AMSDU, IDC_BA_AMSDU_3839, IDC_BA_SMPS_GROUP,
                    IDC_BA_SM_ENABLE, IDC_BA_SMPS_STATIC, IDC_BA_SMPS_DYNAMIC})
        EXPECT_TRUE(Visible(nId)) << nId;
    for (int nId : {IDC_BA_AMSDU_7935, IDC_BA_ORI_DELETE_ENTRY, IDC_BA_REC_DELETE_ENTRY})
        EXPECT_FALSE(Visible(nId)) << nId;
    EXPECT_EQ(TextOf(IDC_BA_ORIGINATOR_GROUP), "Originator of");
    (void)page;
}

TEST_F(BlockAckTest, TheCapabilityWordLoadsPacksAndIsStoredInBothRecords)
{
    // Bits 22 and 16: A-MSDU on, policy "Auto", aggregation off (byte 2 = 0), "Static SMPS".
    SetConfig("BACapability", std::to_string(4194304 + 65536));
    changeDriver([](machine::miniport::AdapterState& s)
                 { s.setBytes(kAggregationQuery, "\x00\x00\x00\x00\x01\x00\x00\x01"s); });
    CBlockAck& page = Open<CBlockAck>();
    EXPECT_EQ(sent(kAggregationSet), std::vector<std::string>{"\x00\x00\x02\x00\x01\x00\x00\x01"s});
    EXPECT_EQ(page.m_Ba.bAmsdu, 1);
    EXPECT_EQ(page.m_Ba.nPolicy, 1);
    EXPECT_EQ(page.m_Ba.bMpduAggregation, 0);
    EXPECT_EQ(page.m_Ba.nSmps, 1);
    EXPECT_TRUE(Checked(IDC_BA_SMPS_STATIC));

    // Apply packs what the controls hold.
    Click(IDC_BA_MPDU);          // on
    Click(IDC_BA_POLICY_MANUAL); // policy 0
    Click(IDC_BA_SMPS_DYNAMIC);  // code 1
    SetDlgItemTextA(Page(), IDC_BA_DENSITY, "5");
    clearRequests();
    Click(IDC_BA_APPLY);
    const DWORD dwWord = (1u << 17) | (5u << 19) | (1u << 22) | (1u << 24);
    EXPECT_EQ(sent(kAggregationSet), std::vector<std::string>{"\x00\x00\x01\x05\x01\x00\x01\x00"s});
    EXPECT_EQ(Config("BACapability"), std::to_string(dwWord));
    EXPECT_EQ(Driver("BACapability"), Dword(dwWord));

    // The word's fields are cut to their bits; unpacking gives them back.
    AggregationRequest r = {0xAB, 0xCD, 2, 7, 1, 1, 3, 1};
    const DWORD dwFull = PackBaCapability(r);
    EXPECT_EQ(dwFull,
              0xABu | 0xCDu << 8 | 1u << 16 | 2u << 17 | 7u << 19 | 1u << 22 | 1u << 23 | 3u << 24);
    AggregationRequest back = UnpackBaCapability(dwFull);
    EXPECT_EQ(memcmp(&back, &r, sizeof r), 0);
}

TEST_F(BlockAckTest, SessionButtonsNeedAggregationAndTheManualPolicy)
{
    const int buttons[] = {IDC_BA_ORI_ADD, IDC_BA_ORI_DELETE, IDC_BA_ORI_DELETE_ENTRY,
                           IDC_BA_REC_ADD, IDC_BA_REC_DELETE, IDC_BA_REC_DELETE_ENTRY};
    struct Case
    {
        DWORD dwCapability; // sent at start, read back at the first activation
        bool bPolicy, bButtons;
    } cases[] = {
        {1u << 17, true, true},             // on, manual
        {1u << 17 | 1u << 16, true, false}, // on, auto
        {2u << 17, false, false},           // off
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.dwCapability);
        SetConfig("BACapability", std::to_string(c.dwCapability));
        CPropertySheet sheet("11n");
        CBlockAck page;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        HWND h = page.m_hWnd;
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(h, IDC_BA_POLICY_AUTO)) != FALSE, c.bPolicy);
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(h, IDC_BA_DENSITY)) != FALSE, c.bPolicy);
        for (int nId : buttons)
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(h, nId)) != FALSE, c.bButtons) << nId;
        // A-MSDU off disables its sizes.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_BA_AMSDU_3839)));
        sheet.DestroyWindow();
    }
}

TEST_F(BlockAckTest, TheSessionListsFollowTheTableEverySecondWhileShown)
{
    // Two originator rows counted: the first two entries with sessions, not the third.
    pin(kTableQuery, sessionTable({peerEntry(kPeerA, 0x05), std::string(48, '\0'),
                                   peerEntry(kPeerB, 0x80, 10), peerEntry(kPeerC, 0x01)},
                                  2, {peerEntry(kPeerC, 0x02)}, 1));
    CBlockAck& page = Open<CBlockAck>();
    EXPECT_EQ(page.m_lcOriginator.GetItemCount(), 0);
    platform::AdvanceClock(1000);
    EXPECT_EQ(rows(page.m_lcOriginator),
              (std::vector<std::string>{"02-11-22-33-44-01 64 - 66 - - - - -",
                                        "02-11-22-33-44-02 - - - - - - - 17"}));
    EXPECT_EQ(rows(page.m_lcRecipient),
              std::vector<std::string>{"02-11-22-33-44-03 - 65 - - - - - -"});
    ASSERT_EQ(page.m_OriginatorSessions.GetSize(), 2);
    const BaSessionRecord& tid2 = page.m_OriginatorSessions[0].Session[2];
    EXPECT_TRUE(tid2.bActive);
    EXPECT_EQ(tid2.TidValue, 66);
    EXPECT_EQ(tid2.TidWord, 0x0112);
    EXPECT_FALSE(page.m_OriginatorSessions[0].Session[1].bActive);
    EXPECT_NE(Form().find("02-11-22-33-44-02"), std::string::npos) << Form();

    // An answer without bytes keeps the rows.
    machine::miniport::InjectShortAnswer(machine(), m_id, kTableQuery, 0,
                                         machine::miniport::Direction::Query);
    pin(kTableQuery, sessionTable({}, 0, {}, 0));
    platform::AdvanceClock(1000);
    EXPECT_EQ(page.m_lcOriginator.GetItemCount(), 2);
    machine::miniport::ClearDriverFaults(machine(), m_id);

    // Not while another page is shown.
    Leave();
    clearRequests();
    platform::AdvanceClock(3000);
    EXPECT_TRUE(sent(kTableQuery).empty());
    Return();
    platform::AdvanceClock(1000);
    EXPECT_EQ(page.m_lcOriginator.GetItemCount(), 0);
    EXPECT_EQ(page.m_lcRecipient.GetItemCount(), 0);
}

TEST_F(BlockAckTest, TheAddDialogListsTheCurrentBssidFirstAndSendsTheChoice)
{
    manualPolicy();
    memcpy(g_CurrentBssid, kPeerC.data(), 6);
    pin(kBssidQuery, bssidRecord(4, {kPeerA, std::string(6, '\0'), kPeerB, kPeerC}));
    Open<CBlockAck>();
    ClickIntoDialog(
        IDC_BA_ORI_ADD, "add MPDU Aggregation",
        [&](HWND hDlg)
        {
            EXPECT_EQ(dialogRows(hDlg),
                      (std::vector<std::string>{"02-11-22-33-44-03", "02-11-22-33-44-01",
                                                "02-11-22-33-44-02"}));
            char text[16] = {};
            GetDlgItemTextA(hDlg, IDC_ADDBA_WINDOW, text, sizeof text);
            EXPECT_STREQ(text, "32");
            ASSERT_TRUE(
                platform::automation::PickRow(hDlg, std::to_string(IDC_BADLG_BSSIDS), 2, false));
            ASSERT_TRUE(
                platform::automation::SelectEntry(hDlg, std::to_string(IDC_BADLG_TID), "6"));
            ASSERT_TRUE(
                platform::automation::SetText(hDlg, std::to_string(IDC_ADDBA_WINDOW), "300"));
            clearRequests();
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
        });
    // Direction, BSSID, TID, the window size's low byte (300 & 0xFF), zeros.
    EXPECT_EQ(sent(kAddSet),
              std::vector<std::string>{"\x00"s + kPeerB + "\x06\x2C" + std::string(5, '\0')});

    // The recipient side, cancelled: nothing is sent.
    clearRequests();
    ClickIntoDialog(IDC_BA_REC_ADD, "add MPDU Aggregation",
                    [&](HWND hDlg) { ASSERT_TRUE(platform::automation::Click(hDlg, "CANCEL")); });
    EXPECT_TRUE(sent(kAddSet).empty());
}

TEST_F(BlockAckTest, TheAddDialogReadsNoMoreBssidsThanTheRecordHoldsOrTheDriverWrote)
{
    std::vector<std::string> many;
    for (int i = 0; i < 40; i++)
        many.push_back("\x02\x00\x00\x00\x00"s + static_cast<char>(i + 1));
    struct Case
    {
        std::uint32_t count;
        std::uint32_t bytesReturned; // 0: the whole record
        size_t rows;
    } cases[] = {
        {1000, 0, 32},   // above 32
        {20, 4 + 35, 3}, // above (bytesReturned - 4) / 10
        {2, 0, 2},
        {5, 3, 0}, // not even the count
    };
    Open<CBlockAck>();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.count);
        std::vector<std::string> entries(many.begin(), many.begin() + 32);
        pin(kBssidQuery, bssidRecord(c.count, entries));
        machine::miniport::ClearDriverFaults(machine(), m_id);
        if (c.bytesReturned != 0)
            machine::miniport::InjectShortAnswer(machine(), m_id, kBssidQuery, c.bytesReturned,
                                                 machine::miniport::Direction::Query);
        CAddBlockAckDlg dlg(NULL, TRUE, NULL);
        EXPECT_EQ(dlg.QueryBssidList({}).size(), c.rows);
    }
    // An excluded BSSID is left out.
    machine::miniport::ClearDriverFaults(machine(), m_id);
    pin(kBssidQuery, bssidRecord(2, {kPeerA, kPeerB}));
    CAddBlockAckDlg dlg(NULL, TRUE, NULL);
    EXPECT_EQ(dlg.QueryBssidList({"02-11-22-33-44-01"}), std::vector<CString>{"02-11-22-33-44-02"});
}

TEST_F(BlockAckTest, WithoutABssidOkAsksForOneAndTheDialogStays)
{
    manualPolicy();
    pin(kBssidQuery, bssidRecord(0, {}));
    Open<CBlockAck>();
    ClickIntoDialog(
        IDC_BA_ORI_ADD, "add MPDU Aggregation",
        [&](HWND hDlg)
        {
            EXPECT_TRUE(dialogRows(hDlg).empty());
            // A window size that is no unsigned number: the framework's message.
            ASSERT_TRUE(
                platform::automation::SetText(hDlg, std::to_string(IDC_ADDBA_WINDOW), "-4"));
            AnswerBoxes(1);
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
            EXPECT_EQ(Boxes().size(), 1u);
            ASSERT_TRUE(platform::automation::SetText(hDlg, std::to_string(IDC_ADDBA_WINDOW), "8"));
            AnswerBoxes(1);
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
            EXPECT_TRUE(IsWindowVisible(hDlg));
            ASSERT_TRUE(platform::automation::Click(hDlg, "CANCEL"));
        });
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Please choose BSSID"});
    EXPECT_TRUE(sent(kAddSet).empty());
}

TEST_F(BlockAckTest, TheDeleteDialogsTakeThePeersOfTheirSideAndSendTheTeardown)
{
    manualPolicy();
    pin(kTableQuery, sessionTable({peerEntry(kPeerA, 0x01), peerEntry(kPeerB, 0x03)}, 2,
                                  {peerEntry(kPeerC, 0x01)}, 1));
    CBlockAck& page = Open<CBlockAck>();
    platform::AdvanceClock(1000);
    // The page's own DELETE ENTRY buttons are hidden; the handlers run all the same.
    ClickIntoDialog(
        IDC_BA_ORI_DELETE, "delete MPDU Aggregation",
        [&](HWND hDlg)
        {
            EXPECT_EQ(dialogRows(hDlg),
                      (std::vector<std::string>{"02-11-22-33-44-01", "02-11-22-33-44-02"}));
            EXPECT_TRUE(IsWindowVisible(GetDlgItem(hDlg, IDC_BADLG_TID)));
            ASSERT_TRUE(
                platform::automation::PickRow(hDlg, std::to_string(IDC_BADLG_BSSIDS), 1, false));
            ASSERT_TRUE(
                platform::automation::SelectEntry(hDlg, std::to_string(IDC_BADLG_TID), "1"));
            clearRequests();
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
        });
    EXPECT_EQ(sent(kDeleteSet),
              std::vector<std::string>{"\x00"s + kPeerB + "\x01" + std::string(6, '\0')});

    // A whole entry: no TID choice, TID 0 and byte 12 set.
    bool ran = false;
    platform::SetIdleHook(
        [&]
        {
            HWND hDlg = FindWindowA(NULL, "delete MPDU Aggregation");
            if (ran || hDlg == 0 || !IsWindowVisible(hDlg))
                return;
            ran = true;
            EXPECT_EQ(dialogRows(hDlg), std::vector<std::string>{"02-11-22-33-44-03"});
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, IDC_BADLG_TID)));
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, IDC_BADLG_TID_LABEL)));
            clearRequests();
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
        });
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BA_REC_DELETE_ENTRY, BN_CLICKED),
                     static_cast<LPARAM>(GetDlgItem(Page(), IDC_BA_REC_DELETE_ENTRY)));
    platform::SetIdleHook(nullptr);
    ASSERT_TRUE(ran);
    EXPECT_EQ(sent(kDeleteSet), std::vector<std::string>{"\x01"s + kPeerC + "\x00"s +
                                                         std::string(4, '\0') + "\x01\x00"s});
}

} // namespace
