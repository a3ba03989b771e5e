#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;

class ButtonTest : public controls_test::ControlsTest
{
protected:
    UINT check(int id) const
    {
        return static_cast<UINT>(SendMessageA(Item(id), BM_GETCHECK, 0, 0));
    }
    std::vector<UINT> checks(std::initializer_list<int> ids) const
    {
        std::vector<UINT> result;
        for (int id : ids)
            result.push_back(check(id));
        return result;
    }
};

TEST_F(ButtonTest, AutoRadioButtonsUncheckTheirGroupOnly)
{
    MakeDialog({
        Control("Button", 10, BS_AUTORADIOBUTTON | WS_GROUP, "A1"),
        Control("Button", 11, BS_AUTORADIOBUTTON, "A2"),
        Control("Static", 12, SS_LEFT, "label inside the group"),
        Control("Button", 13, BS_AUTORADIOBUTTON, "A3"),
        Control("Button", 20, BS_AUTORADIOBUTTON | WS_GROUP, "B1"),
        Control("Button", 21, BS_AUTORADIOBUTTON, "B2"),
    });
    SendMessageA(Item(10), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(Item(21), BM_SETCHECK, BST_CHECKED, 0);
    // Checking by message leaves the others alone.
    SendMessageA(Item(13), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(checks({10, 11, 13, 20, 21}), (std::vector<UINT>{1, 0, 1, 0, 1}));

    ASSERT_TRUE(platform::ButtonClickAsUser(Item(11)));
    EXPECT_EQ(checks({10, 11, 13, 20, 21}), (std::vector<UINT>{0, 1, 0, 0, 1}));
    ASSERT_TRUE(platform::ButtonClickAsUser(Item(20)));
    EXPECT_EQ(checks({10, 11, 13, 20, 21}), (std::vector<UINT>{0, 1, 0, 1, 0}));
    // The last group runs to the last sibling.
    ASSERT_TRUE(platform::ButtonClickAsUser(Item(21)));
    EXPECT_EQ(checks({10, 11, 13, 20, 21}), (std::vector<UINT>{0, 1, 0, 0, 1}));

    EXPECT_EQ(CommandCodes(11), (std::vector<UINT>{BN_CLICKED}));
    EXPECT_EQ(CommandCodes(20), (std::vector<UINT>{BN_CLICKED}));
    for (const auto& n : Notices())
        EXPECT_EQ(n.from, Item(n.id));
}

TEST_F(ButtonTest, TheDialogButtonFunctionsWorkOnTheButtonsState)
{
    MakeDialog({
        Control("Button", 60, BS_AUTORADIOBUTTON | WS_GROUP, "r1"),
        Control("Button", 61, BS_AUTORADIOBUTTON, "r2"),
        Control("Button", 62, BS_AUTORADIOBUTTON, "r3"),
        Control("Button", 63, BS_AUTOCHECKBOX | WS_GROUP, "c"),
    });
    EXPECT_TRUE(CheckRadioButton(m_dialog, 60, 62, 61));
    EXPECT_EQ(checks({60, 61, 62}), (std::vector<UINT>{0, 1, 0}));
    CheckDlgButton(m_dialog, 63, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(m_dialog, 63), BST_CHECKED);
    platform::ButtonClickAsUser(Item(63));
    EXPECT_EQ(IsDlgButtonChecked(m_dialog, 63), BST_UNCHECKED);
    platform::ButtonClickAsUser(Item(62));
    EXPECT_EQ(IsDlgButtonChecked(m_dialog, 61), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(m_dialog, 62), BST_CHECKED);
}

struct ClickCase
{
    DWORD style;
    UINT before;
    UINT after;
};

TEST_F(ButtonTest, ClicksChangeTheCheckOfAutoStylesOnly)
{
    const ClickCase cases[] = {
        {BS_AUTOCHECKBOX, BST_UNCHECKED, BST_CHECKED},
        {BS_AUTOCHECKBOX, BST_CHECKED, BST_UNCHECKED},
        {BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED},
        {BS_AUTO3STATE, BST_UNCHECKED, BST_CHECKED},
        {BS_AUTO3STATE, BST_CHECKED, BST_INDETERMINATE},
        {BS_AUTO3STATE, BST_INDETERMINATE, BST_UNCHECKED},
        {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
        {BS_RADIOBUTTON, BST_UNCHECKED, BST_UNCHECKED},
        {BS_AUTORADIOBUTTON, BST_CHECKED, BST_CHECKED},
        {BS_PUSHBUTTON, BST_UNCHECKED, BST_UNCHECKED},
    };
    for (const ClickCase& c : cases)
    {
        MakeDialog({Control("Button", 30, c.style | WS_TABSTOP, "b")});
        ClearNotices();
        HWND button = Item(30);
        SendMessageA(button, BM_SETCHECK, c.before, 0);
        ASSERT_TRUE(platform::ButtonClickAsUser(button));
        EXPECT_EQ(check(30), c.after) << "style " << c.style << " from " << c.before;
        EXPECT_EQ(CommandCodes(30), (std::vector<UINT>{BN_CLICKED})) << "style " << c.style;
    }
}

TEST_F(ButtonTest, DisabledButtonsAndGroupBoxesTakeNoClicks)
{
    MakeDialog({Control("Button", 40, BS_AUTOCHECKBOX | WS_DISABLED, "off"),
                Control("Button", 41, BS_GROUPBOX, "group")});
    SendMessageA(Item(40), BM_CLICK, 0, 0);
    EXPECT_FALSE(platform::ButtonClickAsUser(Item(40)));
    SendMessageA(Item(41), BM_CLICK, 0, 0);
    EXPECT_EQ(check(40), BST_UNCHECKED);
    EXPECT_TRUE(Notices().empty());

    EnableWindow(Item(40), TRUE);
    SendMessageA(Item(40), BM_CLICK, 0, 0);
    EXPECT_EQ(check(40), BST_CHECKED);
    EXPECT_EQ(CommandCodes(40), (std::vector<UINT>{BN_CLICKED}));
}

TEST_F(ButtonTest, StateStyleAndImagesAreKeptByTheButton)
{
    MakeDialog({Control("Button", 50, BS_PUSHBUTTON, "push"), Control("Static", 51, SS_ICON, "")});
    CButton button;
    button.Attach(Item(50));
    EXPECT_EQ(button.GetCheck(), 0);
    button.SetState(TRUE);
    EXPECT_NE(button.GetState() & BST_PUSHED, 0u);
    button.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_NE(button.GetStyle() & WS_CHILD, 0u);
    EXPECT_EQ(button.SetIcon(0x1234), 0u);
    EXPECT_EQ(button.SetIcon(0x5678), 0x1234u);
    EXPECT_EQ(button.GetIcon(), 0x5678u);
    EXPECT_EQ(button.SetBitmap(0x99), 0u);
    EXPECT_EQ(button.GetBitmap(), 0x99u);
    button.Detach();

    CStatic picture;
    picture.Attach(Item(51));
    EXPECT_EQ(picture.SetIcon(0x173), 0u);
    EXPECT_EQ(picture.GetIcon(), 0x173u);
    EXPECT_EQ(picture.SetBitmap(188), 0u); // the icon is replaced by the picture
    EXPECT_EQ(picture.GetBitmap(), 188u);
    EXPECT_EQ(picture.GetIcon(), 0u);
    EXPECT_EQ(picture.SetBitmap(189), 188u);
    picture.Detach();
}

} // namespace
