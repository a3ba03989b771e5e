#include "tests/platform/ui/desktop/DesktopTestSupport.h"

namespace
{

using desktop_test::DesktopTest;
using desktop_test::SeenOf;

constexpr UINT kTrayMenu = 228;

void registerTrayMenu()
{
    platform::MenuTemplate t;
    platform::MenuTemplateItem popup;
    popup.text = "Tray";
    popup.flags = MF_POPUP;
    popup.items = {{"&Open", 32771, MF_STRING, {}},
                   {"", 0, MF_SEPARATOR, {}},
                   {"Launch Config Utilities ", 32772, MF_STRING, {}},
                   {"Grayed", 32773, MF_GRAYED, {}},
                   {"E&xit", 32774, MF_CHECKED, {}}};
    t.items.push_back(popup);
    platform::RegisterMenuTemplate(kTrayMenu, t);
}

std::string menuString(HMENU menu, UINT item, UINT flags)
{
    char buffer[64] = {};
    GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
    return buffer;
}

class MenuTest : public DesktopTest
{
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        registerTrayMenu();
        m_owner = desktop_test::MakeSeeingWindow("Owner");
        ASSERT_NE(m_owner, 0u);
    }
    void TearDown() override
    {
        DestroyWindow(m_owner);
        DesktopTest::TearDown();
    }
    HWND m_owner = 0;
};

TEST_F(MenuTest, ALoadedMenuHasTheResourcesItemsVerbatim)
{
    HMENU bar = LoadMenuA(0, MAKEINTRESOURCEA(kTrayMenu));
    ASSERT_NE(bar, 0u);
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, 0u);
    EXPECT_EQ(GetMenuItemCount(popup), 5);
    EXPECT_EQ(GetMenuItemID(popup, 0), 32771u);
    EXPECT_EQ(GetMenuItemID(popup, 1), 0u);        // separator
    EXPECT_EQ(GetMenuItemID(bar, 0), 0xFFFFFFFFu); // a popup
    EXPECT_EQ(GetMenuItemID(popup, 9), 0xFFFFFFFFu);
    EXPECT_EQ(menuString(popup, 2, MF_BYPOSITION), "Launch Config Utilities ");
    EXPECT_EQ(menuString(bar, 32772, MF_BYCOMMAND), "Launch Config Utilities "); // found below
    EXPECT_EQ(GetMenuState(popup, 32773, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);

    // Each load is a menu of its own.
    HMENU again = LoadMenuA(0, MAKEINTRESOURCEA(kTrayMenu));
    EXPECT_NE(again, bar);
    EXPECT_EQ(LoadMenuA(0, MAKEINTRESOURCEA(999)), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);

    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(popup)); // the popups below go with it
    EXPECT_TRUE(IsMenu(again));
    EXPECT_FALSE(DestroyMenu(bar));
    DestroyMenu(again);
}

TEST_F(MenuTest, ItemsAreChangedInPlaceAndReportTheirPreviousState)
{
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 1, "One"));
    ASSERT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 3, "Three"));
    ASSERT_TRUE(InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 0, "Zero"));
    ASSERT_TRUE(InsertMenuA(menu, 3, MF_BYCOMMAND | MF_STRING, 2, "Two")); // before item 3
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_EQ(GetMenuItemID(menu, 3), 2u);
    EXPECT_EQ(GetMenuItemID(menu, 4), 3u);

    EXPECT_EQ(EnableMenuItem(menu, 3, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 3, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(menu, 77, MF_GRAYED), 0xFFFFFFFFu);

    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 10, "Deep");
    ASSERT_TRUE(AppendMenuA(menu, MF_POPUP, sub, "More"));
    EXPECT_TRUE(RemoveMenu(menu, 5, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(sub)); // removed, not destroyed
    AppendMenuA(menu, MF_POPUP, sub, "More");
    EXPECT_TRUE(DeleteMenu(menu, 5, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_FALSE(DeleteMenu(menu, 77, MF_BYCOMMAND));
    EXPECT_FALSE(AppendMenuA(0x1234, MF_STRING, 1, "x"));
    DestroyMenu(menu);
}

struct TrackCase
{
    const char* name;
    UINT flags;
    const char* pick; // null: dismiss
    BOOL expectedResult;
    bool expectCommand;
};

class TrackPopupMenuTest : public MenuTest, public ::testing::WithParamInterface<TrackCase>
{
};

TEST_P(TrackPopupMenuTest, TheMenuLoopEndsWithThePickOrTheDismissal)
{
    const TrackCase& c = GetParam();
    HMENU bar = LoadMenuA(0, MAKEINTRESOURCEA(kTrayMenu));
    HMENU popup = GetSubMenu(bar, 0);
    POINT cursor{};
    SetCursorPos(640, 470);
    GetCursorPos(&cursor);

    HWND seenPopup = 0;
    std::vector<platform::MenuItemInfo> seenItems;
    platform::SetIdleHook(
        [&]
        {
            auto open = platform::OpenPopupMenus();
            ASSERT_EQ(open.size(), 1u);
            seenPopup = open.front();
            seenItems = platform::DescribeMenu(platform::PopupMenuOf(seenPopup)).value();
            EXPECT_FALSE(platform::PickMenuItem(seenPopup, 32773)); // grayed
            if (c.pick != nullptr)
                EXPECT_TRUE(platform::PickMenuItemByText(seenPopup, c.pick));
            else
                EXPECT_TRUE(platform::DismissPopupMenu(seenPopup));
        });
    BOOL result = TrackPopupMenu(popup, c.flags, cursor.x, cursor.y, 0, m_owner, nullptr);
    platform::SetIdleHook(nullptr);

    EXPECT_EQ(result, c.expectedResult);
    ASSERT_NE(seenPopup, 0u);
    ASSERT_EQ(seenItems.size(), 5u);
    EXPECT_EQ(seenItems[2].text, "Launch Config Utilities ");
    EXPECT_FALSE(IsWindow(seenPopup)); // the menu window went with the loop
    EXPECT_TRUE(platform::OpenPopupMenus().empty());

    // The command arrives through the owner's queue, after the call returned.
    EXPECT_TRUE(SeenOf(WM_COMMAND).empty());
    platform::PumpUntilIdle();
    auto commands = SeenOf(WM_COMMAND);
    if (c.expectCommand)
    {
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_EQ(commands[0].wParam, 32772u);
    }
    else
        EXPECT_TRUE(commands.empty());
    DestroyMenu(bar);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackPopupMenuTest,
    ::testing::Values(
        TrackCase{"PickPostsTheCommand", TPM_RIGHTBUTTON, "Launch Config Utilities ", TRUE, true},
        TrackCase{"PickByPlainText", TPM_RIGHTBUTTON, "launch config utilities", TRUE, true},
        TrackCase{"ReturnCmdPostsNothing", TPM_RIGHTBUTTON | TPM_RETURNCMD,
                  "Launch Config Utilities ", 32772, false},
        TrackCase{"Dismissed", TPM_RIGHTBUTTON, nullptr, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenuTest, ThePopupIsAPublishedTopLevelWindowAndTimersFireWhileItIsUp)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 5, "Five");
    SetTimer(m_owner, 1, 1000, nullptr);
    int hooks = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND popup = FindWindowA(kPopupMenuClass, nullptr);
            ASSERT_NE(popup, 0u);
            EXPECT_TRUE(IsWindowVisible(popup));
            EXPECT_EQ(GetParent(popup), 0u);
            if (++hooks < 3)
                platform::AdvanceClock(1000);
            else
                platform::PickMenuItem(popup, 5);
        });
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_RIGHTBUTTON, 0, 0, 0, m_owner, nullptr));
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(SeenOf(WM_TIMER).size(), 2u);
    bool listed = false;
    EXPECT_EQ(FindWindowA(kPopupMenuClass, nullptr), 0u);
    (void)listed;
    DestroyMenu(menu);
}

TEST_F(MenuTest, AQuitEndsTheMenuAndStaysPending)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 5, "Five");
    platform::SetIdleHook([] { PostQuitMessage(3); });
    EXPECT_EQ(TrackPopupMenu(menu, 0, 0, 0, 0, m_owner, nullptr), 0);
    platform::SetIdleHook(nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    DestroyMenu(menu);
}

TEST_F(MenuTest, TheSystemMenuHasTheStandardItemsAndPostsSysCommands)
{
    HMENU sys = GetSystemMenu(m_owner, FALSE);
    ASSERT_NE(sys, 0u);
    EXPECT_EQ(GetSystemMenu(m_owner, FALSE), sys); // kept with the window
    auto items = platform::DescribeMenu(sys).value();
    std::vector<UINT> ids;
    for (const auto& it : items)
        ids.push_back(it.id);
    EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0,
                                      SC_CLOSE}));

    ASSERT_TRUE(AppendMenuA(sys, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuA(sys, MF_STRING, 16, "&About UplinkPick..."));
    EXPECT_EQ(GetMenuItemCount(sys), 9);

    EXPECT_TRUE(platform::PickSystemMenuItem(m_owner, 16));
    EXPECT_FALSE(platform::PickSystemMenuItem(m_owner, SC_RESTORE)); // grayed while restored
    EXPECT_FALSE(platform::PickSystemMenuItem(m_owner, 4242));
    platform::PumpUntilIdle();
    auto sysCommands = SeenOf(WM_SYSCOMMAND);
    ASSERT_EQ(sysCommands.size(), 1u);
    EXPECT_EQ(sysCommands[0].wParam, 16u);

    // Through the menu loop too.
    desktop_test::SeenLog().clear();
    platform::SetIdleHook(
        [&] {
            platform::PickMenuItemByText(platform::OpenPopupMenus().front(), "About UplinkPick...");
        });
    EXPECT_TRUE(TrackPopupMenu(sys, 0, 0, 0, 0, m_owner, nullptr));
    platform::SetIdleHook(nullptr);
    platform::PumpUntilIdle();
    EXPECT_EQ(SeenOf(WM_SYSCOMMAND).size(), 1u);
    EXPECT_TRUE(SeenOf(WM_COMMAND).empty());

    EXPECT_EQ(GetSystemMenu(m_owner, TRUE), 0u);
    EXPECT_EQ(GetMenuItemCount(sys), 7); // the standard one is back
    EXPECT_EQ(GetSystemMenu(0x1234, FALSE), 0u);
}

TEST_F(MenuTest, CMenuWrapsTheHandleAndDestroysWhatItHolds)
{
    HMENU held = 0;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kTrayMenu));
        held = menu.m_hMenu;
        CMenu* sub = menu.GetSubMenu(0);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub, menu.GetSubMenu(0)); // one temporary per handle
        EXPECT_EQ(sub->GetMenuItemCount(), 5u);
        CString text;
        sub->GetMenuString(32772, text, MF_BYCOMMAND);
        EXPECT_STREQ(text, "Launch Config Utilities ");
        EXPECT_EQ(sub->EnableMenuItem(32771, MF_GRAYED), MF_ENABLED);
        EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);

        platform::SetIdleHook(
            [] { platform::PickMenuItem(platform::OpenPopupMenus().front(), 32774); });
        EXPECT_TRUE(sub->TrackPopupMenu(TPM_RIGHTBUTTON, 1, 1, CWnd::FromHandle(m_owner)));
        platform::SetIdleHook(nullptr);
        platform::PumpUntilIdle();
        ASSERT_EQ(SeenOf(WM_COMMAND).size(), 1u);
        EXPECT_EQ(SeenOf(WM_COMMAND)[0].wParam, 32774u);
    }
    EXPECT_FALSE(IsMenu(held));

    CMenu kept;
    ASSERT_TRUE(kept.CreatePopupMenu());
    HMENU h = kept.Detach();
    EXPECT_EQ(kept.m_hMenu, 0u);
    EXPECT_TRUE(IsMenu(h));
    CMenu other;
    EXPECT_TRUE(other.Attach(h));
    EXPECT_FALSE(kept.Attach(h)); // one object per handle
    EXPECT_TRUE(other.DestroyMenu());
    EXPECT_FALSE(IsMenu(h));

    CMenu* sys = AfxGetSystemMenu(m_owner, FALSE);
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(sys->GetMenuItemCount(), 7u);
}

} // namespace
