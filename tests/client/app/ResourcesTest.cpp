#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"

#include "platform/Windows.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> popupTexts(UINT id)
{
    HMENU hMenu = LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id));
    EXPECT_NE(hMenu, 0u);
    HMENU hPopup = GetSubMenu(hMenu, 0);
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(hPopup); ++i)
    {
        char text[128] = {0};
        GetMenuStringA(hPopup, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(std::to_string(GetMenuItemID(hPopup, i)) + " " + text);
    }
    DestroyMenu(hMenu);
    return texts;
}

TEST(TessarynUIResourcesTest, TrayMenusKeepTheirTextsAsTheyStand)
{
    RegisterTessarynUIResources();
    EXPECT_EQ(popupTexts(IDR_TRAY_MENU_AP),
              (std::vector<std::string>{"32774 Launch Config Utilities ", "32781 Switch to AP Mode",
                                        "32776 Exit"}));
    EXPECT_EQ(popupTexts(IDR_TRAY_MENU),
              (std::vector<std::string>{"32774 Launch Config Utilities", "32776 Exit"}));
}

TEST(TessarynUIResourcesTest, IconsAndBitmapsLoadByTheirIds)
{
    RegisterTessarynUIResources();
    for (UINT id : {156u, 159u, 161u, 163u, 173u, 174u, 179u, 185u, 204u, 237u, 238u})
    {
        HICON hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id));
        ASSERT_NE(hIcon, 0u) << id;
        EXPECT_EQ(platform::IconResourceId(hIcon), id);
    }
    for (UINT id : {188u, 189u})
        EXPECT_NE(LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id)), 0u) << id;
}

} // namespace
