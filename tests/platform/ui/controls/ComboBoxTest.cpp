#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;

inline constexpr int ID_COMBO = 1001;
inline constexpr int ID_OTHER = 1002;

class ComboBoxTest : public controls_test::ControlsTest
{
protected:
    HWND MakeCombo(DWORD style, std::vector<const char*> items)
    {
        // The edit comes first, so it holds the focus when the dialog starts.
        MakeDialog({Control("Edit", ID_OTHER, WS_TABSTOP),
                    Control("ComboBox", ID_COMBO, style | WS_TABSTOP, "", {0, 20, 80, 60})});
        HWND combo = Item(ID_COMBO);
        for (const char* item : items)
        {
            platform::PointerParam text(item);
            SendMessageA(combo, CB_ADDSTRING, 0, text);
        }
        return combo;
    }
    static LRESULT sendText(HWND combo, UINT message, int start, const char* text)
    {
        platform::PointerParam param(text);
        return SendMessageA(combo, message, static_cast<WPARAM>(start), param);
    }
    static std::string selectionText(HWND combo)
    {
        char buffer[64] = {};
        GetWindowTextA(combo, buffer, sizeof buffer);
        return buffer;
    }
};

struct SearchCase
{
    UINT message;
    int start;
    const char* text;
    int expected;
};

TEST_F(ComboBoxTest, SearchesStartAfterTheIndexAndWrapRound)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"10", "1", "Alpha", "alpine", "beta"});
    const SearchCase cases[] = {
        // Prefix search, case-insensitive.
        {CB_FINDSTRING, -1, "1", 0}, // from the start: "10" comes first
        {CB_FINDSTRING, 0, "1", 1},  // after entry 0: "1", not "10"
        {CB_FINDSTRING, 1, "1", 0},  // after the last "1" prefix: wraps to "10"
        {CB_FINDSTRING, -1, "AL", 2},
        {CB_FINDSTRING, 2, "al", 3},
        {CB_FINDSTRING, 3, "al", 2},   // wraps
        {CB_FINDSTRING, 4, "beta", 4}, // wraps round to the item itself
        {CB_FINDSTRING, -1, "", 0},    // the empty text matches the first item examined
        {CB_FINDSTRING, 0, "", 1},
        {CB_FINDSTRING, 4, "", 0},
        {CB_FINDSTRING, 9, "b", 4}, // a start past the end searches from the first
        {CB_FINDSTRING, -1, "gamma", CB_ERR},
        {CB_FINDSTRING, -1, "100", CB_ERR}, // longer than every item it prefixes
        // Whole-text search, case-insensitive.
        {CB_FINDSTRINGEXACT, -1, "1", 1},
        {CB_FINDSTRINGEXACT, -1, "ALPHA", 2},
        {CB_FINDSTRINGEXACT, 2, "alpha", 2},
        {CB_FINDSTRINGEXACT, -1, "alp", CB_ERR},
        {CB_FINDSTRINGEXACT, -1, "", CB_ERR},
    };
    for (const SearchCase& c : cases)
        EXPECT_EQ(sendText(combo, c.message, c.start, c.text), c.expected)
            << (c.message == CB_FINDSTRING ? "prefix" : "exact") << " after " << c.start
            << " for \"" << c.text << "\"";
}

TEST_F(ComboBoxTest, SelectStringSelectsTheMatchOrLeavesTheSelectionAlone)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"10", "1", "Any"});
    SendMessageA(combo, CB_SETCURSEL, 0, 0);

    EXPECT_EQ(sendText(combo, CB_SELECTSTRING, 0, "1"), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(selectionText(combo), "1");

    EXPECT_EQ(sendText(combo, CB_SELECTSTRING, -1, "zzz"), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(selectionText(combo), "1");

    EXPECT_EQ(sendText(combo, CB_SELECTSTRING, 0, ""), 1);
    EXPECT_EQ(sendText(combo, CB_SELECTSTRING, 1, ""), 2);
    EXPECT_EQ(selectionText(combo), "Any");
    // Programmatic selection tells the parent nothing.
    EXPECT_TRUE(CommandCodes(ID_COMBO).empty());
}

TEST_F(ComboBoxTest, SortedCombosInsertWithoutRegardToCase)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT, {});
    std::vector<int> at;
    for (const char* item : {"beta", "Alpha", "gamma", "alpha", "ALPHA0", "Beta"})
    {
        platform::PointerParam text(item);
        at.push_back(static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, text)));
    }
    EXPECT_EQ(at, (std::vector<int>{0, 0, 2, 1, 2, 4}));
    std::vector<std::string> order;
    CComboBox wrapper;
    wrapper.Attach(combo);
    for (int i = 0; i < wrapper.GetCount(); ++i)
    {
        CString text;
        wrapper.GetLBText(i, text);
        order.push_back(static_cast<const char*>(text));
    }
    wrapper.Detach();
    EXPECT_EQ(order,
              (std::vector<std::string>{"Alpha", "alpha", "ALPHA0", "beta", "Beta", "gamma"}));
    // CB_INSERTSTRING goes where it is told, even in a sorted list.
    EXPECT_EQ(sendText(combo, CB_INSERTSTRING, 0, "zulu"), 0);
    EXPECT_EQ(sendText(combo, CB_INSERTSTRING, 99, "past"), CB_ERR);
}

TEST_F(ComboBoxTest, SelectionIndexesAndTheirErrors)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {});
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 0, 0), CB_ERR);
    for (const char* item : {"a", "b", "c"})
        sendText(combo, CB_ADDSTRING, 0, item);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(selectionText(combo), "c");
    // Out of range clears the selection and the field.
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 3, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(selectionText(combo), "");

    // The selection follows its item when items come and go before it.
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    sendText(combo, CB_INSERTSTRING, 0, "first");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 1, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 5, 0), CB_ERR);

    char buffer[8] = {};
    platform::PointerParam out(buffer);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 1, out), 1);
    EXPECT_STREQ(buffer, "c");
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 7, out), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 7, 0), CB_ERR);

    EXPECT_EQ(SendMessageA(combo, CB_SETITEMDATA, 1, 0x1234), CB_OKAY);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 0x1234);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 9, 0), CB_ERR);

    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(selectionText(combo), "");
}

TEST_F(ComboBoxTest, APersonsPickNotifiesAfterTheSelectionChanged)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"one", "two"});
    m_probe = [combo](const controls_test::Notice&)
    { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); };
    ASSERT_TRUE(platform::ComboSelectAsUser(combo, 1));
    EXPECT_EQ(GetFocus(), combo);
    const auto notices = Notices();
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(CommandCodes(ID_COMBO), (std::vector<UINT>{CBN_SETFOCUS, CBN_SELCHANGE}));
    EXPECT_EQ(notices.back().selectionSeen, 1);
    EXPECT_EQ(notices.back().from, combo);
    EXPECT_EQ(selectionText(combo), "two");

    EXPECT_FALSE(platform::ComboSelectAsUser(combo, 2));
    EnableWindow(combo, FALSE);
    EXPECT_FALSE(platform::ComboSelectAsUser(combo, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(ComboBoxTest, DroppingDownNotifiesOnceAndTheDroppedWidthIsReadable)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, {"one"});
    RECT r{};
    GetWindowRect(combo, &r);
    const int width = r.right - r.left;
    ASSERT_GT(width, 0);

    // Never narrower than the box itself.
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0), width);
    EXPECT_EQ(SendMessageA(combo, CB_SETDROPPEDWIDTH, width + 50, 0), width + 50);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0), width + 50);
    SendMessageA(combo, CB_SETDROPPEDWIDTH, 3, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0), width);

    // The parent may resize the list while hearing of the drop-down.
    m_onNotice = [combo, width](const controls_test::Notice& n)
    {
        if (n.message == WM_COMMAND && n.code == CBN_DROPDOWN)
            SendMessageA(combo, CB_SETDROPPEDWIDTH, width + 7, 0);
    };
    ASSERT_TRUE(platform::ComboOpenAsUser(combo));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0), width + 7);
    ASSERT_TRUE(platform::ComboCloseAsUser(combo));
    EXPECT_EQ(CommandCodes(ID_COMBO), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, TheEditableFormKeepsItsOwnText)
{
    HWND combo = MakeCombo(CBS_DROPDOWN, {"alpha"});
    SetWindowTextA(combo, "typed");
    EXPECT_EQ(selectionText(combo), "typed");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(selectionText(combo), "alpha");

    // Without an edit field, only an item's text can be set.
    HWND list = MakeCombo(CBS_DROPDOWNLIST, {"alpha", "beta"});
    EXPECT_TRUE(SetWindowTextA(list, "BETA"));
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(selectionText(list), "beta");
}

} // namespace
