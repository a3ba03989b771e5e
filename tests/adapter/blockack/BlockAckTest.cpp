// The block-ack records and lists both 11n pages share: the record in the page's terms and as
// the packed "BACapability" word, the session lists from a driver table (its counts not
// trusted), and the dialogs' choice.

#include "adapter/blockack/BlockAckDialogs.h"
#include "adapter/blockack/BlockAckPage.h"
#include "adapter/blockack/BlockAckRecords.h"
#include "adapter/driver/MacText.h"
#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

std::vector<BYTE> bytesOf(const AggregationRequest& r)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&r);
    return std::vector<BYTE>(p, p + sizeof(r));
}

AggregationRequest record(std::vector<BYTE> bytes)
{
    AggregationRequest r;
    memcpy(&r, bytes.data(), sizeof(r));
    return r;
}

TEST(BlockAckRecords, TheWordPacksTheRecordByteByByte)
{
    // The page as constructed.
    BaSettings fresh;
    AggregationRequest r = BuildAggregationRequest(fresh);
    EXPECT_EQ(bytesOf(r), (std::vector<BYTE>{32, 32, 1, 0, 1, 0, 3, 1}));
    EXPECT_EQ(PackBaCapability(r), 0x03432020u);
    EXPECT_EQ(bytesOf(UnpackBaCapability(0x03432020u)), bytesOf(r));

    // Each byte is cut to its bits: a density typed as 9 keeps bit 22 (A-MSDU) as it was.
    r.Density = 9;
    r.Amsdu = 0;
    EXPECT_EQ(PackBaCapability(r) & 0x00780000u, 0x00080000u);
    EXPECT_EQ(PackBaCapability(record({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})),
              0x03FFFFFFu);
}

TEST(BlockAckRecords, ARecordReadsIntoThePageFields)
{
    struct Case
    {
        DWORD dwWord;
        int nPolicy, bMpdu, bAmsdu, nSize, nSmps;
        const char* density;
    } cases[] = {
        // A-MSDU and the automatic policy only: aggregation off (byte 2 = 0), static SMPS.
        {4194304 + 65536, 1, 0, 1, 0, 1, "0"},
        // All zero: off, manual, static.
        {0, 0, 0, 0, 0, 1, "0"},
        // SMPS code 1 dynamic, 3 (or anything else) SM enable; density 7; size 1 with A-MSDU.
        {(1u << 24) | (1u << 17) | (7u << 19) | (1u << 22) | (1u << 23), 0, 1, 1, 1, 2, "7"},
        {(3u << 24) | (2u << 17), 0, 0, 0, 0, 0, "0"},
    };
    for (const Case& c : cases)
    {
        BaSettings s;
        ReadAggregationRequest(UnpackBaCapability(c.dwWord), s);
        EXPECT_EQ(s.nPolicy, c.nPolicy) << c.dwWord;
        EXPECT_EQ(s.bMpduAggregation, c.bMpdu) << c.dwWord;
        EXPECT_EQ(s.bAmsdu, c.bAmsdu) << c.dwWord;
        EXPECT_EQ(s.nAmsduSize, c.nSize) << c.dwWord;
        EXPECT_EQ(s.nSmps, c.nSmps) << c.dwWord;
        EXPECT_EQ(std::string(s.strDensity), c.density) << c.dwWord;
    }
    // The size is taken only with A-MSDU on: otherwise the page keeps its own.
    BaSettings s;
    s.nAmsduSize = 1;
    ReadAggregationRequest(record({0, 0, 1, 0, 0, 0, 3, 0}), s);
    EXPECT_EQ(s.bAmsdu, 0);
    EXPECT_EQ(s.nAmsduSize, 1);
    // Back to the record: every choice has its code.
    s.nSmps = 2;
    s.strDensity = "300";
    EXPECT_EQ(bytesOf(BuildAggregationRequest(s)), (std::vector<BYTE>{0, 0, 1, 44, 0, 1, 1, 0}));
}

TEST(BlockAckRecords, MacTextsBothWays)
{
    const BYTE mac[6] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    EXPECT_EQ(std::string(MacText(mac)), "12-34-56-78-9A-BC");
    BYTE out[6] = {};
    MacTextToBytes("12-34-56-78-9a-bc", out);
    EXPECT_EQ(memcmp(out, mac, 6), 0);
    // A short text is read no further than its end: each missing digit counts as 255.
    MacTextToBytes("12-34", out);
    EXPECT_EQ(out[1], 0x34);
    EXPECT_EQ(out[2], 0xEF);
}

constexpr UINT IDD_LISTS = 7401;
constexpr int IDC_LIST = 1001;
constexpr int IDC_TID = 1002;

class ListsDlg : public CDialog
{
public:
    ListsDlg() : CDialog(IDD_LISTS) {}
    CListCtrl m_list;
    CComboBox m_tid;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Control(pDX, IDC_TID, m_tid);
    }
};

class BlockAckListsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        platform::DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION;
        t.caption = "Lists";
        t.rect = {0, 0, 300, 200};
        platform::DialogControl list;
        list.className = "SysListView32";
        list.id = IDC_LIST;
        list.style = WS_CHILD | WS_VISIBLE | LVS_REPORT;
        list.rect = {0, 0, 200, 100};
        platform::DialogControl tid;
        tid.className = "ComboBox";
        tid.id = IDC_TID;
        tid.style = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST;
        tid.rect = {0, 110, 40, 160};
        t.controls = {list, tid};
        platform::RegisterDialogTemplate(IDD_LISTS, t);
        ASSERT_TRUE(m_dlg.Create(IDD_LISTS));
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    std::vector<std::vector<std::string>> rows() const
    {
        std::vector<std::vector<std::string>> out;
        for (int i = 0; i < m_dlg.m_list.GetItemCount(); i++)
        {
            std::vector<std::string> row;
            for (int c = 0; c < 9; c++)
                row.push_back(std::string(m_dlg.m_list.GetItemText(i, c)));
            out.push_back(row);
        }
        return out;
    }

    testing_support::TempMachine m_machine;
    ListsDlg m_dlg;
};

void setPeer(BaPeerEntry& e, BYTE last, BYTE bitmap)
{
    const BYTE mac[6] = {0x02, 0, 0, 0, 0, last};
    memcpy(e.PeerMac, mac, 6);
    e.TidBitmap = bitmap;
    for (int t = 0; t < 8; t++)
    {
        e.TidValue[t] = static_cast<BYTE>(10 + t);
        e.TidSlot[t][0] = static_cast<BYTE>(t);
        e.TidSlot[t][1] = 1;
    }
}

TEST_F(BlockAckListsTest, RowsComeFromEntriesWithSessionsUpToTheCount)
{
    InitBaSessionList(m_dlg.m_list, "MAC");
    LVCOLUMNA column = {};
    char title[32] = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    std::vector<std::string> titles;
    for (int c = 0; c < 9; c++)
    {
        ASSERT_TRUE(m_dlg.m_list.GetColumn(c, &column));
        titles.push_back(title);
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"MAC", "TID=0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(m_dlg.m_list.GetColumnWidth(0), 300 * 33 / 100);
    EXPECT_EQ(m_dlg.m_list.GetColumnWidth(1), 300 * 12 / 100);
    EXPECT_EQ(m_dlg.m_list.GetColumnWidth(8), 300 * 8 / 100);

    BaSessionTable table;
    memset(&table, 0, sizeof(table));
    setPeer(table.Originator[1], 1, 0x05); // entry 0 has no sessions and is passed over
    setPeer(table.Originator[2], 2, 0x80);
    setPeer(table.Originator[3], 3, 0x01); // beyond the count of 2
    table.OriginatorCount = 2;
    setPeer(table.Recipient[0], 9, 0x02);
    table.RecipientCount = 1;

    CBaSessionArray sessions;
    FillBaSessionList(m_dlg.m_list, table, BA_ORIGINATOR, sessions);
    EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{
                          {"02-00-00-00-00-01", "10", "-", "12", "-", "-", "-", "-", "-"},
                          {"02-00-00-00-00-02", "-", "-", "-", "-", "-", "-", "-", "17"}}));
    ASSERT_EQ(sessions.GetSize(), 2);
    const BaSessionRecord& tid2 = sessions[0].Session[2];
    EXPECT_EQ(tid2.Direction, BA_ORIGINATOR);
    EXPECT_EQ(tid2.PeerMac[5], 1);
    EXPECT_EQ(tid2.Tid, 2);
    EXPECT_EQ(tid2.TidValue, 12);
    EXPECT_EQ(tid2.TidWord, 0x0102);
    EXPECT_TRUE(tid2.bActive);
    EXPECT_FALSE(sessions[0].Session[1].bActive);

    FillBaSessionList(m_dlg.m_list, table, BA_RECIPIENT, sessions);
    ASSERT_EQ(sessions.GetSize(), 1);
    EXPECT_EQ(sessions[0].Session[1].Direction, BA_RECIPIENT);
    EXPECT_EQ(rows()[0][0], "02-00-00-00-00-09");

    // A count the table cannot hold lists what the 32 entries have, and no more.
    for (int i = 0; i < BA_PEER_ENTRIES; i++)
        setPeer(table.Recipient[i], static_cast<BYTE>(i), 0x01);
    table.RecipientCount = 200;
    FillBaSessionList(m_dlg.m_list, table, BA_RECIPIENT, sessions);
    EXPECT_EQ(m_dlg.m_list.GetItemCount(), 32);
    EXPECT_EQ(sessions.GetSize(), 32);
    // A count of 0 empties the list.
    table.RecipientCount = 0;
    FillBaSessionList(m_dlg.m_list, table, BA_RECIPIENT, sessions);
    EXPECT_EQ(m_dlg.m_list.GetItemCount(), 0);
    EXPECT_EQ(sessions.GetSize(), 0);
}

TEST_F(BlockAckListsTest, TheChoiceIsReadOnlyWithASelectedRow)
{
    FillTidCombo(m_dlg.m_tid);
    ASSERT_EQ(m_dlg.m_tid.GetCount(), 8);
    EXPECT_EQ(m_dlg.m_tid.GetCurSel(), 0);
    InitBssidList(m_dlg.m_list);
    EXPECT_EQ(m_dlg.m_list.GetColumnWidth(0), 270);

    BYTE bssid[6] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    int nTid = -1;
    SelectFirstBssid(m_dlg.m_list); // nothing to select
    EXPECT_FALSE(ReadBaChoice(m_dlg.m_list, m_dlg.m_tid, bssid, &nTid));
    EXPECT_EQ(nTid, -1);
    EXPECT_EQ(bssid[0], 0xAA);

    const BYTE first[6] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    const BYTE second[6] = {0x02, 0, 0, 0, 0, 7};
    AddBssidRow(m_dlg.m_list, first);
    AddBssidRow(m_dlg.m_list, second);
    SelectFirstBssid(m_dlg.m_list);
    m_dlg.m_tid.SetCurSel(5);
    ASSERT_TRUE(ReadBaChoice(m_dlg.m_list, m_dlg.m_tid, bssid, &nTid));
    EXPECT_EQ(nTid, 5);
    EXPECT_EQ(memcmp(bssid, first, 6), 0);
}

} // namespace
