// The register page, which the sheet never shows, driven directly: the 12-byte register
// requests of each kind, the R17 record, and "Generate Error Mic" with its two timers.

#include "accesspoint/pages/RegSetPage.h"

#include "platform/ui/TestPump.h"
#include "platform/ui/msgbox/MessageBox.h"
#include "tests/accesspoint/support/ApPageFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using testing_support::le32;

constexpr std::uint32_t kRegisterQuery = 0x0D710105;
constexpr std::uint32_t kRegisterSet = 0x0DF10105;
constexpr std::uint32_t kR17Query = 0x0D710109;
constexpr std::uint32_t kR17Set = 0x0DF10109;
constexpr std::uint32_t kErrorMic = 0x0DF10115;

std::string Request(std::uint32_t kind, std::uint32_t offset, std::uint32_t value)
{
    return le32(kind) + le32(offset) + le32(value);
}

class ApRegSetPageTest : public ap_test::ApPageFixture<CRegSetPage>
{
protected:
    void Type(int nId, const char* pszText) const { m_pPage->SetDlgItemText(nId, pszText); }
};

TEST_F(ApRegSetPageTest, EachRegisterKindSendsItsTwelveBytesAndShowsItsAnswer)
{
    OpenPage();
    EXPECT_EQ(Text(IDC_REG_MAC_OFFSET), "00000000");
    EXPECT_EQ(Text(IDC_REG_BBP_VALUE), "00");

    // Writes, then reads of what the driver now holds.
    Type(IDC_REG_MAC_OFFSET, "1004");
    Type(IDC_REG_MAC_VALUE, "1234");
    Click(IDC_REG_MAC_SET);
    Type(IDC_REG_EEPROM_OFFSET, "2a");
    Type(IDC_REG_EEPROM_VALUE, "1234BEEF");
    Click(IDC_REG_EEPROM_SET);
    Type(IDC_REG_BBP_ID, "66");
    Type(IDC_REG_BBP_VALUE, "3c");
    Click(IDC_REG_BBP_SET);
    Type(IDC_REG_RF_VALUE, "0A0B0C0D");
    Click(IDC_REG_RF_SET);
    EXPECT_EQ(sent(kRegisterSet),
              (std::vector<std::string>{Request(0, 0x1004, 0x1234), Request(3, 0x2A, 0x1234BEEF),
                                        Request(1, 66, 0x3C), Request(2, 0, 0x0A0B0C0D)}));

    clearRequests();
    Type(IDC_REG_MAC_VALUE, "");
    Click(IDC_REG_MAC_QUERY);
    Click(IDC_REG_EEPROM_QUERY);
    Click(IDC_REG_BBP_QUERY);
    EXPECT_EQ(
        sent(kRegisterQuery),
        (std::vector<std::string>{Request(0, 0x1004, 0), Request(3, 0x2A, 0), Request(1, 66, 0)}));
    EXPECT_EQ(Text(IDC_REG_MAC_VALUE), "00001234");
    // An EEPROM word holds 16 bits.
    EXPECT_EQ(Text(IDC_REG_EEPROM_VALUE), "0000BEEF");
    EXPECT_EQ(Text(IDC_REG_BBP_VALUE), "3C");

    // A failed read shows 0; a text that is no number is sent as 0.
    failRequests(kRegisterQuery, 1);
    Click(IDC_REG_MAC_QUERY);
    EXPECT_EQ(Text(IDC_REG_MAC_VALUE), "00000000");
}

TEST_F(ApRegSetPageTest, BbpIdsBeyondAByteAreRefusedBeforeAnyRequest)
{
    OpenPage();
    Type(IDC_REG_BBP_ID, "300");
    clearRequests();
    platform::ClearMessageBoxLog();
    platform::SetIdleHook(
        []
        {
            if (auto box = platform::FindOpenMessageBox())
                platform::AnswerMessageBox(box->hwnd, IDOK);
        });
    Click(IDC_REG_BBP_SET);
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(platform::MessageBoxLog().size(), 1u);
    EXPECT_TRUE(sent(kRegisterSet).empty());
}

TEST_F(ApRegSetPageTest, R17FieldsTravelAsFourBytesInTheirOrder)
{
    OpenPage();
    Type(IDC_REG_R17_LOWER, "10");
    Type(IDC_REG_R17_UPPER, "200");
    Type(IDC_REG_R17_STEP, "2");
    Type(IDC_REG_R17_MAX, "4F");
    Click(IDC_REG_R17_SET);
    EXPECT_EQ(sent(kR17Set), std::vector<std::string>{std::string("\x0A\xC8\x02\x4F", 4)});

    setDriverValue(kR17Query, std::string("\x05\x06\x07\xAB", 4));
    Click(IDC_REG_R17_QUERY);
    EXPECT_EQ(Text(IDC_REG_R17_LOWER), "5");
    EXPECT_EQ(Text(IDC_REG_R17_UPPER), "6");
    EXPECT_EQ(Text(IDC_REG_R17_STEP), "7");
    EXPECT_EQ(Text(IDC_REG_R17_MAX), "ab");
}

TEST_F(ApRegSetPageTest, ErrorMicIsSentNowAndOnceByEachTimer)
{
    OpenPage();
    Type(IDC_REG_MIC_SECONDS, "30");
    // One attempt each: a failed one is not retried.
    failRequests(kErrorMic, 1);
    clearRequests();
    Click(IDC_REG_ERROR_MIC);
    EXPECT_FALSE(Enabled(IDC_REG_ERROR_MIC));
    platform::AdvanceClock(89999);
    EXPECT_EQ(sent(kErrorMic).size(), 1u);
    // Timer 1 after 30 s and a minute.
    platform::AdvanceClock(1);
    EXPECT_EQ(sent(kErrorMic).size(), 2u);
    EXPECT_FALSE(Enabled(IDC_REG_ERROR_MIC));
    // Timer 2 after two minutes, and the button is back; neither comes again.
    platform::AdvanceClock(30000);
    EXPECT_EQ(sent(kErrorMic).size(), 3u);
    EXPECT_TRUE(Enabled(IDC_REG_ERROR_MIC));
    platform::AdvanceClock(600000);
    EXPECT_EQ(sent(kErrorMic), std::vector<std::string>(3, ""));
}

} // namespace
