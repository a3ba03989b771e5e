// The Advanced page: what it shows of "Config" and the driver, what Apply writes and sends and in
// which order, the advanced block and the reconnect only on the driver's own answers, the TCP
// tuning as an optional part, the CCX word, the radio switch and the messages it shows.

#include "client/radio/AdvancePage.h"

#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "machine/SystemInfo.h"
#include "machine/registry/RegistryFaults.h"
#include "tests/client/radio/RadioPageFixture.h"

#include <cstring>

namespace
{

using namespace radio_test;
using namespace std::string_literals;

constexpr std::uint32_t kPhyModeQuery = 0xFF0C0002, kPhyModeSet = 0xFF8C0002, kHtQuery = 0xFF0C0028,
                        kHtSet = 0xFF8C0028, kBlockQuery = 0x0D710111, kBlockSet = 0x0DF10111,
                        kSsidQuery = 0x0D010102, kSsidSet = 0x0D810102, kDisassociate = 0x0D810115,
                        kCcx2Set = 0x0DF1011E, kRegionSet = 0xFF8C0003, kRegionQuery = 0xFF0C0003,
                        kRateSet = 0xFF81031A, kDesiredRates = 0x0D810210, kApsdQuery = 0x0D71012A;

const char kTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const std::string kSsid = le32(4) + "Cafe" + std::string(28, '\0');

// 32 bytes the driver keeps in its advanced block.
std::string block()
{
    std::string b(32, '\0');
    for (int i = 0; i < 32; i++)
        b[i] = static_cast<char>(0xA0 + i);
    return b;
}

// A RateSetRequest: the count, the rates, zeros to 132 bytes.
std::string rateSet(const std::string& rates)
{
    std::string r = le32(static_cast<std::uint32_t>(rates.size())) + rates;
    r.resize(132, '\0');
    return r;
}

class AdvancePageTest : public RadioPageTest
{
protected:
    void SetUp() override
    {
        RadioPageTest::SetUp();
        changeDriver(
            [](machine::miniport::AdapterState& s)
            {
                machine::miniport::SetAssociation(s, "Cafe", "\x02\x10\x20\x30\x40\x50"s);
                s.setBytes(0x0D710111, block());
            });
    }

    // Opens the page in a sheet of its own, for tables of starts.
    template <class Check> void OpenEach(const Check& check)
    {
        CPropertySheet sheet("Advanced");
        CAdvancePage page;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        check(page);
        sheet.DestroyWindow();
    }

    void Apply(int nBoxes = 0)
    {
        if (nBoxes > 0)
            AnswerBoxes(nBoxes);
        Click(IDC_ADV_APPLY);
    }
};

TEST_F(AdvancePageTest, TheModeComboShowsTheStoredModeOrTheEntryItsTextFinds)
{
    struct Case
    {
        const char* stored;
        BOOL bHt, bABand;
        int nEntry;       // selected in the combo
        DWORD dwPhyMode;  // sent at load
        const char* text; // the page's text once started
    } cases[] = {
        // No mode: the empty text (code 6) finds entry 1 on an 802.11n adapter.
        {"", TRUE, TRUE, 1, 6, "802.11 B only"},
        {"", FALSE, TRUE, 0, 0, "802.11 B/G mix"},
        {"6", TRUE, TRUE, 1, 6, "802.11 B only"},
        // No entry starts with these texts: entry 0.
        {"5", TRUE, TRUE, 0, 5, "802.11 B/G mix"},
        {"9", TRUE, TRUE, 0, 9, "802.11 B/G mix"},
        {"9", FALSE, TRUE, 0, 0, "802.11 B/G mix"},
        {"3", TRUE, TRUE, 3, 3, "802.11 A/B/G mix"},
        {"2", TRUE, FALSE, 0, 0, "802.11 B/G mix"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.stored) + " ht " + std::to_string(c.bHt) + " a " +
                     std::to_string(c.bABand));
        g_bHtSupported = c.bHt;
        g_bABandSupported = c.bABand;
        SetConfig("WirelessMode", c.stored);
        clearRequests();
        OpenEach(
            [&](CAdvancePage& page)
            {
                EXPECT_EQ(page.m_cbWirelessMode.GetCurSel(), c.nEntry);
                EXPECT_EQ(page.m_cbWirelessMode.GetCount(), c.bABand ? 4 : 2);
                EXPECT_EQ(std::string(page.m_strWirelessMode), c.text);
                EXPECT_EQ(sent(kPhyModeSet), std::vector<std::string>{le32(c.dwPhyMode)});
                // The 802.11n group is there only on 802.11n adapters.
                EXPECT_EQ(IsWindowVisible(GetDlgItem(page.m_hWnd, IDC_ADV_HT_MCS)) != FALSE,
                          c.bHt != FALSE);
            });
    }
}

TEST_F(AdvancePageTest, LoadShowsEveryStoredSettingAndPutsTheModeIntoTheBlock)
{
    SetConfig("WirelessMode", "3");
    SetConfig("TXBurst", "1");
    SetConfig("BGProtection", "2");
    SetConfig("CountryRegion", "133"); // bit 7 is the driver's: region 5
    SetConfig("CountryRegionABand", "3");
    SetConfig("TransRate", "7");
    // CCX, CCKM, both measurements, fast roaming at -80 dBm, a 1500 ms limit.
    SetConfig("CCX2Control", std::to_string(0x0F | 0x20 | (80 << 8) | (1500 << 16)));
    CAdvancePage& page = Open<CAdvancePage>();

    EXPECT_TRUE(Checked(IDC_ADV_TX_BURST));
    EXPECT_EQ(TextOf(IDC_ADV_PROTECTION), "Off");
    EXPECT_EQ(page.m_cbRegionBg.GetCurSel(), 5);
    EXPECT_EQ(page.m_cbRegionA.GetCurSel(), 3);
    EXPECT_EQ(TextOf(IDC_ADV_TX_RATE), "12 Mbps");
    for (int nId : {IDC_ADV_CCX, IDC_ADV_CCKM, IDC_ADV_RADIO_MEASUREMENTS, IDC_ADV_NON_SERVING,
                    IDC_ADV_FAST_ROAMING})
        EXPECT_TRUE(Checked(nId)) << nId;
    EXPECT_FALSE(Checked(IDC_ADV_QOS));
    EXPECT_EQ(TextOf(IDC_ADV_LIMIT), "1500");
    EXPECT_EQ(TextOf(IDC_ADV_ROAM_THRESHOLD), "-80");
    EXPECT_TRUE(Enabled(IDC_ADV_LIMIT));
    EXPECT_TRUE(Enabled(IDC_ADV_ROAM_THRESHOLD));
    // Both regions show for the A/B/G mix.
    EXPECT_TRUE(Visible(IDC_ADV_REGION_A));
    EXPECT_TRUE(Visible(IDC_ADV_REGION_BG));

    // The mode first, the 802.11n settings, then the block with the mode's driver code (4).
    EXPECT_EQ(codes(),
              (std::vector<std::uint32_t>{kPhyModeSet, kHtQuery, kHtSet, kBlockQuery, kBlockSet}));
    std::string expected = block();
    expected.replace(16, 4, le32(4));
    EXPECT_EQ(sent(kBlockSet), std::vector<std::string>{expected});
}

TEST_F(AdvancePageTest, StoredCcxValuesOutOfRangeLoadAsTheirDefaults)
{
    struct Case
    {
        DWORD dwWord;
        const char* limit;
        const char* threshold;
    } cases[] = {
        {0x01 | (95 << 8) | (1000 << 16), "1000", "-70"}, // threshold below -90
        {0x01 | (59 << 8) | (3000 << 16), "250", "-70"},  // above -60; limit above 2000
        {0x01 | (90 << 8) | (2000 << 16), "2000", "-90"},
    };
    for (const Case& c : cases)
    {
        SetConfig("CCX2Control", std::to_string(c.dwWord));
        OpenEach(
            [&](CAdvancePage& page)
            {
                EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(page.m_hWnd, IDC_ADV_LIMIT)) > 0, true);
                char text[16] = {};
                GetDlgItemTextA(page.m_hWnd, IDC_ADV_LIMIT, text, sizeof text);
                EXPECT_STREQ(text, c.limit) << c.dwWord;
                GetDlgItemTextA(page.m_hWnd, IDC_ADV_ROAM_THRESHOLD, text, sizeof text);
                EXPECT_STREQ(text, c.threshold) << c.dwWord;
            });
    }
}

TEST_F(AdvancePageTest, ApplyWritesBothRecordsAndSendsEverySettingInOrder)
{
    g_bHtSupported = FALSE; // the 802.11n part has its own tests
    SetConfig("WirelessMode", "0");
    const auto transmitBefore = Driver("TransmitSetting");
    Open<CAdvancePage>();
    Click(IDC_ADV_TX_BURST);
    Select(IDC_ADV_PROTECTION, "On");
    Select(IDC_ADV_REGION_BG, "#2");
    Select(IDC_ADV_TX_RATE, "11 Mbps");
    Click(IDC_ADV_CCX);
    clearRequests();
    Apply(1); // the region changed
    EXPECT_EQ(Boxes(), std::vector<std::string>{
                           "Changing Country Region will cause current connection lost"});

    const DWORD dwCcx2 = 0x1F | (250u << 16) | (0x46u << 8); // CCX with all its checks
    const struct
    {
        const char* key;
        std::string text;
    } stored[] = {{"WirelessMode", "0"},       {"TXBurst", "1"},
                  {"BGProtection", "1"},       {"CountryRegion", "2"},
                  {"CountryRegionABand", "0"}, {"AdhocOfdm", "1"},
                  {"TransRate", "4"}};
    for (const auto& s : stored)
    {
        EXPECT_EQ(Config(s.key), s.text) << s.key;
        EXPECT_EQ(Driver(s.key), Text(s.text)) << s.key; // no terminator
    }
    EXPECT_EQ(Config("CCX2Control"), std::to_string(dwCcx2));
    EXPECT_EQ(Driver("CCX2Control"), Dword(dwCcx2));
    EXPECT_EQ(Driver("TransmitSetting"), transmitBefore) << "not written without 802.11n";

    EXPECT_EQ(codes(), (std::vector<std::uint32_t>{kPhyModeQuery, kSsidQuery, kDisassociate,
                                                   kPhyModeSet, kPhyModeQuery, kSsidSet, kCcx2Set,
                                                   kBlockQuery, kBlockSet, kRegionSet, kRegionQuery,
                                                   kRateSet, kCcx2Set, kApsdQuery}));
    EXPECT_EQ(sent(kSsidSet), std::vector<std::string>{kSsid});
    EXPECT_EQ(sent(kPhyModeSet), std::vector<std::string>{le32(0)});
    EXPECT_EQ(sent(kCcx2Set), (std::vector<std::string>{le32(dwCcx2), le32(dwCcx2)}));
    EXPECT_EQ(sent(kRegionSet), std::vector<std::string>{le32(0 * 256 + 2)});
    // The block keeps the driver's bytes but for burst, protection, mode and the seventh word.
    std::string expected = block();
    expected.replace(0, 4, le32(1));
    expected.replace(8, 4, le32(1));
    expected.replace(16, 4, le32(1));
    expected.replace(24, 4, le32(0));
    EXPECT_EQ(sent(kBlockSet), std::vector<std::string>{expected});
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_abAdvancedConfig), 32), expected);
    EXPECT_EQ(sent(kRateSet), std::vector<std::string>{
                                  rateSet("\x82\x84\x8B\x96\x12\x24\x48\x6C\x8C\x98\xB0\x60"s)});
}

TEST_F(AdvancePageTest, TheRatesFollowTheModeAndItsLimits)
{
    struct Case
    {
        const char* mode;
        std::uint32_t code;
        std::string data;
    } cases[] = {
        {"802.11 B only", kRateSet, rateSet("\x82\x84\x8B\x96"s)},
        {"802.11 A only", kRateSet, rateSet("\x8C\x12\x98\x24\xB0\x48\x60\x6C"s)},
        {"802.11 G only", kRateSet, rateSet("\x8C\x12\x98\x24\xB0\x48\x60\x6C"s)},
        {"802.11 A/B/G mix", kRateSet,
         rateSet("\x82\x84\x8B\x96\x12\x24\x48\x6C\x8C\x98\xB0\x60"s)},
        // The 802.11n modes take a desired-rate list by the MCS ("Auto" here).
        {"802.11 B/G/N mix", kDesiredRates, "\x6C\x60\x48\x30\x16\x0B\x04\x02"s},
        {"", kDesiredRates, "\x6C\x60\x48\x30\x16\x0B\x04\x02"s},
    };
    CAdvancePage& page = Open<CAdvancePage>();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        page.m_strWirelessMode = c.mode;
        clearRequests();
        EXPECT_TRUE(page.SaveAdvancedSettings());
        EXPECT_EQ(sent(c.code), std::vector<std::string>{c.data});
        EXPECT_TRUE(sent(c.code == kRateSet ? kDesiredRates : kRateSet).empty());
    }
    // A fixed MCS sends its top rate only.
    page.m_strMcs = "7";
    clearRequests();
    page.SaveAdvancedSettings();
    EXPECT_EQ(sent(kDesiredRates), std::vector<std::string>{"\x6C"s + std::string(7, '\0')});
}

TEST_F(AdvancePageTest, BOnlyTakesNoRateAboveElevenMbpsAndNoProtection)
{
    g_bHtSupported = FALSE; // the 802.11n group takes the rate combo on 802.11n adapters
    SetConfig("WirelessMode", "0");
    Open<CAdvancePage>();
    Select(IDC_ADV_TX_RATE, "48 Mbps");
    Select(IDC_ADV_PROTECTION, "On");
    AnswerBoxes(1);
    Select(IDC_ADV_MODE, "802.11 B only");
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Automatically set channel according to wireless mode."});
    EXPECT_EQ(TextOf(IDC_ADV_TX_RATE), "Auto");
    Apply();
    EXPECT_EQ(Config("TransRate"), "0");
    EXPECT_EQ(Config("BGProtection"), "0");
}

TEST_F(AdvancePageTest, TheHtModesRunWmmWithoutApsdOrDls)
{
    changeDriver([](machine::miniport::AdapterState& s) { s.setU32(0x0D71012A, 0x9F); });
    CAdvancePage& page = Open<CAdvancePage>();
    page.m_strWirelessMode = "802.11 A/B/G/N mix";
    clearRequests();
    page.ApplyQosFromDriver();
    EXPECT_EQ(codes(),
              (std::vector<std::uint32_t>{kApsdQuery, 0x0DF1012A, 0x0DF10131, 0x0DF1012D}));
    EXPECT_EQ(sent(0x0DF1012A), std::vector<std::string>{le32(0x1E)});
    EXPECT_EQ(sent(0x0DF10131), std::vector<std::string>{le32(0)});
    EXPECT_EQ(sent(0x0DF1012D), std::vector<std::string>{"\x01"s});
    EXPECT_EQ(Config("APSDCapable"), "0");
    EXPECT_EQ(Config("DLSCapable"), "0");
    EXPECT_EQ(Config("WMMCapable"), "1");
    EXPECT_EQ(Driver("WMMCapable"), Text("1"));
}

TEST_F(AdvancePageTest, NoDriverAnswerNoBlockAndNoKnownSsidNoReconnect)
{
    // A block query that fails: neither load nor save sends a block.
    SetConfig("WirelessMode", "3");
    failNext(kBlockQuery, 2, machine::miniport::Direction::Query);
    Open<CAdvancePage>();
    EXPECT_TRUE(sent(kBlockSet).empty());
    failNext(kSsidQuery, 1, machine::miniport::Direction::Query);
    clearRequests();
    Apply();
    EXPECT_TRUE(sent(kBlockSet).empty());
    // Nor a drop and an SSID without the SSID; the mode still goes.
    EXPECT_TRUE(sent(kDisassociate).empty());
    EXPECT_TRUE(sent(kSsidSet).empty());
    EXPECT_EQ(sent(kPhyModeSet), std::vector<std::string>{le32(3)});
    EXPECT_EQ(sent(kRegionSet).size(), 1u);
    EXPECT_FALSE(machine::miniport::LoadAdapterState(machine(), m_id).associateAny);
}

TEST_F(AdvancePageTest, TcpTuningIsOptional)
{
    // Tuned: the four values; not tuned: none of them.
    Open<CAdvancePage>();
    EXPECT_FALSE(Checked(IDC_ADV_TCP_WINDOW));
    Click(IDC_ADV_TCP_WINDOW);
    Apply();
    EXPECT_EQ(Stored(kTcpip, "TCPWindowSize"), Dword(65536));
    EXPECT_EQ(Stored(kTcpip, "SackOpts"), Dword(1));
    EXPECT_EQ(Stored(kTcpip, "TcpMaxDupAcks"), Dword(2));
    EXPECT_EQ(Stored(kTcpip, "Tcp1323Opts"), Dword(1));
    Click(IDC_ADV_TCP_WINDOW);
    Apply();
    for (const char* name : {"TCPWindowSize", "SackOpts", "TcpMaxDupAcks", "Tcp1323Opts"})
        EXPECT_EQ(Stored(kTcpip, name), std::nullopt) << name;
}

TEST_F(AdvancePageTest, ATcpipKeyThatDoesNotOpenSkipsOnlyTheTuning)
{
    // A user who may only read it: the choice is shown, and the radio settings are loaded.
    HKEY hKey = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTcpip, 0, KEY_SET_VALUE, &hKey), ERROR_SUCCESS);
    DWORD dwWindow = 65536;
    RegSetValueExA(hKey, "TCPWindowSize", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwWindow), 4);
    RegCloseKey(hKey);
    machine::SystemInfo info = machine::LoadSystemInfo(machine());
    info.administrator = false;
    ASSERT_TRUE(machine::SaveSystemInfo(machine(), info));
    SetConfig("WirelessMode", "0"); // a mode that keeps its protection
    SetConfig("TXBurst", "1");
    Open<CAdvancePage>();
    EXPECT_TRUE(Checked(IDC_ADV_TCP_WINDOW));
    EXPECT_TRUE(Checked(IDC_ADV_TX_BURST));

    // The key refuses writing (the driver key does not): the radio settings are saved and
    // applied all the same.
    info.administrator = true;
    ASSERT_TRUE(machine::SaveSystemInfo(machine(), info));
    machine::registry::InjectFault(machine(), machine::registry::Operation::Open,
                                   *machine::registry::ParseKeyPath(std::string("HKLM\\") + kTcpip),
                                   ERROR_ACCESS_DENIED, 1);
    Click(IDC_ADV_TCP_WINDOW);
    Select(IDC_ADV_PROTECTION, "Off");
    clearRequests();
    Apply();
    EXPECT_EQ(Stored(kTcpip, "TCPWindowSize"), Dword(65536)) << "left as it was";
    EXPECT_EQ(Config("BGProtection"), "2");
    EXPECT_EQ(Driver("BGProtection"), Text("2"));
    EXPECT_EQ(sent(kSsidSet).size(), 1u);
    EXPECT_EQ(sent(kRateSet).size(), 1u);
}

TEST_F(AdvancePageTest, ADriverKeyThatDoesNotOpenLeavesOnlyConfig)
{
    Open<CAdvancePage>();
    Click(IDC_ADV_TX_BURST);
    machine::registry::InjectFault(
        machine(), machine::registry::Operation::Open,
        *machine::registry::ParseKeyPath(std::string("HKLM\\") + std::string(g_strDriverKey)),
        ERROR_ACCESS_DENIED, 1);
    clearRequests();
    Apply();
    EXPECT_EQ(Config("TXBurst"), "1");
    EXPECT_EQ(Driver("TXBurst"), std::nullopt);
    EXPECT_EQ(codes(), std::vector<std::uint32_t>{kApsdQuery}) << "only the QoS step after it";
}

TEST_F(AdvancePageTest, TheCcxChecksClearWhatDependsOnThem)
{
    SetConfig("CCX2Control", std::to_string(0x1F | 0x20 | (75 << 8) | (900 << 16)));
    CAdvancePage& page = Open<CAdvancePage>();
    Click(IDC_ADV_NON_SERVING);
    EXPECT_EQ(TextOf(IDC_ADV_LIMIT), "250");
    EXPECT_FALSE(Enabled(IDC_ADV_LIMIT));
    Click(IDC_ADV_NON_SERVING);
    Type(IDC_ADV_LIMIT, "700");
    Click(IDC_ADV_RADIO_MEASUREMENTS);
    EXPECT_FALSE(Checked(IDC_ADV_NON_SERVING));
    EXPECT_FALSE(Enabled(IDC_ADV_NON_SERVING));
    EXPECT_EQ(TextOf(IDC_ADV_LIMIT), "250");
    Click(IDC_ADV_FAST_ROAMING);
    EXPECT_EQ(TextOf(IDC_ADV_ROAM_THRESHOLD), "-70");
    EXPECT_FALSE(Enabled(IDC_ADV_ROAM_THRESHOLD));
    Click(IDC_ADV_CCX);
    for (int nId : {IDC_ADV_CCKM, IDC_ADV_RADIO_MEASUREMENTS, IDC_ADV_NON_SERVING, IDC_ADV_QOS})
    {
        EXPECT_FALSE(Checked(nId)) << nId;
        EXPECT_FALSE(Enabled(nId)) << nId;
    }
    EXPECT_EQ(page.m_nLimit, 250u);

    // A profile that names its BSSID: the last CCX set is the one for a fixed BSSID.
    StationProfile profile;
    memset(&profile, 0, sizeof(profile));
    profile.BssidGiven = 1;
    CopyActionData(&g_pCurrentProfile, &profile);
    clearRequests();
    Apply();
    const DWORD dwWord = (250u << 16) | (0x46u << 8);
    EXPECT_EQ(Config("CCX2Control"), std::to_string(dwWord));
    EXPECT_EQ(sent(kCcx2Set), (std::vector<std::string>{le32(dwWord), le32(0x00FAFA00)}));
}

TEST_F(AdvancePageTest, ValuesOutOfRangeStopApplyAfterTheFrameworksMessage)
{
    Open<CAdvancePage>();
    Click(IDC_ADV_FAST_ROAMING);
    Type(IDC_ADV_ROAM_THRESHOLD, "-95");
    clearRequests();
    Apply(1);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(Config("CCX2Control"), "");
}

TEST_F(AdvancePageTest, TheRegionWarningComesWithAChangedSelectionOrVisibility)
{
    SetConfig("WirelessMode", "0");
    Open<CAdvancePage>();
    Apply();
    EXPECT_TRUE(Boxes().empty()) << "nothing changed";
    // Only the 11a combo comes into view with the A/B/G mix.
    AnswerBoxes(1);
    Select(IDC_ADV_MODE, "802.11 A/B/G mix");
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Automatically set channel according to wireless mode."});
    EXPECT_TRUE(Visible(IDC_ADV_REGION_A));
    Apply(1);
    EXPECT_EQ(Boxes(), std::vector<std::string>{
                           "Changing Country Region will cause current connection lost"});
    Apply();
    EXPECT_TRUE(Boxes().empty()) << "remembered";
    Select(IDC_ADV_REGION_A, "#4");
    Apply(1);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Config("CountryRegionABand"), "4");
}

TEST_F(AdvancePageTest, TheRadioSwitchFollowsTheClickAndItsRecords)
{
    CAdvancePage& page = Open<CAdvancePage>();
    auto bitmap = [&] { return platform::BitmapResourceId(page.m_stRadioBitmap.GetBitmap()); };
    EXPECT_EQ(TextOf(IDC_ADV_RADIO), "Turn off RF ");
    EXPECT_EQ(bitmap(), std::optional<UINT>(IDB_RADIO_ON));
    Click(IDC_ADV_RADIO);
    EXPECT_FALSE(g_bRadioOn);
    EXPECT_EQ(TextOf(IDC_ADV_RADIO), "Turn on RF");
    EXPECT_EQ(bitmap(), std::optional<UINT>(IDB_RADIO_OFF));
    EXPECT_EQ(Config("Radio"), "1");
    EXPECT_EQ(Driver("Radio"), Text("1"));
    g_bIsAdmin = FALSE;
    Click(IDC_ADV_RADIO);
    EXPECT_EQ(Config("Radio"), "0");
    EXPECT_EQ(Driver("Radio"), Text("1")) << "only an administrator writes the driver key";

    // Every two seconds while shown, the button follows the radio.
    g_bRadioOn = FALSE;
    platform::AdvanceClock(2000);
    EXPECT_EQ(TextOf(IDC_ADV_RADIO), "Turn on RF");
    Leave();
    g_bRadioOn = TRUE;
    platform::AdvanceClock(4000);
    EXPECT_EQ(bitmap(), std::optional<UINT>(IDB_RADIO_OFF));
    Return();
    platform::AdvanceClock(2000);
    EXPECT_EQ(bitmap(), std::optional<UINT>(IDB_RADIO_ON));
}

} // namespace
