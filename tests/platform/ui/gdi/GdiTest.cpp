#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

class GdiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearImageResources();
        platform::ClearDrawnIcons();
    }
    void TearDown() override { platform::ClearImageResources(); }

    testing_support::TempMachine m_machine; // windows are published in the machine
};

TEST_F(GdiTest, TextIsMeasuredByOneFixedRule)
{
    HDC hdc = GetDC(0);
    struct Case
    {
        const char* text;
        int count;
        SIZE expected;
    } cases[] = {
        {"", 0, {0, 13}},           {"W", 1, {6, 13}},
        {"i", 1, {6, 13}},          {"Tessaryn 802.11n", 16, {96, 13}},
        {"only part", 4, {24, 13}},
    };
    for (const Case& c : cases)
    {
        SIZE size{-1, -1};
        ASSERT_TRUE(GetTextExtentPoint32A(hdc, c.text, c.count, &size)) << c.text;
        EXPECT_EQ(size.cx, c.expected.cx) << c.text;
        EXPECT_EQ(size.cy, c.expected.cy) << c.text;
    }
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32A(hdc, nullptr, 3, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(hdc, "abc", -1, &size));
    ReleaseDC(0, hdc);
}

TEST_F(GdiTest, SaveAndRestoreBringBackTheSelectedFont)
{
    const std::size_t liveBefore = platform::LiveDCs();
    HDC hdc = GetDC(0);
    LOGFONTA lf{};
    lf.lfHeight = -20;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT big = CreateFontIndirectA(&lf);
    ASSERT_NE(big, 0u);
    const int level = SaveDC(hdc);
    EXPECT_EQ(level, 1);
    const HGDIOBJ previous = SelectObject(hdc, big);
    EXPECT_EQ(GetObjectType(previous), OBJ_FONT);
    EXPECT_EQ(platform::SelectedFont(hdc), big);
    // Nested levels: restoring -1 goes back one, a level number goes back to it.
    SaveDC(hdc);
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(RestoreDC(hdc, -1));
    EXPECT_EQ(platform::SelectedFont(hdc), big);
    EXPECT_TRUE(RestoreDC(hdc, level));
    EXPECT_EQ(platform::SelectedFont(hdc), 0u);
    EXPECT_FALSE(RestoreDC(hdc, -1)); // nothing left to restore
    LOGFONTA back{};
    EXPECT_EQ(GetObjectA(big, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_STREQ(back.lfFaceName, "Arial");
    EXPECT_TRUE(DeleteObject(big));
    EXPECT_EQ(SelectObject(hdc, big), 0u); // gone
    EXPECT_EQ(ReleaseDC(0, hdc), 1);
    EXPECT_EQ(platform::LiveDCs(), liveBefore);
}

TEST_F(GdiTest, IconsAndBitmapsLoadByIdWithStableHandles)
{
    platform::RegisterIconResource(163, "sheet");
    platform::RegisterIconResource(173, "connected");
    platform::RegisterBitmapResource(188, "signal", 32, 16);

    const HICON first = LoadIconA(0, MAKEINTRESOURCE(163));
    ASSERT_NE(first, 0u);
    EXPECT_EQ(LoadIconA(0, MAKEINTRESOURCE(163)), first);
    EXPECT_EQ(LoadIconA(0, "#163"), first);
    EXPECT_NE(LoadIconA(0, MAKEINTRESOURCE(173)), first);
    EXPECT_EQ(platform::IconResourceId(first), 163u);
    EXPECT_EQ(platform::DescribeImage(first), "icon 163");
    EXPECT_EQ(platform::IconDescription(first), std::optional<std::string>("sheet"));
    EXPECT_TRUE(DestroyIcon(first));
    EXPECT_EQ(LoadIconA(0, MAKEINTRESOURCE(163)), first);

    SetLastError(0);
    EXPECT_EQ(LoadIconA(0, MAKEINTRESOURCE(999)), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_NE(LoadIconA(0, MAKEINTRESOURCE(IDI_APPLICATION)), 0u);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(188));
    EXPECT_EQ(platform::DescribeImage(bitmap), "bitmap 188");
    EXPECT_EQ(platform::BitmapDescription(bitmap), std::optional<std::string>("signal"));
    EXPECT_EQ(platform::BitmapDescription(first), std::nullopt);
    BITMAP info{};
    ASSERT_GT(bitmap.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 16);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(189));
    EXPECT_EQ(platform::IconResourceId(bitmap), std::nullopt);
}

TEST_F(GdiTest, DrawIconIsRecordedWithItsWindow)
{
    platform::RegisterIconResource(128);
    HWND hwnd =
        CreateWindowExA(0, "AfxWnd", "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
    ASSERT_NE(hwnd, 0u);
    CWnd* wnd = CWnd::FromHandle(hwnd);
    {
        CClientDC dc(wnd);
        const int cx = GetSystemMetrics(SM_CXICON);
        const int cy = GetSystemMetrics(SM_CYICON);
        EXPECT_EQ(cx, 32);
        EXPECT_EQ(cy, 32);
        dc.DrawIcon((100 - cx + 1) / 2, (100 - cy + 1) / 2, LoadIconA(0, MAKEINTRESOURCE(128)));
        EXPECT_EQ(dc.GetTextExtent(CString("abc")), CSize(18, 13));
    }
    const auto drawn = platform::DrawnIcons();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].hwnd, hwnd);
    EXPECT_EQ(drawn[0].x, 34);
    EXPECT_EQ(drawn[0].y, 34);
    EXPECT_EQ(platform::IconResourceId(drawn[0].icon), 128u);

    // The font a window has not been given is the default GUI font; one given is kept.
    CFont* font = wnd->GetFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->m_hObject, GetStockObject(DEFAULT_GUI_FONT));
    CFont mine;
    ASSERT_TRUE(mine.CreatePointFont(80, "MS Sans Serif"));
    wnd->SetFont(&mine);
    EXPECT_EQ(wnd->GetFont()->m_hObject, mine.m_hObject);
    CDC* dc = wnd->GetDC();
    CFont* before = dc->SelectObject(wnd->GetFont());
    EXPECT_NE(before, nullptr);
    EXPECT_EQ(dc->GetCurrentFont()->m_hObject, mine.m_hObject);
    wnd->ReleaseDC(dc);
    DestroyWindow(hwnd);
}

TEST_F(GdiTest, SystemMetricsOfTheFixedScreen)
{
    struct Case
    {
        int index;
        int value;
    } cases[] = {{SM_CXSCREEN, 1024}, {SM_CYSCREEN, 768}, {SM_CXVSCROLL, 16}, {SM_CXICON, 32},
                 {SM_CYICON, 32},     {SM_CXSMICON, 16},  {SM_CYSMICON, 16},  {9999, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.index;
}

} // namespace
