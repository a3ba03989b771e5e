// The wireless-mode codes and their texts both ways, and the monitor window's adjustment of a
// mode's text to what the adapter supports.

#include "client/radio/WirelessModeText.h"

#include "client/access/AdapterState.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "resources/TessarynUI/TessarynUIResources.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

class WirelessModeTextTest : public ::testing::Test
{
protected:
    void SetUp() override { RegisterTessarynUIResources(); }
    void TearDown() override
    {
        g_bABandSupported = m_bABand;
        g_bHtSupported = m_bHt;
    }
    BOOL m_bABand = g_bABandSupported;
    BOOL m_bHt = g_bHtSupported;
};

TEST_F(WirelessModeTextTest, CodesAndTextsBothWays)
{
    struct Case
    {
        int nCode;
        const char* text;
    } cases[] = {
        {0, "802.11 B/G mix"},
        {1, "802.11 B only"},
        {2, "802.11 A only"},
        {3, "802.11 A/B/G mix"},
        {4, "802.11 G only"},
        {5, "802.11 A/B/G/N mix"},
        {6, ""},
        {9, "802.11 B/G/N mix"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(std::string(WirelessModeToText(c.nCode)), c.text) << c.nCode;
        EXPECT_EQ(WirelessModeFromText(c.text), c.nCode) << c.text;
    }
    // Codes without a text read as the B/G mix; texts no code has (the unused names too) as 0.
    for (int nCode : {7, 8, 10, -1, 42})
        EXPECT_EQ(std::string(WirelessModeToText(nCode)), "802.11 B/G mix") << nCode;
    for (const char* text : {"802.11 N only", "802.11 G/N mix", "802.11 b only", "802.11 B"})
        EXPECT_EQ(WirelessModeFromText(text), 0) << text;
}

TEST_F(WirelessModeTextTest, TheAdjustmentTakesTheAdaptersBandsAndHt)
{
    struct Case
    {
        BOOL bABand, bHt;
        const char* text;
        const char* adjusted;
    } cases[] = {
        {FALSE, FALSE, "", "802.11 B/G mix"}, // empty: code 6, no 802.11n
        {FALSE, TRUE, "", ""},
        {FALSE, TRUE, "802.11 A/B/G/N mix", "802.11 B/G/N mix"},
        {TRUE, FALSE, "802.11 A/B/G/N mix", "802.11 A/B/G mix"},
        {FALSE, FALSE, "802.11 A only", "802.11 B/G mix"},
        {TRUE, TRUE, "802.11 A only", "802.11 A only"},
    };
    for (const Case& c : cases)
    {
        g_bABandSupported = c.bABand;
        g_bHtSupported = c.bHt;
        EXPECT_EQ(std::string(AdjustWirelessModeText(c.text)), c.adjusted)
            << c.text << " " << c.bABand << c.bHt;
    }
}

} // namespace
