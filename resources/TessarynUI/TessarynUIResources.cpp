#include "resources/TessarynUI/TessarynUIResources.h"

#include "controls/SiteListCtrl.h"
#include "platform/Windows.h"
#include "platform/base/StringResolver.h"
#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/SelCardResources.h"

namespace
{

platform::MenuTemplateItem menuItem(const char* text, UINT id)
{
    platform::MenuTemplateItem item;
    item.text = text;
    item.id = id;
    return item;
}

// The menus are popups whose first submenu is shown (GetSubMenu(0)).
platform::MenuTemplate trayMenu(bool withSwitch)
{
    platform::MenuTemplateItem popup;
    popup.text = "Tray";
    popup.flags = MF_POPUP;
    if (withSwitch)
        popup.items = {menuItem("Launch Config Utilities ", ID_TRAY_LAUNCH),
                       menuItem("Switch to AP Mode", ID_TRAY_SWITCH_AP),
                       menuItem("Exit", ID_TRAY_EXIT)};
    else
        popup.items = {menuItem("Launch Config Utilities", ID_TRAY_LAUNCH),
                       menuItem("Exit", ID_TRAY_EXIT)};
    platform::MenuTemplate menu;
    menu.items = {popup};
    return menu;
}

// Icons: the notification-area states (the sheet's title bar shows them too), the site list's
// and the profile list's images.
const struct
{
    UINT id;
    const char* description;
} kIcons[] = {
    {IDI_SIGNAL_NORMAL, "signal normal"},   {IDI_SIGNAL_WEAK, "signal weak"},
    {IDI_SIGNAL_GOOD, "signal good"},       {IDI_DISCONNECTED, "disconnected"},
    {IDI_SITE_LIST_0, "connected network"}, {IDI_PROFILE, "profile"},
    {IDI_NO_ADAPTER, "no adapter"},         {IDI_PROFILE_ACTIVE, "profile active"},
    {IDI_WEP_ERROR, "WEP error"},           {IDI_SITE_LIST_1, "site list 1"},
    {IDI_SITE_LIST_2, "site list 2"},
};

} // namespace

void RegisterTessarynUIResources()
{
    for (const auto& icon : kIcons)
        platform::RegisterIconResource(icon.id, icon.description);
    platform::RegisterBitmapResource(IDB_RADIO_ON, "radio on");
    platform::RegisterBitmapResource(IDB_RADIO_OFF, "radio off");
    RegisterSelCardTemplate();
    RegisterTessarynUIPageTemplates();
    platform::RegisterMenuTemplate(IDR_TRAY_MENU, trayMenu(false));
    platform::RegisterMenuTemplate(IDR_TRAY_MENU_AP, trayMenu(true));
    platform::SetStringResolver(
        [](UINT id) -> std::optional<std::string>
        {
            auto it = TessarynUIStringTable().find(id);
            if (it == TessarynUIStringTable().end())
                return std::nullopt;
            return it->second;
        });
}
