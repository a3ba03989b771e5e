// The main sheet holds the register, Advanced and 802.11n pages as its members 8 to 10, after the
// System Configuration page, and shows none of them: the opened sheet has no window and no tab of
// theirs.

#include "client/sheet/VnPropSheet.h"

#include "tests/client/radio/RadioPageFixture.h"

#include <algorithm>

namespace
{

using namespace radio_test;

class RadioPagesInSheetTest : public RadioPageTest
{
};

TEST_F(RadioPagesInSheetTest, TheSheetHoldsThePagesInOrderAndNeverAddsThem)
{
    CVnPropSheet sheet(IDS_SHEET_CAPTION);
    const auto at = [&](const void* p) { return reinterpret_cast<const char*>(p); };
    EXPECT_LT(at(&sheet.m_SysConfigPage), at(&sheet.m_RegSetPage));
    EXPECT_LT(at(&sheet.m_RegSetPage), at(&sheet.m_AdvancePage));
    EXPECT_LT(at(&sheet.m_AdvancePage), at(&sheet.m_BlockAck));
    ASSERT_TRUE(sheet.Create());
    platform::PumpUntilIdle();
    for (CPropertyPage* pPage : {static_cast<CPropertyPage*>(&sheet.m_RegSetPage),
                                 static_cast<CPropertyPage*>(&sheet.m_AdvancePage),
                                 static_cast<CPropertyPage*>(&sheet.m_BlockAck)})
    {
        EXPECT_EQ(sheet.GetPageIndex(pPage), -1);
        EXPECT_EQ(pPage->m_hWnd, HWND(0));
    }
    EXPECT_EQ(sheet.GetPageCount(), 5);
    const std::vector<std::uint32_t> sentCodes = codes();
    EXPECT_EQ(std::find(sentCodes.begin(), sentCodes.end(), std::uint32_t(0xFF8C0026)),
              sentCodes.end())
        << "the 802.11n page never started";
    sheet.DestroyWindow();
}

} // namespace
