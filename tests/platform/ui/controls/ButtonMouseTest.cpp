#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;

class ButtonMouseTest : public controls_test::ControlsTest
{
protected:
    UINT check(int id) const
    {
        return static_cast<UINT>(SendMessageA(Item(id), BM_GETCHECK, 0, 0));
    }
    // Down at one point of the button's client area, up at another.
    void press(int id, POINT down, POINT up)
    {
        SendMessageA(Item(id), WM_LBUTTONDOWN, 0x0001, MAKELPARAM(down.x, down.y));
        SendMessageA(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }
};

constexpr POINT kInside{5, 5};

TEST_F(ButtonMouseTest, DownAndUpOverTheButtonIsAClick)
{
    struct Case
    {
        DWORD style;
        std::vector<UINT> checks; // after each of two clicks
    } cases[] = {
        {BS_PUSHBUTTON, {0, 0}},
        {BS_DEFPUSHBUTTON, {0, 0}},
        {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED}},
        {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE}},
        {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}}, // the program checks it
        {BS_AUTORADIOBUTTON, {BST_CHECKED, BST_CHECKED}},
    };
    for (const Case& c : cases)
    {
        MakeDialog({Control("Button", 10, c.style | WS_TABSTOP, "Press")});
        ClearNotices();
        std::vector<UINT> seen;
        for (int i = 0; i < 2; ++i)
        {
            press(10, kInside, kInside);
            seen.push_back(check(10));
        }
        EXPECT_EQ(seen, c.checks) << c.style;
        EXPECT_EQ(CommandCodes(10), (std::vector<UINT>{BN_CLICKED, BN_CLICKED})) << c.style;
        EXPECT_EQ(GetFocus(), Item(10)) << c.style;
        // Up again, the button no longer looks pushed.
        EXPECT_EQ(SendMessageA(Item(10), BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << c.style;
        DestroyWindow(m_dialog);
        m_dialog = 0;
    }
}

TEST_F(ButtonMouseTest, NoClickWithoutBothHalvesOverAnEnabledButton)
{
    MakeDialog({Control("Button", 10, BS_AUTOCHECKBOX, "Box"),
                Control("Button", 11, BS_GROUPBOX, "Group")});
    RECT client{};
    GetClientRect(Item(10), &client);
    ASSERT_GT(client.right, 5);

    // Pressed, then released outside: nothing, and it is up again.
    press(10, kInside, POINT{client.right + 3, 2});
    SendMessageA(Item(10), WM_LBUTTONDOWN, 0x0001, MAKELPARAM(kInside.x, kInside.y));
    EXPECT_NE(SendMessageA(Item(10), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageA(Item(10), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-2), 3));
    EXPECT_EQ(SendMessageA(Item(10), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    // Released without having been pressed on it.
    SendMessageA(Item(10), WM_LBUTTONUP, 0, MAKELPARAM(kInside.x, kInside.y));
    // A group box takes no clicks.
    press(11, kInside, kInside);
    EXPECT_EQ(check(10), BST_UNCHECKED);
    EXPECT_TRUE(CommandCodes(10).empty());
    EXPECT_TRUE(CommandCodes(11).empty());

    // Disabled: ignored, also when it was disabled between down and up.
    EnableWindow(Item(10), FALSE);
    press(10, kInside, kInside);
    EnableWindow(Item(10), TRUE);
    SendMessageA(Item(10), WM_LBUTTONDOWN, 0x0001, MAKELPARAM(kInside.x, kInside.y));
    EnableWindow(Item(10), FALSE);
    SendMessageA(Item(10), WM_LBUTTONUP, 0, MAKELPARAM(kInside.x, kInside.y));
    EXPECT_EQ(check(10), BST_UNCHECKED);
    EXPECT_TRUE(CommandCodes(10).empty());
}

TEST_F(ButtonMouseTest, TheAutomationsMouseClickReachesTheButtonThroughTheQueue)
{
    MakeDialog({Control("Button", 10, BS_AUTOCHECKBOX, "Enable"),
                Control("Button", 11, BS_PUSHBUTTON, "Go")});
    ClearNotices();
    ASSERT_TRUE(platform::automation::MouseClick(m_dialog, "Enable"));
    ASSERT_TRUE(platform::automation::MouseClick(m_dialog, "11"));
    // Posted: nothing happens before the loop runs.
    EXPECT_TRUE(CommandCodes(10).empty());
    platform::PumpUntilIdle();
    EXPECT_EQ(check(10), BST_CHECKED);
    EXPECT_EQ(CommandCodes(10), (std::vector<UINT>{BN_CLICKED}));
    EXPECT_EQ(CommandCodes(11), (std::vector<UINT>{BN_CLICKED}));

    EnableWindow(Item(11), FALSE);
    platform::automation::MouseClick(m_dialog, "11");
    platform::PumpUntilIdle();
    EXPECT_EQ(CommandCodes(11), (std::vector<UINT>{BN_CLICKED}));
}

} // namespace
