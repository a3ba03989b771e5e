#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;

inline constexpr int ID_EDIT = 1201;
inline constexpr int ID_OTHER = 1202;

class EditTest : public controls_test::ControlsTest
{
protected:
    HWND MakeEdit(DWORD style, const char* text = "")
    {
        MakeDialog({Control("Button", ID_OTHER, BS_PUSHBUTTON | WS_TABSTOP, "OK"),
                    Control("Edit", ID_EDIT, style | WS_TABSTOP, text, {0, 20, 100, 12})});
        return Item(ID_EDIT);
    }
    static std::string text(HWND edit)
    {
        char buffer[128] = {};
        GetWindowTextA(edit, buffer, sizeof buffer);
        return buffer;
    }
    std::vector<UINT> changes() const
    {
        std::vector<UINT> codes;
        for (UINT code : CommandCodes(ID_EDIT))
            if (code != EN_SETFOCUS && code != EN_KILLFOCUS)
                codes.push_back(code);
        return codes;
    }
};

TEST_F(EditTest, TypingBeyondTheLimitIsRefusedWithEnMaxText)
{
    HWND edit = MakeEdit(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 3);
    ASSERT_TRUE(platform::EditTypeAsUser(edit, "abcde"));
    EXPECT_EQ(text(edit), "abc");
    EXPECT_EQ(changes(), (std::vector<UINT>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE,
                                            EN_CHANGE, EN_MAXTEXT, EN_MAXTEXT}));
    // A text set by the program is not held to the limit.
    SetWindowTextA(edit, "longer text");
    EXPECT_EQ(text(edit), "longer text");

    CEdit wrapper;
    wrapper.Attach(edit);
    wrapper.LimitText(0);
    EXPECT_EQ(wrapper.GetLimitText(), 0x7FFFFFFEu);
    wrapper.Detach();
}

struct TypingCase
{
    DWORD style;
    const char* initial;
    const char* typed;
    const char* expected;
};

TEST_F(EditTest, TypedCharactersAreFoldedFilteredAndErased)
{
    const TypingCase cases[] = {
        {0, "", "abc\b\bd", "ad"},
        {0, "x", "\b\b\b", ""}, // backspace on empty changes nothing
        {0, "",
         "a\tb\x16"
         "c\r",
         "abc"}, // control codes are ignored
        {ES_LOWERCASE, "", "AbC-1", "abc-1"},
        {ES_UPPERCASE, "ab", "cD", "abCD"}, // only typed text is folded
        {ES_NUMBER, "", "1a2", "12"},
        {ES_READONLY, "keep", "zz\b", "keep"},
        {ES_MULTILINE, "", "a\rb", "a\r\nb"},
        {ES_MULTILINE, "a\r\nb", "\b\b", "a"}, // a line break goes as a whole
    };
    for (const TypingCase& c : cases)
    {
        HWND edit = MakeEdit(c.style, c.initial);
        ASSERT_TRUE(platform::EditTypeAsUser(edit, c.typed));
        EXPECT_EQ(text(edit), c.expected) << "typing \"" << c.typed << "\" into \"" << c.initial
                                          << "\" with style " << std::hex << c.style;
    }
}

TEST_F(EditTest, ReadOnlyAndNoChangeMeansNoNotification)
{
    HWND edit = MakeEdit(0, "text");
    CEdit wrapper;
    wrapper.Attach(edit);
    EXPECT_TRUE(wrapper.SetReadOnly(TRUE));
    EXPECT_NE(wrapper.GetStyle() & ES_READONLY, 0u);
    ClearNotices();
    platform::EditTypeAsUser(edit, "x\b");
    EXPECT_EQ(text(edit), "text");
    EXPECT_TRUE(changes().empty());
    wrapper.SetReadOnly(FALSE);
    platform::EditTypeAsUser(edit, "!");
    EXPECT_EQ(text(edit), "text!");
    EXPECT_TRUE(wrapper.GetModify());
    wrapper.Detach();
}

TEST_F(EditTest, PasswordCharacterIsReadableAndTheTextStaysPlain)
{
    HWND edit = MakeEdit(ES_PASSWORD);
    CEdit wrapper;
    wrapper.Attach(edit);
    EXPECT_EQ(wrapper.GetPasswordChar(), '*');
    platform::EditTypeAsUser(edit, "secret");
    EXPECT_EQ(text(edit), "secret");
    wrapper.SetPasswordChar(0);
    EXPECT_EQ(wrapper.GetPasswordChar(), 0);
    EXPECT_EQ(wrapper.GetStyle() & ES_PASSWORD, 0u);
    wrapper.SetPasswordChar('*');
    EXPECT_EQ(wrapper.GetPasswordChar(), '*');
    EXPECT_NE(wrapper.GetStyle() & ES_PASSWORD, 0u);
    wrapper.Detach();

    HWND plain = MakeEdit(0);
    EXPECT_EQ(SendMessageA(plain, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(EditTest, FocusChangesReachTheParentWithTheControlHandle)
{
    HWND edit = MakeEdit(0);
    ASSERT_NE(GetFocus(), edit);
    SetFocus(edit);
    SetFocus(Item(ID_OTHER));
    EXPECT_EQ(CommandCodes(ID_EDIT), (std::vector<UINT>{EN_SETFOCUS, EN_KILLFOCUS}));
    for (const auto& n : Notices())
    {
        if (n.id == ID_EDIT)
        {
            EXPECT_EQ(n.from, edit);
        }
    }
}

TEST_F(EditTest, TypingReplacesTheSelection)
{
    HWND edit = MakeEdit(0, "hello world");
    CEdit wrapper;
    wrapper.Attach(edit);
    wrapper.SetSel(0, 5);
    int start = -1;
    int end = -1;
    wrapper.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(wrapper.GetSel(), MAKELONG(0, 5));
    platform::EditTypeAsUser(edit, "J");
    EXPECT_EQ(text(edit), "J world");
    wrapper.SetSel(0, -1);
    wrapper.ReplaceSel("all");
    EXPECT_EQ(text(edit), "all");
    char line[16] = {};
    EXPECT_EQ(wrapper.GetLine(0, line, sizeof line), 3);
    EXPECT_STREQ(line, "all");
    wrapper.Detach();
}

// A field that admits digits only, the way the programs' own edit classes filter: control
// codes pass to the field, other characters are dropped.
class CDigitsEdit : public CEdit
{
public:
    int m_refused = 0;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar < 0x20 || (nChar >= '0' && nChar <= '9'))
            CEdit::OnChar(nChar, nRepCnt, nFlags);
        else
            ++m_refused;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDigitsEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(EditTest, ASubclassFiltersCharactersAndLetsTheFieldTypeTheRest)
{
    MakeEdit(0);
    CDigitsEdit digits;
    ASSERT_TRUE(digits.SubclassDlgItem(ID_EDIT, CWnd::FromHandle(m_dialog)));
    ASSERT_TRUE(platform::EditTypeAsUser(digits.m_hWnd, "1a2\b3"));
    EXPECT_EQ(text(digits.m_hWnd), "13");
    EXPECT_EQ(digits.m_refused, 1);
    digits.UnsubclassWindow();
}

} // namespace
