// The Config page over the default adapter's driver key: what it offers by adapter, mode,
// region and bandwidth, what APPLY writes to "ApDefault" and sends to the driver (and in which
// order), its refusals, DEFAULT and "Use MAC Address".

#include "accesspoint/pages/ConfigPage.h"
#include "machine/miniport/OidTable.h"
#include "machine/registry/Registry.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/support/CodeOrder.h"
#include "tests/accesspoint/support/PageMachine.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

using ap_test::SelectedText;
using platform::automation::Click;
using platform::automation::SelectEntry;
using platform::automation::SetText;
using testing_support::le32;
using Texts = std::vector<std::string>;

const std::string kBg = "802.11 B/G Mixed";
const std::string kB = "802.11 B Only";
const std::string kA = "802.11 A Only";
const std::string kG = "802.11 G Only";
const std::string kBgn = "802.11 B/G/N mix";
const std::string kAn = "802.11 A/N mix";

Texts Numbers(std::initializer_list<int> numbers)
{
    Texts texts;
    for (int n : numbers)
        texts.push_back(std::to_string(n));
    return texts;
}

class ConfigPageTest : public ap_test::PageMachine<CConfigPage>
{
protected:
    void SetUp() override
    {
        PageMachine::SetUp();
        g_nCheckBuild = 0;
        // The machine's install leaves a text there; the page's own word is a REG_DWORD.
        machine::registry::DeleteValue(machine(), m_driverKey, "TransmitSetting");
    }
    void TearDown() override
    {
        PageMachine::TearDown();
        g_nCheckBuild = 0;
    }
    // Both the driver key and "ApDefault", as the page's loading and the copy see them.
    void store(const std::string& name, const std::string& text)
    {
        setText(m_driverKey, name, text);
        setText(apDefault(), name, text);
    }
    void storeTransmitSetting(std::uint32_t word)
    {
        ASSERT_TRUE(machine::registry::SetValue(machine(), m_driverKey, "TransmitSetting",
                                                REG_DWORD, le32(word)));
    }

    Texts items(int nID) const { return view(nID).items; }
    bool shown(int nID) const { return view(nID).visible && view(nID).enabled; }
    void select(int nID, const std::string& entry)
    {
        ASSERT_TRUE(SelectEntry(page(), std::to_string(nID), entry)) << nID << " " << entry;
    }
    void click(int nID) { ASSERT_TRUE(Click(page(), std::to_string(nID))) << nID; }

    // APPLY with the driver log cleared first: the message it showed, "" when none.
    std::string apply()
    {
        clearRequests();
        platform::ClearMessageBoxLog();
        platform::ScriptMessageBoxAnswers({IDOK});
        click(IDC_CONFIG_APPLY);
        platform::PumpUntilIdle();
        auto log = platform::MessageBoxLog();
        if (log.empty())
        {
            platform::ScriptMessageBoxAnswers({});
            return "";
        }
        return log[0].text;
    }
    // The wire codes of the sets sent, in order.
    std::vector<std::uint32_t> sets() const
    {
        std::vector<std::uint32_t> codes;
        for (const auto& e : requests())
            if (machine::miniport::IsSetForm(e.code))
                codes.push_back(e.code);
        return codes;
    }
    std::uint32_t dwordOf(const std::string& key, const std::string& name) const
    {
        auto v = machine::registry::GetValue(machine(), key, name);
        std::uint32_t value = 0;
        if (v && v->data.size() == 4)
            memcpy(&value, v->data.data(), 4);
        return value;
    }
};

TEST_F(ConfigPageTest, AnEmptySsidIsRefusedWithNothingWrittenOrSent)
{
    Open();
    auto before = machine::registry::DumpKey(machine(), apDefault());
    ASSERT_TRUE(SetText(page(), std::to_string(IDC_CONFIG_SSID_EDIT), ""));
    EXPECT_EQ(apply(), "Please Key in SSID");
    EXPECT_EQ(machine::registry::DumpKey(machine(), apDefault()), before);
    EXPECT_TRUE(sets().empty());
}

TEST_F(ConfigPageTest, RangeChecksOfBeaconAndIdleTimeStopApply)
{
    const struct
    {
        int nID;
        const char* text;
        bool passes;
    } cases[] = {
        {IDC_CONFIG_BEACON_EDIT, "10", false},   {IDC_CONFIG_BEACON_EDIT, "19", false},
        {IDC_CONFIG_BEACON_EDIT, "20", true},    {IDC_CONFIG_BEACON_EDIT, "1000", true},
        {IDC_CONFIG_BEACON_EDIT, "1001", false}, {IDC_CONFIG_IDLE_EDIT, "30", false},
        {IDC_CONFIG_IDLE_EDIT, "60", true},      {IDC_CONFIG_IDLE_EDIT, "3600", true},
        {IDC_CONFIG_IDLE_EDIT, "3601", false},
    };
    for (const auto& c : cases)
    {
        store("BeaconPeriod", "100");
        store("IdleTime", "300");
        Open();
        ASSERT_TRUE(SetText(page(), std::to_string(c.nID), c.text));
        std::string message = apply();
        EXPECT_EQ(message.empty(), c.passes) << c.nID << " " << c.text << ": " << message;
        const char* name = c.nID == IDC_CONFIG_BEACON_EDIT ? "BeaconPeriod" : "IdleTime";
        EXPECT_EQ(textOf(apDefault(), name),
                  c.passes ? c.text : (c.nID == IDC_CONFIG_BEACON_EDIT ? "100" : "300"))
            << c.text;
        EXPECT_EQ(sets().empty(), !c.passes) << c.text;
    }
}

TEST_F(ConfigPageTest, DefaultThenApplyStoresTheDefaultsAndSendsThemInThePagesOrder)
{
    store("SSID", "Elsewhere");
    store("RtsThresh", "500");
    store("BeaconPeriod", "300");
    store("AuthenType", "4");
    store("Encryption", "4");
    store("WPAPSK", "old-passphrase");
    setMacLastByte(0x3A);
    Open();
    click(IDC_CONFIG_DEFAULT);
    EXPECT_EQ(view(IDC_CONFIG_SSID_EDIT).text, "SoftAP-3A");
    EXPECT_EQ(textOf(apDefault(), "SSID"), "Elsewhere") << "nothing written before APPLY";
    EXPECT_EQ(apply(), "");

    const std::pair<const char*, const char*> stored[] = {
        {"SSID", "SoftAP-3A"},
        {"WirelessMode", "0"},
        {"TransRate", "0"},
        {"TXPower", "0"},
        {"Channel", "1"},
        {"RtsThresh", "2347"},
        {"FragThresh", "2346"},
        {"BeaconPeriod", "100"},
        {"IdleTime", "300"},
        {"AuthenType", "0"},
        {"Encryption", "1"},
        {"WPAPSK", ""},
        {"AllowBW40Capability", "1"},
        {"HideSSID", "0"},
        {"RekeyInterval", "0"},
    };
    for (const auto& [name, text] : stored)
    {
        EXPECT_EQ(textOf(apDefault(), name), text) << name;
        EXPECT_EQ(textOf(m_driverKey, name), text) << name << " in the driver key";
    }

    // Configuration, mode, 802.11n, rates, preamble, RTS, fragmentation, power, options,
    // region, authentication, WDS, encryption, the WEP keys of an open network... and the SSID
    // last; never the access-control list here.
    std::vector<std::uint32_t> order = sets();
    ap_test::ExpectInOrder(order, {0x0DF1010C, 0x0DF1013B, 0x0D810210, 0x0DF10118, 0x0DF10107,
                                   0x0D810118, 0x0DF10112, 0x0D81011B, 0x0D810102});
    EXPECT_EQ(order.back(), 0x0D810102u);
    EXPECT_EQ(std::count(order.begin(), order.end(), 0x0DF10110u), 0);
    EXPECT_EQ(sent(0x0D810102).back(), le32(9) + "SoftAP-3A" + std::string(23, '\0'));
    EXPECT_EQ(sent(0x0D810118).back(), le32(0));
    EXPECT_EQ(sent(0x0D81011B).back(), le32(1));
    EXPECT_EQ(sent(0x0DF10118).back(), le32(100));
}

TEST_F(ConfigPageTest, UseMacAddressPutsTheAdapterAddressIntoTheSsid)
{
    machine::miniport::ChangeAdapterState(
        machine(), m_id,
        [](machine::miniport::AdapterState& s)
        { s.setBytes(0x0D010702, std::string("\x00\x11\x22\xAA\xBB\xCC", 6)); });
    Open();
    click(IDC_CONFIG_USE_MAC);
    EXPECT_EQ(view(IDC_CONFIG_SSID_EDIT).text, "AP001122AABBCC");
    EXPECT_EQ(apply(), "");
    EXPECT_EQ(textOf(apDefault(), "SSID"), "AP001122AABBCC");
}

TEST_F(ConfigPageTest, ListsFollowTheAdaptersBandsAndItsChip)
{
    const struct
    {
        BOOL aBand;
        BOOL ht;
        Texts modes;
    } cases[] = {
        {FALSE, FALSE, {kBg, kB, kG}},
        {TRUE, FALSE, {kBg, kB, kA, kG}},
        {FALSE, TRUE, {kBg, kB, kG, kBgn}},
        {TRUE, TRUE, {kBg, kB, kA, kG, kBgn, kAn}},
    };
    for (const auto& c : cases)
    {
        g_bABandSupported = c.aBand;
        g_bHtSupported = c.ht;
        store("WirelessMode", "9");
        Open();
        std::string label = std::to_string(c.aBand) + "/" + std::to_string(c.ht);
        EXPECT_EQ(items(IDC_CONFIG_MODE_COMBO), c.modes) << label;
        // A stored mode the list does not offer shows the first entry.
        EXPECT_EQ(SelectedText(view(IDC_CONFIG_MODE_COMBO)), c.ht ? kBgn : kBg) << label;
        EXPECT_EQ(view(IDC_CONFIG_A_REGION_COMBO).visible, false) << label;
        EXPECT_EQ(view(IDC_CONFIG_HT_GROUP).visible, c.ht == TRUE) << label;
        EXPECT_EQ(view(IDC_CONFIG_MCS_COMBO).visible, c.ht == TRUE) << label;
        EXPECT_EQ(view(IDC_CONFIG_ALLOW_BW40_CHECK).visible, c.ht == TRUE) << label;
        EXPECT_EQ(items(IDC_CONFIG_TX_POWER_COMBO),
                  (Texts{"100 %", "75 %", "50 %", "25 %", "Lowest"}));
        EXPECT_EQ(items(IDC_CONFIG_BG_PROTECTION_COMBO), (Texts{"Auto", "ON", "OFF"}));
        for (int nID : {IDC_CONFIG_PREAMBLE_COMBO, IDC_CONFIG_TX_BURST_CHECK,
                        IDC_CONFIG_SHORT_SLOT_CHECK, IDC_CONFIG_AUTO_CHANNEL_CHECK})
            EXPECT_FALSE(view(nID).visible) << nID;
    }

    // The 802.11n chips' 5 GHz list stops at region 8; the label texts come from the table.
    g_bABandSupported = TRUE;
    Open();
    EXPECT_EQ(items(IDC_CONFIG_A_REGION_COMBO).size(), 9u);
    EXPECT_EQ(items(IDC_CONFIG_A_REGION_COMBO).back(), "8: CH 52, 56, 60, 64");
    EXPECT_EQ(items(IDC_CONFIG_BG_REGION_COMBO).size(), 8u);
    EXPECT_EQ(view(IDC_CONFIG_IDLE_LABEL).text, "Idle time(60 - 3600)(s)");
    EXPECT_EQ(view(IDC_CONFIG_REGION_GROUP).text, "Country Region Code");
}

TEST_F(ConfigPageTest, RatesByMode)
{
    const Texts cck = {"1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
    const Texts ofdm = {"6 Mbps",  "9 Mbps",  "12 Mbps", "18 Mbps",
                        "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
    Texts mixed = {"Auto"};
    mixed.insert(mixed.end(), cck.begin(), cck.end());
    mixed.insert(mixed.end(), ofdm.begin(), ofdm.end());
    Texts b = {"Auto"};
    b.insert(b.end(), cck.begin(), cck.end());
    Texts g = {"Auto"};
    g.insert(g.end(), ofdm.begin(), ofdm.end());
    g_bABandSupported = TRUE;
    store("TransRate", "12");
    Open();
    EXPECT_EQ(SelectedText(view(IDC_CONFIG_RATE_COMBO)), "54 Mbps");
    const std::pair<std::string, Texts> cases[] = {{kB, b},  {kG, g},       {kA, g},
                                                   {kAn, g}, {kBgn, mixed}, {kBg, mixed}};
    for (const auto& [mode, rates] : cases)
    {
        select(IDC_CONFIG_MODE_COMBO, mode);
        EXPECT_EQ(items(IDC_CONFIG_RATE_COMBO), rates) << mode;
    }
    // An index beyond the mode's list is stored as automatic.
    select(IDC_CONFIG_RATE_COMBO, "54 Mbps");
    select(IDC_CONFIG_MODE_COMBO, kB);
    EXPECT_EQ(SelectedText(view(IDC_CONFIG_RATE_COMBO)), "<none>");
    EXPECT_EQ(apply(), "");
    EXPECT_EQ(textOf(apDefault(), "TransRate"), "0");
    EXPECT_EQ(sent(0x0D810210).back(), std::string("\x16\x0B\x04\x02\0\0\0\0", 8));
}

TEST_F(ConfigPageTest, ChannelListsByModeRegionAndBandwidth)
{
    g_bABandSupported = TRUE;
    g_bAllowBw40InBgBand = TRUE;
    const Texts bg0 = Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    const Texts a0 = Numbers({36, 40, 44, 48, 52, 56, 60, 64, 149, 153, 157, 161, 165});
    const Texts a1 = Numbers(
        {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140});
    const struct
    {
        std::string mode;
        const char* bgRegion;
        const char* aRegion;
        const char* bandwidth; // "20" or "20 / 40"
        Texts channels;
    } cases[] = {
        {kBg, "0: CH1-11", "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165", "20", bg0},
        {kBg, "4: CH14", "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165", "20", Numbers({14})},
        {kA, "0: CH1-11", "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165", "20", a0},
        {kAn, "0: CH1-11", "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165", "20", a0},
        {kAn, "0: CH1-11", "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165", "20 / 40",
         Numbers({36, 40, 44, 48, 52, 56, 60, 64, 149, 153, 157, 161})},
        {kAn, "0: CH1-11",
         "1: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, "
         "124, 128, 132, 136, 140",
         "20", a1},
        {kAn, "0: CH1-11",
         "1: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, "
         "124, 128, 132, 136, 140",
         "20 / 40", Texts(a1.begin(), a1.end() - 1)},
        {kBgn, "6: CH3-9", "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165", "20 / 40",
         Numbers({3, 4, 5, 6, 7, 8, 9})},
    };
    for (const auto& c : cases)
    {
        store("WirelessMode", "0");
        store("AllowBW40Capability", "1");
        storeTransmitSetting(std::string(c.bandwidth) == "20" ? 0u : 1u << 11);
        Open();
        select(IDC_CONFIG_MODE_COMBO, c.mode);
        // A person can pick a region only where the mode leaves its list enabled.
        if (shown(IDC_CONFIG_BG_REGION_COMBO))
            select(IDC_CONFIG_BG_REGION_COMBO, c.bgRegion);
        if (shown(IDC_CONFIG_A_REGION_COMBO))
            select(IDC_CONFIG_A_REGION_COMBO, c.aRegion);
        EXPECT_EQ(items(IDC_CONFIG_CHANNEL_COMBO), c.channels)
            << c.mode << " " << c.bgRegion << " " << c.bandwidth;
    }

    // In 2.4 GHz, 40 MHz needs "Allow BW 40 MHz", the driver's permission and room in the
    // region: otherwise "20 / 40" is off and the bandwidth is 20.
    const struct
    {
        bool allow;
        BOOL driver;
        const char* region;
        bool forty;
    } bg40[] = {{true, TRUE, "0: CH1-11", true},
                {false, TRUE, "0: CH1-11", false},
                {true, FALSE, "0: CH1-11", false},
                {true, TRUE, "2: CH10-11", false},
                {true, TRUE, "6: CH3-9", true}};
    for (const auto& c : bg40)
    {
        g_bAllowBw40InBgBand = c.driver;
        store("AllowBW40Capability", c.allow ? "1" : "0");
        store("WirelessMode", "9");
        Open();
        select(IDC_CONFIG_BG_REGION_COMBO, c.region);
        EXPECT_EQ(view(IDC_CONFIG_BW_40).enabled, c.forty) << c.region << c.allow << c.driver;
        if (!c.forty)
        {
            EXPECT_TRUE(view(IDC_CONFIG_BW_20).checked) << c.region;
        }
    }
}

TEST_F(ConfigPageTest, ExtensionChannelListsForBothBands)
{
    g_bABandSupported = TRUE;
    const struct
    {
        std::string mode;
        const char* channel;
        Texts ext;
    } cases[] = {
        {kBgn, "1", {"5"}},    {kBgn, "6", {"2", "10"}}, {kBgn, "11", {"7"}},
        {kBgn, "4", {"8"}},    {kAn, "36", {"40"}},      {kAn, "40", {"36"}},
        {kAn, "153", {"149"}}, {kAn, "165", {"none"}},   {kAn, "64", {"60"}},
    };
    for (const auto& c : cases)
    {
        store("WirelessMode", c.mode == kBgn ? "9" : "8");
        storeTransmitSetting(0); // 20 MHz: every channel of the region
        Open();
        select(IDC_CONFIG_CHANNEL_COMBO, c.channel);
        EXPECT_EQ(items(IDC_CONFIG_EXT_CHANNEL_COMBO), c.ext) << c.mode << " " << c.channel;
        EXPECT_EQ(SelectedText(view(IDC_CONFIG_EXT_CHANNEL_COMBO)), c.ext[0]);
    }
}

TEST_F(ConfigPageTest, TransmitSettingWordFromThe80211nGroup)
{
    const struct
    {
        const char* channel;
        const char* bandwidth;
        const char* gi;
        const char* stbc;
        const char* htMode;
        const char* mcs;
        const char* ext;
        std::uint32_t word;
    } cases[] = {
        // mode 9 | MCS << 4 | BW << 11 | GI << 12 | STBC << 13 | 2 << 14 | HT << 16 | ext << 17
        {"6", "20 / 40", "Auto", "None", "GF", "7", "10",
         9 | 7 << 4 | 1 << 11 | 1 << 12 | 2 << 14 | 1 << 16 | 1 << 17},
        {"6", "20 / 40", "long", "Auto", "MM", "Auto", "2",
         9 | 33 << 4 | 1 << 11 | 1 << 13 | 2 << 14 | 3 << 17},
        {"6", "20", "long", "None", "MM", "15", "2", 9 | 15 << 4 | 2 << 14},
    };
    g_bAllowBw40InBgBand = TRUE;
    for (const auto& c : cases)
    {
        store("WirelessMode", "9");
        store("AllowBW40Capability", "1");
        Open();
        select(IDC_CONFIG_CHANNEL_COMBO, c.channel);
        click(std::string(c.bandwidth) == "20" ? IDC_CONFIG_BW_20 : IDC_CONFIG_BW_40);
        click(std::string(c.gi) == "long" ? IDC_CONFIG_GI_LONG : IDC_CONFIG_GI_AUTO);
        click(std::string(c.stbc) == "None" ? IDC_CONFIG_STBC_NONE : IDC_CONFIG_STBC_AUTO);
        click(std::string(c.htMode) == "MM" ? IDC_CONFIG_HT_MM : IDC_CONFIG_HT_GF);
        select(IDC_CONFIG_MCS_COMBO, c.mcs);
        if (std::string(c.bandwidth) != "20")
            select(IDC_CONFIG_EXT_CHANNEL_COMBO, c.ext);
        ASSERT_EQ(apply(), "");
        EXPECT_EQ(dwordOf(apDefault(), "TransmitSetting"), c.word) << c.mcs;
        EXPECT_EQ(dwordOf(m_driverKey, "TransmitSetting"), c.word) << c.mcs;
        ASSERT_FALSE(sent(0x0DF1013B).empty());
        const std::string ht = sent(0x0DF1013B).back();
        EXPECT_EQ(ht.substr(0, 4), le32(9));
        EXPECT_EQ(static_cast<unsigned char>(ht[7]), (c.word >> 4) & 0x7F) << c.mcs;

        // Opened again, the page shows what it stored.
        Open();
        EXPECT_EQ(SelectedText(view(IDC_CONFIG_MCS_COMBO)), c.mcs);
        EXPECT_EQ(view(IDC_CONFIG_HT_GF).checked, std::string(c.htMode) == "GF");
    }
}

TEST_F(ConfigPageTest, McsListsAndRateTextByVariant)
{
    store("WirelessMode", "9");
    store("AllowBW40Capability", "1");
    g_bAllowBw40InBgBand = TRUE;
    Open();
    Texts all = {"Auto"};
    for (int i = 0; i <= 15; i++)
        all.push_back(std::to_string(i));
    all.push_back("32");
    EXPECT_EQ(items(IDC_CONFIG_MCS_COMBO), all);
    click(IDC_CONFIG_BW_40);
    click(IDC_CONFIG_GI_AUTO);
    select(IDC_CONFIG_MCS_COMBO, "7");
    EXPECT_EQ(view(IDC_CONFIG_TX_RATE_TEXT).text, "Tx Rate: 150.00 Mbps");
    click(IDC_CONFIG_BW_20);
    select(IDC_CONFIG_MCS_COMBO, "Auto");
    EXPECT_EQ(view(IDC_CONFIG_TX_RATE_TEXT).text, "Tx Rate: Not Available");
    EXPECT_FALSE(view(IDC_CONFIG_EXT_CHANNEL_COMBO).enabled);

    // One stream: the mixed and greenfield lists, rates and widths from the index table.
    g_nHtVariant = 1;
    Open();
    EXPECT_EQ(items(IDC_CONFIG_MCS_COMBO), Numbers({0, 1, 2, 3, 4}));
    EXPECT_EQ(SelectedText(view(IDC_CONFIG_MCS_COMBO)), "0") << "Auto is not offered";
    select(IDC_CONFIG_MCS_COMBO, "3");
    EXPECT_EQ(view(IDC_CONFIG_TX_RATE_TEXT).text, "Tx Rate: 121.50 Mbps \n BW:      20      MHz");
    click(IDC_CONFIG_HT_GF);
    select(IDC_CONFIG_MODE_COMBO, kBgn);
    EXPECT_EQ(items(IDC_CONFIG_MCS_COMBO), Numbers({5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    select(IDC_CONFIG_MCS_COMBO, "12");
    EXPECT_EQ(view(IDC_CONFIG_TX_RATE_TEXT).text, "Tx Rate: 216.00 Mbps \n BW:      40      MHz");
}

TEST_F(ConfigPageTest, StoredIndexesTheListsLackAreKeptAndRegionsFollowTheirValidity)
{
    g_bABandSupported = TRUE;
    store("WirelessMode", "0");
    store("CountryRegion", "3");
    store("CountryRegionABand", "10"); // the 802.11n chips' list stops at 8
    store("TXPower", "7");
    Open();
    EXPECT_EQ(SelectedText(view(IDC_CONFIG_A_REGION_COMBO)), "<none>");
    EXPECT_EQ(SelectedText(view(IDC_CONFIG_TX_POWER_COMBO)), "<none>");
    EXPECT_EQ(apply(), "");
    EXPECT_EQ(textOf(apDefault(), "CountryRegionABand"), "10");
    EXPECT_EQ(textOf(apDefault(), "TXPower"), "7");
    EXPECT_EQ(textOf(apDefault(), "CountryRegion"), "3");
    EXPECT_EQ(sent(0x0DF10107), std::vector<std::string>{le32(3 | 10 << 8)});
    EXPECT_EQ(sent(0x0DF10118).back(), le32(100));

    const struct
    {
        BOOL bg;
        BOOL a;
    } validity[] = {{FALSE, TRUE}, {TRUE, FALSE}, {FALSE, FALSE}};
    for (const auto& c : validity)
    {
        g_bRegionValid = c.bg;
        g_bABandRegionValid = c.a;
        Open();
        EXPECT_EQ(view(IDC_CONFIG_BG_REGION_COMBO).enabled, c.bg == TRUE);
        EXPECT_EQ(view(IDC_CONFIG_REGION_GROUP).enabled, c.bg == TRUE);
        EXPECT_EQ(view(IDC_CONFIG_A_REGION_COMBO).enabled, c.a == TRUE);
        EXPECT_EQ(apply(), "");
        EXPECT_EQ(sent(0x0DF10107).size(), c.bg || c.a ? 1u : 0u) << c.bg << c.a;
    }
}

TEST_F(ConfigPageTest, JapaneseChannelsAreStoredAndSentByTheirNumbers)
{
    const struct
    {
        const char* text;
        const char* stored;
        std::uint32_t frequency;
    } cases[] = {{"J8", "208", 5040000}, {"J12", "212", 5060000}, {"J16", "216", 5080000}};
    for (const auto& c : cases)
    {
        Open();
        m_pPage->m_strChannel = c.text;
        clearRequests();
        m_pPage->WriteConfigToRegistryAndSetOid();
        EXPECT_EQ(textOf(apDefault(), "Channel"), c.stored) << c.text;
        ASSERT_FALSE(sent(0x0D810211).empty()) << c.text;
        EXPECT_EQ(sent(0x0D810211).back().substr(12, 4), le32(c.frequency)) << c.text;
        // Loaded again, the stored number reads as its name.
        CConfigPage loaded;
        loaded.ReadConfigFromRegistry();
        EXPECT_EQ(std::string(loaded.m_strChannel), c.text);
    }
}

TEST_F(ConfigPageTest, SecurityChosenInTheDialogIsAppliedWithThePage)
{
    Open();
    auto script = [&]
    {
        HWND hDlg = FindWindowA(NULL, "Security Setting");
        ASSERT_NE(hDlg, 0u);
        ASSERT_TRUE(SelectEntry(hDlg, "1012", "WPA2-PSK"));
        ASSERT_TRUE(SelectEntry(hDlg, "1111", "AES"));
        ASSERT_TRUE(SetText(hDlg, "1053", "orchard-secret"));
        ASSERT_TRUE(Click(hDlg, "OK"));
    };
    int nCalls = 0;
    platform::SetIdleHook(
        [&]
        {
            if (nCalls++ == 0)
                script();
        });
    click(IDC_CONFIG_SECURITY);
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(m_pPage->m_SecuritySettings.nAuthMode, 7);
    EXPECT_EQ(textOf(apDefault(), "AuthenType"), "0") << "stored with the next APPLY";
    EXPECT_EQ(apply(), "");
    EXPECT_EQ(textOf(apDefault(), "AuthenType"), "7");
    EXPECT_EQ(textOf(apDefault(), "Encryption"), "6");
    EXPECT_EQ(textOf(apDefault(), "WPAPSK"), "orchard-secret");
    EXPECT_EQ(sent(0x0D810118).back(), le32(7));
    ASSERT_FALSE(sent(0x0D81011D).empty());
    EXPECT_EQ(sent(0x0D81011D).back().size(), 71u);

    // Cancel keeps what the page had.
    platform::SetIdleHook(
        [&]
        {
            if (HWND hDlg = FindWindowA(NULL, "Security Setting"))
            {
                SelectEntry(hDlg, "1012", "Open");
                Click(hDlg, "Cancel");
            }
        });
    click(IDC_CONFIG_SECURITY);
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(m_pPage->m_SecuritySettings.nAuthMode, 7);
}

TEST_F(ConfigPageTest, CheckBuildTracesTheMcsChoicesToTheTestFile)
{
    const std::filesystem::path file = m_machine.cDrive() / "test_HubDesk.txt";
    store("WirelessMode", "9");
    Open();
    select(IDC_CONFIG_MODE_COMBO, kBg);
    EXPECT_FALSE(std::filesystem::exists(file));

    g_nCheckBuild = 1;
    select(IDC_CONFIG_MODE_COMBO, kBgn);
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("m_cszHT_MCS (Change Wireless Mode - > Test1) is 'Auto' \n"),
              std::string::npos)
        << text;
}

TEST_F(ConfigPageTest, TheRateTextIsRefreshedEachSecondWhileActive)
{
    store("WirelessMode", "9");
    Open();
    SetDlgItemTextA(page(), IDC_CONFIG_TX_RATE_TEXT, "");
    platform::AdvanceClock(1000);
    EXPECT_EQ(view(IDC_CONFIG_TX_RATE_TEXT).text.rfind("Tx Rate: ", 0), 0u);
    // Closing the sheet with OK applies nothing.
    clearRequests();
    auto before = machine::registry::DumpKey(machine(), apDefault());
    m_pSheet->PressButton(PSBTN_OK);
    platform::PumpUntilIdle();
    EXPECT_EQ(machine::registry::DumpKey(machine(), apDefault()), before);
    EXPECT_TRUE(sets().empty());
}

} // namespace
