// The Advanced page's 802.11n group: the "TransmitSetting" word both ways, the request it sends,
// the MCS lists by variant and bandwidth, the refused combination, and the bandwidth a region's
// channel span allows.

#include "client/radio/AdvancePage.h"

#include "client/monitor/ClientGlobals.h"
#include "tests/client/radio/RadioPageFixture.h"

namespace
{

using namespace radio_test;
using namespace std::string_literals;

constexpr std::uint32_t kHtSet = 0xFF8C0028;

class AdvanceHtGroupTest : public RadioPageTest
{
protected:
    std::vector<std::string> McsEntries(CAdvancePage& page)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < page.m_cbMcs.GetCount(); i++)
        {
            CString text;
            page.m_cbMcs.GetLBText(i, text);
            entries.push_back(std::string(text));
        }
        return entries;
    }
};

std::vector<std::string> Numbers(int nFirst, int nLast)
{
    std::vector<std::string> out;
    for (int i = nFirst; i <= nLast; i++)
        out.push_back(std::to_string(i));
    return out;
}

TEST_F(AdvanceHtGroupTest, TheWordPacksEverySettingAndTheRequestCarriesThem)
{
    struct Case
    {
        const char* mode;
        const char* mcs;
        int nBandwidth, nGi, nStbc, nHtMode, nExt;
        DWORD dwWord;
    } cases[] = {
        // Mode 9, MCS 7, 40 MHz, short GI, no STBC, mixed mode, no extension channel.
        {"802.11 B/G/N mix", "7", 1, 1, 0, 0, 0, 0x00009879},
        {"802.11 A/B/G/N mix", "Auto", 0, 0, 1, 1, 2,
         0x5 | (33u << 4) | (1u << 13) | (2u << 14) | (1u << 16) | (2u << 17)},
        {"802.11 B/G mix", "32", 1, 0, 0, 0, 1, (32u << 4) | (1u << 11) | (2u << 14) | (1u << 17)},
    };
    CAdvancePage& page = Open<CAdvancePage>();
    changeDriver(
        [](machine::miniport::AdapterState& s)
        { s.setBytes(0xFF0C0028, std::string(6, '\0') + "\x03"s + std::string(5, '\0')); });
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        page.m_strWirelessMode = c.mode;
        page.m_strMcs = c.mcs;
        page.m_nBandwidth = c.nBandwidth;
        page.m_nGuardInterval = c.nGi;
        page.m_nStbc = c.nStbc;
        page.m_nHtMode = c.nHtMode;
        page.m_nExtChannel = c.nExt;
        clearRequests();
        ASSERT_TRUE(page.SaveAdvancedSettings());
        EXPECT_EQ(Config("TransmitSetting"), std::to_string(c.dwWord));
        EXPECT_EQ(Driver("TransmitSetting"), Dword(c.dwWord));
        EXPECT_EQ(g_nHtTransmitSetting, c.dwWord);
        // The mode, PHY mode 2, HT mode, the driver's extension offset, MCS, BW, STBC, GI, 0.
        std::string request = le32(c.dwWord & 0xF) + "\x02"s;
        request += static_cast<char>(c.nHtMode);
        request += '\x03';
        request += static_cast<char>((c.dwWord >> 4) & 0x7F);
        request += static_cast<char>(c.nBandwidth);
        request += static_cast<char>(c.nStbc);
        request += static_cast<char>(c.nGi);
        request += '\0';
        EXPECT_EQ(sent(kHtSet), std::vector<std::string>{request});
    }

    // And back: a stored word loads into the group.
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.dwWord));
        SetConfig("WirelessMode", std::to_string(c.dwWord & 0xF));
        SetConfig("TransmitSetting", std::to_string(c.dwWord));
        CPropertySheet sheet("Advanced");
        CAdvancePage loaded;
        sheet.AddPage(&loaded);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        EXPECT_EQ(std::string(loaded.m_strMcs), c.mcs);
        EXPECT_EQ(loaded.m_nGuardInterval, c.nGi);
        EXPECT_EQ(loaded.m_nStbc, c.nStbc);
        EXPECT_EQ(loaded.m_nHtMode, c.nHtMode);
        EXPECT_EQ(loaded.m_nExtChannel, c.nExt);
        sheet.DestroyWindow();
    }
}

TEST_F(AdvanceHtGroupTest, FortyMegahertzNeedsTheEepromBitOfTheMode)
{
    struct Case
    {
        const char* mode;
        BOOL bBit8Clear, bBit9Clear;
        int nBandwidth;
    } cases[] = {
        {"8", TRUE, FALSE, 0}, {"8", FALSE, TRUE, 1},  {"9", FALSE, TRUE, 0},
        {"7", TRUE, FALSE, 1}, {"3", FALSE, FALSE, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        g_bEepromBit8Clear = c.bBit8Clear;
        g_bEepromBit9Clear = c.bBit9Clear;
        EXPECT_EQ(Is40MhzAllowed(atoi(c.mode)), c.nBandwidth == 1);
    }
    // Mode 9 with bit 8 set loads 20 MHz whatever bit 11 says ("Config" holds no mode 7 or 8:
    // their texts are those of mode 0).
    g_bEepromBit8Clear = FALSE;
    SetConfig("WirelessMode", "9");
    SetConfig("TransmitSetting", std::to_string(9 | (1u << 11) | (2u << 14)));
    CAdvancePage& page = Open<CAdvancePage>();
    EXPECT_EQ(page.m_nBandwidth, 0);
    // The combo has no mode 9: it shows mode 0, which may use 40 MHz.
    EXPECT_TRUE(Enabled(IDC_ADV_HT_BW_AUTO));
    page.m_strWirelessMode = "802.11 B/G/N mix";
    G_enumWirelessMode = 9;
    page.ShowHtControls(TRUE, g_nHtVariant, 9);
    EXPECT_FALSE(Enabled(IDC_ADV_HT_BW_AUTO));
}

TEST_F(AdvanceHtGroupTest, TheMcsListFollowsTheVariantAndTheBandwidth)
{
    std::vector<std::string> full = {"Auto"};
    for (const std::string& n : Numbers(0, 15))
        full.push_back(n);
    full.push_back("32");
    CAdvancePage& page = Open<CAdvancePage>();
    struct Case
    {
        int nVariant, nBandwidth;
        const char* text;
        std::vector<std::string> entries;
        const char* selected;
    } cases[] = {
        {1, 0, "Auto", Numbers(0, 4), "0"}, // "Auto" is not offered: the first entry
        {1, 1, "7", Numbers(5, 14), "7"},   {2, 0, "1", full, "1"}, // "1", not "10"
        {3, 1, "Auto", full, "Auto"},       {3, 0, "15", full, "15"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nVariant) + "/" + std::to_string(c.nBandwidth));
        page.m_strMcs = c.text;
        page.FillMcsCombo(c.nVariant, c.nBandwidth, page.m_strMcs);
        EXPECT_EQ(McsEntries(page), c.entries);
        CString selected;
        page.m_cbMcs.GetLBText(page.m_cbMcs.GetCurSel(), selected);
        EXPECT_EQ(std::string(selected), c.selected);
        EXPECT_EQ(std::string(page.m_strMcs), c.selected);
    }
    EXPECT_EQ(McsFromText("Auto"), 33);
    EXPECT_EQ(McsFromText("12"), 12);
    EXPECT_EQ(std::string(McsToText(33)), "Auto");
    EXPECT_EQ(std::string(McsToText(5)), "5");
}

TEST_F(AdvanceHtGroupTest, TheRateLabelShowsTheRateOfTheChoice)
{
    CAdvancePage& page = Open<CAdvancePage>();
    page.m_strMcs = "Auto"; // no rate-table index
    page.UpdateTxRateLabel(1);
    EXPECT_EQ(TextOf(IDC_ADV_HT_RATE), "Tx Rate: Not Available");
    page.m_strMcs = "7";
    page.m_nBandwidth = 1;
    page.m_nGuardInterval = 1;
    page.UpdateTxRateLabel(3);
    EXPECT_EQ(TextOf(IDC_ADV_HT_RATE), "Tx Rate: 150.00 Mbps");
    page.UpdateTxRateLabel(0);
    EXPECT_EQ(TextOf(IDC_ADV_HT_RATE), "");
}

TEST_F(AdvanceHtGroupTest, GreenfieldShortGiAndStbcTogetherAreRefused)
{
    Open<CAdvancePage>();
    Click(IDC_ADV_HT_GF);
    Click(IDC_ADV_HT_GI_AUTO);
    Click(IDC_ADV_HT_STBC_AUTO);
    SetConfig("TXBurst", "");
    clearRequests();
    AnswerBoxes(1);
    Click(IDC_ADV_APPLY);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"GF, Short GI, and STBC used don't setup together"});
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(Config("TXBurst"), "");
    // Any one of them off, and Apply goes on.
    Click(IDC_ADV_HT_STBC_NONE);
    Click(IDC_ADV_APPLY);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(sent(kHtSet).size(), 1u);
}

TEST_F(AdvanceHtGroupTest, TheRegionsChannelSpanChoosesTheBandwidth)
{
    struct Span
    {
        const char* text;
        int nFirst, nLast;
    } spans[] = {
        {"0: FCC, CH1-11", 1, 11}, {"4: FRANCE, CH10-13", 10, 13},
        {"4: CH14", 14, 14},       {"7: CH5 - 13", 5, 13},
        {"12-14", 12, 14}, // no "H": the whole text
    };
    for (const Span& s : spans)
    {
        int nFirst = -1, nLast = -1;
        ParseRegionChannelSpan(s.text, &nFirst, &nLast);
        EXPECT_EQ(nFirst, s.nFirst) << s.text;
        EXPECT_EQ(nLast, s.nLast) << s.text;
    }

    g_nChipType = 0; // the named regions
    Open<CAdvancePage>();
    struct Case
    {
        const char* entry;
        bool bAuto;
    } cases[] = {{"#0", true}, {"#4", false}, {"#5", false}, {"#2", true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.entry);
        Select(IDC_ADV_REGION_BG, c.entry);
        EXPECT_EQ(Checked(IDC_ADV_HT_BW_AUTO), c.bAuto);
        EXPECT_EQ(Checked(IDC_ADV_HT_BW_20), !c.bAuto);
    }
}

} // namespace
