#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;
using controls_test::Notice;

inline constexpr int ID_SLIDER = 1401;
inline constexpr int ID_OTHER = 1402;

class TrackbarTest : public controls_test::ControlsTest
{
protected:
    CSliderCtrl m_slider;

    void TearDown() override
    {
        if (m_slider.m_hWnd != 0)
            m_slider.Detach();
        ControlsTest::TearDown();
    }
    HWND MakeSlider(DWORD style)
    {
        MakeDialog({Control("Edit", ID_OTHER, WS_TABSTOP),
                    Control(TRACKBAR_CLASSA, ID_SLIDER, style, "", {0, 20, 100, 20})});
        m_slider.Attach(Item(ID_SLIDER));
        return m_slider.m_hWnd;
    }
    std::vector<std::string> scrolls() const
    {
        std::vector<std::string> out;
        for (const Notice& n : Notices())
            if (n.message == WM_HSCROLL || n.message == WM_VSCROLL)
                out.push_back(std::string(n.message == WM_HSCROLL ? "h" : "v") +
                              std::to_string(n.code) + ":" + std::to_string(n.pos));
        return out;
    }
};

TEST_F(TrackbarTest, StartsWithThePlatformsDefaults)
{
    MakeSlider(0);
    EXPECT_EQ(m_slider.GetRangeMin(), 0);
    EXPECT_EQ(m_slider.GetRangeMax(), 100);
    EXPECT_EQ(m_slider.GetPos(), 0);
    EXPECT_EQ(m_slider.GetLineSize(), 1);
    EXPECT_EQ(m_slider.GetPageSize(), 20);
}

struct RangeCase
{
    int min;
    int max;
    int pos;
    int expected;
};

TEST_F(TrackbarTest, ThePositionStaysInsideTheRange)
{
    MakeSlider(0);
    const RangeCase cases[] = {
        {0, 100, 50, 50},   {0, 100, 101, 100},     {0, 100, -1, 0},
        {20, 1000, 5, 20},  {60, 3600, 4000, 3600}, {-90, -60, -75, -75},
        {-90, -60, 0, -60}, {-90, -60, -100, -90},  {0, 255, 255, 255},
    };
    for (const RangeCase& c : cases)
    {
        m_slider.SetRange(c.min, c.max, TRUE);
        m_slider.SetPos(c.pos);
        EXPECT_EQ(m_slider.GetRangeMin(), c.min);
        EXPECT_EQ(m_slider.GetRangeMax(), c.max);
        EXPECT_EQ(m_slider.GetPos(), c.expected) << c.min << ".." << c.max << " pos " << c.pos;
    }
    // A narrower range moves the position inside it.
    m_slider.SetRange(0, 100);
    m_slider.SetPos(80);
    m_slider.SetRangeMax(50, TRUE);
    EXPECT_EQ(m_slider.GetPos(), 50);
    m_slider.SetRangeMin(60, TRUE);
    EXPECT_EQ(m_slider.GetRangeMin(), 60);
    EXPECT_EQ(m_slider.GetPos(), 60);

    EXPECT_EQ(m_slider.SetLineSize(5), 1);
    EXPECT_EQ(m_slider.SetPageSize(50), 20);
    EXPECT_EQ(m_slider.GetLineSize(), 5);
    EXPECT_EQ(m_slider.GetPageSize(), 50);
    // The range and position messages tell the parent nothing.
    EXPECT_TRUE(scrolls().empty());
}

TEST_F(TrackbarTest, DraggingTheThumbReportsTrackPositionAndEnd)
{
    HWND slider = MakeSlider(0);
    m_slider.SetRange(0, 40);
    m_probe = [slider](const Notice&)
    { return static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0)); };
    ASSERT_TRUE(platform::SliderMoveAsUser(slider, 25));
    EXPECT_EQ(GetFocus(), slider);
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"h5:25", "h4:25", "h8:0"}));
    for (const Notice& n : Notices())
    {
        if (n.message == WM_HSCROLL)
        {
            // The thumb is already where the message says.
            EXPECT_EQ(n.selectionSeen, 25);
            EXPECT_EQ(n.from, slider);
        }
    }

    ClearNotices();
    ASSERT_TRUE(platform::SliderMoveAsUser(slider, 99));
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"h5:40", "h4:40", "h8:0"}));

    ClearNotices();
    ASSERT_TRUE(platform::SliderDragAsUser(slider, {10, 12, 15}));
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"h5:10", "h5:12", "h5:15", "h4:15", "h8:0"}));

    ClearNotices();
    ASSERT_TRUE(platform::SliderKeyAsUser(slider, TB_BOTTOM));
    EXPECT_EQ(m_slider.GetPos(), 40);
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"h7:0", "h8:0"}));

    ClearNotices();
    m_slider.SetPageSize(10);
    ASSERT_TRUE(platform::SliderKeyAsUser(slider, TB_PAGEUP));
    EXPECT_EQ(m_slider.GetPos(), 30);
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"h2:0", "h8:0"}));
}

TEST_F(TrackbarTest, AVerticalTrackbarReportsWithVerticalScrollMessages)
{
    HWND slider = MakeSlider(TBS_VERT);
    ASSERT_TRUE(platform::SliderMoveAsUser(slider, 7));
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"v5:7", "v4:7", "v8:0"}));
    EnableWindow(slider, FALSE);
    EXPECT_FALSE(platform::SliderMoveAsUser(slider, 9));
    EXPECT_EQ(m_slider.GetPos(), 7);
}

} // namespace
