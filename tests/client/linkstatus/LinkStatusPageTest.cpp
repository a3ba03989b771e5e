#include "client/status/LinkStatusPage.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/radio/TxRateWord.h"
#include "machine/miniport/OidTable.h"
#include "tests/client/linkstatus/LinkStatusFixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace linkstatus_test
{
namespace
{

constexpr std::uint32_t kTxPower = 0xFF0C0007;

// A row as label, bar, word, value.
const int kSignal2Row[4] = {IDC_LS_SIGNAL2_LABEL, IDC_LS_SIGNAL2_BAR, IDC_LS_SIGNAL2_WORD,
                            IDC_LS_SIGNAL2};
const int kSignal3Row[4] = {IDC_LS_SIGNAL3_LABEL, IDC_LS_SIGNAL3_BAR, IDC_LS_SIGNAL3_WORD,
                            IDC_LS_SIGNAL3};
const int kNoiseRow[4] = {IDC_LS_NOISE_LABEL, IDC_LS_NOISE_BAR, IDC_LS_NOISE_WORD, IDC_LS_NOISE};

// Where the template puts a control, in page pixels.
RECT TemplatePlace(int id)
{
    auto t = platform::FindDialogTemplate(IDD_LINKSTATUS_PAGE);
    for (const auto& c : t->controls)
        if (c.id == id)
            return platform::DialogRectToPixels(c.rect);
    ADD_FAILURE() << "no control " << id;
    return {};
}

std::string LinkRecord(std::uint32_t rate, std::uint32_t quality, std::uint32_t channel = 44)
{
    return le32(rate) + le32(quality) + le32(0) + le32(0) + le32(channel);
}

using LinkStatusPageTest = LinkStatusFixture;

TEST_F(LinkStatusPageTest, RowsFollowTheAntennasAnsweredAtEachActivation)
{
    Start(1);
    ConnectOpen("Open G");
    // The layout is made anew at each activation, from the template's places.
    const struct
    {
        int antennas;
        const int* noiseGoesTo;
    } cases[] = {{1, kSignal2Row}, {3, kNoiseRow},   {2, kSignal3Row},
                 {1, kSignal2Row}, {2, kSignal3Row}, {3, kNoiseRow}};
    bool first = true;
    for (const auto& c : cases)
    {
        SetAntennas(c.antennas);
        if (!first)
            LeavePage();
        first = false;
        ShowPage();
        Tick();
        for (int i = 0; i < 4; i++)
        {
            EXPECT_EQ(visible(kSignal2Row[i]), c.antennas >= 2) << c.antennas << " " << i;
            EXPECT_EQ(visible(kSignal3Row[i]), c.antennas >= 3) << c.antennas << " " << i;
            EXPECT_TRUE(visible(kNoiseRow[i])) << c.antennas << " " << i;
            EXPECT_TRUE(SameRect(place(kNoiseRow[i]), TemplatePlace(c.noiseGoesTo[i])))
                << c.antennas << " " << i;
            if (c.antennas == 3)
            {
                EXPECT_TRUE(SameRect(place(kSignal2Row[i]), TemplatePlace(kSignal2Row[i])));
                EXPECT_TRUE(SameRect(place(kSignal3Row[i]), TemplatePlace(kSignal3Row[i])));
            }
        }
        EXPECT_EQ(page().m_bSecondRssiSupported, c.antennas >= 2 ? 1 : 0);
        EXPECT_EQ(page().m_bThirdRssiSupported, c.antennas >= 3 ? 1 : 0);
        // Signals of missing antennas are empty.
        EXPECT_EQ(text(IDC_LS_SIGNAL3).empty(), c.antennas < 3) << c.antennas;
        EXPECT_EQ(text(IDC_LS_SIGNAL2).empty(), c.antennas < 2) << c.antennas;
    }
}

TEST_F(LinkStatusPageTest, AnElevenGLinkAsTheDriverReportsIt)
{
    Start(3);
    ConnectOpen("Open G");
    ShowPage();
    Tick();
    EXPECT_EQ(text(IDC_LS_STATUS), "Open G <--> 02-54-59-00-01-01 [192.168.10.104]");
    EXPECT_EQ(text(IDC_LS_CHANNEL), "6 <--> 2437000 KHz");
    EXPECT_EQ(text(IDC_LS_EXTRA_INFO), "Link is Up [TxPower:100%]");
    EXPECT_EQ(text(IDC_LS_TX_RATE), "54.0");
    EXPECT_EQ(text(IDC_LS_RX_RATE), "54.0");
    // Two seconds of traffic since the activation: 100 frames of 1500 bytes each way.
    EXPECT_EQ(text(IDC_LS_TX_THROUGHPUT), "600.0");
    EXPECT_EQ(text(IDC_LS_RX_THROUGHPUT), "600.0");
    EXPECT_EQ(text(IDC_LS_QUALITY), std::to_string(bar(IDC_LS_QUALITY_BAR)) + "%");
    EXPECT_GT(bar(IDC_LS_QUALITY_BAR), 0);
    // -60, -60 and -63 dBm.
    EXPECT_EQ(text(IDC_LS_SIGNAL1), "76%");
    EXPECT_EQ(text(IDC_LS_SIGNAL1_WORD), "Good");
    EXPECT_EQ(bar(IDC_LS_SIGNAL1_BAR), 76);
    EXPECT_EQ(text(IDC_LS_SIGNAL2), "76%");
    EXPECT_EQ(text(IDC_LS_SIGNAL3), "68%");
    EXPECT_EQ(text(IDC_LS_SIGNAL3_WORD), "Normal");
    EXPECT_EQ(bar(IDC_LS_SIGNAL3_BAR), 68);
    EXPECT_EQ(text(IDC_LS_NOISE), "26%");
    EXPECT_EQ(text(IDC_LS_NOISE_WORD), "Low");
    // Not an HT rate: the 802.11n fields say so.
    EXPECT_EQ(text(IDC_LS_HT_BW), "BW: n/a");
    EXPECT_EQ(text(IDC_LS_HT_MCS), "MCS: n/a");
    EXPECT_EQ(text(IDC_LS_HT_SNR0), "SNR0: n/a");
    EXPECT_TRUE(visible(IDC_LS_HT_GROUP));
    EXPECT_FALSE(visible(IDC_LS_RECONNECT));
    EXPECT_FALSE(visible(IDC_LS_REAUTHENTICATE));

    ASSERT_TRUE(platform::automation::Click(page().m_hWnd, std::to_string(IDC_LS_DBM)));
    Tick();
    EXPECT_EQ(text(IDC_LS_SIGNAL1), "-60 dBm");
    EXPECT_EQ(text(IDC_LS_SIGNAL3), "-63 dBm");
    EXPECT_EQ(text(IDC_LS_NOISE), "-92 dBm");
    EXPECT_EQ(text(IDC_LS_SIGNAL1_WORD), "Good");
}

TEST_F(LinkStatusPageTest, ElevenNRowsFromTheTransmitRateWord)
{
    Start(3);
    ConnectOpen("Open N");
    ShowPage();
    Pin(0xFF0C0023, 30);
    Pin(0xFF0C0024, 44);
    // Receive at 20 MHz, short guard, MCS 7: its word never reaches the 802.11n fields.
    Pin(0xFF0C000E, 0x8107);
    const struct
    {
        std::uint32_t word;
        const char* rate;
        const char* bw;
        const char* gi;
        const char* stbc;
        const char* mcs;
        const char* snr0;
    } cases[] = {
        {0x818F, "300.0", "BW: 40", "GI: short", "STBC: none", "MCS: 15", "SNR0: 30"},
        {0xC207, "65.0", "BW: 20", "GI: long", "STBC: used", "MCS: 7", "SNR0: 30"},
        {0xC4A0, "6.0", "BW: 40", "GI: long", "STBC: used", "MCS: 32", "SNR0: 30"},
        {0x8010, "0.0", "BW: 20", "GI: long", "STBC: none", "MCS: 16", "SNR0: 30"},
        {0x4007, "54.0", "BW: n/a", "GI: n/a", "STBC: n/a", "MCS: n/a", "SNR0: n/a"},
        {0x000B, "11.0", "BW: n/a", "GI: n/a", "STBC: n/a", "MCS: n/a", "SNR0: n/a"},
        {0x0004, "0.0", "BW: n/a", "GI: n/a", "STBC: n/a", "MCS: n/a", "SNR0: n/a"},
    };
    for (const auto& c : cases)
    {
        Pin(OID_TX_RATE, c.word);
        Tick();
        EXPECT_EQ(text(IDC_LS_TX_RATE), c.rate) << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_RX_RATE), "72.2") << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_HT_BW), c.bw) << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_HT_GI), c.gi) << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_HT_STBC), c.stbc) << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_HT_MCS), c.mcs) << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_HT_SNR0), c.snr0) << std::hex << c.word;
        EXPECT_EQ(text(IDC_LS_HT_SNR1), "SNR1: n/a") << std::hex << c.word;
        // The network shows 802.11n elements: the central channel, once, however many ticks.
        EXPECT_EQ(text(IDC_LS_CHANNEL), "44 <--> 5220000 KHz; central channel : 44");
    }
    // A word the driver refuses decodes as cleared: CCK code 0.
    Refuse(OID_TX_RATE);
    Tick();
    EXPECT_EQ(text(IDC_LS_TX_RATE), "1.0");
    EXPECT_EQ(text(IDC_LS_HT_BW), "BW: n/a");
}

TEST_F(LinkStatusPageTest, RefusedQueriesLeaveTheirFieldsEmptyAndKeepTheCounters)
{
    Start(3);
    ConnectOpen("Open N");
    ShowPage();
    Tick();
    ASSERT_EQ(text(IDC_LS_TX_THROUGHPUT), "600.0");
    ASSERT_FALSE(text(IDC_LS_SIGNAL3).empty());

    for (std::uint32_t code : {OID_SECOND_RSSI, OID_THIRD_RSSI, OID_SNR0, OID_SNR1, OID_NOISE_LEVEL,
                               OID_LINK_RECORD, OID_LINK_STATE})
        Refuse(code);
    Tick();
    for (int id : {IDC_LS_SIGNAL2, IDC_LS_SIGNAL2_WORD, IDC_LS_SIGNAL3, IDC_LS_SIGNAL3_WORD,
                   IDC_LS_NOISE, IDC_LS_NOISE_WORD, IDC_LS_TX_RATE, IDC_LS_TX_THROUGHPUT,
                   IDC_LS_RX_THROUGHPUT, IDC_LS_QUALITY, IDC_LS_QUALITY_WORD})
        EXPECT_EQ(text(id), "") << id;
    for (int id : {IDC_LS_SIGNAL2_BAR, IDC_LS_SIGNAL3_BAR, IDC_LS_NOISE_BAR, IDC_LS_QUALITY_BAR})
        EXPECT_EQ(bar(id), 0) << id;
    EXPECT_EQ(text(IDC_LS_HT_SNR0), "SNR0: n/a");
    EXPECT_EQ(text(IDC_LS_HT_SNR1), "SNR1: n/a");
    EXPECT_EQ(text(IDC_LS_EXTRA_INFO), " [TxPower:100%]");
    EXPECT_EQ(text(IDC_LS_CHANNEL), "44 <--> 5220000 KHz") << "no central channel to show";
    EXPECT_FALSE(text(IDC_LS_SIGNAL1).empty());
    EXPECT_FALSE(text(IDC_LS_RX_RATE).empty());
    EXPECT_FALSE(text(IDC_LS_HT_MCS).empty());

    // The next answer counts from the last one: four seconds of traffic, not the whole counter.
    mp::ClearDriverFaults(machine(), m_id);
    Tick();
    EXPECT_EQ(text(IDC_LS_TX_THROUGHPUT), "1200.0");
    EXPECT_EQ(text(IDC_LS_RX_THROUGHPUT), "1200.0");
    EXPECT_EQ(text(IDC_LS_CHANNEL), "44 <--> 5220000 KHz; central channel : 44");
}

TEST_F(LinkStatusPageTest, ChannelLinesAndAnUnknownChannelThatDoesNotGrow)
{
    Start(3);
    ConnectOpen("Island J12");
    ShowPage();
    Tick();
    EXPECT_EQ(text(IDC_LS_CHANNEL), "J12 <--> 5060000 KHz");

    ASSERT_EQ(machine::wlan::Disconnect(machine(), m_id), 0u);
    Tick();
    EXPECT_EQ(text(IDC_LS_CHANNEL), "");
    // An 802.11n network whose frequency no channel has: the line stays as it was.
    ConnectOpen("Lost N");
    for (int i = 0; i < 3; i++)
    {
        Tick();
        EXPECT_EQ(text(IDC_LS_STATUS), "Lost N <--> 02-54-59-00-01-04 [192.168.10.104]");
        EXPECT_EQ(text(IDC_LS_CHANNEL), "") << i;
    }
}

TEST_F(LinkStatusPageTest, WithoutALinkTheRowsAreEmptyAndTheCountersStartAgain)
{
    Start(3);
    ConnectOpen("Open G");
    ShowPage();
    Tick();
    ASSERT_EQ(machine::wlan::Disconnect(machine(), m_id), 0u);
    Tick();
    EXPECT_EQ(text(IDC_LS_STATUS), "Disconnected");
    EXPECT_EQ(text(IDC_LS_EXTRA_INFO), "Link is Down");
    for (int id :
         {IDC_LS_CHANNEL, IDC_LS_TX_RATE, IDC_LS_RX_RATE, IDC_LS_TX_THROUGHPUT,
          IDC_LS_RX_THROUGHPUT, IDC_LS_QUALITY, IDC_LS_QUALITY_WORD, IDC_LS_SIGNAL1,
          IDC_LS_SIGNAL1_WORD, IDC_LS_SIGNAL2, IDC_LS_SIGNAL3, IDC_LS_NOISE, IDC_LS_NOISE_WORD})
        EXPECT_EQ(text(id), "") << id;
    for (int id : {IDC_LS_QUALITY_BAR, IDC_LS_SIGNAL1_BAR, IDC_LS_SIGNAL2_BAR, IDC_LS_SIGNAL3_BAR,
                   IDC_LS_NOISE_BAR})
        EXPECT_EQ(bar(id), 0) << id;
    EXPECT_EQ(text(IDC_LS_HT_BW), "BW: ");
    EXPECT_EQ(text(IDC_LS_HT_STBC), "STBC: ");
    EXPECT_EQ(text(IDC_LS_HT_SNR0), "SNR0:");
    EXPECT_EQ(text(IDC_LS_HT_SNR1), "SNR1:");

    // The monitor keeps the radio's state; the page's next tick reads it.
    g_bRadioOn = FALSE;
    page().SendMessage(WM_TIMER, LINK_STATUS_TIMER, 0);
    g_bRadioOn = TRUE;
    EXPECT_EQ(text(IDC_LS_STATUS), "RF OFF");

    // The first tick after a reconnect counts the whole counters.
    ConnectOpen("Open G");
    Tick();
    // The counter as the driver answered the page's last look at the link.
    std::uint32_t sent = 0;
    for (const auto& e : requests())
        if (e.code == mp::oid::LinkRecord && e.ok && e.bytesOut.size() >= 12)
            std::memcpy(&sent, e.bytesOut.data() + 8, 4);
    ASSERT_GT(sent, 150000u);
    CString expected;
    expected.Format("%.1f", sent / 250.0);
    EXPECT_EQ(text(IDC_LS_TX_THROUGHPUT), std::string(expected));
}

TEST_F(LinkStatusPageTest, QualityIsAveragedWithTheLastTick)
{
    Start(3);
    ConnectOpen("Open N");
    ShowPage();
    const struct
    {
        UINT previous;
        std::uint32_t raw;
        const char* percent;
        const char* word;
    } cases[] = {
        {0, 80, "100%", "Good"},   {60, 20, "47%", "Normal"}, {0, 50, "70%", "Normal"},
        {0, 25, "40%", "Weak"},    {0, 26, "41%", "Normal"},  {0, 0xFFFFFFFF, "100%", "Good"},
        {100, 0, "55%", "Normal"},
    };
    for (const auto& c : cases)
    {
        page().m_nPrevQuality = c.previous;
        Pin(OID_LINK_RECORD, LinkRecord(108, c.raw));
        Tick();
        EXPECT_EQ(text(IDC_LS_QUALITY), c.percent) << c.raw;
        EXPECT_EQ(text(IDC_LS_QUALITY_WORD), c.word) << c.raw;
        EXPECT_EQ(std::to_string(bar(IDC_LS_QUALITY_BAR)) + "%", c.percent) << c.raw;
    }
}

TEST_F(LinkStatusPageTest, NoiseFromTheSignalsOrFromTheDriver)
{
    Start(3);
    ConnectOpen("Open N");
    ShowPage();
    ASSERT_TRUE(platform::automation::Click(page().m_hWnd, std::to_string(IDC_LS_DBM)));
    const struct
    {
        BOOL ht;
        int rssi;
        std::uint32_t rssi2, rssi3, snr0, snr1, noise;
        const char* dbm;
        int percent;
        const char* word;
    } cases[] = {
        // With 802.11n: the strongest signal less the smaller ratio, unless it is strong.
        {TRUE, -60, static_cast<std::uint32_t>(-200), static_cast<std::uint32_t>(-200), 30, 30, 48,
         "-92 dBm", 26, "Low"},
        {TRUE, -80, static_cast<std::uint32_t>(-85), static_cast<std::uint32_t>(-90), 25, 20, 48,
         "-100 dBm", 0, "Low"},
        {TRUE, -90, static_cast<std::uint32_t>(-75), static_cast<std::uint32_t>(-200), 3,
         0xFFFFFFF0, 48, "-78 dBm", 73, "Normal"},
        // Without: the driver's value less 143.
        {FALSE, -60, 0, 0, 0, 0, 100, "-43 dBm", 100, "Strong"},
        {FALSE, -60, 0, 0, 0, 0, 50, "-93 dBm", 23, "Low"},
        {FALSE, -60, 0, 0, 0, 0, 80, "-63 dBm", 100, "Strong"},
        {FALSE, -60, 0, 0, 0, 0, 83, "-60 dBm", 100, "Strong"},
        {FALSE, -60, 0, 0, 0, 0, 67, "-76 dBm", 80, "Normal"},
    };
    for (const auto& c : cases)
    {
        g_bHtSupported = c.ht;
        radio::ChangeNetworks(machine(),
                              [&](std::vector<radio::Network>& list)
                              {
                                  radio::FindNetwork(list, "Open N")->rssi = c.rssi;
                                  return true;
                              });
        Pin(OID_SECOND_RSSI, c.rssi2);
        Pin(OID_THIRD_RSSI, c.rssi3);
        Pin(OID_SNR0, c.snr0);
        Pin(OID_SNR1, c.snr1);
        Pin(OID_NOISE_LEVEL, c.noise);
        Tick();
        EXPECT_EQ(text(IDC_LS_NOISE), c.dbm) << c.dbm;
        EXPECT_EQ(bar(IDC_LS_NOISE_BAR), c.percent) << c.dbm;
        EXPECT_EQ(text(IDC_LS_NOISE_WORD), c.word) << c.dbm;
    }
    g_bHtSupported = TRUE;
}

TEST_F(LinkStatusPageTest, TransmitPowerAndTheRatesOfAnAdapterWithout11n)
{
    Start(3);
    ConnectOpen("Open G");
    ShowPage();
    const struct
    {
        std::uint32_t power;
        const char* text;
    } powers[] = {{6, "Lowest"}, {0, "Lowest"},        {7, "7%"},
                  {100, "100%"}, {0xFFFFFFFF, "100%"}, {75, "75%"}};
    for (const auto& p : powers)
    {
        Pin(kTxPower, p.power);
        Tick();
        EXPECT_EQ(text(IDC_LS_EXTRA_INFO), std::string("Link is Up [TxPower:") + p.text + "]");
    }
    // The monitor's watchdog keeps the key-error flag; the page's next tick reads it.
    Pin(OID_LINK_STATE, 9);
    g_bWepError = TRUE;
    page().SendMessage(WM_TIMER, LINK_STATUS_TIMER, 0);
    g_bWepError = FALSE;
    EXPECT_EQ(text(IDC_LS_EXTRA_INFO),
              "Deauthencation on group key handshake timeout -- ICV Error  [TxPower:75%]");
    Pin(OID_LINK_STATE, 11);
    Tick();
    EXPECT_EQ(text(IDC_LS_EXTRA_INFO), " [TxPower:75%]");

    g_bHtSupported = FALSE;
    Pin(OID_LINK_RECORD, LinkRecord(11, 50));
    const struct
    {
        std::optional<std::uint32_t> code; // none: refused
        const char* rate;
    } rx[] = {{0, "1.0"}, {2, "5.5"}, {4, "6.0"}, {11, "54.0"}, {12, "1.0"}, {std::nullopt, "1.0"}};
    for (const auto& r : rx)
    {
        if (r.code)
            Pin(OID_RX_RATE, *r.code);
        else
            Refuse(OID_RX_RATE);
        Tick();
        EXPECT_EQ(text(IDC_LS_RX_RATE), r.rate) << r.rate;
        EXPECT_EQ(text(IDC_LS_TX_RATE), "5.5");
    }
    g_bHtSupported = TRUE;
}

} // namespace
} // namespace linkstatus_test
