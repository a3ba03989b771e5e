#include "tests/platform/ui/framework/FrameworkTestSupport.h"

#include <tuple>

namespace
{

using framework_test::Control;
using framework_test::FrameworkTest;
using framework_test::RegisterTemplate;

constexpr UINT IDD_PLACED_PAGE = 7401;
constexpr int IDC_FIRST = 1201;
constexpr int IDC_SECOND = 1202;

std::tuple<LONG, LONG, LONG, LONG> parts(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

class CPlacedSheet : public CPropertySheet
{
public:
    CPlacedSheet() : CPropertySheet("Placed"), m_page(IDD_PLACED_PAGE)
    {
        m_psh.dwFlags |= PSH_MODELESS;
        AddPage(&m_page);
    }
    CPropertyPage m_page;
};

class ControlPlacementTest : public FrameworkTest
{
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        RegisterTemplate(IDD_PLACED_PAGE, "Page",
                         {Control("Edit", IDC_FIRST, WS_TABSTOP, "", {10, 10, 60, 12}),
                          Control("Edit", IDC_SECOND, WS_TABSTOP, "", {10, 40, 80, 14})},
                         {0, 0, 180, 90});
    }
};

TEST_F(ControlPlacementTest, AControlOfAPageMovesExactlyWhereItsScreenRectangleSays)
{
    CPlacedSheet sheet;
    ASSERT_TRUE(sheet.Create());
    // Not at the origin, so that screen and client coordinates differ.
    sheet.SetWindowPos(nullptr, 250, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CPropertyPage& page = sheet.m_page;
    ASSERT_NE(page.m_hWnd, 0u);

    // The page lies in the sheet's page area, on the screen.
    CRect sheetRect, pageRect;
    sheet.GetWindowRect(&sheetRect);
    page.GetWindowRect(&pageRect);
    const RECT area = sheet.GetPageRect();
    EXPECT_EQ(pageRect.left, sheetRect.left + area.left);
    EXPECT_EQ(pageRect.top, sheetRect.top + area.top);

    CWnd* first = page.GetDlgItem(IDC_FIRST);
    CWnd* second = page.GetDlgItem(IDC_SECOND);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    CRect before;
    first->GetWindowRect(&before);
    // 10,10 dialog units from the page's corner.
    EXPECT_EQ(before.left, pageRect.left + 15);
    EXPECT_EQ(before.top, pageRect.top + 16);

    // Where it is: it stays.
    CRect r = before;
    page.ScreenToClient(&r);
    EXPECT_EQ(parts(r), parts(CRect(15, 16, 15 + before.Width(), 16 + before.Height())));
    first->MoveWindow(&r);
    CRect after;
    first->GetWindowRect(&after);
    EXPECT_EQ(parts(after), parts(before));

    // Onto the other control, a bit to the right.
    CRect target;
    second->GetWindowRect(&target);
    page.ScreenToClient(&target);
    target.OffsetRect(7, 0);
    first->MoveWindow(&target);
    first->GetWindowRect(&after);
    CRect expected;
    second->GetWindowRect(&expected);
    expected.OffsetRect(7, 0);
    EXPECT_EQ(parts(after), parts(expected));

    // The sheet's own buttons in the same way.
    CRect apply;
    sheet.GetDlgItem(IDCANCEL)->GetWindowRect(&apply);
    CRect onSheet = apply;
    sheet.ScreenToClient(&onSheet);
    sheet.GetDlgItem(IDOK)->MoveWindow(&onSheet);
    CRect ok;
    sheet.GetDlgItem(IDOK)->GetWindowRect(&ok);
    EXPECT_EQ(parts(ok), parts(apply));
    sheet.DestroyWindow();
}

} // namespace
