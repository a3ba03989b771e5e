#include "tests/controls/CustomControlsTestSupport.h"

#include <string>

namespace
{

using namespace custom_controls_test;

class LinkSliderTest : public CustomControlsTest
{
protected:
    void SetUp() override
    {
        CustomControlsTest::SetUp();
        ASSERT_TRUE(Open());
        m_dlg.m_edit.AttachSlider(&m_dlg, IDC_SLIDER);
        m_dlg.m_edit.SetRange(0, 100, 5, 20);
    }
    void scroll(UINT code, int pos)
    {
        m_dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                          static_cast<LPARAM>(Item(IDC_SLIDER)));
    }
};

TEST_F(LinkSliderTest, VerticalSliderRunsTheOtherWay)
{
    m_dlg.m_editVert.AttachSlider(&m_dlg, IDC_SLIDER_VERT);
    m_dlg.m_editVert.SetRange(0, 100, 1, 10);
    ASSERT_TRUE(m_dlg.m_sliderVert.IsReversed());
    m_dlg.m_sliderVert.SetValue(30);
    EXPECT_EQ(m_dlg.m_sliderVert.GetPos(), 70);
    EXPECT_EQ(m_dlg.m_sliderVert.GetValue(), 70);

    // Leaving the edit with a value moves the thumb the reversed way too.
    TypeAndLeave(Item(IDC_SMART_VERT), "10");
    EXPECT_EQ(m_dlg.m_sliderVert.GetPos(), 90);

    // A horizontal one does not.
    m_dlg.m_slider.SetValue(30);
    EXPECT_EQ(m_dlg.m_slider.GetPos(), 30);

    // A range that does not start at 0: min + max - value.
    m_dlg.m_editVert.SetRange(10, 50, 1, 10);
    m_dlg.m_sliderVert.SetValue(20);
    EXPECT_EQ(m_dlg.m_sliderVert.GetPos(), 40);
}

TEST_F(LinkSliderTest, ReversedStaysOnceSet)
{
    m_dlg.m_sliderVert.AttachEdit(&m_dlg.m_editVert);
    ASSERT_TRUE(m_dlg.m_sliderVert.IsReversed());
    m_dlg.m_sliderVert.ModifyStyle(TBS_VERT, 0);
    m_dlg.m_sliderVert.AttachEdit(&m_dlg.m_editVert);
    EXPECT_TRUE(m_dlg.m_sliderVert.IsReversed());
}

TEST_F(LinkSliderTest, DraggingTheThumbUpdatesTheEditOnEveryStep)
{
    std::vector<std::string> seen;
    for (int pos : {10, 25, 40, 0, 100})
    {
        ASSERT_TRUE(platform::SliderMoveAsUser(Item(IDC_SLIDER), pos));
        seen.push_back(TextOf(Item(IDC_SMART)));
        EXPECT_EQ(m_dlg.m_slider.GetValue(), pos);
        EXPECT_EQ(m_dlg.m_edit.GetValue(), pos);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"10", "25", "40", "0", "100"}));
}

TEST_F(LinkSliderTest, KeysUpdateTheEditButHomeAndEndDoNot)
{
    ASSERT_TRUE(platform::SliderMoveAsUser(Item(IDC_SLIDER), 40));
    struct Case
    {
        UINT code;
        int pos;
        std::string shown;
    } cases[] = {
        {TB_LINEDOWN, 45, "45"}, {TB_LINEUP, 40, "40"}, {TB_PAGEDOWN, 60, "60"},
        {TB_PAGEUP, 40, "40"},   {TB_TOP, 0, "40"},     {TB_BOTTOM, 100, "40"},
        {TB_PAGEUP, 80, "80"},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(platform::SliderKeyAsUser(Item(IDC_SLIDER), c.code));
        EXPECT_EQ(m_dlg.m_slider.GetPos(), c.pos) << "code " << c.code;
        EXPECT_EQ(TextOf(Item(IDC_SMART)), c.shown) << "code " << c.code;
    }
}

TEST_F(LinkSliderTest, OnlyTrackAndStepCodesReachTheEdit)
{
    m_dlg.m_slider.SetPos(33);
    struct Case
    {
        UINT code;
        std::string shown;
    } cases[] = {
        // The line and page codes read the trackbar's position, not the message's.
        {TB_LINEUP, "33"},     {TB_THUMBTRACK, "77"},    {TB_THUMBPOSITION, "unchanged"},
        {TB_TOP, "unchanged"}, {TB_BOTTOM, "unchanged"}, {TB_ENDTRACK, "unchanged"},
    };
    for (const Case& c : cases)
    {
        SetWindowTextA(Item(IDC_SMART), "unchanged");
        m_dlg.m_edit.SetValue(-1); // forget what was written, so any new value shows
        SetWindowTextA(Item(IDC_SMART), "unchanged");
        scroll(c.code, 77);
        EXPECT_EQ(TextOf(Item(IDC_SMART)), c.shown) << "code " << c.code;
    }
}

TEST_F(LinkSliderTest, ScrollWritesTheRawPositionOnAReversedSlider)
{
    m_dlg.m_editVert.AttachSlider(&m_dlg, IDC_SLIDER_VERT);
    m_dlg.m_editVert.SetRange(0, 100, 1, 10);
    m_dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 30),
                      static_cast<LPARAM>(Item(IDC_SLIDER_VERT)));
    EXPECT_EQ(TextOf(Item(IDC_SMART_VERT)), "30");
    EXPECT_EQ(m_dlg.m_sliderVert.GetValue(), 30);
}

TEST_F(LinkSliderTest, SliderWithoutEditIgnoresScrolling)
{
    CLinkSlider alone;
    ASSERT_TRUE(alone.SubclassWindow(Item(IDC_SLIDER_PLAIN)));
    alone.SetRange(0, 50);
    EXPECT_EQ(alone.GetRangeMax(), 50);
    ASSERT_TRUE(platform::SliderMoveAsUser(Item(IDC_SLIDER_PLAIN), 20));
    EXPECT_EQ(alone.GetPos(), 20);
    // Nothing stored: the value is still the initial one.
    EXPECT_EQ(alone.GetValue(), INT_MAX);
    alone.UnsubclassWindow();
}

} // namespace
