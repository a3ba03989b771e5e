#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;
using controls_test::Notice;

inline constexpr int ID_LIST = 1301;
inline constexpr int ID_OTHER = 1302;

class ListViewTest : public controls_test::ControlsTest
{
protected:
    CListCtrl m_list;

    void TearDown() override
    {
        if (m_list.m_hWnd != 0)
            m_list.Detach();
        ControlsTest::TearDown();
    }

    HWND MakeList(DWORD style, int rows)
    {
        MakeDialog({Control("Edit", ID_OTHER, WS_TABSTOP),
                    Control(WC_LISTVIEWA, ID_LIST, LVS_REPORT | style, "", {0, 20, 200, 100})});
        HWND list = Item(ID_LIST);
        m_list.Attach(list);
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        m_list.InsertColumn(1, "Signal", LVCFMT_CENTER, 50);
        for (int i = 0; i < rows; ++i)
            m_list.InsertItem(i, ("row" + std::to_string(i)).c_str());
        ClearNotices();
        return list;
    }

    // The item-state notices as "changing 1 0>3" / "changed 1 0>3".
    std::vector<std::string> stateNotices() const
    {
        std::vector<std::string> out;
        for (const Notice& n : Notices())
            if (n.message == WM_NOTIFY && (n.code == LVN_ITEMCHANGING || n.code == LVN_ITEMCHANGED))
                out.push_back(std::string(n.code == LVN_ITEMCHANGING ? "changing " : "changed ") +
                              std::to_string(n.item) + " " + std::to_string(n.oldState) + ">" +
                              std::to_string(n.newState));
        return out;
    }
};

TEST_F(ListViewTest, ColumnsKeepFormatWidthAndText)
{
    MakeList(0, 0);
    LVCOLUMNA column{};
    char text[16] = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(m_list.GetColumn(1, &column));
    EXPECT_EQ(column.fmt, LVCFMT_CENTER);
    EXPECT_EQ(column.cx, 50);
    EXPECT_STREQ(text, "Signal");
    EXPECT_EQ(column.iSubItem, 1);

    // Inserting before a column moves it along; a far index appends.
    EXPECT_EQ(m_list.InsertColumn(0, "First", LVCFMT_LEFT, 30), 0);
    EXPECT_EQ(m_list.InsertColumn(99, "Last", LVCFMT_LEFT, 40), 3);
    EXPECT_EQ(m_list.GetColumnWidth(1), 100);
    EXPECT_TRUE(m_list.SetColumnWidth(1, 111));
    EXPECT_EQ(m_list.GetColumnWidth(1), 111);
    EXPECT_TRUE(m_list.DeleteColumn(0));
    EXPECT_EQ(m_list.GetColumnWidth(0), 111);
    EXPECT_FALSE(m_list.DeleteColumn(7));
    EXPECT_EQ(m_list.GetColumnWidth(7), 0);
}

TEST_F(ListViewTest, ExtendedStylesAreReplacedWholeAndTheOldOnesReturned)
{
    MakeList(0, 0);
    EXPECT_EQ(m_list.SetExtendedStyle(0x22), 0u);
    // The later call replaces the earlier one: the subitem-images bit (0x02) is gone.
    EXPECT_EQ(m_list.SetExtendedStyle(0x421), 0x22u);
    EXPECT_EQ(m_list.GetExtendedStyle(), 0x421u);
    EXPECT_EQ(m_list.GetExtendedStyle() & LVS_EX_SUBITEMIMAGES, 0u);
    // With a mask only the masked bits change.
    EXPECT_EQ(SendMessageA(m_list.m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, 0),
              0x421);
    EXPECT_EQ(m_list.GetExtendedStyle(), 0x420u);
}

TEST_F(ListViewTest, ItemsHoldTextsImagesAndData)
{
    MakeList(0, 2);
    EXPECT_EQ(m_list.InsertItem(99, "appended", 3), 2);
    EXPECT_EQ(m_list.InsertItem(0, "first"), 0);
    EXPECT_EQ(m_list.GetItemCount(), 4);
    EXPECT_TRUE(m_list.SetItemText(0, 1, "-60 dBm"));
    EXPECT_TRUE(m_list.SetItem(0, 1, LVIF_IMAGE, nullptr, 2, 0, 0, 0));
    EXPECT_TRUE(m_list.SetItemData(3, 0xBEEF));

    EXPECT_EQ(m_list.GetItemText(0, 0), "first");
    EXPECT_EQ(m_list.GetItemText(0, 1), "-60 dBm");
    EXPECT_EQ(m_list.GetItemText(1, 1), "");
    EXPECT_EQ(m_list.GetItemText(9, 0), "");
    char small[4] = {};
    EXPECT_EQ(m_list.GetItemText(0, 1, small, sizeof small), 3);
    EXPECT_STREQ(small, "-60");

    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = 3;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_EQ(item.iImage, 3);
    EXPECT_EQ(item.lParam, 0xBEEF);
    EXPECT_EQ(m_list.GetItemData(3), 0xBEEFu);
    item = LVITEMA{};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    item.iSubItem = 1;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_EQ(item.iImage, 2);

    EXPECT_TRUE(m_list.DeleteItem(0));
    EXPECT_EQ(m_list.GetItemText(0, 0), "row0");
    EXPECT_FALSE(m_list.DeleteItem(7));
    ClearNotices();
    EXPECT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(m_list.GetItemCount(), 0);
    // The parent did not ask to be spared the items' own notices.
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM,
                                                LVN_DELETEITEM}));
    m_list.InsertItem(0, "again");
    ClearNotices();
    m_notifyAnswer = [](const Notice& n) { return n.code == LVN_DELETEALLITEMS ? 1 : 0; };
    EXPECT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{LVN_DELETEALLITEMS}));
}

TEST_F(ListViewTest, AStateChangeAsksFirstAndTheParentMayRefuse)
{
    MakeList(LVS_SINGLESEL, 3);
    m_notifyAnswer = [](const Notice& n)
    { return n.code == LVN_ITEMCHANGING && n.item == 2 ? 1 : 0; };

    EXPECT_TRUE(m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(stateNotices(), (std::vector<std::string>{"changing 1 0>3", "changed 1 0>3"}));

    ClearNotices();
    m_list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    // Single selection: item 1 lets go first; item 2's change is refused.
    EXPECT_EQ(stateNotices(),
              (std::vector<std::string>{"changing 1 3>1", "changed 1 3>1", "changing 2 0>2"}));
    EXPECT_EQ(m_list.GetItemState(2, LVIS_SELECTED), 0u);
    EXPECT_EQ(m_list.GetSelectedCount(), 0u);
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_FOCUSED), 1);
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_SELECTED), -1);

    ClearNotices();
    m_list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    // Only one item holds the focus.
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(m_list.GetItemState(1, LVIS_FOCUSED), 0u);
    // Setting a state an item already has tells nobody.
    ClearNotices();
    m_list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_TRUE(stateNotices().empty());
}

TEST_F(ListViewTest, SelectedItemsAreWalkedInOrder)
{
    MakeList(0, 5);
    for (int i : {1, 3, 4})
        m_list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(m_list.GetSelectedCount(), 3u);
    std::vector<int> walked;
    for (POSITION pos = m_list.GetFirstSelectedItemPosition(); pos != nullptr;)
        walked.push_back(m_list.GetNextSelectedItem(pos));
    EXPECT_EQ(walked, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(m_list.GetNextItem(1, LVNI_SELECTED), 3);
    EXPECT_EQ(m_list.GetNextItem(4, LVNI_SELECTED), -1);
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_ALL), 0);
    EXPECT_EQ(m_list.GetNextItem(2, LVNI_ALL), 3);
    // Every item at once.
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(m_list.GetFirstSelectedItemPosition(), nullptr);
}

TEST_F(ListViewTest, AClickSelectsAndFocusesTheRowThenNotifies)
{
    HWND list = MakeList(0, 3);
    m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ClearNotices();
    m_probe = [list](const Notice& n)
    {
        return n.code == NM_CLICK
                   ? static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                   LVNI_SELECTED))
                   : -2;
    };
    ASSERT_TRUE(platform::ListViewClickRowAsUser(list, 2, 1));
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(stateNotices(), (std::vector<std::string>{"changing 0 3>0", "changed 0 3>0",
                                                        "changing 2 0>3", "changed 2 0>3"}));
    const auto notices = Notices();
    ASSERT_EQ(notices.back().code, NM_CLICK);
    EXPECT_EQ(notices.back().item, 2);
    EXPECT_EQ(notices.back().subItem, 1);
    EXPECT_EQ(notices.back().selectionSeen, 2);

    ClearNotices();
    ASSERT_TRUE(platform::ListViewDoubleClickRowAsUser(list, 1));
    std::vector<UINT> codes;
    for (UINT code : NotifyCodes())
        if (code == NM_CLICK || code == NM_DBLCLK || code == LVN_ITEMACTIVATE)
            codes.push_back(code);
    EXPECT_EQ(codes, (std::vector<UINT>{NM_CLICK, NM_DBLCLK, LVN_ITEMACTIVATE}));
    EXPECT_EQ(Notices().back().item, 1);
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_SELECTED), 1);

    // Below the rows: the selection goes, the click names no item.
    ClearNotices();
    ASSERT_TRUE(platform::ListViewClickRowAsUser(list, -1));
    EXPECT_EQ(m_list.GetSelectedCount(), 0u);
    EXPECT_EQ(Notices().back().code, NM_CLICK);
    EXPECT_EQ(Notices().back().item, -1);
    EXPECT_FALSE(platform::ListViewClickRowAsUser(list, 3));
}

TEST_F(ListViewTest, AParentThatEmptiesTheListWhileNotifiedIsSafe)
{
    HWND list = MakeList(0, 3);
    m_onNotice = [list](const Notice& n)
    {
        if (n.code == LVN_ITEMCHANGED)
            SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    };
    ASSERT_TRUE(platform::ListViewClickRowAsUser(list, 1));
    EXPECT_EQ(m_list.GetItemCount(), 0);
    EXPECT_EQ(Notices().back().code, NM_CLICK);
}

TEST_F(ListViewTest, ImageListsRecordIconsInOrderAndDieWithTheControl)
{
    const std::size_t before = platform::LiveImageLists();
    MakeList(0, 0);
    CImageList small;
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 1));
    EXPECT_EQ(small.Add(173), 0);
    EXPECT_EQ(small.Add(237), 1);
    EXPECT_EQ(small.Add(238), 2);
    EXPECT_EQ(small.GetImageCount(), 3);
    platform::ImageListInfo info;
    ASSERT_TRUE(platform::GetImageListInfo(small.m_hImageList, info));
    EXPECT_EQ(info.images, (std::vector<HANDLE>{173, 237, 238}));
    EXPECT_EQ(info.cx, 16);
    EXPECT_EQ(info.flags, ILC_COLOR8 | ILC_MASK);

    HIMAGELIST normal = ImageList_Create(32, 32, ILC_COLOR8 | ILC_MASK, 1, 1);
    EXPECT_EQ(ImageList_AddIcon(normal, 174), 0);
    EXPECT_EQ(m_list.SetImageList(&small, LVSIL_SMALL), nullptr);
    SendMessageA(m_list.m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, static_cast<LPARAM>(normal));
    EXPECT_EQ(m_list.GetImageList(LVSIL_SMALL)->m_hImageList, small.m_hImageList);
    EXPECT_EQ(m_list.GetImageList(LVSIL_NORMAL)->m_hImageList, normal);
    EXPECT_EQ(platform::LiveImageLists(), before + 2);

    // The row height follows the small images.
    m_list.InsertItem(0, "a", 0);
    RECT r{};
    ASSERT_TRUE(m_list.GetItemRect(0, &r, 0));
    EXPECT_EQ(r.bottom - r.top, 16);

    m_list.Detach();
    DestroyWindow(m_dialog);
    EXPECT_EQ(platform::LiveImageLists(), before);
    EXPECT_EQ(ImageList_GetImageCount(normal), 0);
    small.Detach(); // already gone with the control
}

TEST_F(ListViewTest, SharedImageListsOutliveTheControl)
{
    MakeList(LVS_SHAREIMAGELISTS, 0);
    HIMAGELIST shared = ImageList_Create(16, 16, ILC_COLOR8, 1, 1);
    SendMessageA(m_list.m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(shared));
    m_list.Detach();
    DestroyWindow(m_dialog);
    EXPECT_TRUE(ImageList_Destroy(shared));
}

} // namespace
