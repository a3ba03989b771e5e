// The sheet's pages that no window shows: Link Status and the register page are held and never
// added, the WDS page is added and taken out again at once; none of them gets a window, so none
// of their handlers runs. The 11n page, once the tick adds it, talks to the driver only when
// shown.

#include "tests/accesspoint/monitor/MonitorFixture.h"

#include <gtest/gtest.h>

namespace
{

using ap_test::MonitorFixture;

class NeverShownPagesTest : public MonitorFixture
{
};

TEST_F(NeverShownPagesTest, HeldPagesGetNoWindowAndSendNothing)
{
    g_bUsbAdapter = FALSE;
    g_bWdsAllowed = TRUE;
    clearRequests();
    m_pDlg->OpenConfigSheet();
    ASSERT_TRUE(m_pDlg->IsSheetOpen());
    CVnPropSheet* pSheet = m_pDlg->m_pPropSheet;
    for (int i = 0; i < pSheet->GetPageCount(); i++)
        pSheet->SetActivePage(i);
    platform::AdvanceClock(10000);
    for (const std::string& tab : tabs())
        EXPECT_TRUE(tab != "WDS" && tab != "Link Status" && tab != "Setting Register") << tab;
    EXPECT_EQ(pSheet->m_LinkStatusPage.m_hWnd, HWND(0));
    EXPECT_EQ(pSheet->m_RegSetPage.m_hWnd, HWND(0));
    EXPECT_EQ(pSheet->m_WdsPage.m_hWnd, HWND(0));
    // Their requests: the link state, the registers, the error MIC.
    for (std::uint32_t code : {0x0D71011Du, 0x0D710105u, 0x0DF10105u, 0x0DF10115u})
        EXPECT_TRUE(sent(code).empty()) << std::hex << code;

    pSheet->SendMessage(WM_COMMAND, IDOK, 0);
    platform::PumpUntilIdle();
    EXPECT_FALSE(m_pDlg->IsSheetOpen());
}

TEST_F(NeverShownPagesTest, TheElevenNPageSendsItsCapabilityWhenCreatedAndReadsSessionsWhileShown)
{
    setText(m_driverKey, "bCheckBuild", "1");
    m_pDlg->OpenConfigSheet();
    Tick();
    CVnPropSheet* pSheet = m_pDlg->m_pPropSheet;
    ASSERT_EQ(tabs().back(), "11n Setting");
    clearRequests();
    Tick();
    EXPECT_TRUE(sent(0x0DF10137).empty()); // no window yet
    ASSERT_TRUE(pSheet->SetActivePage(&pSheet->m_BlockAck));
    EXPECT_EQ(sent(0x0DF10137).size(), 1u);
    platform::AdvanceClock(3000);
    EXPECT_EQ(sent(0x0D710138).size(), 3u);
    pSheet->SetActivePage(0);
    clearRequests();
    platform::AdvanceClock(3000);
    EXPECT_TRUE(sent(0x0D710138).empty());
}

} // namespace
