// The action queue: how scans and profiles collapse, who frees a record and its key blocks, and
// what the apply sends to the driver, in order; and the small shared helpers.

#include "client/monitor/ActionQueue.h"
#include "adapter/crypto/HexToBytes.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "tests/client/support/ClientState.h"
#include "tests/support/HexBytes.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/platform/RadioFixtures.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using machine::miniport::LogEntry;

using testing_support::HexBytes;

void* LockedBlock(std::size_t n)
{
    return GlobalLock(GlobalAlloc(GHND, n));
}

// A record as the profile build leaves it; with WEP keys 1 and 2 when nWepKeys is 2.
StationProfile* NewRecord(char tag, LONG nAuth = 1, DWORD dwEncryption = 0, int nWepKeys = 2)
{
    StationProfile* p = static_cast<StationProfile*>(LockedBlock(sizeof(StationProfile)));
    p->SsidLength = 1;
    p->Ssid[0] = static_cast<BYTE>(tag);
    p->NetworkType = 1;
    p->AuthenticationMode = nAuth;
    p->EncryptionStatus = dwEncryption;
    for (int n = 1; n <= nWepKeys; n++)
    {
        StationKeyBlock* k = static_cast<StationKeyBlock*>(LockedBlock(44));
        k->Length = 44;
        k->KeyLength = 5;
        k->KeyMaterial[0] = static_cast<BYTE>(tag);
        *WepKeyBlock(p, n) = k;
        *WepKeyBlockSize(p, n) = 44;
    }
    if (nAuth == 5)
    {
        p->pWpaNoneKey = static_cast<StationKeyBlock*>(LockedBlock(71));
        p->pWpaNoneKey->Length = 71;
        p->pWpaNoneKey->KeyMaterial[31] = static_cast<BYTE>(tag);
        p->WpaNoneKeySize = 71;
    }
    p->Reserved1 = 1;
    return p;
}

// "S" a scan, a letter a profile of that tag.
std::string QueueText()
{
    std::string text;
    for (INT_PTR i = 0; i < ActionQueue.GetSize(); i++)
    {
        const _ACTION_DATA& a = ActionQueue[i];
        if (!text.empty())
            text += ' ';
        text += a.nKind == ACTION_SCAN
                    ? 'S'
                    : static_cast<char>(static_cast<StationProfile*>(a.pData)->Ssid[0]);
    }
    return text;
}

void Queue(const std::string& text)
{
    for (char c : text)
    {
        if (c == ' ')
            continue;
        _ACTION_DATA a;
        a.nKind = c == 'S' ? ACTION_SCAN : ACTION_APPLY_PROFILE;
        a.pData = c == 'S' ? NULL : NewRecord(c);
        ActionQueue.Add(a);
    }
}

class ActionQueueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        id = testing_support::PrepareClientState(m.machine());
        ASSERT_FALSE(id.empty());
        g_bHtSupported = TRUE;
        g_bRegionValid = TRUE;
        g_bABandRegionValid = FALSE;
        G_enumWirelessMode = 0;
        g_nHtTransmitSetting = 0x0001F8A3;
        g_nCountryRegion = 0;
        memset(g_abAdvancedConfig, 0, sizeof(g_abAdvancedConfig));
        baseline = platform::LiveGlobalBlocks();
    }
    void TearDown() override
    {
        testing_support::ReleaseClientState();
        EXPECT_EQ(platform::LiveGlobalBlocks(), baseline);
    }

    void apply(StationProfile* p)
    {
        _ACTION_DATA a = {ACTION_APPLY_PROFILE, p};
        if (InsertAction(a))
            ActionExec();
    }
    std::vector<LogEntry> log() const { return machine::miniport::ReadRequestLog(m.machine(), id); }
    std::vector<std::uint32_t> codes() const
    {
        std::vector<std::uint32_t> out;
        for (const LogEntry& e : log())
            out.push_back(e.code);
        return out;
    }
    // What the last request with this wire code carried.
    std::string sent(std::uint32_t code) const
    {
        std::string bytes = "<not sent>";
        for (const LogEntry& e : log())
            if (e.code == code)
                bytes = e.bytesIn;
        return bytes;
    }

    testing_support::TempMachine m;
    std::string id;
    std::size_t baseline = 0;
};

struct CollapseCase
{
    const char* before;
    char inserted;
    const char* after;
    bool runNow;
};

TEST_F(ActionQueueTest, ScansAndProfilesCollapseAndReplacedRecordsAreFreed)
{
    const CollapseCase cases[] = {
        {"", 'S', "S", true},
        {"S S", 'S', "S", true},
        {"S a", 'S', "a S", false},
        {"", 'b', "b", true},
        {"a S", 'b', "b S", false},
        {"a S c", 'b', "S b", false},
        {"a S c S", 'S', "a c S", false},
    };
    for (const CollapseCase& c : cases)
    {
        SCOPED_TRACE(std::string(c.before) + " + " + c.inserted);
        Queue(c.before);
        _ACTION_DATA a;
        a.nKind = c.inserted == 'S' ? ACTION_SCAN : ACTION_APPLY_PROFILE;
        StationProfile* p = c.inserted == 'S' ? NULL : NewRecord(c.inserted);
        a.pData = p;
        EXPECT_EQ(InsertAction(a) != 0, c.runNow);
        EXPECT_EQ(QueueText(), c.after);

        // Three blocks a queued record, three for the current copy once a profile came.
        std::size_t records = 0;
        for (char ch : std::string(c.after))
            records += (ch != 'S' && ch != ' ') ? 1 : 0;
        std::size_t current = g_pCurrentProfile != NULL ? 3 : 0;
        EXPECT_EQ(platform::LiveGlobalBlocks(), baseline + 3 * records + current);
        if (p != NULL)
        {
            ASSERT_NE(g_pCurrentProfile, nullptr);
            EXPECT_EQ(g_pCurrentProfile->Ssid[0], c.inserted);
            EXPECT_NE(g_pCurrentProfile->pWepKey1, p->pWepKey1);
            EXPECT_EQ(g_pCurrentProfile->pWepKey2->KeyMaterial[0], c.inserted);
        }
        ClearActionQueue();
        FreeStationProfile(g_pCurrentProfile);
        g_pCurrentProfile = NULL;
        EXPECT_EQ(platform::LiveGlobalBlocks(), baseline);
    }
}

TEST_F(ActionQueueTest, TheCurrentCopyOwnsOnlyItsOwnKeys)
{
    // A WPA-None record: its stray WEP pointers are not the copy's to keep.
    StationProfile* p = NewRecord('w', 5, 6, 1);
    StationProfile* copy = NULL;
    CopyActionData(&copy, p);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->pWpaNoneKey, p->pWpaNoneKey);
    EXPECT_EQ(copy->WpaNoneKeySize, 71u);
    EXPECT_EQ(copy->pWpaNoneKey->KeyMaterial[31], 'w');
    EXPECT_EQ(copy->pWepKey1, nullptr);
    EXPECT_EQ(copy->WepKey1Size, 0u);
    EXPECT_EQ(memcmp(copy->Ssid, p->Ssid, sizeof(p->Ssid)), 0);

    // Copying again replaces the old copy whole.
    StationProfile* q = NewRecord('q');
    CopyActionData(&copy, q);
    EXPECT_EQ(copy->pWepKey2->KeyMaterial[0], 'q');
    EXPECT_EQ(copy->pWpaNoneKey, nullptr);

    // The record's own WEP block is the creator's to free: the WPA-None rule frees only the key.
    HGLOBAL hStray = GlobalHandle(p->pWepKey1);
    FreeStationProfile(p);
    GlobalUnlock(hStray);
    GlobalFree(hStray);
    FreeStationProfile(q);
    FreeStationProfile(copy);
}

TEST_F(ActionQueueTest, AdvancedApplySendsEveryDriverValueInOrder)
{
    StationProfile* p = NewRecord('H', 4, 4, 0);
    memcpy(p->Ssid, "Home", 4);
    p->SsidLength = 4;
    p->bSetAdvance = 1;
    p->CCX2Control = 3;
    p->CountryRegion = 0x0105;
    memcpy(p->DesiredRates, "\x6C\x60\x48\x30\x16\x0B\x04\x02", 8);
    for (int i = 0; i < 32; i++)
        p->AdvancedConfig[i] = static_cast<BYTE>(i + 1);
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CCX2Control", "305");

    apply(p);
    EXPECT_EQ(ActionQueue.GetSize(), 0);
    EXPECT_EQ(codes(), (std::vector<std::uint32_t>{0xFF8C0002, 0xFF8C0028, 0x0DF10111, 0xFF8C0003,
                                                   0x0D810210, 0x0DF10127, 0x0DF1011E, 0x0D810102,
                                                   0x0DF1011E}));
    EXPECT_EQ(sent(0xFF8C0002), HexBytes("00 00 00 00"));
    EXPECT_EQ(sent(0xFF8C0028), HexBytes("03 00 00 00 03 01 00 0a 01 01 01 00"));
    EXPECT_EQ(sent(0x0DF10111),
              HexBytes("01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 14 "
                       "15 16 17 18 00 00 00 00 1d 1e 1f 20"));
    EXPECT_EQ(sent(0xFF8C0003), HexBytes("05 01 00 00"));
    EXPECT_EQ(sent(0x0D810210), HexBytes("6c 60 48 30 16 0b 04 02"));
    EXPECT_EQ(sent(0x0DF10127),
              HexBytes("08 82 84 8b 96 12 24 48 6c 00 00 00 00 04 8c 98 b0 60", 26));
    EXPECT_EQ(sent(0x0D810102), HexBytes("04 00 00 00 48 6f 6d 65", 36));
    std::vector<LogEntry> entries = log();
    EXPECT_EQ(entries[6].bytesIn, HexBytes("03 00 00 00"));     // the record's word, mode 1
    EXPECT_EQ(entries.back().bytesIn, HexBytes("31 01 00 00")); // "Config"'s word
}

TEST_F(ActionQueueTest, ProfileActivationKeepsTheRadioAndSendsTheStoredBlock)
{
    G_enumWirelessMode = 4;
    g_bRegionValid = FALSE;
    g_bABandRegionValid = TRUE;
    g_nCountryRegion = 0x0203;
    for (int i = 0; i < 32; i++)
        g_abAdvancedConfig[i] = 0xA0;
    StationProfile* p = NewRecord('x', 7, 6, 0);

    apply(p);
    EXPECT_EQ(codes(), (std::vector<std::uint32_t>{0x0DF10111, 0xFF8C0003, 0x0D810210, 0x0DF10127,
                                                   0x0D810102, 0x0DF1011E}));
    std::string block(32, '\xA0');
    block.replace(24, 4, std::string(4, '\0'));
    EXPECT_EQ(sent(0x0DF10111), block);
    EXPECT_EQ(sent(0xFF8C0003), HexBytes("03 02 00 00"));
    EXPECT_EQ(sent(0x0D810210), HexBytes("6c 60 48 30 24 18 12 0c"));
    EXPECT_EQ(sent(0x0DF10127), HexBytes("08 8c 12 98 24 b0 48 60 6c", 26));
}

TEST_F(ActionQueueTest, HtModesSendTheLegacySetOnlyWithAutomaticMcs)
{
    G_enumWirelessMode = 6;
    g_bRegionValid = FALSE;
    struct
    {
        DWORD mcs;
        std::string rates;
    } cases[] = {{33, HexBytes("6c 60 48 30 16 0b 04 02")}, {7, HexBytes("6c", 8)}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mcs);
        machine::miniport::ClearRequestLog(m.machine(), id);
        g_nHtTransmitSetting = (0x0001F8A3 & ~(0x7Fu << 4)) | (c.mcs << 4);
        apply(NewRecord('n', 0, 1, 0));
        EXPECT_EQ(sent(0x0D810210), c.rates);
        EXPECT_EQ(sent(0x0DF10127), "<not sent>");
    }
}

TEST_F(ActionQueueTest, AGivenBssidIsJoinedOnTheRecordsChannelNeverBySsid)
{
    StationProfile* p = NewRecord('b', 0, 1, 0);
    p->BssidGiven = 1;
    memcpy(p->Bssid, "\x00\x11\x22\x33\x44\x55", 6);
    p->AdhocChannelFrequency = 2437000;
    p->CCX2Control = 0x00010131;

    apply(p);
    std::vector<std::uint32_t> c = codes();
    std::vector<std::uint32_t> tail(c.end() - 4, c.end());
    EXPECT_EQ(tail, (std::vector<std::uint32_t>{0x0D010211, 0x0D810211, 0x0D810101, 0x0DF1011E}));
    std::vector<LogEntry> entries = log();
    const LogEntry& query = entries[entries.size() - 4];
    std::string config = query.bytesOut;
    ASSERT_EQ(config.size(), 32u);
    config.replace(12, 4, HexBytes("88 2f 25 00")); // 2437000 kHz
    EXPECT_EQ(sent(0x0D810211), config);
    EXPECT_EQ(sent(0x0D810101), HexBytes("00 11 22 33 44 55"));
    EXPECT_EQ(sent(0x0DF1011E), HexBytes("11 fa 01 00"));
    EXPECT_EQ(sent(0x0D810102), "<not sent>");

    // A configuration the driver did not report is never sent back.
    machine::miniport::ClearRequestLog(m.machine(), id);
    machine::miniport::InjectRequestFault(m.machine(), id, 0x0D010211, 1,
                                          machine::miniport::Direction::Query);
    StationProfile* q = NewRecord('b', 0, 1, 0);
    q->BssidGiven = 1;
    apply(q);
    EXPECT_EQ(sent(0x0D810211), "<not sent>");
    EXPECT_EQ(sent(0x0D810101), HexBytes("00 00 00 00 00 00"));
}

// The monitor window's part: the WEP check and the scan.
class ActionExecWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OsVersionCode = 11;
        g_nChipType = 8;
        testing_support::SelectDefaultAdapter(m.machine());
        g_bRegionValid = FALSE;
        g_bABandRegionValid = FALSE;
        G_enumWirelessMode = 0;
        dlg.Attach(recorder.hwnd());
        g_pHideDlg = &dlg;
    }
    void TearDown() override
    {
        testing_support::ReleaseClientState();
        dlg.KillTimer(TIMER_WEP_CHECK);
        g_pHideDlg = NULL;
        dlg.Detach();
        dlg.m_WmiReceiver.DisconnectWmiEvents(); // never connected here: gives back its sink
    }

    testing_support::RadioMachine m;
    testing_support::MessageRecorder recorder;
    CHideDlg dlg;
};

TEST_F(ActionExecWindowTest, OnlyAWepInfrastructureProfileArmsTheWepCheck)
{
    struct
    {
        LONG auth;
        DWORD encryption;
        DWORD networkType;
        bool armed;
    } cases[] = {
        {1, 0, 1, true}, {0, 0, 1, true}, {4, 4, 1, false}, {0, 1, 1, false}, {1, 0, 0, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.auth << " " << c.encryption << " " << c.networkType);
        dlg.m_bWepCheckArmed = !c.armed;
        g_bWepError = TRUE;
        StationProfile* p = NewRecord('w', c.auth, c.encryption, 0);
        p->NetworkType = c.networkType;
        _ACTION_DATA a = {ACTION_APPLY_PROFILE, p};
        ASSERT_TRUE(InsertAction(a));
        ActionExec();
        EXPECT_EQ(dlg.m_bWepCheckArmed != 0, c.armed);
        EXPECT_EQ(g_bWepError, 0);
        EXPECT_EQ(dlg.KillTimer(TIMER_WEP_CHECK) != 0, c.armed); // timer 2 runs only when armed
    }
}

TEST_F(ActionExecWindowTest, AScanIsPendingOnlyWhenItStarted)
{
    // No interface chosen yet: the scan fails at once and nothing waits for its completion.
    Queue("S a");
    g_bScanPending = FALSE;
    ActionExec();
    EXPECT_EQ(g_bScanPending, 0);
    EXPECT_EQ(QueueText(), "a"); // what stands behind a scan waits for the next run

    ASSERT_EQ(dlg.m_WifiClient.SelectInterface(m.description().c_str(), recorder.hwnd(), 0), 0u);
    ClearActionQueue();
    RequestScan();
    EXPECT_EQ(g_bScanPending, 1);
    EXPECT_EQ(ActionQueue.GetSize(), 0);
    dlg.m_WifiClient.Close();
}

TEST(ActionHelpers, RssiToPercentAtItsBoundaries)
{
    const std::pair<LONG, int> cases[] = {{-30, 100}, {-50, 100}, {-51, 99}, {-65, 63}, {-80, 24},
                                          {-81, 23},  {-85, 13},  {-90, 0},  {-91, 0}};
    for (const auto& [dbm, percent] : cases)
        EXPECT_EQ(RssiToPercent(dbm), percent) << dbm;
}

TEST(ActionHelpers, HexToBytesStopsAtTheTerminator)
{
    BYTE out[4];
    HexToBytes("0aFf7B", out, 3);
    EXPECT_EQ(std::vector<BYTE>(out, out + 3), (std::vector<BYTE>{0x0A, 0xFF, 0x7B}));

    // Exactly as long as it is, so that any read past the end shows up.
    const char text[] = "1g3";
    std::unique_ptr<char[]> shortText(new char[sizeof(text)]);
    memcpy(shortText.get(), text, sizeof(text));
    HexToBytes(shortText.get(), out, 4);
    // 0x1 and 'g' (255): 16 + 255; '3' then the end: 48 + 255; past it 255 for each digit.
    EXPECT_EQ(std::vector<BYTE>(out, out + 4), (std::vector<BYTE>{0x0F, 0x2F, 0xEF, 0xEF}));
}

TEST(ActionHelpers, ModeCodesMapToTheDriversNumbering)
{
    const std::pair<int, int> cases[] = {{0, 1}, {1, 0}, {2, 3}, {3, 4},
                                         {4, 2}, {5, 5}, {6, 6}, {9, 9}};
    for (const auto& [code, driver] : cases)
    {
        int out = -1;
        EXPECT_TRUE(MapModeCodeToDriver(code, &out));
        EXPECT_EQ(out, driver) << code;
    }
    for (int code : {7, 8, 10, -1})
    {
        int out = 77;
        EXPECT_FALSE(MapModeCodeToDriver(code, &out));
        EXPECT_EQ(out, 77);
    }
}

} // namespace
