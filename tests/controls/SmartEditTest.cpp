#include "tests/controls/CustomControlsTestSupport.h"

#include <climits>
#include <string>

namespace
{

using namespace custom_controls_test;

TEST(SmartEditCharClassTest, ClassesFollowTheCharacterTable)
{
    struct Case
    {
        UINT ch;
        WORD expected;
    } cases[] = {
        {0x08, 0xFFFF},
        {0x00, 0xFFFF},
        {0x1F, 0xFFFF},
        {'0', 0x55},
        {'9', 0x55},
        {'E', 0x46},
        {'e', 0x46},
        {'A', 0x42},
        {'d', 0x42},
        {'F', 0x42},
        {'f', 0x42},
        {'G', 0x02},
        {'z', 0x02},
        {'Z', 0x02},
        {'-', 0x14},
        {'.', 0x04},
        {'_', 0x28},
        {' ', 0x08},
        {'+', 0x08},
        {'@', 0x08},
        {'[', 0x08},
        {'`', 0x08},
        {'{', 0x08},
        {0x7F, 0x08},
        // Bytes above ASCII are "other" whatever a code page would call them.
        {0x80, 0x08},
        {0xC9, 0x08},
        {0xE9, 0x08},
        {0xFF, 0x08},
        // Only the control test looks at the whole code; letters and digits at its low byte.
        {0x141, 0x42},
        {0x130, 0x55},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSmartEdit::CharClass(c.ch), c.expected) << "char 0x" << std::hex << c.ch;
}

TEST(SmartEditReadTest, LeadingIntegerSaturatesInsteadOfWrapping)
{
    struct Case
    {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"123", 123},
        {"  42x", 42},
        {"+5", 5},
        {"-17abc", -17},
        {"12 34", 12},
        {"0x1F", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"000000000000000000000000000007", 7},
        {"123456789012345678901234567890", INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSmartEdit::ReadLeadingInt(c.text), c.expected) << '"' << c.text << '"';
}

class SmartEditTest : public CustomControlsTest
{
};

TEST_F(SmartEditTest, NewEditTakesEverythingAndHasNoValue)
{
    CSmartEdit edit;
    EXPECT_EQ(edit.GetCharMask(), 0xFFFF);
    EXPECT_EQ(edit.GetLinkedSlider(), nullptr);
    EXPECT_EQ(edit.GetValue(), INT_MIN);
    CLinkSlider slider;
    EXPECT_EQ(slider.GetLinkedEdit(), nullptr);
    EXPECT_EQ(slider.GetValue(), INT_MAX);
    EXPECT_FALSE(slider.IsReversed());
}

TEST_F(SmartEditTest, TypedCharactersAreFilteredByTheMask)
{
    ASSERT_TRUE(Open());
    struct Case
    {
        WORD mask;
        std::string typed;
        std::string expected;
        int beeps;
    } cases[] = {
        {0x01, "12-3", "123", 1},
        {0x01, "12\b3", "13", 0},
        {0x01, "1.5e", "15", 2},
        {0x11, "-12", "-12", 0},
        {0x11, "-1.5", "-15", 1},
        {0x40, "09afAF", "09afAF", 0},
        {0x40, "0g1G-", "01", 3},
        {0x04, "-1.5e3", "-1.5e3", 0},
        {0x02, "ab1_", "ab", 2},
        {0x20, "_a", "_", 1},
        {0xFFFF, "aZ9-._!\xE9", "aZ9-._!\xE9", 0},
    };
    for (const Case& c : cases)
    {
        platform::ClearBeepLog();
        m_dlg.m_edit.SetCharMask(c.mask);
        SetWindowTextA(Item(IDC_SMART), "");
        ASSERT_TRUE(platform::EditTypeAsUser(Item(IDC_SMART), c.typed));
        EXPECT_EQ(TextOf(Item(IDC_SMART)), c.expected) << "mask " << c.mask << " " << c.typed;
        EXPECT_EQ(Beeps(), c.beeps) << "mask " << c.mask << " " << c.typed;
        // The standard system beep.
        if (c.beeps > 0)
        {
            EXPECT_EQ(platform::BeepLog().lastType, 0xFFFFFFFFu);
        }
    }
}

class CQuietEdit : public CSmartEdit
{
public:
    int m_nBadInput = 0;
    void OnBadInput() override { ++m_nBadInput; }
};

TEST_F(SmartEditTest, DerivedClassReplacesTheBeep)
{
    ASSERT_TRUE(Open());
    CQuietEdit quiet;
    ASSERT_TRUE(quiet.SubclassWindow(Item(IDC_OTHER)));
    quiet.SetCharMask(0x01);
    ASSERT_TRUE(platform::EditTypeAsUser(Item(IDC_OTHER), "1x2y"));
    EXPECT_EQ(TextOf(Item(IDC_OTHER)), "12");
    EXPECT_EQ(quiet.m_nBadInput, 2);
    EXPECT_EQ(Beeps(), 0);
    quiet.UnsubclassWindow();
}

TEST_F(SmartEditTest, SetRangeReplacesTheMaskBySign)
{
    ASSERT_TRUE(Open());
    struct Case
    {
        int min;
        int max;
        WORD expected;
    } cases[] = {{0, 2347, 0x01}, {-100, 100, 0x11}, {1, 5, 0x01}, {-1, -1, 0x11}};
    for (const Case& c : cases)
    {
        m_dlg.m_edit.SetCharMask(0x40);
        // Without a linked slider too: the range and mask are the edit's own.
        EXPECT_TRUE(m_dlg.m_edit.SetRange(c.min, c.max, 1, 10));
        EXPECT_EQ(m_dlg.m_edit.GetCharMask(), c.expected) << c.min;
        EXPECT_EQ(m_dlg.m_edit.GetMin(), c.min);
        EXPECT_EQ(m_dlg.m_edit.GetMax(), c.max);
    }
}

TEST_F(SmartEditTest, AttachAndRangeSetUpTheSlider)
{
    ASSERT_TRUE(Open());
    m_dlg.m_edit.AttachSlider(&m_dlg, IDC_SLIDER);
    ASSERT_EQ(m_dlg.m_edit.GetLinkedSlider(), &m_dlg.m_slider);
    EXPECT_EQ(m_dlg.m_slider.GetLinkedEdit(), &m_dlg.m_edit);
    EXPECT_FALSE(m_dlg.m_slider.IsReversed());

    m_dlg.m_edit.SetRange(0, 2347, 5, 100);
    EXPECT_EQ(m_dlg.m_slider.GetRangeMin(), 0);
    EXPECT_EQ(m_dlg.m_slider.GetRangeMax(), 2347);
    EXPECT_EQ(m_dlg.m_slider.GetLineSize(), 5);
    EXPECT_EQ(m_dlg.m_slider.GetPageSize(), 100);
    EXPECT_TRUE(m_dlg.m_edit.SyncSlider(2, 20));
    EXPECT_EQ(m_dlg.m_slider.GetLineSize(), 2);
    EXPECT_EQ(m_dlg.m_slider.GetPageSize(), 20);

    CSmartEdit unlinked;
    EXPECT_FALSE(unlinked.SyncSlider(1, 1));
}

TEST_F(SmartEditTest, AttachSliderLinksOnlyABoundLinkSlider)
{
    ASSERT_TRUE(Open());
    // A trackbar without an object, an edit bound to another class, and no control at all.
    for (UINT id : {UINT(IDC_SLIDER_PLAIN), UINT(IDC_SMART_VERT), UINT(IDC_COMBO), 4242u})
    {
        m_dlg.m_edit.AttachSlider(&m_dlg, id);
        EXPECT_EQ(m_dlg.m_edit.GetLinkedSlider(), nullptr) << id;
    }
    m_dlg.m_edit.AttachSlider(nullptr, IDC_SLIDER);
    EXPECT_EQ(m_dlg.m_edit.GetLinkedSlider(), nullptr);

    // So leaving it never clamps.
    m_dlg.m_edit.SetRange(0, 10, 1, 1);
    platform::ClearBeepLog();
    TypeAndLeave(Item(IDC_SMART), "50");
    EXPECT_EQ(TextOf(Item(IDC_SMART)), "50");
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(SmartEditTest, LeavingTheEditClampsAndMovesTheSlider)
{
    ASSERT_TRUE(Open());
    struct Case
    {
        int min;
        int max;
        std::string typed;
        std::string shown;
        int slider;
        int beeps;
    } cases[] = {
        {0, 2347, "5000", "2347", 2347, 1},
        {0, 2347, "123", "123", 123, 0},
        {0, 2347, "007", "007", 7, 0},
        // No leading number reads as 0: in range, so the text stays as typed.
        {0, 2347, "abc", "abc", 0, 0},
        {0, 2347, "12abc", "12abc", 12, 0},
        {10, 2347, "abc", "10", 10, 1},
        {10, 2347, "-7", "10", 10, 1},
        {0, 2347, "2347", "2347", 2347, 0},
        {0, 2347, "2348", "2347", 2347, 1},
        // Saturated, then clamped: one beep.
        {0, 2347, "99999999999", "2347", 2347, 1},
        {-100, 100, "-99999999999", "-100", -100, 1},
        {-100, 100, "-100", "-100", -100, 0},
    };
    m_dlg.m_edit.AttachSlider(&m_dlg, IDC_SLIDER);
    for (const Case& c : cases)
    {
        m_dlg.m_edit.SetRange(c.min, c.max, 1, 10);
        m_dlg.m_edit.SetCharMask(0xFFFF);
        m_dlg.m_slider.SetPos(c.min == 0 ? 1000 : 50);
        platform::ClearBeepLog();
        TypeAndLeave(Item(IDC_SMART), c.typed);
        EXPECT_EQ(TextOf(Item(IDC_SMART)), c.shown) << c.typed;
        EXPECT_EQ(Beeps(), c.beeps) << c.typed;
        EXPECT_EQ(m_dlg.m_slider.GetPos(), c.slider) << c.typed;
        EXPECT_EQ(m_dlg.m_slider.GetValue(), c.slider) << c.typed;
        EXPECT_EQ(m_dlg.m_edit.GetValue(), c.slider) << c.typed;
    }
}

TEST_F(SmartEditTest, ClampRewritesEvenWhenTheBoundWasShownBefore)
{
    ASSERT_TRUE(Open());
    m_dlg.m_edit.AttachSlider(&m_dlg, IDC_SLIDER);
    m_dlg.m_edit.SetRange(0, 2347, 1, 10);
    // The stored value is already the maximum; the clamp must still write it over "9000".
    EXPECT_TRUE(m_dlg.m_edit.SetValue(2347));
    TypeAndLeave(Item(IDC_SMART), "9000");
    EXPECT_EQ(TextOf(Item(IDC_SMART)), "2347");
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(SmartEditTest, SetValueWritesOnlyAChangedValue)
{
    ASSERT_TRUE(Open());
    CSmartEdit& edit = m_dlg.m_edit;
    edit.SetRange(0, 100, 1, 10);
    EXPECT_TRUE(edit.SetValue(5));
    EXPECT_EQ(TextOf(Item(IDC_SMART)), "5");
    // The user edits the text; the same value again leaves it alone.
    SetWindowTextA(Item(IDC_SMART), "77");
    EXPECT_FALSE(edit.SetValue(5));
    EXPECT_EQ(TextOf(Item(IDC_SMART)), "77");
    EXPECT_TRUE(edit.SetValue(-3));
    EXPECT_EQ(TextOf(Item(IDC_SMART)), "-3");
    EXPECT_EQ(edit.GetValue(), -3);
    // INT_MIN is "no value yet": a fresh edit writes any other value.
    CSmartEdit fresh;
    EXPECT_FALSE(fresh.SetValue(INT_MIN));
}

TEST_F(SmartEditTest, SetValueCheckedWritesInRangeWithoutStoring)
{
    ASSERT_TRUE(Open());
    CSmartEdit& edit = m_dlg.m_edit;
    edit.SetRange(10, 20, 1, 10);
    edit.SetValue(15);
    struct Case
    {
        int value;
        BOOL result;
        std::string shown;
    } cases[] = {{9, FALSE, "15"}, {21, FALSE, "15"}, {10, TRUE, "10"}, {20, TRUE, "20"}};
    for (const Case& c : cases)
    {
        SetWindowTextA(Item(IDC_SMART), "15");
        EXPECT_EQ(edit.SetValueChecked(c.value), c.result) << c.value;
        EXPECT_EQ(TextOf(Item(IDC_SMART)), c.shown) << c.value;
        EXPECT_EQ(edit.GetValue(), 15) << c.value;
    }
    // The stored value is still 15, so SetValue(15) writes nothing over "20".
    EXPECT_FALSE(edit.SetValue(15));
    EXPECT_EQ(TextOf(Item(IDC_SMART)), "20");
}

} // namespace
