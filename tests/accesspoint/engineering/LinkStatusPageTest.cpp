// The Link Status page, which the sheet never shows, driven directly: one tick with a link and
// one without, from the access point's driver values alone.

#include "accesspoint/pages/LinkStatusPage.h"

#include "tests/accesspoint/support/ApPageFixture.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

using testing_support::le32;

class ApLinkStatusPageTest : public ap_test::ApPageFixture<CLinkStatusPage>
{
};

TEST_F(ApLinkStatusPageTest, ATickShowsTheLinkFromTheDriverAndNoLinkWithoutIt)
{
    std::string ssid = le32(7) + "SoftAP-";
    ssid.resize(36, '\0');
    pinAnswer(0x00010114, le32(0)); // connected
    pinAnswer(0x0D010101, std::string("\x02\x5A\x00\x00\x00\x3A", 6));
    pinAnswer(0x0D010102, ssid);
    std::string config = le32(32) + le32(100) + le32(0) + le32(2437000);
    config.resize(32, '\0');
    pinAnswer(0x0D010211, config);
    pinAnswer(0x0D71011F, std::string("\xC0\xA8\x00\x01", 4));
    pinAnswer(0x0D71011D, le32(0));
    // MCS 7, 40 MHz, short guard interval, HT mixed.
    pinAnswer(0x0D71011B, le32(0x8000 | 0x0100 | 0x0080 | 7));
    pinSignal(-52);
    pinAnswer(0x0D710135, le32(30));
    pinAnswer(0x0D710136, le32(44));
    pinAnswer(0x0D71011A, le32(6));
    OpenPage();
    platform::AdvanceClock(2000);
    EXPECT_EQ(Text(IDC_LS_STATUS), "SoftAP- <--> 02-5A-00-00-00-3A [192.168.0.1]");
    EXPECT_EQ(Text(IDC_LS_EXTRA_INFO), "Link is Up [TxPower:Lowest]");
    EXPECT_EQ(Text(IDC_LS_CHANNEL).rfind("6 <--> 2437000 KHz", 0), 0u) << Text(IDC_LS_CHANNEL);
    EXPECT_EQ(Text(IDC_LS_SIGNAL1), "-52 dBm");
    EXPECT_EQ(Text(IDC_LS_BW), "BW: 40");
    EXPECT_EQ(Text(IDC_LS_GI), "GI: short");
    EXPECT_EQ(Text(IDC_LS_MCS), "MCS: 7");
    EXPECT_EQ(Text(IDC_LS_SNR0), "SNR0: 30");
    EXPECT_EQ(Text(IDC_LS_SNR1), "SNR1: n/a");

    pinAnswer(0x00010114, le32(1));
    platform::AdvanceClock(2000);
    EXPECT_EQ(Text(IDC_LS_STATUS), "Disconnected");
    EXPECT_EQ(Text(IDC_LS_EXTRA_INFO), "Link is Down");
    EXPECT_EQ(Text(IDC_LS_CHANNEL), "");
    pinAnswer(0x0D71011D, le32(2));
    platform::AdvanceClock(2000);
    EXPECT_EQ(Text(IDC_LS_STATUS), "RF OFF");

    // Only while shown.
    LeavePage();
    clearRequests();
    platform::AdvanceClock(6000);
    EXPECT_TRUE(requests().empty());
}

} // namespace
