#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;

inline constexpr int ID_LIST = 1101;
inline constexpr int ID_OTHER = 1102;

class ListBoxTest : public controls_test::ControlsTest
{
protected:
    HWND MakeList(DWORD style, std::vector<const char*> items)
    {
        MakeDialog({Control("Edit", ID_OTHER, WS_TABSTOP),
                    Control("ListBox", ID_LIST, style, "", {0, 20, 100, 80})});
        HWND list = Item(ID_LIST);
        for (const char* item : items)
        {
            platform::PointerParam text(item);
            SendMessageA(list, LB_ADDSTRING, 0, text);
        }
        return list;
    }
    static LRESULT sendText(HWND list, UINT message, int start, const char* text)
    {
        platform::PointerParam param(text);
        return SendMessageA(list, message, static_cast<WPARAM>(start), param);
    }
};

TEST_F(ListBoxTest, SearchesAreCaseInsensitiveStartAfterTheIndexAndWrap)
{
    HWND list = MakeList(0, {"Channel 10", "channel 1", "Auto"});
    EXPECT_EQ(sendText(list, LB_FINDSTRING, -1, "CHANNEL"), 0);
    EXPECT_EQ(sendText(list, LB_FINDSTRING, 0, "channel"), 1);
    EXPECT_EQ(sendText(list, LB_FINDSTRING, 1, "channel"), 0);
    EXPECT_EQ(sendText(list, LB_FINDSTRING, -1, "x"), LB_ERR);
    EXPECT_EQ(sendText(list, LB_FINDSTRINGEXACT, -1, "CHANNEL 1"), 1);
    EXPECT_EQ(sendText(list, LB_FINDSTRINGEXACT, -1, "channel"), LB_ERR);
    EXPECT_EQ(sendText(list, LB_SELECTSTRING, -1, "au"), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(sendText(list, LB_SELECTSTRING, -1, "none"), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(ListBoxTest, ItemsAreEditedInPlaceOrKeptSorted)
{
    HWND list = MakeList(LBS_SORT, {"b", "C", "a"});
    CListBox wrapper;
    wrapper.Attach(list);
    CString text;
    wrapper.GetText(0, text);
    EXPECT_STREQ(text, "a");
    wrapper.GetText(2, text);
    EXPECT_STREQ(text, "C");
    EXPECT_EQ(wrapper.InsertString(1, "inserted"), 1);
    EXPECT_EQ(wrapper.GetTextLen(1), 8);
    EXPECT_EQ(wrapper.InsertString(9, "past"), LB_ERR);
    EXPECT_EQ(wrapper.DeleteString(0), 3);
    EXPECT_EQ(wrapper.DeleteString(3), LB_ERR);
    EXPECT_EQ(wrapper.GetTextLen(3), LB_ERR);
    EXPECT_EQ(wrapper.SetItemData(0, 77), LB_OKAY);
    EXPECT_EQ(wrapper.GetItemData(0), 77u);
    wrapper.ResetContent();
    EXPECT_EQ(wrapper.GetCount(), 0);
    EXPECT_EQ(wrapper.GetCurSel(), LB_ERR);
    wrapper.Detach();
}

TEST_F(ListBoxTest, ItemHeightShapesTheItemRectangles)
{
    HWND list = MakeList(0, {"a", "b", "c"});
    CListBox wrapper;
    wrapper.Attach(list);
    const int height = wrapper.GetItemHeight(0);
    EXPECT_EQ(height, 16);
    RECT r{};
    ASSERT_NE(wrapper.GetItemRect(2, &r), LB_ERR);
    EXPECT_EQ(r.top, 2 * height);
    EXPECT_EQ(r.bottom, 3 * height);
    // One and a half times the height, as the pages set it.
    EXPECT_EQ(wrapper.SetItemHeight(0, height * 3 / 2), LB_OKAY);
    ASSERT_NE(wrapper.GetItemRect(2, &r), LB_ERR);
    EXPECT_EQ(r.top, 48);
    EXPECT_EQ(r.bottom, 72);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(wrapper.GetItemRect(3, &r), LB_ERR);
    EXPECT_EQ(wrapper.SetItemHeight(0, 300), LB_ERR);
    wrapper.Detach();
}

TEST_F(ListBoxTest, OnlyAPersonsPickNotifiesAndOnlyWithLbsNotify)
{
    HWND list = MakeList(LBS_NOTIFY, {"a", "b"});
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EXPECT_TRUE(CommandCodes(ID_LIST).empty());
    ASSERT_TRUE(platform::ListSelectAsUser(list, 1));
    EXPECT_EQ(CommandCodes(ID_LIST), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);

    HWND quiet = MakeList(0, {"a", "b"});
    ClearNotices();
    ASSERT_TRUE(platform::ListSelectAsUser(quiet, 1));
    EXPECT_TRUE(CommandCodes(ID_LIST).empty());
    EXPECT_FALSE(platform::ListSelectAsUser(quiet, 2));
}

} // namespace
