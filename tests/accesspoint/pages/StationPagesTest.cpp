// The Mac Table and Event Log pages: their columns, what each tick lists while they are active,
// the station rows from the driver's table with their rate texts, and the event rows with their
// local times, the 100-row limit and Clear.

#include "accesspoint/monitor/ApEventLog.h"
#include "accesspoint/pages/EventLogPage.h"
#include "accesspoint/pages/MacTablePage.h"
#include "machine/SystemInfo.h"
#include "platform/ui/Clock.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/support/PageMachine.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{

using testing_support::le32;
using Texts = std::vector<std::string>;

// One station of the driver's table.
std::string TableEntry(int nLast, int nAid, bool bPowerSave, WORD wRate)
{
    std::string entry = {'\x02', '\x5A', '\0', '\0', '\0', static_cast<char>(nLast)};
    entry += static_cast<char>(nAid);
    entry += static_cast<char>(bPowerSave ? 1 : 0);
    entry += static_cast<char>(wRate & 0xFF);
    entry += static_cast<char>(wRate >> 8);
    return entry;
}

std::string TableRecord(std::uint32_t dwCount, const std::vector<std::string>& entries)
{
    std::string record = le32(dwCount);
    for (const std::string& e : entries)
        record += e;
    record.resize(324, '\0');
    return record;
}

// The cells of each row of a list view.
std::vector<Texts> Cells(const ap_test::WindowNode& list)
{
    std::vector<Texts> cells;
    for (const auto& row : list.rows)
        cells.push_back(row.cells);
    return cells;
}

std::vector<int> ColumnWidths(HWND hList, int nColumns)
{
    std::vector<int> widths;
    for (int i = 0; i < nColumns; i++)
        widths.push_back(static_cast<int>(::SendMessageA(hList, LVM_GETCOLUMNWIDTH, i, 0)));
    return widths;
}

class MacTablePageTest : public ap_test::PageMachine<CMacTablePage>
{
protected:
    void pinTable(const std::string& record) const { setDriverValue(OID_AP_STATION_TABLE, record); }
    std::vector<Texts> rows() const { return Cells(view(IDC_MACTABLE_LIST)); }
};

TEST_F(MacTablePageTest, ColumnsAndTheirWidths)
{
    Open();
    ap_test::WindowNode list = view(IDC_MACTABLE_LIST);
    EXPECT_EQ(list.columns, (Texts{"MAC Address", "AID", "Power Saving Mode", "Status"}));
    int nTenth = static_cast<int>(list.rect.right - list.rect.left) / 10;
    EXPECT_EQ(ColumnWidths(list.hwnd, 4), (std::vector<int>{nTenth * 22 / 10, nTenth * 8 / 10,
                                                            nTenth * 8 / 10, nTenth * 65 / 10}));
    EXPECT_EQ(::SendMessageA(list.hwnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
}

TEST_F(MacTablePageTest, RowsComeEveryTwoSecondsWhileActive)
{
    pinTable(TableRecord(2, {TableEntry(1, 1, false, 0x8187), TableEntry(0xAB, 200, true, 3)}));
    Open();
    EXPECT_TRUE(rows().empty());
    platform::AdvanceClock(1999);
    EXPECT_TRUE(rows().empty());
    platform::AdvanceClock(1);
    const std::vector<Texts> two = {{"02-5A-00-00-00-01", "1", "No",
                                     "N: MCS = 7, BW = 40, GI = 400, STBC : none, Rate = 150.00"},
                                    {"02-5A-00-00-00-AB", "200", "Yes", "B: Rate = 11.00"}};
    EXPECT_EQ(rows(), two);

    // Not while another page is shown.
    pinTable(TableRecord(0, {}));
    activate(1);
    platform::AdvanceClock(4000);
    EXPECT_EQ(rows(), two);
    activate(0);
    platform::AdvanceClock(2000);
    EXPECT_TRUE(rows().empty());
}

TEST_F(MacTablePageTest, FailedQueriesKeepTheRowsAndTheCountIsBounded)
{
    pinTable(TableRecord(1, {TableEntry(1, 1, false, 0)}));
    Open();
    platform::AdvanceClock(2000);
    ASSERT_EQ(rows().size(), 1u);
    pinTable(TableRecord(0, {}));
    failRequests(OID_AP_STATION_TABLE, 1);
    platform::AdvanceClock(2000);
    EXPECT_EQ(rows().size(), 1u);

    // A count beyond the 32 entries the record holds lists those 32 only.
    std::vector<std::string> entries;
    for (int i = 1; i <= 32; i++)
        entries.push_back(TableEntry(i, i, false, 0));
    for (std::uint32_t dwCount : {33u, 0xFFFFFFFFu})
    {
        pinTable(TableRecord(dwCount, entries));
        platform::AdvanceClock(2000);
        auto listed = rows();
        ASSERT_EQ(listed.size(), 32u) << dwCount;
        EXPECT_EQ(listed[31][0], "02-5A-00-00-00-20");
    }
}

TEST_F(MacTablePageTest, StatusIsEmptyOnAChipWithout11n)
{
    g_bHtSupported = FALSE;
    pinTable(TableRecord(1, {TableEntry(7, 3, true, 0x8187)}));
    Open();
    platform::AdvanceClock(2000);
    EXPECT_EQ(rows(), (std::vector<Texts>{{"02-5A-00-00-00-07", "3", "Yes", ""}}));
}

TEST(MacTableRateText, ByPhyMode)
{
    CHTTable table;
    table.BuildTables();
    const struct
    {
        WORD word;
        const char* text;
    } cases[] = {
        {0x0000, "B: Rate = 1.00"},
        {0x000A, "B: Rate = 5.50"},
        {0x0004, "B: Rate = 0.00"},
        {0x0180, "B: Rate = 1.00"}, // width and guard bits say nothing for CCK
        {0x4000, "Rate = 6.00"},
        {0x4007, "Rate = 54.00"},
        {0x4008, "Rate = 0.00"},
        {0x8187, "N: MCS = 7, BW = 40, GI = 400, STBC : none, Rate = 150.00"},
        {0xC200, "N: MCS = 0, BW = 20, GI = 800, STBC : used, Rate = 6.50"},
        {0x8064, "N: MCS = 100, BW = 20, GI = 800, STBC : none, Rate = 0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(MacTableRateText(table, c.word)), c.text) << std::hex << c.word;
}

// 2026-12-11 07:05:09 UTC, plus n seconds.
FILETIME EventTime(int nSeconds)
{
    SYSTEMTIME st = {};
    st.wYear = 2026;
    st.wMonth = 12;
    st.wDay = 11;
    st.wHour = 7;
    st.wMinute = 5;
    st.wSecond = 9;
    FILETIME ft = {};
    SystemTimeToFileTime(&st, &ft);
    ULONGLONG ull = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    ull += static_cast<ULONGLONG>(nSeconds) * 10000000;
    ft.dwLowDateTime = static_cast<DWORD>(ull);
    ft.dwHighDateTime = static_cast<DWORD>(ull >> 32);
    return ft;
}

ApEventRecord Event(int nLast, WORD wCode, int nSeconds = 0)
{
    ApEventRecord record = {};
    record.ftTime = EventTime(nSeconds);
    const BYTE abMac[6] = {0x02, 0x5A, 0, 0, 0, static_cast<BYTE>(nLast)};
    memcpy(record.abMac, abMac, 6);
    record.wEvent = wCode;
    return record;
}

// The monitor's collecting of n events of code 1 from station first, first+1, ...
void Collect(int nFirst, int nCount)
{
    for (int nDone = 0; nDone < nCount;)
    {
        int nChunk = std::min(nCount - nDone, AP_EVENT_ANSWER_RECORDS);
        BYTE abAnswer[AP_EVENT_ANSWER_BYTES] = {};
        DWORD dwCount = static_cast<DWORD>(nChunk);
        memcpy(abAnswer, &dwCount, 4);
        for (int i = 0; i < nChunk; i++)
        {
            ApEventRecord record = Event(nFirst + nDone + i, 1);
            memcpy(abAnswer + 8 + i * 16, &record, 16);
        }
        CollectApEvents(abAnswer, sizeof(abAnswer));
        nDone += nChunk;
    }
}

class EventLogPageTest : public ap_test::PageMachine<CEventLogPage>
{
protected:
    std::vector<Texts> rows() const { return Cells(view(IDC_EVENTLOG_LIST)); }
    void setTimeZoneBias(int nMinutes) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(machine());
        info.timeZoneBiasMinutes = nMinutes;
        machine::SaveSystemInfo(machine(), info);
    }
    // The station's last address byte of each row, from its message.
    std::vector<int> stations() const
    {
        std::vector<int> last;
        for (const Texts& row : rows())
            last.push_back(std::stoi(row[1].substr(16, 2), nullptr, 16));
        return last;
    }
};

TEST_F(EventLogPageTest, ColumnsAndButton)
{
    Open();
    ap_test::WindowNode list = view(IDC_EVENTLOG_LIST);
    EXPECT_EQ(list.columns, (Texts{"Event Time (yy/mm/dd- hh:mm:ss)", "Message"}));
    int nTenth = static_cast<int>(list.rect.right - list.rect.left) / 10;
    EXPECT_EQ(ColumnWidths(list.hwnd, 2), (std::vector<int>{nTenth * 4, nTenth * 59 / 10}));
    EXPECT_EQ(view(IDC_EVENTLOG_CLEAR).text, "Clear");
}

TEST_F(EventLogPageTest, EventsAreListedWithLocalTimesAndTheirTexts)
{
    setTimeZoneBias(-60);
    for (int i = 0; i <= 7; i++)
    {
        ApEventRecord record = Event(0x1F, i < 7 ? static_cast<WORD>(i) : 0xFFFF, i);
        g_ApEventLog.Add(record);
    }
    Open();
    EXPECT_TRUE(rows().empty()); // the first tick lists them
    platform::AdvanceClock(2000);
    const std::vector<Texts> listed = {
        {"2026 / 12 / 11 - 08 : 05 : 09", "Restart Access Point"},
        {"2026 / 12 / 11 - 08 : 05 : 10", " 02-5A-00-00-00-1F associated"},
        {"2026 / 12 / 11 - 08 : 05 : 11", " 02-5A-00-00-00-1F left this BSS"},
        {"2026 / 12 / 11 - 08 : 05 : 12",
         " 02-5A-00-00-00-1F was aged-out and removed from this BSS"},
        {"2026 / 12 / 11 - 08 : 05 : 13", " 02-5A-00-00-00-1F generated active countermeasure"},
        {"2026 / 12 / 11 - 08 : 05 : 14",
         " 02-5A-00-00-00-1F associated with invalid PSK password"},
        {"2026 / 12 / 11 - 08 : 05 : 15", ""},
        {"2026 / 12 / 11 - 08 : 05 : 16", ""},
    };
    EXPECT_EQ(rows(), listed);
    EXPECT_EQ(g_nEventLogShown, 8);
    platform::AdvanceClock(2000);
    EXPECT_EQ(rows().size(), 8u);

    // A new sheet lists the whole store again, in the time zone of now.
    setTimeZoneBias(300);
    g_nEventLogShown = 0;
    Open();
    platform::AdvanceClock(2000);
    ASSERT_EQ(rows().size(), 8u);
    EXPECT_EQ(rows()[0][0], "2026 / 12 / 11 - 02 : 05 : 09");
}

TEST_F(EventLogPageTest, OnlyWhileActiveAndNeverMoreThanAHundredRows)
{
    Open();
    Collect(0, 60);
    platform::AdvanceClock(2000);
    ASSERT_EQ(rows().size(), 60u);

    // 80 more while another page is shown: the store keeps the newest 100.
    activate(1);
    Collect(60, 80);
    platform::AdvanceClock(4000);
    EXPECT_EQ(rows().size(), 60u);
    EXPECT_EQ(g_ApEventLog.GetSize(), 100);
    EXPECT_EQ(g_nEventLogShown, 20);

    activate(0);
    platform::AdvanceClock(2000);
    std::vector<int> expected;
    for (int i = 40; i < 140; i++)
        expected.push_back(i);
    EXPECT_EQ(stations(), expected);
    EXPECT_EQ(g_nEventLogShown, 100);
}

TEST_F(EventLogPageTest, ClearForgetsEveryEvent)
{
    Collect(0, 5);
    Open();
    platform::AdvanceClock(2000);
    ASSERT_EQ(rows().size(), 5u);
    ASSERT_TRUE(platform::automation::Click(page(), std::to_string(IDC_EVENTLOG_CLEAR)));
    platform::PumpUntilIdle();
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(g_ApEventLog.GetSize(), 0);
    EXPECT_EQ(g_nEventLogShown, 0);

    Collect(0x50, 2);
    platform::AdvanceClock(2000);
    EXPECT_EQ(stations(), (std::vector<int>{0x50, 0x51}));
}

} // namespace
