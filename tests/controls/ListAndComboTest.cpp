#include "tests/controls/CustomControlsTestSupport.h"

#include <cstring>
#include <string>

namespace
{

using namespace custom_controls_test;

class ListAndComboTest : public CustomControlsTest
{
};

TEST_F(ListAndComboTest, DroppedListIsAsWideAsTheWidestItem)
{
    ASSERT_TRUE(Open());
    const int charWidth = 6;
    ASSERT_EQ(static_cast<int>(std::strlen(kWidestItem)) * charWidth, 120);
    const std::size_t dcsBefore = platform::LiveDCs();

    ASSERT_TRUE(platform::ComboOpenAsUser(Item(IDC_COMBO)));
    EXPECT_EQ(m_dlg.m_combo.GetDroppedWidth(), 120 + GetSystemMetrics(SM_CXVSCROLL) + charWidth);
    ASSERT_TRUE(platform::ComboCloseAsUser(Item(IDC_COMBO)));

    // Without items: the width of "0".
    ASSERT_TRUE(platform::ComboOpenAsUser(Item(IDC_COMBO_EMPTY)));
    EXPECT_EQ(m_dlg.m_comboEmpty.GetDroppedWidth(), charWidth);
    ASSERT_TRUE(platform::ComboCloseAsUser(Item(IDC_COMBO_EMPTY)));

    // The list follows the items the next time it opens.
    m_dlg.m_combo.AddString("A much longer item than any other one here");
    ASSERT_TRUE(platform::ComboOpenAsUser(Item(IDC_COMBO)));
    EXPECT_EQ(m_dlg.m_combo.GetDroppedWidth(),
              42 * charWidth + GetSystemMetrics(SM_CXVSCROLL) + charWidth);
    // The device context went back.
    EXPECT_EQ(platform::LiveDCs(), dcsBefore);
}

TEST_F(ListAndComboTest, NcCalcSizeDropsTheHorizontalScrollBar)
{
    ASSERT_TRUE(Open());
    HWND list = Item(IDC_LIST_NOHSCROLL);
    const DWORD before = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
    ASSERT_NE(before & WS_HSCROLL, 0u);

    RECT rect{0, 0, 180, 97};
    platform::PointerParam param(&rect);
    SendMessageA(list, WM_NCCALCSIZE, FALSE, param);
    const DWORD after = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
    EXPECT_EQ(after, before & ~WS_HSCROLL);

    // A program that puts it back loses it again at the next layout.
    m_dlg.m_listNoHScroll.ModifyStyle(0, WS_HSCROLL);
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = rect;
    platform::PointerParam paramsParam(&params);
    SendMessageA(list, WM_NCCALCSIZE, TRUE, paramsParam);
    EXPECT_EQ(m_dlg.m_listNoHScroll.GetStyle() & WS_HSCROLL, 0u);
    EXPECT_NE(m_dlg.m_listNoHScroll.GetStyle() & WS_VSCROLL, 0u);
}

TEST_F(ListAndComboTest, SiteListSetsExactlyItsExtendedStyle)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(m_dlg.m_listSite.GetExtendedStyle(), 0x22u);

    // A list that had other extended styles gets exactly these two when it is bound.
    CSiteListCtrl other;
    HWND list = Item(IDC_LIST_NOHSCROLL);
    m_dlg.m_listNoHScroll.UnsubclassWindow();
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    ASSERT_TRUE(other.SubclassWindow(list));
    EXPECT_EQ(other.GetExtendedStyle(), LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    other.UnsubclassWindow();
}

TEST_F(ListAndComboTest, SiteImageListHoldsTheThreeIconsInOrder)
{
    const std::size_t listsBefore = platform::LiveImageLists();
    {
        CCustomControlsDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_CUSTOM_CONTROLS));
        ASSERT_TRUE(dlg.m_listSite.CreateImageList());

        CImageList* small = dlg.m_listSite.GetImageList(LVSIL_SMALL);
        ASSERT_NE(small, nullptr);
        EXPECT_EQ(small->m_hImageList, dlg.m_listSite.GetSiteImageList().m_hImageList);

        platform::ImageListInfo info;
        ASSERT_TRUE(platform::GetImageListInfo(small->m_hImageList, info));
        EXPECT_EQ(info.cx, 16);
        EXPECT_EQ(info.cy, 16);
        EXPECT_EQ(info.flags, ILC_COLOR8 | ILC_MASK);
        EXPECT_EQ(info.initial, 1);
        EXPECT_EQ(info.grow, 1);
        ASSERT_EQ(info.images.size(), 3u);
        const UINT expected[] = {173, 237, 238};
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(platform::IconResourceId(static_cast<HICON>(info.images[i])), expected[i])
                << "image " << i;

        // Made again (the page created anew), it is a fresh list with the same three images.
        ASSERT_TRUE(dlg.m_listSite.CreateImageList());
        ASSERT_TRUE(platform::GetImageListInfo(
            dlg.m_listSite.GetImageList(LVSIL_SMALL)->m_hImageList, info));
        EXPECT_EQ(info.images.size(), 3u);
        EXPECT_EQ(platform::LiveImageLists(), listsBefore + 1);
        dlg.DestroyWindow();
    }
    // The control's list went with it.
    EXPECT_EQ(platform::LiveImageLists(), listsBefore);
}

} // namespace
